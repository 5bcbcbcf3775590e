// Redefining a point in its four ways, the refused cycle, and the tools that
// act on one element at once.

#include "elements/intersection_codes.h"
#include "elements/straight_element.h"
#include "expr/coordinates.h"
#include "geometry/vectors.h"
#include "interaction/element_dialog.h"
#include "lang/text_ids.h"
#include "tools_fixture.h"

namespace {

// Every parent comes before its child, and every parent is in the construction.
void expectParentsFirst(const Construction& c) {
    for (int i = 0; i < c.count(); ++i)
        for (const Element* p : c.at(i)->parents) {
            const int j = c.indexOf(p);
            EXPECT_TRUE(j >= 0 && j < i) << "element " << i;
        }
}

Element* findNamed(const Construction& c, const std::string& name) {
    for (int i = 0; i < c.count(); ++i)
        if (c.at(i)->name() == name) return c.at(i);
    return nullptr;
}

}  // namespace

TEST_F(ToolsTest, RedefinePointRefusesCyclesAndTakesTheIdentity) {
    Point* a = addFree({0, 0, 0}, "A");
    a->colour = 0x123456;
    Point* c = addFree({2, 0, 0});
    Element* mid = add(TypeCode::MidpointTwoPoints, {a, c});
    add(TypeCode::LineTwoPoints, {addFree({-2, 2, 0}), addFree({2, 2, 0})});
    add(TypeCode::LineTwoPoints, {addFree({-1.5, 3, 0}), addFree({-1.5, 4, 0})});
    Point* q = addFree({3, -2, 0}, "Q");
    start();
    const int n = count();

    // The midpoint depends on A: refused with a message, nothing changes.
    session.setTool(7);
    EXPECT_EQ(session.cursor(), ToolCursor::Redefine);
    EXPECT_FALSE(session.canMakePoints());
    clickAt(a->position);
    ASSERT_EQ(session.pickCount(), 1);
    EXPECT_TRUE(session.canMakePoints());
    const Construction* before = &construction();
    clickAt(positionOf(mid));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, textid::kRedefinitionCycle);
    EXPECT_EQ(host.messages[0].second, MessageIcon::Error);
    EXPECT_EQ(&construction(), before);
    EXPECT_EQ(session.pickCount(), 0);

    // On the line: A becomes a point on it, keeps its name and look, and the
    // midpoint follows; the list is put back in dependency order.
    clickAt(a->position);
    clickAt({0.5, 2, 0});
    ASSERT_EQ(count(), n);
    Element* newA = findNamed(construction(), "A");
    ASSERT_NE(newA, nullptr);
    EXPECT_EQ(newA->typeCode(), TypeCode::PointOnObject);
    EXPECT_EQ(newA->colour, 0x123456u);
    expectParentsFirst(construction());
    const Element* newMid = last();
    EXPECT_EQ(newMid->typeCode(), TypeCode::MidpointTwoPoints);
    EXPECT_EQ(newMid->parents[0], newA);
    EXPECT_LT(distance(positionOf(newMid), {1.25, 1, 0}), 0.05);

    // Onto an existing point: Q disappears under A's name and takes its dependants.
    clickAt(positionOf(newA));
    clickAt(q->position);
    ASSERT_EQ(count(), n - 1);
    EXPECT_EQ(findNamed(construction(), "Q"), nullptr);
    Element* qAsA = findNamed(construction(), "A");
    ASSERT_NE(qAsA, nullptr);
    EXPECT_EQ(qAsA->typeCode(), TypeCode::FreePoint);
    EXPECT_EQ(last()->parents[0], qAsA);
    expectParentsFirst(construction());

    // On empty space: a free point where the click meets the ground plane.
    clickAt(positionOf(qAsA));
    clickAt({-1, -3, 0});
    Element* freeA = findNamed(construction(), "A");
    EXPECT_LT(distance(positionOf(freeA), {-1, -3, 0}), 0.05);
    EXPECT_EQ(host.messages.size(), 1u);

    // At the crossing of the two lines: a new intersection point on them.
    clickAt(positionOf(freeA));
    clickAt({-1.5, 2, 0});
    Element* crossingA = findNamed(construction(), "A");
    ASSERT_EQ(crossingA->typeCode(), TypeCode::LineLinePoint);
    EXPECT_LT(distance(positionOf(crossingA), {-1.5, 2, 0}), 1e-9);
    EXPECT_EQ(last()->parents[0], crossingA);
    EXPECT_EQ(count(), n - 1);

    // Each redefinition was one step.
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(document.undo());
    EXPECT_EQ(construction().at(0), a);
}

TEST_F(ToolsTest, OneClickToolsActOnTheElementUnderTheCursor) {
    Point* a = addFree({0, 0, 0});
    Point* b = addFree({2, 0, 0});
    add(TypeCode::SegmentTwoPoints, {a, b});
    Point* c = addFree({0, 2, 0});
    start();

    session.setTool(52);  // hide/show
    clickAt(c->position);
    EXPECT_EQ(construction().at(3)->visible, 0);
    EXPECT_EQ(construction().selectedCount(), 0);
    EXPECT_EQ(session.toolNumber(), 52);

    session.setTool(50);
    clickAt(b->position);
    auto* dialog = dynamic_cast<ElementDialog*>(session.openDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(&dialog->element(), construction().at(1));
    std::string error;
    EXPECT_TRUE(dialog->press("cancel", error));
    EXPECT_EQ(session.toolNumber(), 50) << "the tool starts over";

    session.setTool(42);  // coordinates: the element and its three numbers, at the click
    const Pixel at = pixelOf(b->position);
    click(at);
    ASSERT_EQ(count(), 8);
    const auto& coordinates = *static_cast<const Coordinates*>(construction().at(4));
    EXPECT_EQ(coordinates.typeCode(), TypeCode::Coordinates);
    EXPECT_EQ(coordinates.position, (ScreenPoint{at.x, at.y}));
    EXPECT_EQ(construction().at(7)->typeCode(), TypeCode::CoordinateZ);

    session.setTool(51);  // delete, with everything built on the point
    clickAt(b->position);
    EXPECT_EQ(count(), 2);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(count(), 8);
    EXPECT_EQ(construction().selectedCount(), 0);  // the undone state holds no selection
}
