#pragma once

#include "geometry/bound_vector.h"
#include "geometry/plane_equation.h"
#include "geometry/vec3.h"

// Planes from points, frames built from a direction or a plane. Status 1 = done,
// 0 = degenerate input with the outputs left untouched.

// The plane through three points, coefficients scaled by kPlaneScale:
// n = (B−A)×(C−A), (kPlaneScale·n, −kPlaneScale·n·A). 0 when not isTriangle.
int planeThrough3(Vec3 a, Vec3 b, Vec3 c, PlaneEquation& plane);
// The plane through P with normal B − A, unscaled: (B−A, −(B−A)·P). 0 when A, B not distinct.
int planeThroughPointNormal(Vec3 a, Vec3 b, Vec3 p, PlaneEquation& plane);
// Unit vector along (B−A)×(C−A); zero when the cross product is.
BoundVector unitNormal(Vec3 a, Vec3 b, Vec3 c);
// A unit vector perpendicular to v = B − A. Components of v below kPointEps count as 0;
// then, by the first non-zero component: x → (0, −vz, vy), y → (−vz, 0, vx),
// z → (−vy, vx, 0), a lone non-zero component giving (0, 0, 1), (0, 0, 1), (0, 1, 0).
// Zero vector for a zero v.
BoundVector anyPerpendicular(Vec3 a, Vec3 b);
// Two planes whose common line is AB: through A, B, A + p and A, B, A + q with
// p = anyPerpendicular(A, B), q = unit((B−A)×p). 0 when A, B not distinct.
int twoPlanesThroughLine(Vec3 a, Vec3 b, PlaneEquation& first, PlaneEquation& second);
// P, P + p, P + q spanning the plane through P perpendicular to AB (p, q as above).
// 0 when A, B not distinct.
int perpendicularPlanePoints(Vec3 a, Vec3 b, Vec3 p, Vec3 (&points)[3]);
// P, P + (B−A), P + (C−A): the plane through P parallel to ABC. 0 when not isTriangle.
int parallelPlanePoints(Vec3 a, Vec3 b, Vec3 c, Vec3 p, Vec3 (&points)[3]);

// Three spanning points of n points and whether all lie in their plane. P0 is the
// first point, the second the first Pi (1 ≤ i < n−1) distinct from P0, the third the
// first Pj (j > i) making a triangle with them; the points after Pj must lie within
// kPointEps of that plane. Returns 1 with span filled when all that holds, 0 otherwise
// (n < 3, no span, or a point off the plane); span is written only on success.
int findPlaneOfPoints(int n, const Vec3* points, Vec3 (&span)[3]);

// The orthonormal frame of a plane: two in-plane unit axes then the unit normal.
struct PlaneFrame {
    Vec3 axisX;
    Vec3 axisY;
    Vec3 normal;
};

// normal = unitNormal(P0, P1, P2), axisX = unitVector(P0, P1), axisY = unit(normal × axisX).
// 0 when P0, P1, P2 are not a triangle or so thin that the unit normal snaps to zero.
int planeFrameOf(Vec3 p0, Vec3 p1, Vec3 p2, PlaneFrame& frame);
// Frame coordinates of p: its dot products with axisX, axisY, normal (no translation),
// so every point of the plane has the same third coordinate.
Vec3 toFrameCoordinates(const PlaneFrame& frame, Vec3 p);
// The inverse: x·axisX + y·axisY + z·normal.
Vec3 fromFrameCoordinates(const PlaneFrame& frame, Vec3 q);

// Maps n points into the frame of the plane P0 P1 P2 (as toFrameCoordinates), writing
// out[0 … n−1]; in-place use (out == points) is allowed. 0 when n < 0 or not a triangle.
int toPlaneFrame(int n, const Vec3* points, Vec3 p0, Vec3 p1, Vec3 p2, Vec3* out);
// The inverse mapping of toPlaneFrame for the same plane points.
int fromPlaneFrame(int n, const Vec3* frameCoordinates, Vec3 p0, Vec3 p1, Vec3 p2, Vec3* out);
