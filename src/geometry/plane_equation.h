#pragma once

#include "geometry/vec3.h"

// The plane a·x + b·y + c·z + d = 0; (a, b, c) is a normal, not normalised.
struct PlaneEquation {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;
};

constexpr Vec3 normalOf(const PlaneEquation& plane) {
    return {plane.a, plane.b, plane.c};
}
