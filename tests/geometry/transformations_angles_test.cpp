#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/angles.h"
#include "geometry/transformations.h"
#include "test_support.h"

using std::numbers::pi;

TEST(Transformations, Reflections) {
    Vec3 image = kUntouched;
    ASSERT_EQ(reflectInPoint({1, 2, 3}, {1, 2, 3}, image), 1);
    EXPECT_EQ(image, (Vec3{1, 2, 3}));
    ASSERT_EQ(reflectInPoint({1, 2, 3}, {0, 0, 0}, image), 1);
    EXPECT_TRUE(near(image, {-1, -2, -3}));

    ASSERT_EQ(reflectInLine({1, 1, 0}, {-3, 0, 0}, {4, 0, 0}, image), 1);
    EXPECT_TRUE(near(image, {1, -1, 0}));
    ASSERT_EQ(reflectInLine({2, 0, 0}, {-3, 0, 0}, {4, 0, 0}, image), 1);  // on the line
    EXPECT_TRUE(near(image, {2, 0, 0}));
    image = kUntouched;
    EXPECT_EQ(reflectInLine({1, 1, 0}, {1, 1, 1}, {1, 1, 1}, image), 0);
    EXPECT_EQ(image, kUntouched);

    ASSERT_EQ(reflectInPlane({1, 2, 3}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, image), 1);
    EXPECT_TRUE(near(image, {1, 2, -3}));
    image = kUntouched;
    EXPECT_EQ(reflectInPlane({1, 2, 3}, {0, 0, 0}, {1, 0, 0}, {2, 0, 0}, image), 0);
    EXPECT_EQ(image, kUntouched);

    ASSERT_EQ(translatePoint({1, 1, 1}, {0, 0, 1}, {2, 3, 1}, image), 1);
    EXPECT_EQ(image, (Vec3{3, 4, 1}));
}

TEST(Transformations, RotationIsRightHandedAboutTheAxisDirection) {
    Vec3 image;
    ASSERT_EQ(rotateAboutAxis({1, 0, 0}, {0, 0, 0}, {0, 0, 1}, pi / 2, image), 1);
    EXPECT_TRUE(near(image, {0, 1, 0}));
    ASSERT_EQ(rotateAboutAxis({1, 0, 0}, {0, 0, 1}, {0, 0, 0}, pi / 2, image), 1);  // reversed axis
    EXPECT_TRUE(near(image, {0, -1, 0}));
    ASSERT_EQ(rotateAboutAxis({1, 0, 7}, {0, 0, 0}, {0, 0, 1}, pi, image), 1);
    EXPECT_TRUE(near(image, {-1, 0, 7}));
    ASSERT_EQ(rotateAboutAxis({0, 0, 3}, {0, 0, 0}, {0, 0, 1}, 1.0, image), 1);  // on the axis
    EXPECT_TRUE(near(image, {0, 0, 3}));
    // About an axis off the origin: turning (2, 1, 0) about the vertical through (1, 1, 0).
    ASSERT_EQ(rotateAboutAxis({2, 1, 0}, {1, 1, 0}, {1, 1, 5}, pi / 2, image), 1);
    EXPECT_TRUE(near(image, {1, 2, 0}));
    image = kUntouched;
    EXPECT_EQ(rotateAboutAxis({1, 0, 0}, {0, 0, 0}, {0, 0, 0}, 1.0, image), 0);
    EXPECT_EQ(image, kUntouched);
}

TEST(Transformations, RegularPolygonStartsAtP) {
    Vec3 v[4];
    ASSERT_EQ(regularPolygonPoints(4, {0, 0, 1}, {5, 5, 0}, {5, 5, 2}, {1, 0, 1}, v), 1);
    EXPECT_EQ(v[0], (Vec3{1, 0, 1}));
    EXPECT_TRUE(near(v[1], {0, 1, 1}));
    EXPECT_TRUE(near(v[2], {-1, 0, 1}));
    EXPECT_TRUE(near(v[3], {0, -1, 1}));
    EXPECT_EQ(regularPolygonPoints(0, {0, 0, 1}, {5, 5, 0}, {5, 5, 2}, {1, 0, 1}, v), 0);
    EXPECT_EQ(regularPolygonPoints(3, {0, 0, 1}, {5, 5, 0}, {5, 5, 0}, {1, 0, 1}, v), 0);
}

TEST(Angles, AngleAtVertex) {
    double angle = -1.0;
    ASSERT_EQ(angleAtVertex({1, 0, 0}, {0, 0, 0}, {0, 2, 0}, angle), 1);
    EXPECT_DOUBLE_EQ(angle, pi / 2);
    angle = -1.0;
    EXPECT_EQ(angleAtVertex({5e-7, 0, 0}, {0, 0, 0}, {0, 2, 0}, angle), 0);
    EXPECT_EQ(angleAtVertex({1, 0, 0}, {0, 0, 0}, {0, 9e-7, 0}, angle), 0);
    EXPECT_EQ(angle, -1.0);

    // Find parallel arms whose computed cosine overshoots 1 (or −1) by rounding: the
    // clamp must give exactly 0 (or π), never NaN.
    int overshoots = 0;
    for (int i = 1; i <= 2000; ++i) {
        const Vec3 u{0.1 * i, 0.7 * i + 0.3, 0.3 * i - 0.11};
        const Vec3 v = u * 3.7;
        const double raw = dotProduct(u, v) / (norm(u) * norm(v));
        if (!(raw > 1.0)) continue;
        ++overshoots;
        ASSERT_EQ(angleAtVertex(u, {0, 0, 0}, v, angle), 1);
        EXPECT_EQ(angle, 0.0);
        ASSERT_EQ(angleAtVertex(u, {0, 0, 0}, -v, angle), 1);
        EXPECT_EQ(angle, pi);
    }
    EXPECT_GT(overshoots, 0) << "no rounding overshoot found to exercise the clamp";
}

TEST(Angles, LineAndPlane) {
    const Vec3 p0{0, 0, 0}, p1{1, 0, 0}, p2{0, 1, 0};
    double angle = -1.0;
    ASSERT_EQ(angleLinePlane({0, 0, 0}, {3, 4, 0}, p0, p1, p2, angle), 1);  // in the plane
    EXPECT_EQ(angle, 0.0);
    angle = -1.0;
    ASSERT_EQ(angleLinePlane({0, 0, 1}, {3, 4, 1}, p0, p1, p2, angle), 1);  // parallel, off the plane
    EXPECT_EQ(angle, 0.0);
    ASSERT_EQ(angleLinePlane({2, 2, -1}, {2, 2, 3}, p0, p1, p2, angle), 1);  // perpendicular
    EXPECT_DOUBLE_EQ(angle, pi / 2);
    ASSERT_EQ(angleLinePlane({0, 0, 0}, {1, 0, 1}, p0, p1, p2, angle), 1);
    EXPECT_NEAR(angle, pi / 4, 1e-12);
    ASSERT_EQ(angleLinePlane({1, 0, 1}, {0, 0, 0}, p0, p1, p2, angle), 1);  // never obtuse
    EXPECT_NEAR(angle, pi / 4, 1e-12);
    angle = -1.0;
    EXPECT_EQ(angleLinePlane({0, 0, 0}, {0, 0, 0}, p0, p1, p2, angle), 0);
    EXPECT_EQ(angleLinePlane({0, 0, 0}, {1, 0, 1}, p0, p1, {2, 0, 0}, angle), 0);
    EXPECT_EQ(angle, -1.0);
}

TEST(Angles, PlaneAndPlaneIsNotFolded) {
    double angle = -1.0;
    ASSERT_EQ(anglePlanePlane({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 1, 0}, {0, 0, 1}, angle), 1);
    EXPECT_DOUBLE_EQ(angle, pi / 2);
    ASSERT_EQ(anglePlanePlane({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 4}, {0, 1, 4}, {1, 0, 4}, angle), 1);
    EXPECT_DOUBLE_EQ(angle, pi);  // same plane, points in the other order
    angle = -1.0;
    EXPECT_EQ(anglePlanePlane({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 0, 0}, {0, 1, 0}, {0, 0, 1}, angle), 0);
    EXPECT_EQ(angle, -1.0);
}
