// Measures: every formula through the real parent classes, snapping, angle
// units and the document's length factor.

#include <cmath>
#include <numbers>

#include "geometry/vectors.h"

#include "elements/circle.h"
#include "elements/plane.h"
#include "elements/regular_solids.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "expr/measures.h"
#include "numbers_fixture.h"

namespace {

constexpr double kPi = std::numbers::pi;

Measure* addMeasure(Construction& c, TypeCode code, std::initializer_list<Element*> parents) {
    return addElement<Measure>(c, parents, code, kNumberStyle);
}

StraightElement* addStraight(Construction& c, TypeCode code, Element* a, Element* b) {
    StraightElement* s = addElement<StraightElement>(c, {a, b}, code, kNumberStyle);
    s->recompute(c, {0, 1.0});
    return s;
}

Plane* addPlane(Construction& c, Vec3 a, Vec3 b, Vec3 d) {
    Plane* p = addElement<Plane>(c, {addFreePoint(c, a), addFreePoint(c, b), addFreePoint(c, d)},
                                 TypeCode::PlaneThreePoints, kNumberStyle);
    p->recompute(c, {0, 1.0});
    return p;
}

Polygon* addUnitSquare(Construction& c) {
    Polygon* square = addElement<Polygon>(c,
                                          {addFreePoint(c, {0, 0, 3}), addFreePoint(c, {1, 0, 3}),
                                           addFreePoint(c, {1, 1, 3}), addFreePoint(c, {0, 1, 3})},
                                          TypeCode::PolygonVertices, kNumberStyle, 4);
    square->recompute(c, {0, 1.0});
    return square;
}

// A cube of edge 1 (its first face is the square about the z axis through V0).
RegularPolyhedron* addUnitCube(Construction& c) {
    Point* v0 = addFreePoint(c, {1.0 / std::sqrt(2.0), 0, 0});
    StraightElement* axis =
        addStraight(c, TypeCode::LineTwoPoints, addFreePoint(c, {0, 0, 0}), addFreePoint(c, {0, 0, 1}));
    auto* cube = addElement<RegularPolyhedron>(c, {v0, axis}, TypeCode::Cube, kNumberStyle);
    for (ElementPtr& part : cube->makeParts(kNumberStyle, kNumberStyle)) c.append(std::move(part));
    c.recomputeAll({0, 1.0});
    return cube;
}

double measured(Construction& c, Measure* m, int angleUnit, double scale) {
    m->recompute(c, {angleUnit, scale});
    EXPECT_EQ(m->defined, 1) << m->typeCode();
    EXPECT_EQ(m->valueDefined, 1) << m->typeCode();
    return m->value;
}

}  // namespace

TEST(Measures, TinyDistancesSnapToZeroBeforeAndAfterScaling) {
    Construction c;
    Point* a = addFreePoint(c, {1, 1, 1});
    Point* b = addFreePoint(c, {1 + 5e-9, 1, 1});
    Measure* d = addMeasure(c, TypeCode::PointPointDistance, {a, b});
    EXPECT_EQ(measured(c, d, 1, 1.0), 0.0);
    for (int decimals = 0; decimals <= 8; ++decimals) {
        d->decimals = decimals;
        EXPECT_EQ(d->valueText("?"),
                  decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0'));
    }

    // 2e-8 survives the kernel's snap but not the measure's after the factor 0.01.
    StraightElement* line =
        addStraight(c, TypeCode::LineTwoPoints, addFreePoint(c, {0, 0, 0}), addFreePoint(c, {1, 0, 0}));
    Point* near = addFreePoint(c, {0.5, 2e-8, 0});
    Measure* toLine = addMeasure(c, TypeCode::PointLineDistance, {near, line});
    EXPECT_NEAR(measured(c, toLine, 1, 1.0), 2e-8, 1e-20);
    EXPECT_EQ(measured(c, toLine, 1, 0.01), 0.0);

    // The snap is strict: exactly 1e-8 stays.
    Measure* unit =
        addMeasure(c, TypeCode::PointPointDistance, {addFreePoint(c, {0, 0, 0}), addFreePoint(c, {1, 0, 0})});
    EXPECT_EQ(measured(c, unit, 1, 1e-8), 1e-8);
    EXPECT_EQ(measured(c, unit, 1, 0.99e-8), 0.0);
}

TEST(Measures, AnglesInEachUnitAndUndefinedWithoutArms) {
    Construction c;
    Point* a = addFreePoint(c, {-1, 0, 0});
    Point* v = addFreePoint(c, {0, 0, 0});
    Point* b = addFreePoint(c, {3, 0, 0});
    Measure* straight = addMeasure(c, TypeCode::ThreePointAngle, {a, v, b});
    EXPECT_NEAR(measured(c, straight, 0, 2.0), kPi, 1e-12);
    EXPECT_NEAR(measured(c, straight, 1, 2.0), 180.0, 1e-10);
    EXPECT_NEAR(measured(c, straight, 2, 2.0), 200.0, 1e-10);

    // Two coincident points: no angle; the value is kept but not valid.
    a->position = v->position;
    straight->recompute(c, {1, 1.0});
    EXPECT_EQ(straight->defined, 0);
    EXPECT_EQ(straight->valueDefined, 0);
    EXPECT_NEAR(straight->value, 200.0, 1e-10);  // the last value, in grads

    StraightElement* slope =
        addStraight(c, TypeCode::LineTwoPoints, addFreePoint(c, {0, 0, 0}), addFreePoint(c, {1, 0, 1}));
    Plane* floor = addPlane(c, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    Plane* wall = addPlane(c, {0, 0, 0}, {0, 1, 0}, {0, 0, 1});
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::LinePlaneAngle, {slope, floor}), 1, 1.0), 45.0, 1e-10);
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::PlanePlaneAngle, {floor, wall}), 2, 5.0), 100.0, 1e-10);
}

TEST(Measures, LengthsAreasAndVolumesFollowTheLengthFactor) {
    Construction c;
    constexpr double L = 2.0;
    Polygon* square = addUnitSquare(c);
    EXPECT_DOUBLE_EQ(measured(c, addMeasure(c, TypeCode::PolygonPerimeter, {square}), 1, L), 8.0);
    EXPECT_DOUBLE_EQ(measured(c, addMeasure(c, TypeCode::PolygonArea, {square}), 1, L), 4.0);

    RegularPolyhedron* cube = addUnitCube(c);
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::CubeVolume, {cube}), 1, L), 8.0, 1e-12);
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::CubeArea, {cube}), 1, L), 24.0, 1e-12);

    Point* p = addFreePoint(c, {0, 0, 0});
    Point* q = addFreePoint(c, {0, 3, 4});
    EXPECT_DOUBLE_EQ(
        measured(c,
                 addMeasure(c, TypeCode::SegmentLength, {addStraight(c, TypeCode::SegmentTwoPoints, p, q)}),
                 1, L),
        10.0);

    auto* circle = addElement<Circle>(c, {p, q, p}, TypeCode::CircleThreePoints, kNumberStyle);
    circle->radius = 1.5;
    EXPECT_DOUBLE_EQ(measured(c, addMeasure(c, TypeCode::CircleLength, {circle}), 1, L), 6.0 * kPi);
    EXPECT_DOUBLE_EQ(measured(c, addMeasure(c, TypeCode::CircleArea, {circle}), 1, L), 9.0 * kPi);

    auto* arc = addElement<Arc>(c, {p, q, p}, TypeCode::ArcThreePoints, kNumberStyle);
    arc->radius = 2.0;
    arc->sweep = kPi / 2;
    EXPECT_DOUBLE_EQ(measured(c, addMeasure(c, TypeCode::ArcLength, {arc}), 1, L), 2.0 * kPi);

    auto* sphere = addElement<Sphere>(c, {p, q}, TypeCode::SphereCentrePoint, kNumberStyle);
    sphere->radius = 1.0;
    EXPECT_DOUBLE_EQ(measured(c, addMeasure(c, TypeCode::SphereArea, {sphere}), 1, L), 16.0 * kPi);
    EXPECT_DOUBLE_EQ(measured(c, addMeasure(c, TypeCode::SphereVolume, {sphere}), 1, L), 32.0 / 3.0 * kPi);
}

TEST(Measures, DistancesToLinesAndPlanesIncludingParallelLines) {
    Construction c;
    StraightElement* xAxis =
        addStraight(c, TypeCode::LineTwoPoints, addFreePoint(c, {0, 0, 0}), addFreePoint(c, {1, 0, 0}));
    StraightElement* parallel =
        addStraight(c, TypeCode::RayTwoPoints, addFreePoint(c, {5, 3, 0}), addFreePoint(c, {7, 3, 0}));
    StraightElement* skew =
        addStraight(c, TypeCode::SegmentTwoPoints, addFreePoint(c, {4, 0, 2}), addFreePoint(c, {4, 1, 2}));
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::LineLineDistance, {xAxis, parallel}), 1, 1.0), 3.0,
                1e-12);
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::LineLineDistance, {xAxis, skew}), 1, 1.5), 3.0, 1e-12);

    // A segment counts as its whole line.
    Point* off = addFreePoint(c, {-10, 0, 4});
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::PointLineDistance, {off, skew}), 1, 1.0),
                std::sqrt(14.0 * 14.0 + 2.0 * 2.0), 1e-12);

    Plane* floor = addPlane(c, {0, 0, 1}, {1, 0, 1}, {0, 1, 1});
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::PointPlaneDistance, {off, floor}), 1, 1.0), 3.0, 1e-12);
    EXPECT_NEAR(measured(c, addMeasure(c, TypeCode::PointPlaneDistance, {off, addUnitSquare(c)}), 1, 1.0),
                1.0, 1e-12);
}

TEST(Measures, RegularSolidsNeedTheirGeneratedVertices) {
    // A solid whose vertices do not follow it gives no measure.
    Construction c;
    Point* v0 = addFreePoint(c, {1, 0, 0});
    StraightElement* axis =
        addStraight(c, TypeCode::LineTwoPoints, addFreePoint(c, {0, 0, 0}), addFreePoint(c, {0, 0, 1}));
    auto* lone = addElement<RegularPolyhedron>(c, {v0, axis}, TypeCode::Cube, kNumberStyle);
    Measure* m = addMeasure(c, TypeCode::CubeVolume, {lone});
    m->recompute(c, {1, 1.0});
    EXPECT_EQ(m->defined, 0);
}

TEST(Measures, PolygonAreaNeedsAPlaneAndIgnoresOrientation) {
    const Vec3 triangle[] = {{0, 0, 0}, {0, 0, 4}, {0, 3, 0}};
    double area = 0.0;
    ASSERT_TRUE(planarPolygonArea(triangle, area));
    EXPECT_DOUBLE_EQ(area, 6.0);
    const Vec3 reversed[] = {{0, 3, 0}, {0, 0, 4}, {0, 0, 0}};
    ASSERT_TRUE(planarPolygonArea(reversed, area));
    EXPECT_DOUBLE_EQ(area, 6.0);
    const Vec3 bent[] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}};
    area = -1.0;
    EXPECT_FALSE(planarPolygonArea(bent, area));
    EXPECT_EQ(area, -1.0);
    EXPECT_EQ(measureDimension(TypeCode::PolygonArea), MeasureDimension::kArea);
    EXPECT_EQ(measureDimension(TypeCode::IcosahedronVolume), MeasureDimension::kVolume);
    EXPECT_EQ(measureDimension(TypeCode::ArcLength), MeasureDimension::kLength);
}
