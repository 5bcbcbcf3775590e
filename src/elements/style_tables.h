#pragma once

#include <algorithm>
#include <array>

// Sizes behind the "Tamaño" entries t1 … t5 (size index 0 … 4). Points and lines
// are drawn and picked with the same radii in their solid shape.

inline constexpr std::array<double, 5> kPointRadius = {0.02, 0.03, 0.04, 0.05, 0.06};
inline constexpr std::array<double, 5> kLineRadius = {0.005, 0.01, 0.02, 0.03, 0.04};
inline constexpr std::array<double, 5> kPointPixels = {2.0, 3.5, 5.0, 6.5, 8.0};
inline constexpr std::array<double, 5> kLinePixels = {1.0, 2.0, 3.0, 4.0, 5.0};
inline constexpr std::array<double, 5> kPlaneExtent = {1.0, 2.0, 5.0, 10.0, 30.0};

// A size index from a file may be anything; tables are read through this.
constexpr int clampSizeIndex(int size) {
    return std::clamp(size, 0, 4);
}

constexpr double pointRadius(int size) {
    return kPointRadius[static_cast<std::size_t>(clampSizeIndex(size))];
}
constexpr double lineRadius(int size) {
    return kLineRadius[static_cast<std::size_t>(clampSizeIndex(size))];
}
constexpr double planeExtent(int size) {
    return kPlaneExtent[static_cast<std::size_t>(clampSizeIndex(size))];
}

// Depth factor of the pick radii: far elements keep a usable target. D is the
// distance from the pick ray's origin to the tested point; projection 1 is parallel.
constexpr double depthFactor(double distanceFromEye, int projection) {
    return std::max(1.0, distanceFromEye / (projection == 1 ? 300.0 : 5.0));
}
// Circles, arcs and conics are picked more generously in central projection.
constexpr double curveDepthFactor(double distanceFromEye, int projection) {
    return std::max(1.0, distanceFromEye / (projection == 1 ? 300.0 : 2.0));
}
