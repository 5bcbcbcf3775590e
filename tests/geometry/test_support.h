#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/vec2.h"
#include "geometry/vec3.h"

inline ::testing::AssertionResult near(Vec3 actual, Vec3 expected, double tolerance = 1e-9) {
    const double gap = std::sqrt((actual.x - expected.x) * (actual.x - expected.x) +
                                 (actual.y - expected.y) * (actual.y - expected.y) +
                                 (actual.z - expected.z) * (actual.z - expected.z));
    if (gap <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is " << gap << " from ("
           << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

inline ::testing::AssertionResult near(Vec2 actual, Vec2 expected, double tolerance = 1e-9) {
    return near(Vec3{actual.x, actual.y, 0.0}, Vec3{expected.x, expected.y, 0.0}, tolerance);
}

// A marker value that no routine computes, to check that failing routines leave outputs alone.
inline constexpr Vec3 kUntouched{123.0, -456.0, 789.0};

inline double uniform(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

inline Vec3 randomPoint(std::mt19937& rng, double extent = 5.0) {
    return {uniform(rng, -extent, extent), uniform(rng, -extent, extent), uniform(rng, -extent, extent)};
}

inline Vec3 randomUnit(std::mt19937& rng) {
    for (;;) {
        const Vec3 v = randomPoint(rng, 1.0);
        const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        if (length > 0.1 && length <= 1.0) return v * (1.0 / length);
    }
}
