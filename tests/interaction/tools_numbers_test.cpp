// Loci and measures: the tools whose result depends on what the picks are,
// and the tool table the menus and tool bars are built from.

#include "elements/locus.h"
#include "elements/straight_element.h"
#include "expr/measures.h"
#include "expr/parameter.h"
#include "tools_fixture.h"

namespace {

ParameterNumber* asParameter(Element* e) {
    auto* p = static_cast<ParameterNumber*>(e);
    p->minimum = -1.0;
    p->maximum = 1.0;
    p->valueDefined = 1;
    return p;
}

}  // namespace

TEST_F(ToolsTest, LocusVariantsFollowTheMovingElementAndItsDriver) {
    Point* x = addFree({0, 0, 0});
    Point* y = addFree({2, 0, 0});
    Point* z = addFree({0, 2, 0});
    Element* segment = add(TypeCode::SegmentTwoPoints, {x, y});
    auto* driver = static_cast<PointOnObject*>(add(TypeCode::PointOnObject, {segment}));
    driver->param1 = 0.5;
    Element* traced = add(TypeCode::MidpointTwoPoints, {driver, z});
    Point* unrelated = addFree({-2, -2, 0});
    Element* plane =
        add(TypeCode::PlaneThreePoints, {addFree({3, 3, 0}), addFree({4, 3, 0}), addFree({3, 4, 0})});
    auto* onPlane = static_cast<PointOnObject*>(add(TypeCode::PointOnObject, {plane}));
    Element* tracedOnPlane = add(TypeCode::MidpointTwoPoints, {onPlane, addFree({5, 5, 0})});
    Element* n1 = asParameter(addNumberAt(TypeCode::Parameter, 10, 10));
    Element* n2 = asParameter(addNumberAt(TypeCode::Parameter, 10, 40));
    Element* byNumbers = add(TypeCode::PointByCoordinates, {n1, n2, n1});
    Element* sweeping = add(TypeCode::SegmentTwoPoints, {driver, z});
    start();

    session.setTool(25);
    EXPECT_FALSE(session.canMakePoints());
    EXPECT_FALSE(session.acceptsPointOnElement(*segment));
    clickAt(positionOf(traced));
    EXPECT_TRUE(session.acceptTable()[18]);
    EXPECT_FALSE(session.acceptTable()[3]);
    clickAt(unrelated->position);  // the point does not follow it: the tool starts over
    EXPECT_EQ(session.pickCount(), 0);
    clickAt(positionOf(traced));
    clickAt(driver->position);
    ASSERT_EQ(last()->typeCode(), TypeCode::PointLocus);
    EXPECT_TRUE(last()->defined);

    clickAt(positionOf(tracedOnPlane));
    clickAt(positionOf(construction().at(11)));  // the point on the plane
    EXPECT_EQ(last()->typeCode(), TypeCode::PolygonSurfaceLocus);

    // Ctrl at the second pick: a point over two numbers.
    clickAt(positionOf(byNumbers));
    click({13, 13}, {false, true});
    EXPECT_EQ(session.pickCount(), 2);
    EXPECT_FALSE(session.acceptTable()[1]);
    click({13, 43});
    ASSERT_EQ(last()->typeCode(), TypeCode::ParameterSurfaceLocus);
    EXPECT_EQ(last()->parents[2]->typeCode(), TypeCode::Parameter);
    // Ctrl with a point for a driver makes nothing.
    const int n = count();
    clickAt(positionOf(traced));
    clickAt(positionOf(construction().at(4)), {false, true});
    EXPECT_EQ(count(), n);
    EXPECT_EQ(session.pickCount(), 0);

    // A moving segment sweeps a surface.
    clickAt({0.75, 0.5, 0});
    EXPECT_EQ(session.pickList()[0]->parents[1], construction().at(2));
    clickAt(driver->position);
    EXPECT_EQ(last()->typeCode(), TypeCode::SegmentLocus);
    EXPECT_EQ(last()->parents[0]->typeCode(), TypeCode::SegmentTwoPoints);
    (void)sweeping;
}

TEST_F(ToolsTest, MeasuresNarrowTheirSecondPickAndPutThePointFirst) {
    Point* a = addFree({-2, 2, 0});
    Element* line = add(TypeCode::LineTwoPoints, {addFree({-3, -1, 0}), addFree({3, -1, 0})});
    Element* segment = add(TypeCode::SegmentTwoPoints, {addFree({-3, 1, 0}), addFree({-1, 1, 0})});
    Element* vector = add(TypeCode::VectorTwoPoints, {addFree({1, 1, 0}), addFree({3, 1, 0})});
    start();
    session.setNumberDecimals(4);

    session.setTool(38);
    clickAt(a->position);
    EXPECT_TRUE(session.acceptTable()[4]);
    EXPECT_TRUE(session.acceptTable()[9]);
    EXPECT_FALSE(session.acceptTable()[3]);
    clickAt({-2, 1, 0});  // the segment is refused after a point
    EXPECT_EQ(session.pickCount(), 1);
    const Pixel at = pixelOf({0, -1, 0});
    click(at);
    ASSERT_EQ(last()->typeCode(), TypeCode::PointLineDistance);
    const auto& distanceMeasure = *static_cast<const NumberElement*>(last());
    EXPECT_EQ(distanceMeasure.parents[0]->kind(), ElementKind::Point);
    EXPECT_NEAR(distanceMeasure.value, 3.0, 1e-9);
    EXPECT_EQ(distanceMeasure.position, (ScreenPoint{at.x, at.y}));
    EXPECT_EQ(distanceMeasure.decimals, 4);

    // The line first: still (point, line).
    clickAt({1, -1, 0});
    EXPECT_FALSE(session.acceptTable()[9]);
    clickAt(a->position);
    EXPECT_EQ(last()->typeCode(), TypeCode::PointLineDistance);
    EXPECT_EQ(last()->parents[0]->kind(), ElementKind::Point);

    // Segments and vectors are measured at once.
    clickAt({-2, 1, 0});
    EXPECT_EQ(last()->typeCode(), TypeCode::SegmentLength);
    clickAt({2, 1, 0});
    EXPECT_EQ(last()->typeCode(), TypeCode::SegmentLength);
    EXPECT_EQ(last()->parents[0]->kind(), ElementKind::Vector);
    EXPECT_NEAR(static_cast<const NumberElement*>(last())->value, 2.0, 1e-9);
    (void)line;
    (void)segment;
    (void)vector;
}

TEST(ToolTable, RowsAreCompleteForMenusAndToolBars) {
    const auto tools = allTools();
    ASSERT_EQ(tools.size(), static_cast<std::size_t>(kLastToolNumber + 1));
    for (const ToolRow& row : tools) {
        const bool drawing = row.number == 5 || row.number == 6 || (row.number >= 9 && row.number <= 42);
        EXPECT_EQ(row.cursor == ToolCursor::Drawing, drawing) << row.number;
        EXPECT_NE(row.textId, 0) << row.number;
        if (row.commandId == 0) continue;
        EXPECT_EQ(toolRowOfCommand(row.commandId), &row);
    }
    EXPECT_EQ(toolRowOfCommand(5015)->number, 11);
    EXPECT_EQ(toolRowOfCommand(1), nullptr);
}
