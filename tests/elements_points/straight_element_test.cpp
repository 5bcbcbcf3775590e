#include "elements/straight_element.h"

#include <gtest/gtest.h>

#include "elements/plane.h"
#include "elements/point.h"
#include "elements_points/points_fixture.h"
#include "support/recording_canvas.h"

namespace {

Plane* addPlaneThrough(Construction& c, Vec3 p1, Vec3 p2, Vec3 p3) {
    Plane* plane = addElement<Plane>(c, {addFreePoint(c, p1), addFreePoint(c, p2), addFreePoint(c, p3)},
                                     TypeCode::PlaneThreePoints, kTestStyle);
    plane->planePoint1 = p1;
    plane->planePoint2 = p2;
    plane->planePoint3 = p3;
    return plane;
}

}  // namespace

TEST(StraightElement, DefinedOnlyWhenItsPointsAreMoreThanTheToleranceApart) {
    Construction c;
    Point* a = addFreePoint(c, {1, 1, 1});
    Point* b = addFreePoint(c, {1 + 5e-7, 1, 1});
    StraightElement* v = addStraight(c, TypeCode::VectorTwoPoints, {a, b});
    EXPECT_EQ(v->kind(), ElementKind::Vector);
    EXPECT_EQ(v->defined, 0);

    b->position = {1 + 2e-6, 1, 1};
    v->recompute(c, {0, 1.0});
    EXPECT_EQ(v->defined, 1);
    EXPECT_EQ(v->pointA, a->position);
    EXPECT_EQ(v->pointB, b->position);

    // Every kind follows the same rule.
    b->position = a->position;
    for (TypeCode code : {TypeCode::SegmentTwoPoints, TypeCode::LineTwoPoints, TypeCode::RayTwoPoints}) {
        EXPECT_EQ(addStraight(c, code, {a, b})->defined, 0) << code;
    }
}

TEST(StraightElement, ParallelsPerpendicularsAndSums) {
    Construction c;
    Point* a = addFreePoint(c, {0, 0, 0});
    Point* b = addFreePoint(c, {2, 0, 0});
    Point* p = addFreePoint(c, {1, 3, 4});
    StraightElement* l = addStraight(c, TypeCode::LineTwoPoints, {a, b});

    StraightElement* parallel = addStraight(c, TypeCode::ParallelLine, {l, p});
    EXPECT_EQ(parallel->defined, 1);
    EXPECT_EQ(parallel->pointA, p->position);
    EXPECT_EQ(parallel->pointB, (Vec3{3, 3, 4}));

    StraightElement* perpendicular = addStraight(c, TypeCode::PerpendicularToLine, {l, p});
    EXPECT_EQ(perpendicular->defined, 1);
    EXPECT_EQ(perpendicular->pointA, p->position);
    expectNear(perpendicular->pointB, {1, 0, 0});
    // From a point of the line there is no perpendicular.
    Point* onLine = addFreePoint(c, {5, 0, 0});
    EXPECT_EQ(addStraight(c, TypeCode::PerpendicularToLine, {l, onLine})->defined, 0);

    StraightElement* v1 = addStraight(c, TypeCode::VectorTwoPoints, {a, b});
    StraightElement* v2 = addStraight(c, TypeCode::VectorTwoPoints, {a, p});
    StraightElement* sum = addStraight(c, TypeCode::VectorSum, {v1, v2, p});
    EXPECT_EQ(sum->kind(), ElementKind::Vector);
    EXPECT_EQ(sum->defined, 1);
    EXPECT_EQ(sum->pointA, p->position);
    EXPECT_EQ(sum->pointB, (Vec3{4, 6, 8}));
    // Two opposite vectors add up to nothing.
    StraightElement* back = addStraight(c, TypeCode::VectorTwoPoints, {b, a});
    EXPECT_EQ(addStraight(c, TypeCode::VectorSum, {v1, back, p})->defined, 0);
}

TEST(StraightElement, PerpendicularToAPlaneHasBOneUnitFromP) {
    Construction c;
    // A large, slanted plane: the normal must still be of length exactly 1.
    Plane* s = addPlaneThrough(c, {0, 0, 0}, {300, 0, 300}, {0, 500, 0});
    Point* p = addFreePoint(c, {7, -2, 1});
    StraightElement* n = addStraight(c, TypeCode::PerpendicularToPlane, {s, p});
    ASSERT_EQ(n->defined, 1);
    EXPECT_EQ(n->kind(), ElementKind::Line);
    EXPECT_EQ(n->pointA, p->position);
    const Vec3 d = n->pointB - n->pointA;
    EXPECT_NEAR(norm(d), 1.0, 1e-12);
    expectNear(d, {-std::sqrt(0.5), 0, std::sqrt(0.5)}, 1e-12);
}

TEST(StraightElement, IntersectionLineOfTwoPlanes) {
    Construction c;
    Plane* xy = addPlaneThrough(c, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    Plane* shifted = addPlaneThrough(c, {0, 0, 2}, {1, 0, 2}, {0, 1, 2});
    Plane* xz = addPlaneThrough(c, {5, 3, 0}, {6, 3, 0}, {5, 3, 1});

    StraightElement* line = addStraight(c, TypeCode::PlanesIntersectionLine, {xy, xz});
    ASSERT_EQ(line->defined, 1);
    EXPECT_EQ(line->kind(), ElementKind::Line);
    // The common line y = 3, z = 0: its point nearest the origin, then one unit along it.
    expectNear(line->pointA, {0, 3, 0});
    EXPECT_NEAR(std::fabs(line->pointB.x - line->pointA.x), 1.0, 1e-9);
    EXPECT_NEAR(line->pointB.y, 3.0, 1e-9);
    EXPECT_NEAR(line->pointB.z, 0.0, 1e-9);

    // Parallel planes have no common line; the old points stay.
    StraightElement* none =
        addElement<StraightElement>(c, {xy, shifted}, TypeCode::PlanesIntersectionLine, kTestStyle);
    none->pointA = {9, 9, 9};
    none->recompute(c, {0, 1.0});
    EXPECT_EQ(none->defined, 0);
    EXPECT_EQ(none->pointA, (Vec3{9, 9, 9}));
}

TEST(StraightElement, SegmentTranslatedByAVector) {
    Construction c;
    Point* a = addFreePoint(c, {0, 0, 0});
    Point* b = addFreePoint(c, {1, 0, 0});
    StraightElement* s = addStraight(c, TypeCode::SegmentTwoPoints, {a, b});
    StraightElement* image =
        addStraight(c, TypeCode::SegmentTranslation, {s, addStraight(c, TypeCode::VectorTwoPoints, {a, b})});
    EXPECT_EQ(image->defined, 1);
    EXPECT_EQ(image->pointA, (Vec3{1, 0, 0}));
    EXPECT_EQ(image->pointB, (Vec3{2, 0, 0}));
}

TEST(StraightElement, ParametersAreClampedByKind) {
    Construction c;
    Point* a = addFreePoint(c, {1, 0, 0});
    Point* b = addFreePoint(c, {3, 0, 0});
    double t = -9, unused = -9;
    const Vec3 pastB{5, 0, 0};
    const Vec3 behindA{0, 0, 0};
    const Vec3 quarter{1.5, 0, 0};

    StraightElement* segment = addStraight(c, TypeCode::SegmentTwoPoints, {a, b});
    ASSERT_EQ(segment->parameterOf(quarter, t, unused), 1);
    EXPECT_DOUBLE_EQ(t, 0.25);
    EXPECT_EQ(unused, 0.0);
    segment->parameterOf(pastB, t, unused);
    EXPECT_EQ(t, 1.0);
    segment->parameterOf(behindA, t, unused);
    EXPECT_EQ(t, 0.0);

    StraightElement* vector = addStraight(c, TypeCode::VectorTwoPoints, {a, b});
    vector->parameterOf(pastB, t, unused);
    EXPECT_EQ(t, 1.0);

    StraightElement* ray = addStraight(c, TypeCode::RayTwoPoints, {a, b});
    ray->parameterOf(pastB, t, unused);
    EXPECT_DOUBLE_EQ(t, 2.0);
    ray->parameterOf(behindA, t, unused);
    EXPECT_EQ(t, 0.0);

    StraightElement* line = addStraight(c, TypeCode::LineTwoPoints, {a, b});
    line->parameterOf(behindA, t, unused);
    EXPECT_DOUBLE_EQ(t, -0.5);
    // t is the ratio of distances, not of projections.
    line->parameterOf({1, 2, 0}, t, unused);
    EXPECT_DOUBLE_EQ(t, 1.0);
    // Only a point more than the tolerance behind A counts as behind it.
    line->parameterOf({1 - 5e-7, 0, 0}, t, unused);
    EXPECT_GT(t, 0.0);
    line->parameterOf({1 - 1e-6, 0, 0}, t, unused);
    EXPECT_LT(t, 0.0);

    Vec3 at;
    ASSERT_EQ(line->pointAt(-0.5, 0, at), 1);
    expectNear(at, behindA);
    segment->pointAt(7.0, 0, at);
    EXPECT_EQ(at, b->position);
    ray->pointAt(-3.0, 0, at);
    EXPECT_EQ(at, a->position);
}

TEST(StraightElement, DrawsSegmentsVectorsAndTheStretchesOfLinesAndRays) {
    Construction c;
    RecordingCanvas canvas;
    Point* a = addFreePoint(c, {1, 0, 0});
    Point* b = addFreePoint(c, {1, 1, 1});
    StraightElement* segment = addStraight(c, TypeCode::SegmentTwoPoints, {a, b});
    segment->size = 3;
    segment->shape = 1;
    segment->draw(0xABCDEF, 0, canvas);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].primitive, "segment");
    EXPECT_EQ(canvas.calls[0].points, (std::vector<Vec3>{a->position, b->position}));
    EXPECT_EQ(canvas.calls[0].colour, 0xABCDEFu);
    EXPECT_EQ(canvas.calls[0].size, 3);
    EXPECT_EQ(canvas.calls[0].shape, 1);

    canvas.calls.clear();
    addStraight(c, TypeCode::VectorTwoPoints, {a, b})->draw(1, 0, canvas);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].primitive, "arrow");
    EXPECT_EQ(canvas.calls[0].points, (std::vector<Vec3>{a->position, b->position}));

    // The recording view ray runs along the z axis through (0, 0, 0.0003).
    const Vec3 u{0, std::sqrt(0.5), std::sqrt(0.5)};
    StraightElement* line = addStraight(c, TypeCode::LineTwoPoints, {a, b});
    canvas.calls.clear();
    line->draw(1, 0, canvas);
    ASSERT_EQ(canvas.calls.size(), 1u);
    // Central: around the foot of the near point, 99 each way.
    const Vec3 foot{1, 0.00015, 0.00015};
    expectNear(canvas.calls[0].points[0], foot - 99.0 * u);
    expectNear(canvas.calls[0].points[1], foot + 99.0 * u);
    canvas.calls.clear();
    line->draw(1, 1, canvas);
    // Parallel: around the point of the line nearest the view ray, 499 each way.
    expectNear(canvas.calls[0].points[0], Vec3{1, 0, 0} - 499.0 * u);
    expectNear(canvas.calls[0].points[1], Vec3{1, 0, 0} + 499.0 * u);

    // A ray starts at A; it reaches past the reference point when that lies on it…
    Point* before = addFreePoint(c, {1, -2, -2});
    Point* beforeB = addFreePoint(c, {1, -1, -1});
    canvas.calls.clear();
    addStraight(c, TypeCode::RayTwoPoints, {before, beforeB})->draw(1, 0, canvas);
    EXPECT_EQ(canvas.calls[0].points[0], before->position);
    expectNear(canvas.calls[0].points[1], foot + 99.0 * u);
    // …and is 99 long from A when the reference point lies behind it.
    Point* after = addFreePoint(c, {1, 2, 2});
    Point* afterB = addFreePoint(c, {1, 3, 3});
    canvas.calls.clear();
    addStraight(c, TypeCode::RayTwoPoints, {after, afterB})->draw(1, 0, canvas);
    EXPECT_EQ(canvas.calls[0].points[0], after->position);
    expectNear(canvas.calls[0].points[1], after->position + 99.0 * u);
    canvas.calls.clear();
    addStraight(c, TypeCode::RayTwoPoints, {after, afterB})->draw(1, 1, canvas);
    expectNear(canvas.calls[0].points[1], after->position + 499.0 * u);
}

TEST(StraightElement, LabelSitsAtBTowardsTheViewer) {
    Construction c;
    RecordingCanvas canvas;
    StraightElement* s =
        addStraight(c, TypeCode::SegmentTwoPoints, {addFreePoint(c, {0, 0, 0}), addFreePoint(c, {2, 1, 0})});
    s->drawLabel(canvas, 0x123456);
    EXPECT_TRUE(canvas.calls.empty());
    s->setName("s1");
    s->drawLabel(canvas, 0x123456);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].primitive, "label");
    EXPECT_EQ(canvas.calls[0].text, "s1");
    EXPECT_EQ(canvas.calls[0].colour, 0x123456u);
    expectNear(canvas.calls[0].points[0], {2, 1, 0.1});
}

TEST(StraightElement, HitTestRadiiDepthFactorsAndBounds) {
    Construction c;
    // Looking down from (0, 0, 10): depth 10 gives the central factor 2, the parallel factor 1.
    const PickRay ray{{0, 0, 10}, {0, 0, -10}};
    auto segmentAt = [&](double y, double x0, double x1, TypeCode code) {
        return addStraight(c, code, {addFreePoint(c, {x0, y, 0}), addFreePoint(c, {x1, y, 0})});
    };
    Vec3 hit{7, 7, 7};

    // Size t1 is picked with the radius of t2 (0.01), times the depth factor.
    StraightElement* near = segmentAt(0.019, -1, 1, TypeCode::SegmentTwoPoints);
    ASSERT_EQ(near->size, 0);
    ASSERT_EQ(near->hitTest(0, 0, ray, 0, hit), 1);
    expectNear(hit, {0, 0.019, 0});
    EXPECT_EQ(segmentAt(0.021, -1, 1, TypeCode::SegmentTwoPoints)->hitTest(0, 0, ray, 0, hit), 0);
    EXPECT_EQ(segmentAt(0.009, -1, 1, TypeCode::SegmentTwoPoints)->hitTest(0, 0, ray, 1, hit), 1);
    EXPECT_EQ(segmentAt(0.011, -1, 1, TypeCode::SegmentTwoPoints)->hitTest(0, 0, ray, 1, hit), 0);
    // Thicker sizes use their own tube radius: t5 is 0.04.
    StraightElement* thick = segmentAt(0.039, -1, 1, TypeCode::SegmentTwoPoints);
    thick->size = 4;
    EXPECT_EQ(thick->hitTest(0, 0, ray, 1, hit), 1);
    // Far away the parallel factor grows too: depth 600 gives 2.
    EXPECT_EQ(segmentAt(0.019, -1, 1, TypeCode::SegmentTwoPoints)
                  ->hitTest(0, 0, {{0, 0, 600}, {0, 0, -10}}, 1, hit),
              1);

    // A segment that stops short returns its nearer end and is not hit; lines and
    // rays are not limited at their defining points.
    hit = {7, 7, 7};
    EXPECT_EQ(segmentAt(0, 0.5, 2, TypeCode::SegmentTwoPoints)->hitTest(0, 0, ray, 0, hit), 0);
    expectNear(hit, {0.5, 0, 0});
    EXPECT_EQ(segmentAt(0, 0.5, 2, TypeCode::VectorTwoPoints)->hitTest(0, 0, ray, 0, hit), 0);
    EXPECT_EQ(segmentAt(0, 0.5, 2, TypeCode::RayTwoPoints)->hitTest(0, 0, ray, 0, hit), 1);
    expectNear(hit, {0, 0, 0});
    EXPECT_EQ(segmentAt(0, 0.5, 2, TypeCode::LineTwoPoints)->hitTest(0, 0, ray, 0, hit), 1);

    // Nothing behind the eye is hit.
    hit = {7, 7, 7};
    EXPECT_EQ(segmentAt(0, -1, 1, TypeCode::LineTwoPoints)->hitTest(0, 0, {{0, 0, 10}, {0, 0, 20}}, 0, hit),
              0);
    EXPECT_EQ(hit, (Vec3{7, 7, 7}));
}
