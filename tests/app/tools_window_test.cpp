// Constructing with the mouse in a real view: a tool chosen through its menu
// action, clicks that make points and a segment, a drag of one end with the
// selection tool, and a regular polyhedron whose solid is chosen in a dialog.

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "elements/point.h"
#include "elements/straight_element.h"
#include "geometry/intersections_lines_planes.h"
#include "lang/composed_texts.h"
#include "lang/text_ids.h"
#include "view/camera.h"
#include "window_fixture.h"

namespace {

// A mouse move delivered at once. The test library's move goes through the
// window system's cursor, whose event can arrive after the next step of a test
// on a busy display.
void moveMouse(QWidget* widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Where the ray through a window position meets the floor z = 0.
Vec3 onFloor(const ViewState& view, Viewport viewport, QPoint at) {
    const PickRay ray = pickRay(view, viewport, at.x(), at.y());
    Vec3 hit;
    EXPECT_EQ(intersectLinePlane(ray.nearPoint, ray.farPoint, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, hit), 1);
    return hit;
}

QPoint onScreen(const ViewState& view, Viewport viewport, Vec3 p) {
    double x = 0, y = 0, depth = 0;
    EXPECT_TRUE(projectPoint(view, viewport, p, x, y, depth));
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

}  // namespace

TEST_F(WindowTest, SegmentIsBuiltAndDraggedWithTheMouse) {
    CChildFrame* child = frame->newDocument();
    ASSERT_TRUE(shown(child));
    Document& d = child->openDocument()->document;
    const Viewport viewport = child->viewport();
    ASSERT_EQ(viewport.width, child->width()) << "the test counts window pixels as device pixels";
    EXPECT_EQ(frame->toolPaneText().toStdString(), composeToolPrompt(englishTexts(), 0));

    // The segment tool from its menu item: the button of its group shows it pressed.
    QAction* segmentTool = frame->action(command::kSegment);
    segmentTool->trigger();
    EXPECT_EQ(frame->currentTool(), 11);
    EXPECT_TRUE(segmentTool->isChecked());
    EXPECT_FALSE(frame->action(command::kSelect)->isChecked());
    EXPECT_EQ(frame->flyoutButton(command::kSegment)->defaultAction(), segmentTool);
    EXPECT_EQ(frame->toolPaneText().toStdString(), composeToolPrompt(englishTexts(), 11));
    EXPECT_EQ(child->cursor().shape(), Qt::CrossCursor);

    // Two clicks on empty space: two free points and the segment, one undo step.
    const int records = d.history().size();
    const QPoint first(viewport.width / 2 - 90, viewport.height / 2 + 40);
    const QPoint second(viewport.width / 2 + 70, viewport.height / 2 + 60);
    moveMouse(child, first);
    QTest::mouseClick(child, Qt::LeftButton, {}, first);
    ASSERT_EQ(child->session()->highlighted().size(), 1u) << "the first end is shown picked";
    moveMouse(child, second);
    QTest::mouseClick(child, Qt::LeftButton, {}, second);
    Construction& c = d.construction();
    ASSERT_EQ(c.count(), 3);
    EXPECT_EQ(c.at(2)->typeCode(), TypeCode::SegmentTwoPoints);
    EXPECT_EQ(d.history().size(), records + 1);
    EXPECT_TRUE(child->session()->highlighted().empty());
    EXPECT_EQ(frame->currentTool(), 11) << "the tool starts over";
    const Vec3 a = static_cast<Point*>(c.at(0))->position;
    const Vec3 expectedA = onFloor(d.view, viewport, first);
    EXPECT_NEAR(a.x, expectedA.x, 1e-9);
    EXPECT_NEAR(a.y, expectedA.y, 1e-9);
    EXPECT_TRUE(frame->action(command::kUndo)->isEnabled());

    // The selection tool drags the second end along the floor to another place.
    frame->action(command::kSelect)->trigger();
    EXPECT_EQ(frame->currentTool(), 0);
    const QPoint grab = onScreen(d.view, viewport, static_cast<Point*>(c.at(1))->position);
    const QPoint target = grab + QPoint(-60, 50);
    moveMouse(child, grab + QPoint(20, 0));  // the cursor is still there from the last click
    moveMouse(child, grab);
    ASSERT_TRUE(child->session()->hover().hovered);
    QTest::mousePress(child, Qt::LeftButton, {}, grab);
    for (int step = 1; step <= 10; ++step)
        moveMouse(child, grab + (target - grab) * step / 10, Qt::LeftButton);
    QTest::mouseRelease(child, Qt::LeftButton, {}, target);

    Construction& moved = d.construction();
    ASSERT_EQ(moved.count(), 3);
    const Vec3 end = static_cast<Point*>(moved.at(1))->position;
    const Vec3 expectedEnd = onFloor(d.view, viewport, target);
    EXPECT_NEAR(end.x, expectedEnd.x, 0.02);
    EXPECT_NEAR(end.y, expectedEnd.y, 0.02);
    EXPECT_NEAR(end.z, 0.0, 1e-9);
    EXPECT_EQ(static_cast<Point*>(moved.at(0))->position.x, a.x) << "the other end stays";
    EXPECT_TRUE(moved.at(2)->defined);
    EXPECT_EQ(d.history().size(), records + 2) << "one undo step for the whole drag";

    // A regular polyhedron on end A and the segment as its axis: the chooser
    // offers the five solids by name, and the second one is the cube.
    frame->action(5024)->trigger();
    prompts->choiceAnswers = {1};
    const QPoint onA = onScreen(d.view, viewport, a);
    const QPoint onSegment = (onA + onScreen(d.view, viewport, end)) / 2;
    moveMouse(child, onA);
    QTest::mouseClick(child, Qt::LeftButton, {}, onA);
    moveMouse(child, onSegment);
    QTest::mouseClick(child, Qt::LeftButton, {}, onSegment);
    ASSERT_EQ(prompts->choices.size(), 1u);
    ASSERT_EQ(prompts->choices[0].size(), 5u);
    EXPECT_EQ(prompts->choices[0][1], englishTexts().text(textid::kQualCube));
    Construction& withCube = d.construction();
    ASSERT_GT(withCube.count(), 3);
    const Element* cube = withCube.at(3);
    EXPECT_EQ(cube->typeCode(), TypeCode::Cube);
    EXPECT_EQ(cube->parents[0], withCube.at(0));
    EXPECT_EQ(cube->parents[1], withCube.at(2));
}
