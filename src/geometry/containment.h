#pragma once

#include "geometry/vec2.h"
#include "geometry/vec3.h"

// Filters applied to an intersection point when a parent is bounded. 1 = inside.

// X between A and B, ends included: (A − X)·(B − X) ≤ kPointEps. Otherwise 0, and
// `nearest` gets the nearer end (A when X is farther from B than from A, else B).
int isOnSegment(Vec3 x, Vec3 a, Vec3 b, Vec3& nearest);
// X on the ray from A through B: (A − X)·(B − A) ≤ kPointEps. Otherwise 0 and `nearest` = A.
int isOnRay(Vec3 x, Vec3 a, Vec3 b, Vec3& nearest);
// X (on the arc's circle) on the arc from A through M to B: within kSnapEps of an end, or
// the line X M meets the chord line AB outside the chord; 1 when those lines do not meet.
int isOnArc(Vec3 x, Vec3 a, Vec3 m, Vec3 b);
// X inside the polygon of n vertices or on its boundary (within kPointEps of an edge, by
// the sum of distances); otherwise by the parity of edge crossings above X. 0 for n < 1.
int pointInPolygon2d(Vec2 x, int n, const Vec2* vertices);
// The same for a polygon in space, tested in the frame of its plane P0 P1 P2; X is taken
// to lie in that plane. 0 when the plane points are not a triangle. Allocation-free.
int pointInPolygon(Vec3 x, int n, const Vec3* vertices, Vec3 p0, Vec3 p1, Vec3 p2);
