#pragma once

#include "geometry/vec3.h"

// Point transformations. Status 1, or 0 on a degenerate axis or plane (image untouched).

// The image of A in the centre B: pointTowards(A, B, 2·distance(A, B)); A itself when A = B.
int reflectInPoint(Vec3 a, Vec3 b, Vec3& image);
// The image of P in the line AB (twice the way to its foot). 0 when A, B not distinct.
int reflectInLine(Vec3 p, Vec3 a, Vec3 b, Vec3& image);
// The image of P in the plane ABC. 0 when A, B, C are not a triangle.
int reflectInPlane(Vec3 p, Vec3 a, Vec3 b, Vec3 c, Vec3& image);
// P + (B − A).
int translatePoint(Vec3 p, Vec3 a, Vec3 b, Vec3& image);
// P turned by θ about the line AB, right-handed about the direction A→B. A point on the
// axis maps to itself. 0 when A, B not distinct.
int rotateAboutAxis(Vec3 p, Vec3 a, Vec3 b, double theta, Vec3& image);
// The n vertices of a regular polygon: P turned by i·2π/n, i = 0 … n−1, about the line
// through C with direction Y − X (the first vertex is P itself), written to out[0 … n−1].
// 0 when n < 1 or X, Y not distinct.
int regularPolygonPoints(int n, Vec3 c, Vec3 x, Vec3 y, Vec3 p, Vec3* out);
