#include <gtest/gtest.h>

#include <cmath>

#include "expr/format_number.h"

TEST(FormatNumber, Examples) {
    EXPECT_EQ(formatNumber(0.05, 2), "0.05");
    EXPECT_EQ(formatNumber(0.5, 2), "0.50");
    EXPECT_EQ(formatNumber(-0.001, 2), "-0.00");
    EXPECT_EQ(formatNumber(123456789, 2), "1.23E8");
    EXPECT_EQ(formatNumber(12345678, 4), "1.23E7");
    EXPECT_EQ(formatNumber(1.5, 5, true), "1.5");
    EXPECT_EQ(formatNumber(2, 5, true), "2.0");
}

TEST(FormatNumber, ExponentFormAboveTenMillion) {
    EXPECT_EQ(formatNumber(10000000, 2), "10000000.00");  // not above the threshold
    EXPECT_EQ(formatNumber(10000000.4, 2), "1.00E7");
    EXPECT_EQ(formatNumber(19999999, 0), "1.99E7");  // digits cut, not rounded
    EXPECT_EQ(formatNumber(-12345678, 2), "-1.23E7");
    EXPECT_EQ(formatNumber(99999999.5, 2), "1.00E8");  // the integer rounds first
    EXPECT_EQ(formatNumber(1e300, 3), "1.00E300");
    EXPECT_EQ(formatNumber(-2.5e15, 1), "-2.50E15");
}

TEST(FormatNumber, RoundingPaddingAndSigns) {
    EXPECT_EQ(formatNumber(0, 0), "0");
    EXPECT_EQ(formatNumber(0, 3), "0.000");
    EXPECT_EQ(formatNumber(0.3, 0), "0");
    EXPECT_EQ(formatNumber(0.6, 0), "1");
    EXPECT_EQ(formatNumber(123.456, 2), "123.46");
    EXPECT_EQ(formatNumber(0.000123, 5), "0.00012");
    EXPECT_EQ(formatNumber(3.14159265, 4), "3.1416");
    EXPECT_EQ(formatNumber(1e-7, 8), "0.00000010");
    // Exact halves round away from zero; values just below a half stay below.
    EXPECT_EQ(formatNumber(0.5, 0), "1");
    EXPECT_EQ(formatNumber(2.5, 0), "3");
    EXPECT_EQ(formatNumber(-2.5, 0), "-3");
    EXPECT_EQ(formatNumber(0.125, 2), "0.13");
    EXPECT_EQ(formatNumber(1.005, 2), "1.00");  // 1.00499999999999989…
    EXPECT_EQ(formatNumber(0.375, 2), "0.38");
    EXPECT_EQ(formatNumber(9999999.5, 0), "10000000");
    // The sign stays when the digits round to zero, but not for a negative zero.
    EXPECT_EQ(formatNumber(-0.4, 0), "-0");
    EXPECT_EQ(formatNumber(-0.0, 2), "0.00");
    EXPECT_EQ(formatNumber(-7.25, 1), "-7.3");
}

TEST(FormatNumber, TrimmingAndSnapping) {
    EXPECT_EQ(formatNumber(0.5, 2, true), "0.5");
    EXPECT_EQ(formatNumber(10, 4, true), "10.0");
    EXPECT_EQ(formatNumber(0.0001, 4, true), "0.0001");
    EXPECT_EQ(formatNumber(0, 5, true), "0.0");
    EXPECT_EQ(formatNumber(100, 0, true), "100");  // no decimals, nothing to trim
    EXPECT_EQ(formatNumber(0.01, 5, true, false), "0.01");

    EXPECT_EQ(formatNumber(5e-10, 8, false, true), "0.00000000");
    EXPECT_EQ(formatNumber(-5e-10, 2, false, true), "0.00");
    EXPECT_EQ(formatNumber(-5e-10, 2), "-0.00");
    EXPECT_EQ(formatNumber(2e-9, 8, false, true), "0.00000000");
    EXPECT_EQ(formatNumber(1e-9, 9, false, true), "0.00000000");  // decimals clamp to 8
}

TEST(FormatNumber, DecimalsOutsideTheRangeAndOddValues) {
    EXPECT_EQ(formatNumber(1.5, 12), "1.50000000");
    EXPECT_EQ(formatNumber(1.5, -3), "2");
    EXPECT_EQ(formatNumber(NAN, 2), "nan");
    EXPECT_EQ(formatNumber(-INFINITY, 2), "-inf");
}
