#include <gtest/gtest.h>

#include <cmath>

#include "geometry/planes_frames.h"
#include "geometry/tolerances.h"
#include "test_support.h"

namespace {

double valueAt(const PlaneEquation& e, Vec3 p) {
    return e.a * p.x + e.b * p.y + e.c * p.z + e.d;
}

}  // namespace

TEST(Planes, ThroughThreePointsIsScaledThroughPointNormalIsNot) {
    PlaneEquation e;
    ASSERT_EQ(planeThrough3({0, 0, 2}, {1, 0, 2}, {0, 1, 2}, e), 1);
    EXPECT_DOUBLE_EQ(e.a, 0.0);
    EXPECT_DOUBLE_EQ(e.b, 0.0);
    EXPECT_DOUBLE_EQ(e.c, kPlaneScale);
    EXPECT_DOUBLE_EQ(e.d, -2 * kPlaneScale);

    const PlaneEquation marker{7, 7, 7, 7};
    e = marker;
    EXPECT_EQ(planeThrough3({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, e), 0);
    EXPECT_EQ(e.d, 7.0);

    ASSERT_EQ(planeThroughPointNormal({0, 0, 0}, {0, 0, 2}, {5, 5, 3}, e), 1);
    EXPECT_DOUBLE_EQ(e.c, 2.0);
    EXPECT_DOUBLE_EQ(e.d, -6.0);
    e = marker;
    EXPECT_EQ(planeThroughPointNormal({1, 1, 1}, {1, 1, 1}, {0, 0, 0}, e), 0);
    EXPECT_EQ(e.a, 7.0);

    EXPECT_TRUE(near(unitNormal({0, 0, 0}, {0, 3, 0}, {0, 0, 4}).end, {1, 0, 0}));
}

TEST(Frames, AnyPerpendicularFollowsTheComponentRule) {
    EXPECT_EQ(anyPerpendicular({0, 0, 0}, {1, 0, 0}).end, (Vec3{0, 0, 1}));
    EXPECT_EQ(anyPerpendicular({0, 0, 0}, {0, 2, 0}).end, (Vec3{0, 0, 1}));
    EXPECT_EQ(anyPerpendicular({0, 0, 0}, {0, 0, 3}).end, (Vec3{0, 1, 0}));
    EXPECT_EQ(anyPerpendicular({0, 0, 0}, {1e-7, 0, 5}).end, (Vec3{0, 1, 0}));  // tiny x snapped first
    EXPECT_EQ(anyPerpendicular({1, 1, 1}, {1, 1, 1}).end, (Vec3{0, 0, 0}));
    // General cases: the first non-zero component picks the formula.
    const double r13 = std::sqrt(13.0);
    EXPECT_TRUE(near(anyPerpendicular({0, 0, 0}, {1, 2, 3}).end, {0, -3 / r13, 2 / r13}));
    EXPECT_TRUE(near(anyPerpendicular({0, 0, 0}, {0, 2, 3}).end, {-1, 0, 0}));
    EXPECT_TRUE(near(anyPerpendicular({5, 5, 5}, {5, 7, 5}).end, {0, 0, 1}));
}

TEST(Frames, TwoPlanesAndSpanningPoints) {
    const Vec3 a{1, 2, 3}, b{4, -1, 2};
    PlaneEquation e1, e2;
    ASSERT_EQ(twoPlanesThroughLine(a, b, e1, e2), 1);
    for (const PlaneEquation& e : {e1, e2}) {
        EXPECT_NEAR(valueAt(e, a), 0.0, 1e-7);
        EXPECT_NEAR(valueAt(e, b), 0.0, 1e-7);
    }
    const Vec3 n1 = normalOf(e1), n2 = normalOf(e2);
    EXPECT_NEAR(dotProduct(n1, n2) / (norm(n1) * norm(n2)), 0.0, 1e-12);  // the two planes are perpendicular
    EXPECT_EQ(twoPlanesThroughLine(a, a, e1, e2), 0);

    Vec3 span[3] = {kUntouched, kUntouched, kUntouched};
    ASSERT_EQ(perpendicularPlanePoints({0, 0, 0}, {0, 0, 2}, {1, 1, 1}, span), 1);
    EXPECT_EQ(span[0], (Vec3{1, 1, 1}));
    EXPECT_TRUE(near(span[1], {1, 2, 1}));  // p = (0, 1, 0)
    EXPECT_TRUE(near(span[2], {0, 1, 1}));  // q = unit((0, 0, 2) × p) = (−1, 0, 0)
    Vec3 untouched[3] = {kUntouched, kUntouched, kUntouched};
    EXPECT_EQ(perpendicularPlanePoints({0, 0, 0}, {0, 0, 0}, {1, 1, 1}, untouched), 0);
    EXPECT_EQ(untouched[0], kUntouched);

    ASSERT_EQ(parallelPlanePoints({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 5}, span), 1);
    EXPECT_EQ(span[2], (Vec3{0, 1, 5}));
    EXPECT_EQ(parallelPlanePoints({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 0, 5}, untouched), 0);
}

TEST(Frames, FindPlaneOfPointsSearchOrder) {
    Vec3 span[3];
    // P1 repeats P0, P3 is collinear with P0 and P2: the span is P0, P2, P4.
    const Vec3 points[6] = {{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {3, 0, 0}, {0, 2, 0}, {5, 5, 5e-7}};
    ASSERT_EQ(findPlaneOfPoints(6, points, span), 1);
    EXPECT_EQ(span[0], points[0]);
    EXPECT_EQ(span[1], points[2]);
    EXPECT_EQ(span[2], points[4]);

    const Vec3 offPlane[5] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 3, 2e-6}};
    span[0] = kUntouched;
    EXPECT_EQ(findPlaneOfPoints(5, offPlane, span), 0);
    EXPECT_EQ(span[0], kUntouched);

    const Vec3 collinear[4] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}};
    EXPECT_EQ(findPlaneOfPoints(4, collinear, span), 0);
    // The second point is looked for only among P1 … Pn−2.
    const Vec3 lastDistinct[3] = {{0, 0, 0}, {0, 0, 0}, {1, 0, 0}};
    EXPECT_EQ(findPlaneOfPoints(3, lastDistinct, span), 0);
    EXPECT_EQ(findPlaneOfPoints(2, collinear, span), 0);
}

TEST(Frames, PlaneFrameCoordinatesAndInverse) {
    Vec3 mapped[2];
    const Vec3 points[2] = {{3, 4, 5}, {-1, 0, 5}};
    ASSERT_EQ(toPlaneFrame(2, points, {0, 0, 5}, {1, 0, 5}, {0, 1, 5}, mapped), 1);
    EXPECT_TRUE(
        near(mapped[0], {3, 4, 5}));  // no translation to P0: the plane's level is the third coordinate
    EXPECT_TRUE(near(mapped[1], {-1, 0, 5}));

    const Vec3 p0{1, 2, 3}, p1{2, 2, 4}, p2{0, 5, 1};
    const Vec3 some[3] = {{1, 2, 3}, {7, -3, 2}, {0.5, 0.25, -8}};
    Vec3 frame[3], back[3];
    ASSERT_EQ(toPlaneFrame(3, some, p0, p1, p2, frame), 1);
    ASSERT_EQ(fromPlaneFrame(3, frame, p0, p1, p2, back), 1);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(near(back[i], some[i], 1e-12));
    // Points of the plane share the third coordinate.
    Vec3 inPlane[2];
    const Vec3 planePoints[2] = {p1, p2};
    ASSERT_EQ(toPlaneFrame(2, planePoints, p0, p1, p2, inPlane), 1);
    EXPECT_NEAR(inPlane[0].z, frame[0].z, 1e-12);
    EXPECT_NEAR(inPlane[1].z, frame[0].z, 1e-12);
    // The first axis runs from P0 to P1.
    EXPECT_NEAR(inPlane[0].y, frame[0].y, 1e-12);

    mapped[0] = kUntouched;
    EXPECT_EQ(toPlaneFrame(2, points, {0, 0, 0}, {1, 0, 0}, {2, 0, 0}, mapped), 0);
    EXPECT_EQ(mapped[0], kUntouched);
    EXPECT_EQ(toPlaneFrame(-1, points, p0, p1, p2, mapped), 0);
}
