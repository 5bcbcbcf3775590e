#pragma once

#include <cstdint>

#include "geometry/vec2.h"

// a·y² + b·x·y + c·x² + d·y + e·x + f = 0 in a plane's frame, in exactly this order
// (the y² coefficient first, the x² coefficient third).
struct ConicCoefficients {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;
    double e = 0.0;
    double f = 0.0;
};

// Stored as a 32-bit integer.
enum class ConicType : std::int32_t {
    kNone = 0,
    kEllipse = 1,
    kHyperbola = 2,
    kParabola = 3,
    kLinePair = 4,
    kDegenerate = 5,  // two lines through a collinear triple, or no proper conic
};

// The value of the conic's equation at p.
constexpr double conicValue(const ConicCoefficients& k, Vec2 p) {
    return k.a * p.y * p.y + k.b * p.x * p.y + k.c * p.x * p.x + k.d * p.y + k.e * p.x + k.f;
}
