#pragma once

#include "geometry/bound_vector.h"
#include "geometry/vec3.h"

// Scalar and vector operations on points. A direction result is a BoundVector
// from the origin; callers read its end.

// |B − A|, or exactly 0 when that is below kSnapEps (so tiny gaps never count).
double distance(Vec3 a, Vec3 b);
// (B − A)·(D − C).
double dot(Vec3 a, Vec3 b, Vec3 c, Vec3 d);
// (B − A)/distance(A, B) from the origin; the zero vector when that distance is 0.
BoundVector unitVector(Vec3 a, Vec3 b);
// (B − A)×(D − C) normalised by unitVector; a zero cross product stays zero.
BoundVector unitCross(Vec3 a, Vec3 b, Vec3 c, Vec3 d);
// A + h·unitVector(A, B); a negative h gives a point behind A, A itself when A = B.
Vec3 pointTowards(Vec3 a, Vec3 b, double h);
// The vector A→B placed at P: (P, P + (B − A)).
BoundVector placeVector(Vec3 a, Vec3 b, Vec3 p);
// From the origin to (B − A) + (D − C) of the two bound vectors.
BoundVector vectorSum(const BoundVector& ab, const BoundVector& cd);
// A + (B − A)/2 per coordinate.
Vec3 midpoint(Vec3 a, Vec3 b);
// v, or 0 when |v| < kSnapEps.
double snapToZero(double v);
// Whether P lies clearly farther than d from the line AB, by plain vector
// algebra: a quick refusal before the exact routines decide near the limit.
// False when A and B coincide.
bool clearlyFartherFromLine(Vec3 p, Vec3 a, Vec3 b, double d);
