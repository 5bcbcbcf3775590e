// The tool state machine on the two-point tools: implicit points, counting
// picks, committing as one undo step, the prompt and the cursor.

#include "elements/straight_element.h"
#include "geometry/vectors.h"
#include "lang/composed_texts.h"
#include "lang/text_table.h"
#include "tools_fixture.h"

namespace {

TextTable englishTexts() {
    TextTable texts;
    EXPECT_EQ(texts.load(std::string(KOVA_SOURCE_DIR) + "/Languages/English.lng"), 1);
    return texts;
}

}  // namespace

TEST_F(ToolsTest, SegmentFromTwoClicksOnEmptySpaceIsOneUndoStep) {
    Point* a = addFree({-2, 0, 0}, "A");
    start();
    const int historyBefore = document.history().size();

    session.setTool(11);
    EXPECT_EQ(session.cursor(), ToolCursor::Drawing);
    EXPECT_EQ(host.tools.back(), 11);
    // A click on an existing point picks it; the same point again counts nothing.
    clickAt(a->position);
    EXPECT_EQ(session.pickCount(), 1);
    clickAt(a->position);
    EXPECT_EQ(session.pickCount(), 1);
    EXPECT_EQ(count(), 1);
    session.setTool(11);  // choosing the tool again drops the pick
    EXPECT_EQ(session.pickCount(), 0);

    // Two clicks on empty space: two free points and the segment, at once.
    clickAt({1, 1, 0});
    EXPECT_EQ(session.pickCount(), 1);
    EXPECT_EQ(count(), 1);  // the first point is still a temporary
    ASSERT_EQ(session.highlighted().size(), 1u);
    EXPECT_EQ(session.highlighted()[0]->typeCode(), TypeCode::FreePoint);
    clickAt({2, -1, 0});
    ASSERT_EQ(count(), 4);
    EXPECT_EQ(session.pickCount(), 0);  // the tool starts over
    EXPECT_EQ(session.toolNumber(), 11);
    EXPECT_TRUE(session.highlighted().empty());
    EXPECT_EQ(document.history().size(), historyBefore + 1);
    EXPECT_EQ(host.changes, 1);

    Element* segment = last();
    EXPECT_EQ(segment->typeCode(), TypeCode::SegmentTwoPoints);
    EXPECT_EQ(segment->parents[0], construction().at(1));
    EXPECT_EQ(segment->parents[1], construction().at(2));
    EXPECT_TRUE(segment->defined);
    // The free points lie where the clicks met the ground plane.
    EXPECT_LT(distance(positionOf(segment->parents[0]), {1, 1, 0}), 0.05);
    EXPECT_LT(distance(positionOf(segment->parents[1]), {2, -1, 0}), 0.05);

    ASSERT_TRUE(document.undo());
    EXPECT_EQ(count(), 1);  // both points went with the segment
    EXPECT_EQ(construction().at(0)->name(), "A");
}

TEST_F(ToolsTest, ClickOnALineMakesThePointOnIt) {
    Point* a = addFree({-2, -2, 0});
    Point* b = addFree({2, 2, 0});
    Element* line = add(TypeCode::LineTwoPoints, {a, b});
    add(TypeCode::LineTwoPoints, {addFree({-2, 2, 0}), addFree({2, -2, 0})});
    start();

    session.setTool(11);
    const Pixel onLine = pixelOf({0.5, 0.5, 0});
    session.mouseMove(onLine.x, onLine.y, {}, {});
    EXPECT_EQ(session.hover().hoveredElement, line);  // the line is seen, though not a point
    EXPECT_TRUE(session.acceptsPointOnElement(*line));
    EXPECT_TRUE(session.pickRules().canMakePoints);
    click(onLine);
    clickAt({0, 2, 0});
    ASSERT_EQ(count(), 9);
    Element* end = construction().at(6);
    ASSERT_EQ(end->typeCode(), TypeCode::PointOnObject);
    EXPECT_EQ(end->parents[0], construction().at(2));  // re-pointed into the new construction
    EXPECT_LT(distance(positionOf(end), {0.5, 0.5, 0}), 0.05);
    EXPECT_EQ(last()->parents[0], end);

    // Dragging the line's end carries the point on it along.
    static_cast<Point*>(construction().at(1))->position = {2, -2, 0};
    document.recompute();
    const Vec3 moved = positionOf(end);
    EXPECT_NEAR(moved.y, -2.0, 1e-9);

    // Over the crossing of two lines the candidate intersection point is taken.
    static_cast<Point*>(construction().at(1))->position = {2, 2, 0};
    document.recompute();
    const int n = count();
    clickAt({-1, -1, 0});
    EXPECT_EQ(session.pickCount(), 1);
    EXPECT_EQ(session.pickList()[0]->typeCode(), TypeCode::PointOnObject);
    const Pixel crossing = pixelOf({0, 0, 0});
    session.mouseMove(crossing.x, crossing.y, {}, {});
    ASSERT_TRUE(session.hover().isCandidate());
    click(crossing);
    ASSERT_EQ(count(), n + 3);
    const Element* crossingPoint = construction().at(n + 1);
    EXPECT_EQ(crossingPoint->typeCode(), TypeCode::LineLinePoint);
    EXPECT_EQ(crossingPoint->parents[0], construction().at(2));
    EXPECT_EQ(last()->parents[1], crossingPoint);
}

TEST_F(ToolsTest, PolygonClosesOnlyOnAPickAfterThree) {
    Point* a = addFree({0, 0, 0});
    Point* b = addFree({2, 0, 0});
    Point* c = addFree({0, 2, 0});
    start();

    session.setTool(19);
    clickAt(a->position);
    clickAt(b->position);
    clickAt(a->position);  // two picks: the first point again counts nothing
    EXPECT_EQ(session.pickCount(), 2);
    EXPECT_TRUE(session.pickRules().closingPicks.empty());
    clickAt(c->position);
    EXPECT_EQ(session.pickCount(), 3);
    EXPECT_EQ(session.pickRules().closingPicks.size(), 3u);
    clickAt(a->position);  // the fourth click, on the first point, closes a triangle
    ASSERT_EQ(count(), 4);
    EXPECT_EQ(last()->typeCode(), TypeCode::PolygonVertices);
    ASSERT_EQ(last()->parentCount(), 3);
    EXPECT_EQ(last()->parents[2], construction().at(2));

    // Points made by the tool close it too: the temporaries are offered to the hover.
    clickAt({-2, -1, 0});
    clickAt({-3, -1, 0});
    clickAt({-3, -2, 0});
    EXPECT_EQ(count(), 4);
    clickAt({-2, -1, 0});
    ASSERT_EQ(count(), 8);
    EXPECT_EQ(last()->parentCount(), 3);
}

TEST_F(ToolsTest, StatusTextCursorAndTheFreePointTool) {
    Point* a = addFree({0, 0, 0});
    Point* b = addFree({2, 0, 0});
    Element* segment = add(TypeCode::SegmentTwoPoints, {a, b});
    start();
    const TextTable texts = englishTexts();

    session.setTool(11);
    const std::string prompt = session.statusText(texts);
    EXPECT_EQ(prompt.rfind("Segment", 0), 0u) << prompt;
    session.mouseMove(pixelOf(a->position).x, pixelOf(a->position).y, {}, {});
    const std::string hovered = session.statusText(texts);
    EXPECT_EQ(hovered, prompt + " : [" + composeDescription(texts, TypeCode::FreePoint) + "]");

    // The free point tool puts its one point on the segment under the cursor.
    session.setTool(5);
    clickAt({1, 0, 0});
    ASSERT_EQ(count(), 4);
    EXPECT_EQ(last()->typeCode(), TypeCode::PointOnObject);
    EXPECT_EQ(last()->parents[0], construction().at(2));
    EXPECT_NE(construction().at(2), segment);  // the old construction stays in the history

    // Other cursors and a tool number that names nothing.
    session.setTool(51);
    EXPECT_EQ(session.cursor(), ToolCursor::Delete);
    session.setTool(0);
    EXPECT_EQ(session.cursor(), ToolCursor::Arrow);
    session.setTool(99);
    EXPECT_EQ(session.toolNumber(), 0);
}

TEST_F(ToolsTest, AToolChosenAfreshForgetsTheHeightOfAVerticalMove) {
    start();
    session.setTool(5);
    const Pixel at = pixelOf({0, 0, 0});
    session.mouseMove(at.x, at.y, {}, {});
    session.updateMousePoint();
    ASSERT_TRUE(session.mousePointValid());
    // Shift: the ghost point moves up the vertical plane through it.
    session.keyDown(SessionKey::Shift, {true, false});
    session.mouseMove(at.x, at.y - 60, {}, {true, false});
    session.updateMousePoint();
    session.keyUp(SessionKey::Shift, {});
    const double raised = session.mousePoint().z;
    ASSERT_GT(raised, 0.5);

    session.setTool(5, false);  // the tool starting over keeps the height
    session.mouseMove(at.x, at.y - 60, {}, {});
    session.updateMousePoint();
    EXPECT_NEAR(session.mousePoint().z, raised, 1e-9);
    session.setTool(5);  // chosen again from its menu item: back to the ground
    session.mouseMove(at.x, at.y, {}, {});
    session.updateMousePoint();
    EXPECT_EQ(session.mousePoint().z, 0.0);
}
