#pragma once

#include <cmath>

// The point value type of the whole program: a position or, read as a vector
// from the origin, a direction. Stored in files as three little-endian doubles.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend constexpr Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend constexpr Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend constexpr Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
    friend constexpr Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
    friend constexpr Vec3 operator*(double s, Vec3 a) { return {a.x * s, a.y * s, a.z * s}; }
    friend constexpr bool operator==(Vec3 a, Vec3 b) = default;
};

// Plain vector algebra on free directions; the tolerance-aware routines live in vectors.h.
constexpr double dotProduct(Vec3 u, Vec3 v) {
    return u.x * v.x + u.y * v.y + u.z * v.z;
}
constexpr Vec3 crossProduct(Vec3 u, Vec3 v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}
inline double norm(Vec3 v) {
    return std::sqrt(dotProduct(v, v));
}
