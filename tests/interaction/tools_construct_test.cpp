// Tools that narrow what they accept by their first picks, ask the user, or
// map a whole selection at once.

#include <cmath>

#include "elements/intersection_codes.h"
#include "elements/regular_solids.h"
#include "elements/straight_element.h"
#include "geometry/vectors.h"
#include "tools_fixture.h"

TEST_F(ToolsTest, IntersectionPointsNarrowAndRestart) {
    Point* o = addFree({0, 0, 0});
    Element* sphere = add(TypeCode::SphereCentrePoint, {o, addFree({1, 0, 0})});
    Element* far = add(TypeCode::SphereCentrePoint, {addFree({5, 5, 0}), addFree({6, 5, 0})});
    Element* line = add(TypeCode::LineTwoPoints, {addFree({-3, 0.3, 0}), addFree({3, 0.3, 0})});
    start();
    const Vec3 onSphere{0, 0, 1};  // the top

    session.setTool(6);
    EXPECT_FALSE(session.canMakePoints());
    clickAt(onSphere);
    ASSERT_EQ(session.pickCount(), 1);
    EXPECT_EQ(session.pickList()[0], sphere);
    // After a sphere: planes, spheres, cylinders and cones are refused.
    EXPECT_FALSE(session.acceptTable()[9]);
    EXPECT_FALSE(session.acceptTable()[13]);
    EXPECT_TRUE(session.acceptTable()[4]);
    EXPECT_TRUE(session.acceptTable()[6]);
    clickAt({5, 5, 1});  // the other sphere's top
    EXPECT_EQ(session.pickCount(), 1);
    EXPECT_NE(session.hover().hoveredElement, far);

    const int before = count();
    const int steps = document.history().size();
    clickAt({-2.5, 0.3, 0});
    ASSERT_EQ(count(), before + 2);  // both points, one step
    EXPECT_EQ(document.history().size(), steps + 1);
    const double x = std::sqrt(1.0 - 0.09);
    for (int root = 0; root < 2; ++root) {
        const auto* p = static_cast<const IntersectionPoint*>(construction().at(before + root));
        EXPECT_EQ(p->typeCode(), TypeCode::LineSpherePoint);
        EXPECT_EQ(p->rootIndex, root);
        EXPECT_EQ(p->parents[0]->kind(), ElementKind::Line);  // the code's own parent order
        EXPECT_TRUE(p->defined);
        EXPECT_NEAR(std::fabs(p->position.x), x, 1e-9);
    }

    // Both points exist: the pair again makes nothing and the tool starts over.
    clickAt({-2.5, 0.3, 0});
    clickAt(onSphere);
    EXPECT_EQ(count(), before + 2);
    EXPECT_EQ(session.pickCount(), 0);
    EXPECT_EQ(document.history().size(), steps + 1);
    (void)line;
}

TEST_F(ToolsTest, CentralSymmetryMapsTheSelectionInOneStep) {
    Point* points[5];
    for (int i = 0; i < 5; ++i) points[i] = addFree({1.0 + i * 0.5, 1.0, 0.0});
    Point* centre = addFree({-1, -1, 0});
    Element* number = addNumberAt(TypeCode::Parameter, 10, 10);
    start();
    for (Point* p : points) p->selected = 1;
    number->selected = 1;  // not something a symmetry maps

    session.setTool(32);
    EXPECT_EQ(session.pickCount(), 1);
    ASSERT_EQ(session.pickList().size(), 5u);
    EXPECT_EQ(session.pickList()[4], points[4]);
    EXPECT_EQ(construction().selectedCount(), 0);
    EXPECT_TRUE(session.acceptTable()[1]);
    EXPECT_FALSE(session.acceptTable()[3]);  // the second step: the centre

    const int steps = document.history().size();
    clickAt(centre->position);
    ASSERT_EQ(count(), 12);
    EXPECT_EQ(document.history().size(), steps + 1);
    for (int i = 0; i < 5; ++i) {
        const Element* image = construction().at(7 + i);
        EXPECT_EQ(image->typeCode(), TypeCode::PointCentralSymmetry);
        EXPECT_EQ(image->parents[0], construction().at(i));
        EXPECT_EQ(image->parents[1], construction().at(5));
        EXPECT_LT(distance(positionOf(image), Vec3{-3.0 - i * 0.5, -3.0, 0.0}), 1e-9);
    }
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(count(), 7);

    // Without a selection the rotation picks its object, axis and angle in turn.
    Element* segment = add(TypeCode::SegmentTwoPoints, {construction().at(0), construction().at(1)});
    Element* axis = add(TypeCode::LineTwoPoints, {addFree({-2, 2, 0}), addFree({-2, 2, 1})});
    segment->recompute(construction(), {document.angleUnit, 1.0});
    session.setTool(36);
    clickAt({1.25, 1, 0});
    EXPECT_EQ(session.pickList()[0], segment);
    EXPECT_FALSE(session.acceptTable()[1]);
    clickAt({-2, 2, 0.5});
    EXPECT_TRUE(session.acceptTable()[18]);
    EXPECT_FALSE(session.acceptTable()[4]);
    click({13, 13});
    ASSERT_EQ(last()->typeCode(), TypeCode::SegmentRotation);
    EXPECT_EQ(last()->parentCount(), 3);
    EXPECT_EQ(last()->parents[2]->kind(), ElementKind::Number);
    (void)axis;
}

TEST_F(ToolsTest, RegularFiguresAskAndCancelRestarts) {
    Point* p = addFree({1, 0, 0});
    Element* axis = add(TypeCode::LineTwoPoints, {addFree({0, 0, 0}), addFree({0, 0, 1})});
    start();
    const int before = count();

    session.setTool(20);
    clickAt(p->position);
    EXPECT_TRUE(session.acceptTable()[4]);
    EXPECT_FALSE(session.acceptTable()[1]);  // after the point only an axis
    clickAt({0, 0, 0.5});
    EXPECT_EQ(count(), before);  // the chooser was cancelled
    EXPECT_EQ(session.pickCount(), 0);

    host.sides = {5};
    clickAt({0, 0, 0.5});  // the axis first this time
    clickAt(p->position);
    ASSERT_EQ(count(), before + 6);  // the figure, four vertices, its polygon
    auto* figure = static_cast<RegularPolygon*>(construction().at(before));
    EXPECT_EQ(figure->sideCount, 5);
    EXPECT_EQ(figure->parents[0], construction().at(0));
    EXPECT_EQ(figure->parents[1], construction().at(3));
    EXPECT_TRUE(figure->defined);
    EXPECT_EQ(figure->parts().size(), 5u);

    // Its area is that of its polygon.
    session.setTool(40);
    clickAt({0.2, 0.2, 0});
    ASSERT_EQ(count(), before + 7);
    EXPECT_EQ(last()->typeCode(), TypeCode::PolygonArea);
    EXPECT_EQ(last()->parents[0], construction().at(before + 5));  // the polygon part

    // The solid chooser: an answer that names no solid cancels too.
    session.setTool(24);
    host.solids = {12345, 10705};
    clickAt({3, 3, 0});
    clickAt({0, 0, 0.7});
    EXPECT_EQ(count(), before + 7);
    clickAt({3, 3, 0});
    clickAt({0, 0, 0.7});
    const Element* cube = construction().at(before + 7 + 1);
    ASSERT_EQ(cube->typeCode(), TypeCode::Cube);
    EXPECT_EQ(count(), before + 7 + 2 + cube->subElementCount());
    (void)axis;
}

TEST_F(ToolsTest, EitherOrderToolsAndTheIntersectionLine) {
    Point* p = addFree({2, 2, 0});
    Element* line = add(TypeCode::LineTwoPoints, {addFree({-2, -2, 0}), addFree({2, -2, 0})});
    Element* plane =
        add(TypeCode::PlaneThreePoints, {addFree({-4, 3, 0}), addFree({-3, 3, 0}), addFree({-4, 4, 0})});
    Element* sphere = add(TypeCode::SphereCentrePoint, {addFree({-3.5, 3.5, 0}), addFree({-3.5, 3.5, 0.5})});
    start();
    const Vec3 onLine{0, -2, 0};

    // The circle tool: an axis first counts as two picks.
    session.setTool(14);
    clickAt(onLine);
    EXPECT_EQ(session.pickCount(), 2);
    clickAt(p->position);
    EXPECT_EQ(last()->typeCode(), TypeCode::CircleAboutAxis);
    EXPECT_EQ(last()->parents[0]->kind(), ElementKind::Point);

    // The perpendicular: the reference is parent 0; Ctrl at the last click makes the plane.
    session.setTool(30);
    clickAt(p->position);
    EXPECT_FALSE(session.acceptTable()[1]);
    clickAt(onLine, {false, true});
    EXPECT_EQ(last()->typeCode(), TypeCode::PerpendicularPlane);
    EXPECT_EQ(last()->parents[0]->kind(), ElementKind::Line);
    session.setTool(30);
    clickAt(onLine);
    clickAt(p->position);
    EXPECT_EQ(last()->typeCode(), TypeCode::PerpendicularToLine);

    // The intersection line refuses what meets nothing and orders the parents
    // as the section takes them: the sphere before the plane, whichever came first.
    session.setTool(17);
    clickAt({-3.5, 3.5, 0.5});  // the sphere's top
    EXPECT_EQ(session.pickList()[0]->kind(), ElementKind::Sphere);
    EXPECT_FALSE(session.acceptTable()[14]);
    EXPECT_TRUE(session.acceptTable()[9]);
    clickAt({-4.8, 3, 0});
    ASSERT_EQ(last()->typeCode(), TypeCode::CircleOfSphereAndPlane);
    EXPECT_EQ(last()->parents[0]->kind(), ElementKind::Sphere);
    EXPECT_EQ(last()->parents[1]->kind(), ElementKind::Plane);
    EXPECT_TRUE(last()->defined);
    session.setTool(17);
    clickAt({-4.8, 3, 0});
    clickAt({-3.5, 3.5, 0.5});
    EXPECT_EQ(last()->parents[0]->kind(), ElementKind::Sphere);
    EXPECT_TRUE(last()->defined);
    (void)line;
    (void)plane;
    (void)sphere;
}
