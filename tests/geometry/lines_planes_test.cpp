#include <gtest/gtest.h>

#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/projections.h"
#include "test_support.h"

TEST(ClosestPoints, SkewParallelCoincidentAndDegenerate) {
    Vec3 p, q;
    double d = -1;
    ASSERT_EQ(closestPointsOfLines({0, 0, 0}, {1, 0, 0}, {0, 1, 1}, {0, 2, 1}, p, q, d), 1);
    EXPECT_TRUE(near(p, {0, 0, 0}));
    EXPECT_TRUE(near(q, {0, 0, 1}));
    EXPECT_DOUBLE_EQ(d, 1.0);

    ASSERT_EQ(closestPointsOfLines({0, 0, 0}, {1, 0, 0}, {5, 0, 0}, {-2, 0, 0}, p, q, d), 2);  // coincident
    EXPECT_EQ(p, (Vec3{0, 0, 0}));
    EXPECT_EQ(d, 0.0);

    ASSERT_EQ(closestPointsOfLines({1, 0, 0}, {2, 0, 0}, {5, 3, 4}, {7, 3, 4}, p, q, d), 2);  // parallel
    EXPECT_EQ(p, (Vec3{1, 0, 0}));
    EXPECT_TRUE(near(q, {1, 3, 4}));
    EXPECT_DOUBLE_EQ(d, 5.0);

    // Nearly parallel within the loose 1e-8 test still counts as parallel.
    EXPECT_EQ(closestPointsOfLines({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1 + 1e-5, 0}, p, q, d), 2);
    EXPECT_EQ(closestPointsOfLines({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1 + 1e-3, 0}, p, q, d), 1);

    p = kUntouched;
    EXPECT_EQ(closestPointsOfLines({0, 0, 0}, {0, 0, 0}, {0, 1, 1}, {0, 2, 1}, p, q, d), 0);
    EXPECT_EQ(closestPointsOfLines({0, 0, 0}, {1, 0, 0}, {0, 1, 1}, {0, 1, 1 + 1e-7}, p, q, d), 0);
    EXPECT_EQ(p, kUntouched);
}

TEST(LinesMeet, NeedsACrossingWithinOneMillionth) {
    Vec3 x = kUntouched;
    ASSERT_EQ(linesMeet({-1, -1, 0}, {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, x), 1);
    EXPECT_TRUE(near(x, {0, 0, 0}));
    ASSERT_EQ(linesMeet({0, 0, 0}, {1, 0, 0}, {0, 1, 5e-7}, {0, 2, 5e-7}, x), 1);
    EXPECT_TRUE(near(x, {0, 0, 0}));  // the point on the first line
    x = kUntouched;
    EXPECT_EQ(linesMeet({0, 0, 0}, {1, 0, 0}, {0, 1, 2e-6}, {0, 2, 2e-6}, x), 0);
    EXPECT_EQ(linesMeet({0, 0, 0}, {1, 0, 0}, {4, 0, 0}, {9, 0, 0}, x), 0);  // coincident lines never meet
    EXPECT_EQ(x, kUntouched);
}

TEST(LinePlane, CrossingParallelAndNearlyParallel) {
    const Vec3 p0{0, 0, 1}, p1{1, 0, 1}, p2{0, 1, 1};
    Vec3 x = kUntouched;
    ASSERT_EQ(intersectLinePlane({2, 3, 0}, {2, 3, 5}, p0, p1, p2, x), 1);
    EXPECT_TRUE(near(x, {2, 3, 1}));
    ASSERT_EQ(intersectLinePlane({0, 0, 0}, {1, 1, 2}, p0, p1, p2, x), 1);
    EXPECT_TRUE(near(x, {0.5, 0.5, 1}));

    x = kUntouched;
    EXPECT_EQ(intersectLinePlane({0, 0, 0}, {1, 0, 0}, p0, p1, p2, x), 0);         // parallel
    EXPECT_EQ(intersectLinePlane({0, 0, 0}, {1, 0, 5e-7}, p0, p1, p2, x), 0);      // within 1e-6 of parallel
    EXPECT_EQ(intersectLinePlane({0, 0, 0}, {0, 0, 0}, p0, p1, p2, x), 0);         // no line
    EXPECT_EQ(intersectLinePlane({0, 0, 0}, {0, 0, 1}, p0, p1, {2, 0, 1}, x), 0);  // no plane
    EXPECT_EQ(x, kUntouched);
    ASSERT_EQ(intersectLinePlane({0, 0, 0}, {1, 0, 2e-6}, p0, p1, p2, x), 1);  // just outside the tolerance
    EXPECT_NEAR(x.x, 5e5, 1e-3);

    PlaneEquation e;
    ASSERT_EQ(planeThroughPointNormal({0, 0, 0}, {0, 0, 1}, {0, 0, 1}, e), 1);
    ASSERT_EQ(intersectLinePlaneEq({2, 3, 0}, {2, 3, 5}, e, x), 1);
    EXPECT_TRUE(near(x, {2, 3, 1}));
    x = kUntouched;
    EXPECT_EQ(intersectLinePlaneEq({0, 0, 0}, {1, 0, 0}, e, x), 0);
    EXPECT_EQ(x, kUntouched);
}

TEST(PlanePlane, CommonLineNearestTheOrigin) {
    Vec3 p, q;
    ASSERT_EQ(intersectPlanes({0, 0, 1, 0}, {1, 0, 0, 0}, p, q), 1);
    EXPECT_TRUE(near(p, {0, 0, 0}));
    EXPECT_TRUE(near(q, {0, 1, 0}));  // v = unit(n̂1 × n̂2)
    ASSERT_EQ(intersectPlanes({0, 0, 3, -6}, {2, 0, 0, -2}, p, q), 1);
    EXPECT_TRUE(near(p, {1, 0, 2}));
    p = kUntouched;
    EXPECT_EQ(intersectPlanes({0, 0, 1, 0}, {0, 0, 2, -5}, p, q), 0);
    EXPECT_EQ(intersectPlanes({0, 0, 1, 0}, {0, 0, 1, 0}, p, q), 0);
    EXPECT_EQ(p, kUntouched);
}

TEST(Projections, FeetOnLinesAndPlanes) {
    Vec3 f = kUntouched;
    double d = -1;
    ASSERT_EQ(footOnLine({3, 4, 0}, {0, 0, 0}, {2, 0, 0}, f, d), 1);
    EXPECT_TRUE(near(f, {3, 0, 0}));
    EXPECT_DOUBLE_EQ(d, 4.0);
    f = kUntouched;
    EXPECT_EQ(footOnLine({3, 4, 0}, {1, 1, 1}, {1, 1, 1 + 1e-7}, f, d), 0);
    EXPECT_EQ(f, kUntouched);

    ASSERT_EQ(footOnPlane({1, 2, 7}, {0, 0, 3}, {1, 0, 3}, {0, 1, 3}, f, d), 1);
    EXPECT_TRUE(near(f, {1, 2, 3}));
    EXPECT_DOUBLE_EQ(d, 4.0);
    ASSERT_EQ(footOnPlane({1, 2, 3}, {0, 0, 3}, {1, 0, 3}, {0, 1, 3}, f, d), 1);
    EXPECT_EQ(d, 0.0);
    f = kUntouched;
    EXPECT_EQ(footOnPlane({1, 2, 7}, {0, 0, 3}, {1, 0, 3}, {2, 0, 3}, f, d), 0);
    EXPECT_EQ(f, kUntouched);
}
