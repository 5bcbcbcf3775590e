#include "interaction/element_dialog.h"
#include "interaction/select_fixture.h"

namespace {

// Two free points far apart.
struct TwoPoints : SelectScene {
    TwoPoints() {
        point({1, 0, 0});
        point({-1, 0, 0});
        start();
    }
};

TEST(SelectMouse, ClicksToggleAndClearTheSelection) {
    TwoPoints s;
    const Pixel a = s.pixelOf({1, 0, 0});
    const Pixel b = s.pixelOf({-1, 0, 0});
    const Pixel empty{20, 20};

    s.click(a);
    EXPECT_EQ(s.at(0)->selected, 1) << "press and release on an element selects it";
    s.click(b);
    EXPECT_EQ(s.at(0)->selected, 1) << "a click on another element adds it";
    EXPECT_EQ(s.at(1)->selected, 1);
    s.click(a);
    EXPECT_EQ(s.at(0)->selected, 0) << "a second click deselects";

    s.click(empty, {true, false});
    EXPECT_EQ(s.at(1)->selected, 1) << "Shift keeps the selection on an empty click";
    s.click(empty);
    EXPECT_EQ(s.doc.construction().selectedCount(), 0) << "an empty click clears it";
    EXPECT_EQ(s.doc.history().size(), 1) << "selecting records nothing";

    // A press on empty space that turns the camera keeps the selection and
    // records the camera once.
    s.click(a);
    const float tilt = s.doc.view.tiltX;
    s.drag(empty, {empty.x + 30, empty.y + 40});
    EXPECT_NE(s.doc.view.tiltX, tilt);
    EXPECT_EQ(s.at(0)->selected, 1);
    EXPECT_EQ(s.doc.history().size(), 2);

    // Right click: the element's dialog.
    s.move(s.pixelOf({1, 0, 0}));
    ASSERT_TRUE(s.session->hover().hovered);
    s.session->mousePress(MouseButton::Right, a.x, a.y, {});
    s.session->mouseRelease(MouseButton::Right, a.x, a.y, {}, {});
    auto* dialog = dynamic_cast<ElementDialog*>(s.session->openDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(&dialog->element(), s.at(0));
    std::string error;
    EXPECT_TRUE(dialog->press("cancel", error));
    EXPECT_EQ(s.session->openDialog(), nullptr);
}

TEST(SelectMouse, OnePixelIsAClickTwoPixelsADrag) {
    TwoPoints s;
    const Pixel a = s.pixelOf({1, 0, 0});

    s.move(a);
    s.session->mousePress(MouseButton::Left, a.x, a.y, {});
    s.session->mouseMove(a.x + 1, a.y - 1, {true, false}, {});
    EXPECT_FALSE(s.session->dragging());
    s.session->mouseRelease(MouseButton::Left, a.x + 1, a.y - 1, {}, {});
    EXPECT_EQ(s.at(0)->selected, 1) << "a 1-pixel wobble is still a click";
    EXPECT_EQ(s.positionAt(0), (Vec3{1, 0, 0}));
    EXPECT_EQ(s.doc.history().size(), 1);

    s.move(a);
    s.session->mousePress(MouseButton::Left, a.x, a.y, {});
    s.session->mouseMove(a.x + 2, a.y, {true, false}, {});
    EXPECT_TRUE(s.session->dragging());
    EXPECT_EQ(s.session->cursor(), ToolCursor::Drag);
    s.session->mouseRelease(MouseButton::Left, a.x + 2, a.y, {}, {});
    EXPECT_FALSE(s.session->dragging());
    EXPECT_EQ(s.at(0)->selected, 1) << "a drag does not toggle";
    EXPECT_NE(s.positionAt(0).x, 1.0);
    EXPECT_EQ(s.doc.history().size(), 2);
    EXPECT_GT(s.host.changes, 0);
}

TEST(SelectMouse, CameraGesturesShowTheirCursorWhileTheyRun) {
    TwoPoints s;
    const Pixel empty{20, 20};
    const auto gesture = [&](MouseButton button, MouseButtons held) {
        s.move(empty);
        s.session->mousePress(button, empty.x, empty.y, {});
        const ToolCursor before = s.session->cursor();
        s.session->mouseMove(empty.x + 30, empty.y + 10, held, {});
        const ToolCursor running = s.session->cursor();
        s.session->mouseRelease(button, empty.x + 30, empty.y + 10, {}, {});
        EXPECT_EQ(before, ToolCursor::Arrow) << "no gesture before the mouse moves";
        EXPECT_EQ(s.session->cursor(), ToolCursor::Arrow) << "the tool's cursor after it";
        return running;
    };
    EXPECT_EQ(gesture(MouseButton::Left, {true, false}), ToolCursor::Rotate);
    EXPECT_EQ(gesture(MouseButton::Right, {false, true}), ToolCursor::Pan);
    s.session->setTool(47);
    EXPECT_EQ(s.session->cursor(), ToolCursor::Zoom);
    s.session->setTool(11);  // a construction tool's left drag moves no camera
    s.move(empty);
    s.session->mousePress(MouseButton::Left, empty.x, empty.y, {});
    s.session->mouseMove(empty.x + 30, empty.y, {true, false}, {});
    EXPECT_EQ(s.session->cursor(), ToolCursor::Drawing);
}

TEST(SelectDrag, KeepsTheHeightShiftMovesOnlyHeightOneUndoStepEach) {
    SelectScene s;
    s.point({0.5, 0.5, 2});
    Point* other = s.point({-1, -1, 0});
    s.straight(TypeCode::SegmentTwoPoints, s.at(0), other);
    s.start();
    const Vec3 before = s.positionAt(0);
    const Construction* original = &s.doc.construction();

    s.drag(s.pixelOf(before), s.pixelOf({1.5, 0.2, 2}));
    const Vec3 after = s.positionAt(0);
    EXPECT_EQ(after.z, 2.0) << "a drag moves in the horizontal plane through the grabbed point";
    EXPECT_NEAR(after.x, 1.5, 0.05);
    EXPECT_NEAR(after.y, 0.2, 0.05);
    EXPECT_EQ(s.doc.history().size(), 2) << "one undo step for the whole drag";
    EXPECT_NE(&s.doc.construction(), original) << "the drag works on a copy";
    EXPECT_EQ(static_cast<Point*>(original->at(0))->position, before) << "the recorded state is untouched";
    EXPECT_EQ(s.at<StraightElement>(2)->parents[0], s.at(0)) << "the segment follows in the copy";

    ASSERT_TRUE(s.session->command(57643));
    EXPECT_EQ(s.positionAt(0), before) << "undo restores exactly";
    ASSERT_TRUE(s.session->command(57644));
    EXPECT_EQ(s.positionAt(0), after) << "redo brings the drag back";

    s.shiftDrag(s.pixelOf(after), {s.pixelOf(after).x, s.pixelOf(after).y - 40});
    const Vec3 lifted = s.positionAt(0);
    EXPECT_EQ(lifted.x, after.x) << "Shift moves only in z";
    EXPECT_EQ(lifted.y, after.y);
    EXPECT_GT(lifted.z, 2.2);
    EXPECT_EQ(s.doc.history().size(), 3);
    EXPECT_FALSE(s.session->verticalMode());

    // Dragging the segment moves both its free ends by the same amount.
    const Vec3 end = s.positionAt(1);
    s.drag(s.pixelOf(end * 0.6 + lifted * 0.4), s.pixelOf(end * 0.6 + lifted * 0.4 + Vec3{0.5, 0, 0}));
    const Vec3 movedA = s.positionAt(0) - lifted;
    const Vec3 movedB = s.positionAt(1) - end;
    EXPECT_GT(norm(movedB), 0.1);
    EXPECT_NEAR(movedA.x, movedB.x, 1e-9);
    EXPECT_NEAR(movedA.y, movedB.y, 1e-9);
    EXPECT_EQ(movedA.z, 0.0);
}

TEST(SelectDrag, APointOnALineSlidesAlongIt) {
    SelectScene s;
    Point* a = s.point({-2, 0, 0});
    Point* b = s.point({2, 0, 0});
    StraightElement* line = s.straight(TypeCode::LineTwoPoints, a, b);
    auto* on = s.add<PointOnObject>({line}, kSelectStyle);
    on->param1 = 0.5;
    on->recompute(s.doc.construction(), {1, 1.0});
    s.start();
    const Vec3 start = s.positionAt(3);
    ASSERT_NEAR(start.x, 0.0, 1e-9);

    s.drag(s.pixelOf(start), s.pixelOf({1.2, 0, 0}));
    const Vec3 slid = s.positionAt(3);
    EXPECT_NEAR(slid.x, 1.2, 0.05);
    EXPECT_NEAR(slid.y, 0.0, 1e-9) << "the point stays on its line";
    EXPECT_NEAR(slid.z, 0.0, 1e-9);
    EXPECT_EQ(s.positionAt(0), (Vec3{-2, 0, 0})) << "the line does not move";
    EXPECT_EQ(s.positionAt(1), (Vec3{2, 0, 0}));
}

TEST(SelectDrag, ASelectedGroupMovesTogether) {
    SelectScene s;
    s.point({1, 0, 0});
    s.point({-1, 0, 0});
    s.point({0, 1.5, 0});
    s.start();
    s.click(s.pixelOf({1, 0, 0}));
    s.click(s.pixelOf({-1, 0, 0}));
    s.drag(s.pixelOf({1, 0, 0}), s.pixelOf({1, -1, 0}));
    EXPECT_NEAR(s.positionAt(0).y, -1.0, 0.05);
    EXPECT_NEAR(s.positionAt(1).y - s.positionAt(0).y, 0.0, 1e-9) << "both selected points moved";
    EXPECT_EQ(s.positionAt(2), (Vec3{0, 1.5, 0})) << "the unselected one stays";
    EXPECT_EQ(s.doc.construction().selectedCount(), 2) << "the selection travels with the copy";
}

}  // namespace
