#pragma once

#include <cmath>

// A point (or direction) in the frame of a plane: the first two frame coordinates.
struct Vec2 {
    double x = 0.0;
    double y = 0.0;

    friend constexpr Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
    friend constexpr Vec2 operator-(Vec2 a) { return {-a.x, -a.y}; }
    friend constexpr Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }
    friend constexpr Vec2 operator*(double s, Vec2 a) { return {a.x * s, a.y * s}; }
    friend constexpr bool operator==(Vec2 a, Vec2 b) = default;
};
