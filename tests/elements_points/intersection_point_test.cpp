#include "elements/intersection_point.h"

#include <numbers>

#include <gtest/gtest.h>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/intersection_codes.h"
#include "elements/plane.h"
#include "elements/solids.h"
#include "elements_points/points_fixture.h"
#include "geometry/conic_curve.h"

namespace {

IntersectionPoint* addIntersection(Construction& c, TypeCode code, std::initializer_list<Element*> parents,
                                   int rootIndex = 0) {
    IntersectionPoint* p = addElement<IntersectionPoint>(c, parents, code, kTestStyle, rootIndex);
    p->recompute(c, {0, 1.0});
    return p;
}

StraightElement* addLineThrough(Construction& c, Vec3 a, Vec3 b, TypeCode code = TypeCode::LineTwoPoints) {
    return addStraight(c, code, {addFreePoint(c, a), addFreePoint(c, b)});
}

// The unit circle about the z axis through its three defining points.
Circle* addUnitCircle(Construction& c, Point* p1, Point* p2, Point* p3) {
    Circle* circle = addElement<Circle>(c, {p1, p2, p3}, TypeCode::CircleThreePoints, kTestStyle);
    circle->centre = {0, 0, 0};
    circle->refPoint = p1->position;
    circle->radius = 1;
    circle->axisA = {0, 0, 0};
    circle->axisB = {0, 0, 1};
    return circle;
}

Plane* addPlaneThrough(Construction& c, Vec3 p1, Vec3 p2, Vec3 p3) {
    Plane* plane = addElement<Plane>(c, {addFreePoint(c, p1), addFreePoint(c, p2), addFreePoint(c, p3)},
                                     TypeCode::PlaneThreePoints, kTestStyle);
    plane->planePoint1 = p1;
    plane->planePoint2 = p2;
    plane->planePoint3 = p3;
    return plane;
}

}  // namespace

TEST(IntersectionPoint, LinesMeetOnlyWithinTheTolerance) {
    Construction c;
    StraightElement* x = addLineThrough(c, {-1, 0, 0}, {1, 0, 0});
    for (double gap : {1e-6, 2e-6}) {
        StraightElement* skew = addLineThrough(c, {0.5, -1, gap}, {0.5, 1, gap});
        EXPECT_EQ(addIntersection(c, TypeCode::LineLinePoint, {x, skew})->defined, 0) << gap;
    }
    StraightElement* close = addLineThrough(c, {0.5, -1, 9e-7}, {0.5, 1, 9e-7});
    IntersectionPoint* meet = addIntersection(c, TypeCode::LineLinePoint, {x, close});
    EXPECT_EQ(meet->defined, 1);
    expectNear(meet->position, {0.5, 0, 0});  // the point on the first line
    // Parallel lines never meet, even when they coincide.
    EXPECT_EQ(
        addIntersection(c, TypeCode::LineLinePoint, {x, addLineThrough(c, {3, 0, 0}, {4, 0, 0})})->defined,
        0);
}

TEST(IntersectionPoint, BoundedParentsFilterTheCrossing) {
    Construction c;
    StraightElement* x = addLineThrough(c, {-1, 0, 0}, {1, 0, 0});
    // The segment stops short of the line although the lines meet at (3, 0, 0).
    StraightElement* shortSegment = addLineThrough(c, {3, 1, 0}, {3, 2, 0}, TypeCode::SegmentTwoPoints);
    IntersectionPoint* p = addIntersection(c, TypeCode::LineLinePoint, {x, shortSegment});
    EXPECT_EQ(p->defined, 0);
    EXPECT_EQ(addIntersection(c, TypeCode::LineLinePoint, {shortSegment, x})->defined, 0);
    StraightElement* longSegment = addLineThrough(c, {3, 1, 0}, {3, -2, 0}, TypeCode::SegmentTwoPoints);
    EXPECT_EQ(addIntersection(c, TypeCode::LineLinePoint, {x, longSegment})->defined, 1);
    // The x line's own segment from -1 to 1 does not reach x = 3 either.
    StraightElement* xSegment = addLineThrough(c, {-1, 0, 0}, {1, 0, 0}, TypeCode::SegmentTwoPoints);
    EXPECT_EQ(addIntersection(c, TypeCode::LineLinePoint, {xSegment, longSegment})->defined, 0);
    // Rays: the one pointing at the crossing reaches it, the one pointing away does not.
    EXPECT_EQ(addIntersection(c, TypeCode::LineLinePoint,
                              {addLineThrough(c, {3, 1, 0}, {3, 2, 0}, TypeCode::RayTwoPoints), x})
                  ->defined,
              0);
    EXPECT_EQ(addIntersection(c, TypeCode::LineLinePoint,
                              {addLineThrough(c, {3, 1, 0}, {3, 0.5, 0}, TypeCode::RayTwoPoints), x})
                  ->defined,
              1);

    // A line through a square polygon's plane: inside defined, outside not.
    Polygon* square = addElement<Polygon>(c, {}, TypeCode::PolygonVertices, kTestStyle, 4);
    square->vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    square->supportPoints = {square->vertices[0], square->vertices[1], square->vertices[2]};
    IntersectionPoint* inside = addIntersection(c, TypeCode::LinePlanePoint,
                                                {addLineThrough(c, {0.5, 0.5, 1}, {0.5, 0.5, 2}), square});
    EXPECT_EQ(inside->defined, 1);
    expectNear(inside->position, {0.5, 0.5, 0});
    EXPECT_EQ(addIntersection(c, TypeCode::LinePlanePoint,
                              {addLineThrough(c, {1.5, 0.5, 1}, {1.5, 0.5, 2}), square})
                  ->defined,
              0);
}

TEST(IntersectionPoint, TwoRootsInTheKernelOrderUnlessAPointIsShared) {
    Construction c;
    Point* p1 = addFreePoint(c, {1, 0, 0});
    Point* p2 = addFreePoint(c, {0, 1, 0});
    Point* p3 = addFreePoint(c, {-1, 0, 0});
    Circle* circle = addUnitCircle(c, p1, p2, p3);

    // A line through no known point of the circle: first and second as the kernel gives them.
    StraightElement* free = addLineThrough(c, {-5, 0, 0}, {5, 0, 0});
    IntersectionPoint* first = addIntersection(c, TypeCode::LineCirclePoint, {free, circle}, 0);
    IntersectionPoint* second = addIntersection(c, TypeCode::LineCirclePoint, {free, circle}, 1);
    EXPECT_EQ(first->defined, 1);
    EXPECT_EQ(second->defined, 1);
    expectNear(first->position, {1, 0, 0});
    expectNear(second->position, {-1, 0, 0});

    // A line through P1 (a defining point of the circle): both take the other point.
    StraightElement* throughP1 = addStraight(c, TypeCode::LineTwoPoints, {p1, addFreePoint(c, {-1, 2, 0})});
    for (int root : {0, 1}) {
        IntersectionPoint* other = addIntersection(c, TypeCode::LineCirclePoint, {throughP1, circle}, root);
        EXPECT_EQ(other->defined, 1);
        expectNear(other->position, {0, 1, 0});
    }
    // The same when the line runs the other way (the kernel order flips).
    StraightElement* reversed = addStraight(c, TypeCode::LineTwoPoints, {addFreePoint(c, {-1, 2, 0}), p1});
    for (int root : {0, 1})
        expectNear(addIntersection(c, TypeCode::LineCirclePoint, {reversed, circle}, root)->position,
                   {0, 1, 0});

    // With two known shared points the rule does not apply.
    StraightElement* throughBoth = addStraight(c, TypeCode::LineTwoPoints, {p1, p3});
    expectNear(addIntersection(c, TypeCode::LineCirclePoint, {throughBoth, circle}, 0)->position, {-1, 0, 0});
    expectNear(addIntersection(c, TypeCode::LineCirclePoint, {throughBoth, circle}, 1)->position, {1, 0, 0});

    // A point on the circle and an earlier intersection point count as shared too.
    PointOnObject* on = addElement<PointOnObject>(c, {circle}, kTestStyle);
    on->position = {0, -1, 0};
    StraightElement* throughOn = addStraight(c, TypeCode::LineTwoPoints, {on, addFreePoint(c, {0, 5, 0})});
    expectNear(addIntersection(c, TypeCode::LineCirclePoint, {throughOn, circle}, 1)->position, {0, 1, 0});
    expectNear(addIntersection(c, TypeCode::LineCirclePoint, {throughOn, circle}, 0)->position, {0, 1, 0});
    StraightElement* throughSecond =
        addStraight(c, TypeCode::LineTwoPoints, {second, addFreePoint(c, {1, 2, 0})});
    expectNear(addIntersection(c, TypeCode::LineCirclePoint, {throughSecond, circle}, 0)->position,
               {0, 1, 0});
}

TEST(IntersectionPoint, TangencyGivesOnlyTheFirstRoot) {
    Construction c;
    Sphere* sphere = addElement<Sphere>(c, {addFreePoint(c, {0, 0, 0}), addFreePoint(c, {0, 0, 1})},
                                        TypeCode::SphereCentrePoint, kTestStyle);
    sphere->centre = {0, 0, 0};
    sphere->surfacePoint = {0, 0, 1};
    sphere->radius = 1;
    StraightElement* tangent = addLineThrough(c, {-3, 0, 1}, {3, 0, 1});
    IntersectionPoint* root0 = addIntersection(c, TypeCode::LineSpherePoint, {tangent, sphere}, 0);
    IntersectionPoint* root1 = addIntersection(c, TypeCode::LineSpherePoint, {tangent, sphere}, 1);
    EXPECT_EQ(root0->defined, 1);
    expectNear(root0->position, {0, 0, 1});
    EXPECT_EQ(root1->defined, 0);

    StraightElement* through = addLineThrough(c, {-5, 0, 0}, {5, 0, 0});
    expectNear(addIntersection(c, TypeCode::LineSpherePoint, {through, sphere}, 0)->position, {-1, 0, 0});
    expectNear(addIntersection(c, TypeCode::LineSpherePoint, {through, sphere}, 1)->position, {1, 0, 0});
    // The surface point is a shared point; the centre is not.
    StraightElement* viaSurface =
        addStraight(c, TypeCode::LineTwoPoints, {sphere->parents[1], addFreePoint(c, {0, 0, -4})});
    expectNear(addIntersection(c, TypeCode::LineSpherePoint, {viaSurface, sphere}, 0)->position, {0, 0, -1});
    StraightElement* viaCentre =
        addStraight(c, TypeCode::LineTwoPoints, {sphere->parents[0], addFreePoint(c, {0, 0, -4})});
    expectNear(addIntersection(c, TypeCode::LineSpherePoint, {viaCentre, sphere}, 0)->position, {0, 0, 1});

    StraightElement* missing = addLineThrough(c, {-3, 0, 1.5}, {3, 0, 1.5});
    EXPECT_EQ(addIntersection(c, TypeCode::LineSpherePoint, {missing, sphere}, 0)->defined, 0);
}

TEST(IntersectionPoint, ThreePlanesAndCirclesWithPlanes) {
    Construction c;
    Plane* xy = addPlaneThrough(c, {0, 0, 1}, {1, 0, 1}, {0, 1, 1});
    Plane* xz = addPlaneThrough(c, {0, 2, 0}, {1, 2, 0}, {0, 2, 1});
    Plane* yz = addPlaneThrough(c, {3, 0, 0}, {3, 1, 0}, {3, 0, 1});
    IntersectionPoint* corner = addIntersection(c, TypeCode::ThreePlanesPoint, {xy, xz, yz});
    EXPECT_EQ(corner->defined, 1);
    expectNear(corner->position, {3, 2, 1});
    Plane* parallel = addPlaneThrough(c, {0, 0, 5}, {1, 0, 5}, {0, 1, 5});
    EXPECT_EQ(addIntersection(c, TypeCode::ThreePlanesPoint, {xy, parallel, yz})->defined, 0);

    Circle* circle =
        addUnitCircle(c, addFreePoint(c, {1, 0, 0}), addFreePoint(c, {0, 1, 0}), addFreePoint(c, {-1, 0, 0}));
    Plane* cut = addPlaneThrough(c, {0.6, 0, 0}, {0.6, 1, 0}, {0.6, 0, 1});
    IntersectionPoint* a = addIntersection(c, TypeCode::CirclePlanePoint, {circle, cut}, 0);
    IntersectionPoint* b = addIntersection(c, TypeCode::CirclePlanePoint, {circle, cut}, 1);
    ASSERT_EQ(a->defined, 1);
    ASSERT_EQ(b->defined, 1);
    EXPECT_NEAR(a->position.x, 0.6, 1e-9);
    EXPECT_NEAR(std::fabs(a->position.y), 0.8, 1e-9);
    EXPECT_NEAR(a->position.y, -b->position.y, 1e-9);
}

TEST(IntersectionCodes, PairsAreNormalisedAndOtherPairsGiveNothing) {
    Construction c;
    Point* p = addFreePoint(c, {0, 0, 0});
    StraightElement* line = addLineThrough(c, {0, 0, 0}, {1, 0, 0});
    StraightElement* segment = addLineThrough(c, {0, 0, 0}, {1, 0, 0}, TypeCode::SegmentTwoPoints);
    Circle* circle = addElement<Circle>(c, {p, p, p}, TypeCode::CircleThreePoints, kTestStyle);
    Arc* arc = addElement<Arc>(c, {p, p, p}, TypeCode::ArcThreePoints, kTestStyle);
    Plane* plane = addElement<Plane>(c, {p, p, p}, TypeCode::PlaneThreePoints, kTestStyle);
    Polygon* polygon = addElement<Polygon>(c, {}, TypeCode::PolygonVertices, kTestStyle, 0);
    Sphere* sphere = addElement<Sphere>(c, {p, p}, TypeCode::SphereCentrePoint, kTestStyle);
    Cylinder* cylinder = addElement<Cylinder>(c, {p, line}, TypeCode::CylinderAboutAxis, kTestStyle);
    Cone* cone = addElement<Cone>(c, {p, p, p}, TypeCode::ConeThroughPoint, kTestStyle);
    Conic* conic = addElement<Conic>(c, {}, TypeCode::ConicFivePoints, kTestStyle);

    struct Case {
        Element* a;
        Element* b;
        TypeCode code;
        bool twoRoots;
        bool swapped;
    };
    const Case cases[] = {
        {line, plane, TypeCode::LinePlanePoint, false, false},
        {polygon, segment, TypeCode::LinePlanePoint, false, true},
        {sphere, line, TypeCode::LineSpherePoint, true, true},
        {segment, line, TypeCode::LineLinePoint, false, false},
        {line, segment, TypeCode::LineLinePoint, false, false},
        {plane, arc, TypeCode::CirclePlanePoint, true, true},
        {sphere, circle, TypeCode::CircleSpherePoint, true, true},
        {arc, circle, TypeCode::CircleCirclePoint, true, false},
        {circle, line, TypeCode::LineCirclePoint, true, true},
        {cylinder, segment, TypeCode::LineCylinderPoint, true, true},
        {line, cone, TypeCode::LineConePoint, true, false},
        {conic, line, TypeCode::LineConicPoint, true, true},
        {conic, polygon, TypeCode::PlaneConicPoint, true, true},
        {plane, conic, TypeCode::PlaneConicPoint, true, false},
    };
    for (const Case& k : cases) {
        const IntersectionRecipe r = intersectionRecipe(k.a, k.b);
        EXPECT_EQ(r.typeCode, k.code)
            << static_cast<int>(k.a->kind()) << " " << static_cast<int>(k.b->kind());
        EXPECT_EQ(r.twoRoots, k.twoRoots) << k.code;
        EXPECT_EQ(r.parentCount, 2);
        EXPECT_EQ(r.parents[0], k.swapped ? k.b : k.a) << k.code;
        EXPECT_EQ(r.parents[1], k.swapped ? k.a : k.b) << k.code;
    }
    for (auto [a, b] : std::vector<std::pair<Element*, Element*>>{{plane, polygon},
                                                                  {sphere, sphere},
                                                                  {sphere, plane},
                                                                  {p, line},
                                                                  {cylinder, plane},
                                                                  {conic, conic},
                                                                  {circle, conic},
                                                                  {cone, sphere},
                                                                  {line, line}}) {
        EXPECT_EQ(intersectionRecipe(a, b).typeCode, TypeCode::None)
            << static_cast<int>(a->kind()) << " " << static_cast<int>(b->kind());
    }

    const IntersectionRecipe three = intersectionRecipe(plane, polygon, plane);
    EXPECT_EQ(three.typeCode, TypeCode::None);
    Plane* other = addElement<Plane>(c, {p, p, p}, TypeCode::PlaneThreePoints, kTestStyle);
    const IntersectionRecipe corner = intersectionRecipe(plane, polygon, other);
    EXPECT_EQ(corner.typeCode, TypeCode::ThreePlanesPoint);
    EXPECT_FALSE(corner.twoRoots);
    EXPECT_EQ(corner.parentCount, 3);
    EXPECT_EQ(corner.parents[2], other);
    EXPECT_EQ(intersectionRecipe(plane, line, other).typeCode, TypeCode::None);
}

TEST(IntersectionPoint, EachCodeReadsItsParentsAsTheKernelExpects) {
    Construction c;
    Point* o = addFreePoint(c, {0, 0, 0});
    auto bothRoots = [&](TypeCode code, std::initializer_list<Element*> parents, Vec3 first, Vec3 second) {
        IntersectionPoint* p0 = addIntersection(c, code, parents, 0);
        IntersectionPoint* p1 = addIntersection(c, code, parents, 1);
        EXPECT_EQ(p0->defined, 1) << code;
        EXPECT_EQ(p1->defined, 1) << code;
        expectNear(p0->position, first);
        expectNear(p1->position, second);
    };
    const double h = std::sqrt(3.0) / 2;

    Cylinder* cylinder = addElement<Cylinder>(c, {o, addLineThrough(c, {0, 0, 0}, {0, 0, 1})},
                                              TypeCode::CylinderAboutAxis, kTestStyle);
    cylinder->baseCentre = {0, 0, 0};
    cylinder->topCentre = {0, 0, 1};
    cylinder->rimPoint = {1, 0, 0};
    cylinder->radius = 1;
    bothRoots(TypeCode::LineCylinderPoint, {addLineThrough(c, {-5, 0, 0.5}, {5, 0, 0.5}), cylinder},
              {-1, 0, 0.5}, {1, 0, 0.5});

    // Base radius 2 at z = 0, apex at z = 2: radius 1.5 at height 0.5.
    Cone* cone = addElement<Cone>(c, {o, o, o}, TypeCode::ConeThroughPoint, kTestStyle);
    cone->baseCentre = {0, 0, 0};
    cone->apex = {0, 0, 2};
    cone->rimPoint = {2, 0, 0};
    cone->baseRadius = 2;
    StraightElement* across = addLineThrough(c, {-5, 0, 0.5}, {5, 0, 0.5});
    IntersectionPoint* c0 = addIntersection(c, TypeCode::LineConePoint, {across, cone}, 0);
    IntersectionPoint* c1 = addIntersection(c, TypeCode::LineConePoint, {across, cone}, 1);
    ASSERT_EQ(c0->defined, 1);
    ASSERT_EQ(c1->defined, 1);
    EXPECT_NEAR(std::fabs(c0->position.x), 1.5, 1e-9);
    EXPECT_NEAR(c0->position.x, -c1->position.x, 1e-9);

    Circle* unit =
        addUnitCircle(c, addFreePoint(c, {1, 0, 0}), addFreePoint(c, {0, 1, 0}), addFreePoint(c, {-1, 0, 0}));
    Circle* shifted = addElement<Circle>(c, {o, o, o}, TypeCode::CircleThreePoints, kTestStyle);
    shifted->centre = {1, 0, 0};
    shifted->refPoint = {2, 0, 0};
    shifted->radius = 1;
    shifted->axisA = {1, 0, 0};
    shifted->axisB = {1, 0, 1};
    IntersectionPoint* cc0 = addIntersection(c, TypeCode::CircleCirclePoint, {unit, shifted}, 0);
    IntersectionPoint* cc1 = addIntersection(c, TypeCode::CircleCirclePoint, {unit, shifted}, 1);
    ASSERT_EQ(cc0->defined, 1);
    ASSERT_EQ(cc1->defined, 1);
    EXPECT_NEAR(cc0->position.x, 0.5, 1e-9);
    EXPECT_NEAR(std::fabs(cc0->position.y), h, 1e-9);
    EXPECT_NEAR(cc0->position.y, -cc1->position.y, 1e-9);
    // Touching circles meet once: the second root does not exist.
    shifted->centre = shifted->axisA = {2, 0, 0};
    shifted->axisB = {2, 0, 1};
    EXPECT_EQ(addIntersection(c, TypeCode::CircleCirclePoint, {unit, shifted}, 0)->defined, 1);
    EXPECT_EQ(addIntersection(c, TypeCode::CircleCirclePoint, {unit, shifted}, 1)->defined, 0);

    Sphere* sphere = addElement<Sphere>(c, {o, o}, TypeCode::SphereCentrePoint, kTestStyle);
    sphere->centre = {1, 0, 0};
    sphere->surfacePoint = {1, 0, 1};
    sphere->radius = 1;
    IntersectionPoint* cs = addIntersection(c, TypeCode::CircleSpherePoint, {unit, sphere}, 0);
    ASSERT_EQ(cs->defined, 1);
    EXPECT_NEAR(cs->position.x, 0.5, 1e-9);
    EXPECT_NEAR(std::fabs(cs->position.y), h, 1e-9);

    // An arc over the upper half: only crossings on it count.
    Arc* arc = addElement<Arc>(c, {o, o, o}, TypeCode::ArcThreePoints, kTestStyle);
    arc->point1 = arc->startPoint = {1, 0, 0};
    arc->point2 = {0, 1, 0};
    arc->point3 = {-1, 0, 0};
    arc->centre = arc->axisA = {0, 0, 0};
    arc->axisB = {0, 0, 1};
    arc->radius = 1;
    arc->sweep = std::numbers::pi;
    StraightElement* below = addLineThrough(c, {-5, -0.5, 0}, {5, -0.5, 0});
    EXPECT_EQ(addIntersection(c, TypeCode::LineCirclePoint, {below, arc}, 0)->defined, 0);
    EXPECT_EQ(addIntersection(c, TypeCode::LineCirclePoint, {below, arc}, 1)->defined, 0);
    StraightElement* upwards = addLineThrough(c, {0, -5, 0}, {0, 5, 0});
    IntersectionPoint* top0 = addIntersection(c, TypeCode::LineCirclePoint, {upwards, arc}, 0);
    IntersectionPoint* top1 = addIntersection(c, TypeCode::LineCirclePoint, {upwards, arc}, 1);
    EXPECT_EQ(top0->defined, 1);  // (0, 1, 0), first along the line's direction
    expectNear(top0->position, {0, 1, 0});
    EXPECT_EQ(top1->defined, 0);  // (0, -1, 0) is off the arc
    Plane* cut = addPlaneThrough(c, {0.6, 0, 0}, {0.6, 1, 0}, {0.6, 0, 1});
    IntersectionPoint* onArc = addIntersection(c, TypeCode::CirclePlanePoint, {arc, cut}, 0);
    IntersectionPoint* offArc = addIntersection(c, TypeCode::CirclePlanePoint, {arc, cut}, 1);
    EXPECT_NE(onArc->defined, offArc->defined);
    expectNear(onArc->defined ? onArc->position : offArc->position, {0.6, 0.8, 0});
}

TEST(IntersectionPoint, ConicsWithLinesAndPlanes) {
    Construction c;
    const double s = std::sqrt(0.5);
    const Vec3 onCircle[5] = {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}, {s, s, 0}};
    Conic* conic = addElement<Conic>(
        c,
        {addFreePoint(c, onCircle[0]), addFreePoint(c, onCircle[1]), addFreePoint(c, onCircle[2]),
         addFreePoint(c, onCircle[3]), addFreePoint(c, onCircle[4])},
        TypeCode::ConicFivePoints, kTestStyle);
    ASSERT_EQ(analyseConic(onCircle, conic->curve), 1);
    IntersectionPoint* l0 =
        addIntersection(c, TypeCode::LineConicPoint, {addLineThrough(c, {-5, 0, 0}, {5, 0, 0}), conic});
    ASSERT_EQ(l0->defined, 1);
    EXPECT_NEAR(std::fabs(l0->position.x), 1.0, 1e-9);
    EXPECT_NEAR(l0->position.y, 0.0, 1e-9);

    // A line through one of the five points meets the conic at the other point only.
    StraightElement* throughFirst =
        addStraight(c, TypeCode::LineTwoPoints, {conic->parents[0], addFreePoint(c, {-1, 2, 0})});
    for (int root : {0, 1}) {
        expectNear(addIntersection(c, TypeCode::LineConicPoint, {throughFirst, conic}, root)->position,
                   {0, 1, 0}, 1e-9);
    }

    Plane* cut = addPlaneThrough(c, {0.6, 0, 5}, {0.6, 1, 5}, {0.6, 0, 6});
    IntersectionPoint* p0 = addIntersection(c, TypeCode::PlaneConicPoint, {cut, conic}, 0);
    IntersectionPoint* p1 = addIntersection(c, TypeCode::PlaneConicPoint, {cut, conic}, 1);
    ASSERT_EQ(p0->defined, 1);
    ASSERT_EQ(p1->defined, 1);
    EXPECT_NEAR(p0->position.x, 0.6, 1e-9);
    EXPECT_NEAR(std::fabs(p0->position.y), 0.8, 1e-9);
    EXPECT_NEAR(p0->position.y, -p1->position.y, 1e-9);
    EXPECT_NEAR(p0->position.z, 0.0, 1e-9);
}
