#include <gtest/gtest.h>

#include "geometry/quadratic.h"

TEST(Quadratic, RootsAndTheirOrder) {
    double t1 = -99, t2 = -99;
    ASSERT_EQ(solveQuadratic(1, -3, 2, t1, t2), 2);
    EXPECT_EQ(t1, 2.0);  // (3 + 1)/2 first
    EXPECT_EQ(t2, 1.0);  // then 3 − 2
    ASSERT_EQ(solveQuadratic(-1, 0, 1, t1, t2), 2);
    EXPECT_EQ(t1, -1.0);  // the order follows the sign of a
    EXPECT_EQ(t2, 1.0);

    t2 = -99;
    ASSERT_EQ(solveQuadratic(0, 2, -4, t1, t2), 1);
    EXPECT_EQ(t1, 2.0);
    EXPECT_EQ(t2, -99.0);
    ASSERT_EQ(solveQuadratic(1e-13, 2, -4, t1, t2), 1);  // a below 1e-12 is treated as linear
    EXPECT_EQ(t1, 2.0);
    ASSERT_EQ(solveQuadratic(1, 2, 1, t1, t2), 1);
    EXPECT_EQ(t1, -1.0);
}

TEST(Quadratic, SlightlyNegativeDiscriminantAndNoRoots) {
    double t1 = -99, t2 = -99;
    ASSERT_EQ(solveQuadratic(1, 0, 1e-6, t1, t2), 2);  // D = −4e-6 is used by its magnitude
    EXPECT_NEAR(t1, 1e-3, 1e-15);
    EXPECT_NEAR(t2, -1e-3, 1e-15);
    ASSERT_EQ(solveQuadratic(1, 0, 0.99e-5 / 4, t1, t2), 2);

    t1 = t2 = -99;
    EXPECT_EQ(solveQuadratic(1, 0, 1.01e-5 / 4, t1, t2), 0);
    EXPECT_EQ(solveQuadratic(1, 0, 1, t1, t2), 0);
    EXPECT_EQ(solveQuadratic(0, 0, 5, t1, t2), 0);
    EXPECT_EQ(solveQuadratic(1e-300, 0, 5, t1, t2), 0);
    EXPECT_EQ(t1, -99.0);
    EXPECT_EQ(t2, -99.0);
    // Tiny but not vanishing a with b = 0 is still solved as a quadratic.
    ASSERT_EQ(solveQuadratic(1e-13, 0, -1e-13, t1, t2), 2);
    EXPECT_NEAR(t1, 1.0, 1e-12);
    EXPECT_NEAR(t2, -1.0, 1e-12);
}
