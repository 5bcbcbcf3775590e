#include <gtest/gtest.h>

#include <cmath>

#include "geometry/intersections_spheres_circles.h"
#include "test_support.h"

namespace {
const double kHalfRoot3 = std::sqrt(3.0) / 2;
}

TEST(LineSphere, OrderTangencyAndMiss) {
    Vec3 first = kUntouched, second = kUntouched;
    ASSERT_EQ(intersectLineSphere({-5, 0, 0}, {5, 0, 0}, {0, 0, 0}, {0, 1, 0}, first, second), 2);
    EXPECT_TRUE(near(first, {-1, 0, 0}));  // against the direction A→B first
    EXPECT_TRUE(near(second, {1, 0, 0}));
    ASSERT_EQ(intersectLineSphere({5, 0, 0}, {-5, 0, 0}, {0, 0, 0}, {0, 1, 0}, first, second), 2);
    EXPECT_TRUE(near(first, {1, 0, 0}));

    second = kUntouched;
    ASSERT_EQ(intersectLineSphere({-5, 1, 0}, {5, 1, 0}, {0, 0, 0}, {0, 0, 1}, first, second), 1);
    EXPECT_TRUE(near(first, {0, 1, 0}));
    EXPECT_EQ(second, kUntouched);

    first = kUntouched;
    EXPECT_EQ(intersectLineSphere({-5, 1.001, 0}, {5, 1.001, 0}, {0, 0, 0}, {0, 0, 1}, first, second), 0);
    EXPECT_EQ(intersectLineSphere({-5, 0, 0}, {5, 0, 0}, {0, 0, 0}, {0, 0, 0}, first, second), 0);
    EXPECT_EQ(first, kUntouched);
}

TEST(SphereSphere, CircleOrNothing) {
    Vec3 centre = kUntouched, point = kUntouched;
    ASSERT_EQ(intersectSpheres({0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}, centre, point), 1);
    EXPECT_TRUE(near(centre, {0.5, 0, 0}));
    EXPECT_TRUE(near(point, {0.5, 0, kHalfRoot3}));  // along anyPerpendicular of the axis

    centre = kUntouched;
    EXPECT_EQ(intersectSpheres({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, centre, point), 0);  // tangent
    EXPECT_EQ(intersectSpheres({0, 0, 0}, {3, 0, 0}, {1, 0, 0}, {2, 0, 0}, centre, point),
              0);  // inside, tangent
    EXPECT_EQ(intersectSpheres({0, 0, 0}, {5, 0, 0}, {1, 0, 0}, {1.5, 0, 0}, centre, point), 0);  // inside
    EXPECT_EQ(intersectSpheres({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {0, 1, 0}, centre, point), 0);  // same centre
    EXPECT_EQ(intersectSpheres({0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}, centre, point),
              0);  // point sphere
    EXPECT_EQ(centre, kUntouched);
}

TEST(SpherePlane, SectionAndTouchingTolerance) {
    Vec3 centre, normal, point;
    ASSERT_EQ(
        intersectSpherePlane({0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {0, 0, 0}, {2, 0, 0}, centre, normal, point),
        1);
    EXPECT_TRUE(near(centre, {0, 0, 1}));
    EXPECT_TRUE(near(normal, {0, 0, 1}));
    EXPECT_TRUE(near(point, {0, std::sqrt(3.0), 1}));
    // A plane touching within the 1e-6 margin gives a circle of radius 0.
    ASSERT_EQ(intersectSpherePlane({0, 0, 2 + 5e-7}, {1, 0, 2 + 5e-7}, {0, 1, 2 + 5e-7}, {0, 0, 0}, {2, 0, 0},
                                   centre, normal, point),
              1);
    EXPECT_TRUE(near(point, centre, 0.0));
    centre = kUntouched;
    EXPECT_EQ(intersectSpherePlane({0, 0, 2.000002}, {1, 0, 2.000002}, {0, 1, 2.000002}, {0, 0, 0}, {2, 0, 0},
                                   centre, normal, point),
              0);
    EXPECT_EQ(centre, kUntouched);
}

TEST(LineCircle, OrderIsTheReverseOfTheSphere) {
    const Vec3 c{0, 0, 0}, axisA{0, 0, 0}, axisB{0, 0, 1};
    Vec3 first = kUntouched, second = kUntouched;
    ASSERT_EQ(intersectLineCircle({-5, 0, 0}, {5, 0, 0}, c, axisA, axisB, 1, first, second), 2);
    EXPECT_TRUE(near(first, {1, 0, 0}));
    EXPECT_TRUE(near(second, {-1, 0, 0}));

    // Tangent in the plane: two equal points.
    ASSERT_EQ(intersectLineCircle({-5, 1, 0}, {5, 1, 0}, c, axisA, axisB, 1, first, second), 2);
    EXPECT_TRUE(near(first, {0, 1, 0}));
    EXPECT_TRUE(near(second, {0, 1, 0}));
    ASSERT_EQ(intersectLineCircle({-5, 1 + 5e-7, 0}, {5, 1 + 5e-7, 0}, c, axisA, axisB, 1, first, second), 2);

    // Crossing the plane: the crossing point when it is on the circle (1e-6 margin).
    second = kUntouched;
    ASSERT_EQ(intersectLineCircle({0.6, 0.8, -1}, {0.6, 0.8, 3}, c, axisA, axisB, 1, first, second), 1);
    EXPECT_TRUE(near(first, {0.6, 0.8, 0}));
    EXPECT_EQ(second, kUntouched);
    ASSERT_EQ(intersectLineCircle({1 + 9e-7, 0, -1}, {1 + 9e-7, 0, 1}, c, axisA, axisB, 1, first, second), 1);

    first = kUntouched;
    EXPECT_EQ(intersectLineCircle({1 + 2e-6, 0, -1}, {1 + 2e-6, 0, 1}, c, axisA, axisB, 1, first, second), 0);
    EXPECT_EQ(intersectLineCircle({-5, 1.001, 0}, {5, 1.001, 0}, c, axisA, axisB, 1, first, second), 0);
    EXPECT_EQ(intersectLineCircle({-5, 0, 1}, {5, 0, 1}, c, axisA, axisB, 1, first, second),
              0);  // parallel, off
    EXPECT_EQ(first, kUntouched);
}

TEST(CircleCircle, CoplanarTouchingAndCrossing) {
    const Vec3 up{0, 0, 1}, origin{0, 0, 0};
    Vec3 first = kUntouched, second = kUntouched;
    ASSERT_EQ(intersectCircles(origin, origin, up, 1, {2, 0, 0}, {2, 0, 0}, {2, 0, 1}, 1, first, second), 1);
    EXPECT_TRUE(near(first, {1, 0, 0}));
    EXPECT_EQ(second, kUntouched);
    // Centres 2.0000005 apart: cosine 1.00000025 is within the 1.000001 bound.
    ASSERT_EQ(
        intersectCircles(origin, origin, up, 1, {2.0000005, 0, 0}, {2, 0, 0}, {2, 0, 1}, 1, first, second),
        1);
    EXPECT_NEAR(first.x, 1.00000025, 1e-12);
    first = kUntouched;
    EXPECT_EQ(
        intersectCircles(origin, origin, up, 1, {2.000003, 0, 0}, {2, 0, 0}, {2, 0, 1}, 1, first, second), 0);
    EXPECT_EQ(first, kUntouched);

    ASSERT_EQ(intersectCircles(origin, origin, up, 1, {1, 0, 0}, {1, 0, 0}, {1, 0, 1}, 1, first, second), 2);
    EXPECT_TRUE(near(first, {0.5, kHalfRoot3, 0}));  // M + h·w, w = unit(N2 × (C2 − C1))
    EXPECT_TRUE(near(second, {0.5, -kHalfRoot3, 0}));

    first = kUntouched;
    EXPECT_EQ(intersectCircles(origin, origin, up, 1, origin, origin, up, 1, first, second),
              0);  // concentric
    EXPECT_EQ(intersectCircles(origin, origin, up, 1, {1, 0, 1}, {1, 0, 1}, {1, 0, 2}, 1, first, second), 0);
    EXPECT_EQ(first, kUntouched);
    // A point circle on the other circle (the r1 < 1e-6 rule).
    ASSERT_EQ(intersectCircles({1, 0, 0}, {1, 0, 0}, {1, 0, 1}, 0, origin, origin, up, 1, first, second), 1);
    EXPECT_TRUE(near(first, {1, 0, 0}));
}

TEST(CircleCircle, CrossedPlanesKeepTheCommonLineOrder) {
    const Vec3 origin{0, 0, 0};
    Vec3 first, second;
    // Circle 1 in z = 0, circle 2 in x = 0: they share (0, ±1, 0); the common line runs along
    // unit((0,0,1) × (1,0,0)) = +y, and the line-circle order puts +y first.
    ASSERT_EQ(intersectCircles(origin, origin, {0, 0, 1}, 1, origin, origin, {1, 0, 0}, 1, first, second), 2);
    EXPECT_TRUE(near(first, {0, 1, 0}));
    EXPECT_TRUE(near(second, {0, -1, 0}));
    // Circle 2 shifted: only points on both circles are kept.
    Vec3 untouched = kUntouched;
    EXPECT_EQ(intersectCircles(origin, origin, {0, 0, 1}, 1, {0, 0, 0.5}, {0, 0, 0.5}, {1, 0, 0.5}, 0.5,
                               untouched, untouched),
              0);
    EXPECT_EQ(untouched, kUntouched);
}

TEST(CirclePlaneAndSphere, ThroughTheCircleSPlane) {
    const Vec3 origin{0, 0, 0}, up{0, 0, 1};
    Vec3 first, second;
    ASSERT_EQ(
        intersectCirclePlane(origin, origin, up, 1, {0.5, 0, 0}, {0.5, 1, 0}, {0.5, 0, 1}, first, second), 2);
    EXPECT_NEAR(first.x, 0.5, 1e-12);
    EXPECT_NEAR(std::fabs(first.y), kHalfRoot3, 1e-12);
    EXPECT_NEAR(second.y, -first.y, 1e-12);
    Vec3 untouched = kUntouched;
    EXPECT_EQ(
        intersectCirclePlane(origin, origin, up, 1, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, untouched, untouched),
        0);
    EXPECT_EQ(
        intersectCirclePlane(origin, origin, up, 1, {2, 0, 0}, {2, 1, 0}, {2, 0, 1}, untouched, untouched),
        0);
    EXPECT_EQ(untouched, kUntouched);

    // The sphere's section is circle 1, the given circle circle 2: w = (0,0,1) × (−1,0,0) = −y.
    ASSERT_EQ(intersectCircleSphere(origin, origin, up, 1, {1, 0, 0}, {1, 1, 0}, first, second), 2);
    EXPECT_TRUE(near(first, {0.5, -kHalfRoot3, 0}));
    EXPECT_TRUE(near(second, {0.5, kHalfRoot3, 0}));
    EXPECT_EQ(intersectCircleSphere(origin, origin, up, 1, {0, 0, 3}, {0, 0, 4}, untouched, untouched), 0);
    EXPECT_EQ(untouched, kUntouched);
}
