#include <gtest/gtest.h>

#include "geometry/linear_system.h"
#include "test_support.h"

TEST(LinearSystem, SolvesWithPartialPivoting) {
    double m[3][kSystemRowStride] = {{2, 1, -1, 8}, {-3, -1, 2, -11}, {-2, 1, 2, -3}};
    double x[3];
    ASSERT_EQ(solveLinearSystem(3, m, x), 1);
    EXPECT_NEAR(x[0], 2, 1e-12);
    EXPECT_NEAR(x[1], 3, 1e-12);
    EXPECT_NEAR(x[2], -1, 1e-12);

    // A zero leading entry is pivoted away.
    double swapped[2][kSystemRowStride] = {{0, 1, 1}, {1, 0, 2}};
    ASSERT_EQ(solveLinearSystem(2, swapped, x), 1);
    EXPECT_DOUBLE_EQ(x[0], 2);
    EXPECT_DOUBLE_EQ(x[1], 1);
}

TEST(LinearSystem, EqualMagnitudesKeepTheEarlierRow) {
    double m[2][kSystemRowStride] = {{1, 2, 3}, {-1, 1, 0}};
    double x[2];
    ASSERT_EQ(solveLinearSystem(2, m, x), 1);
    EXPECT_EQ(m[0][0], 1.0);  // no swap: row 0 stayed the pivot row
    EXPECT_EQ(m[0][2], 3.0);
    EXPECT_DOUBLE_EQ(x[0], 1);
    EXPECT_DOUBLE_EQ(x[1], 1);

    double larger[2][kSystemRowStride] = {{1, 2, 3}, {-1.5, 1, 0}};
    ASSERT_EQ(solveLinearSystem(2, larger, x), 1);
    EXPECT_EQ(larger[0][0], -1.5);  // the larger magnitude wins
}

TEST(LinearSystem, PivotThresholdAndFailures) {
    double x[5] = {9, 9, 9, 9, 9};
    double tiny[2][kSystemRowStride] = {{1e-13, 0, 1}, {0, 1, 1}};
    EXPECT_EQ(solveLinearSystem(2, tiny, x), 0);
    EXPECT_EQ(x[0], 9.0);  // untouched

    double boundary[2][kSystemRowStride] = {{1e-12, 0, 1e-12}, {0, 1, 1}};
    ASSERT_EQ(solveLinearSystem(2, boundary, x), 1);  // exactly the threshold is accepted
    EXPECT_DOUBLE_EQ(x[0], 1);

    double lastRow[2][kSystemRowStride] = {{1, 1, 2}, {1, 1, 3}};
    x[0] = 9;
    EXPECT_EQ(solveLinearSystem(2, lastRow, x), 0);  // fails on the final diagonal check
    EXPECT_EQ(x[0], 9.0);

    double one[1][kSystemRowStride] = {{4, 2}};
    ASSERT_EQ(solveLinearSystem(1, one, x), 1);
    EXPECT_DOUBLE_EQ(x[0], 0.5);
    double six[6][kSystemRowStride] = {};
    EXPECT_EQ(solveLinearSystem(6, six, x), 0);
    EXPECT_EQ(solveLinearSystem(0, six, x), 0);
}

TEST(LinearSystem, FiveUnknownsUseTheFullStride) {
    // x_i = i + 1 for a diagonally dominant system.
    double m[5][kSystemRowStride];
    for (int i = 0; i < 5; ++i) {
        double rhs = 0;
        for (int j = 0; j < 5; ++j) {
            m[i][j] = i == j ? 10.0 : 1.0 / (1 + i + j);
            rhs += m[i][j] * (j + 1);
        }
        m[i][5] = rhs;
    }
    double x[5];
    ASSERT_EQ(solveLinearSystem(5, m, x), 1);
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(x[i], i + 1, 1e-12);
}

TEST(LinearSystem, ThreePlanes) {
    Vec3 p = kUntouched;
    ASSERT_EQ(intersectThreePlanes({1, 0, 0, -1}, {0, 1, 0, -2}, {0, 0, 1, -3}, p), 1);
    EXPECT_TRUE(near(p, {1, 2, 3}));
    p = kUntouched;
    EXPECT_EQ(intersectThreePlanes({1, 0, 0, -1}, {2, 0, 0, -2}, {0, 0, 1, -3}, p), 0);
    EXPECT_EQ(p, kUntouched);
}
