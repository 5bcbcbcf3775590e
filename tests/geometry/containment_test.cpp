#include <gtest/gtest.h>

#include "geometry/containment.h"
#include "test_support.h"

TEST(Containment, SegmentAndRayWithTheirToleranceAndNearestEnd) {
    const Vec3 a{0, 0, 0}, b{1, 0, 0};
    Vec3 nearest = kUntouched;
    EXPECT_EQ(isOnSegment({0.5, 0, 0}, a, b, nearest), 1);
    EXPECT_EQ(isOnSegment(a, a, b, nearest), 1);
    EXPECT_EQ(isOnSegment({1 + 5e-7, 0, 0}, a, b, nearest), 1);  // (A−X)·(B−X) ≈ 5e-7 ≤ 1e-6
    EXPECT_EQ(nearest, kUntouched);
    EXPECT_EQ(isOnSegment({1 + 2e-6, 0, 0}, a, b, nearest), 0);
    EXPECT_EQ(nearest, b);
    EXPECT_EQ(isOnSegment({-3, 0, 0}, a, b, nearest), 0);
    EXPECT_EQ(nearest, a);

    nearest = kUntouched;
    EXPECT_EQ(isOnRay({50, 0, 0}, a, b, nearest), 1);
    EXPECT_EQ(isOnRay({-5e-7, 0, 0}, a, b, nearest), 1);
    EXPECT_EQ(nearest, kUntouched);
    EXPECT_EQ(isOnRay({-2e-6, 0, 0}, a, b, nearest), 0);
    EXPECT_EQ(nearest, a);
}

TEST(Containment, ArcThroughItsMiddlePoint) {
    const Vec3 a{1, 0, 0}, m{0, 1, 0}, b{-1, 0, 0};  // the upper half circle
    EXPECT_EQ(isOnArc({0.6, 0.8, 0}, a, m, b), 1);
    EXPECT_EQ(isOnArc({-0.8, 0.6, 0}, a, m, b), 1);
    EXPECT_EQ(isOnArc({0, -1, 0}, a, m, b), 0);
    EXPECT_EQ(isOnArc({0.6, -0.8, 0}, a, m, b), 0);
    EXPECT_EQ(isOnArc({1 + 5e-9, 0, 0}, a, m, b), 1);  // at an end
    EXPECT_EQ(isOnArc(m, a, m, b), 1);
    // The arc through the lower half: the same chord, the other side.
    EXPECT_EQ(isOnArc({0, -1, 0}, a, {0, -1, 0}, b), 1);
    EXPECT_EQ(isOnArc({0.6, 0.8, 0}, a, {0, -1, 0}, b), 0);
}

TEST(Containment, PointInPolygon2dCountsTheBoundaryAsInside) {
    const Vec2 square[4] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    EXPECT_EQ(pointInPolygon2d({1, 1}, 4, square), 1);
    EXPECT_EQ(pointInPolygon2d({3, 1}, 4, square), 0);
    EXPECT_EQ(pointInPolygon2d({2, 1}, 4, square), 1);      // on an edge
    EXPECT_EQ(pointInPolygon2d({0, 0}, 4, square), 1);      // a vertex
    EXPECT_EQ(pointInPolygon2d({0, 1}, 4, square), 1);      // the closing edge
    EXPECT_EQ(pointInPolygon2d({1, -1e-7}, 4, square), 1);  // within the boundary margin
    // The margin is on the sum of distances, so it grows like √(1e-6·edge/2) across an edge:
    // 9e-4 off the middle of a 2-long edge still counts, 1.1e-3 does not.
    EXPECT_EQ(pointInPolygon2d({1, -9e-4}, 4, square), 1);
    EXPECT_EQ(pointInPolygon2d({1, -1.1e-3}, 4, square), 0);
    EXPECT_EQ(pointInPolygon2d({-1, 2}, 4, square), 0);  // level with the top edge
    EXPECT_EQ(pointInPolygon2d({1, 1}, 0, square), 0);

    // A concave "C": the notch is outside.
    const Vec2 c[8] = {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 2}, {3, 2}, {3, 3}, {0, 3}};
    EXPECT_EQ(pointInPolygon2d({2, 1.5}, 8, c), 0);
    EXPECT_EQ(pointInPolygon2d({0.5, 1.5}, 8, c), 1);
    EXPECT_EQ(pointInPolygon2d({2, 2.5}, 8, c), 1);
    // Level with a vertex: the half-open rule counts the crossing once.
    const Vec2 diamond[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    EXPECT_EQ(pointInPolygon2d({0, -0.5}, 4, diamond), 1);
    EXPECT_EQ(pointInPolygon2d({0, -1.5}, 4, diamond), 0);
}

TEST(Containment, PointInPolygonInSpace) {
    // A unit square tilted in the plane x + z = 1.
    const Vec3 v[4] = {{0, 0, 1}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}};
    EXPECT_EQ(pointInPolygon({0.5, 0.5, 0.5}, 4, v, v[0], v[1], v[2]), 1);
    EXPECT_EQ(pointInPolygon({0.5, 1.5, 0.5}, 4, v, v[0], v[1], v[2]), 0);
    EXPECT_EQ(pointInPolygon({1, 0.5, 0}, 4, v, v[0], v[1], v[2]), 1);  // on an edge
    EXPECT_EQ(pointInPolygon({0.5, 0.5, 0.5}, 4, v, v[0], v[1], {2, 0, -1}), 0);
}
