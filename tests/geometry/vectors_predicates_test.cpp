#include <gtest/gtest.h>

#include "geometry/predicates.h"
#include "geometry/vectors.h"
#include "test_support.h"

TEST(Distance, SnapsToZeroBelowOneHundredMillionth) {
    EXPECT_EQ(distance({0, 0, 0}, {5e-9, 0, 0}), 0.0);
    EXPECT_EQ(distance({1, 1, 1}, {1, 1 + 4e-9, 1 + 4e-9}), 0.0);
    EXPECT_NEAR(distance({0, 0, 0}, {2e-8, 0, 0}), 2e-8, 1e-22);
    EXPECT_GT(distance({0, 0, 0}, {1e-8, 0, 0}), 0.0);  // the snap is strict
    EXPECT_DOUBLE_EQ(distance({1, 2, 3}, {4, 6, 3}), 5.0);
}

TEST(Predicates, DistinctAndTriangle) {
    EXPECT_EQ(isDistinct({0, 0, 0}, {1e-6, 0, 0}), 0);  // strict: exactly 1e-6 apart is the same point
    EXPECT_EQ(isDistinct({0, 0, 0}, {1.01e-6, 0, 0}), 1);

    EXPECT_EQ(isTriangle({1, 1, 1}, {1, 1, 1}, {2, 0, 0}), 0);
    EXPECT_EQ(isTriangle({0, 0, 0}, {1, 0, 0}, {1, 0, 5e-7}), 0);  // B, C not distinct
    EXPECT_EQ(isTriangle({0, 0, 0}, {1, 1, 1}, {2, 2, 2}), 0);
    // Nearly collinear still spans a plane: the strict parallel test decides.
    EXPECT_EQ(isTriangle({0, 0, 0}, {1, 0, 0}, {2, 1e-7, 0}), 1);
}

TEST(Predicates, ParallelLooseVersusStrict) {
    // Angle 1e-5 (cos ≈ 1 − 5e-11): parallel for the loose test, not for the strict one.
    EXPECT_EQ(areParallel({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 1e-5, 0}, ParallelTest::kLoose), 1);
    EXPECT_EQ(areParallel({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 1e-5, 0}, ParallelTest::kStrict), 0);
    // Loose boundary: cos = 1 − 0.5e-8 is parallel, cos = 1 − 2e-8 is not.
    EXPECT_EQ(areParallel({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 1e-4, 0}, ParallelTest::kLoose), 1);
    EXPECT_EQ(areParallel({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 2e-4, 0}, ParallelTest::kLoose), 0);
    // Strict boundary on the sine: 0.5e-12 is parallel, 2e-12 is not; opposite directions count.
    EXPECT_EQ(areParallel({0, 0, 0}, {1, 0, 0}, {3, 3, 3}, {1, 3 + 1e-12, 3}, ParallelTest::kStrict), 1);
    EXPECT_EQ(areParallel({0, 0, 0}, {1, 0, 0}, {3, 3, 3}, {1, 3 + 4e-12, 3}, ParallelTest::kStrict), 0);
    EXPECT_EQ(areParallel({0, 0, 0}, {1, 0, 0}, {3, 3, 3}, {5, 3, 3}, ParallelTest::kStrict), 1);
    // cos ≈ 1 − 5e-7 is parallel for neither.
    EXPECT_EQ(areParallel({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 1e-3, 0}, ParallelTest::kLoose), 0);
    // A zero-length segment is parallel to nothing, and never NaN-true.
    EXPECT_EQ(areParallel({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 0, 0}, ParallelTest::kLoose), 0);
}

TEST(Predicates, Perpendicular) {
    EXPECT_EQ(arePerpendicular({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1e-7, 1, 0}), 1);
    EXPECT_EQ(arePerpendicular({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {2e-6, 1, 0}), 0);
    EXPECT_EQ(arePerpendicular({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 1, 0}), 0);
}

TEST(VectorOperations, UnitVectorsAndPlacing) {
    EXPECT_TRUE(near(unitVector({1, 1, 1}, {1, 4, 5}).end, {0, 0.6, 0.8}));
    EXPECT_EQ(unitVector({1, 1, 1}, {1, 1, 1}).start, (Vec3{0, 0, 0}));
    EXPECT_EQ(unitVector({1, 1, 1}, {1, 1, 1 + 5e-9}).end, (Vec3{0, 0, 0}));  // snapped distance: no failure
    EXPECT_TRUE(near(unitCross({0, 0, 0}, {2, 0, 0}, {0, 0, 0}, {0, 3, 0}).end, {0, 0, 1}));
    EXPECT_EQ(unitCross({0, 0, 0}, {2, 0, 0}, {1, 1, 1}, {5, 1, 1}).end, (Vec3{0, 0, 0}));
    EXPECT_DOUBLE_EQ(dot({1, 0, 0}, {2, 1, 0}, {0, 0, 0}, {3, 4, 5}), 7.0);

    EXPECT_TRUE(near(pointTowards({1, 0, 0}, {3, 0, 0}, 5), {6, 0, 0}));
    EXPECT_TRUE(near(pointTowards({1, 0, 0}, {3, 0, 0}, -2), {-1, 0, 0}));
    EXPECT_EQ(pointTowards({1, 2, 3}, {1, 2, 3}, 4), (Vec3{1, 2, 3}));

    const BoundVector placed = placeVector({1, 1, 1}, {2, 3, 4}, {10, 0, 0});
    EXPECT_EQ(placed.start, (Vec3{10, 0, 0}));
    EXPECT_EQ(placed.end, (Vec3{11, 2, 3}));
    const BoundVector sum = vectorSum({{1, 1, 1}, {2, 1, 1}}, {{5, 5, 5}, {5, 7, 5}});
    EXPECT_EQ(sum.start, (Vec3{0, 0, 0}));
    EXPECT_EQ(sum.end, (Vec3{1, 2, 0}));
    EXPECT_EQ(midpoint({1, 2, 3}, {3, 6, -3}), (Vec3{2, 4, 0}));
}

TEST(VectorOperations, SnapToZero) {
    EXPECT_EQ(snapToZero(9.9e-9), 0.0);
    EXPECT_EQ(snapToZero(-9.9e-9), 0.0);
    EXPECT_EQ(snapToZero(1e-8), 1e-8);  // strict
    EXPECT_EQ(snapToZero(-0.5), -0.5);
}
