#pragma once

#include "geometry/vec3.h"

// Tolerance predicates: 1 = true, 0 = false.

enum class ParallelTest {
    kLoose,   // |cos| within 1e-8 of 1: two lines count as parallel
    kStrict,  // |cos| within 1e-12 of 1: three points count as collinear
};

// distance(A, B) > kPointEps.
int isDistinct(Vec3 a, Vec3 b);
// A, B, C pairwise distinct and B − A, C − A not parallel under the strict test, so
// nearly collinear points still span a plane.
int isTriangle(Vec3 a, Vec3 b, Vec3 c);
// With c = (B−A)·(D−C) / (|B−A|·|D−C|): 1 − t < |c| < 1 + t (both strict), t = 1e-8
// loose or 1e-12 strict. A zero-length segment is parallel to nothing.
int areParallel(Vec3 a, Vec3 b, Vec3 c, Vec3 d, ParallelTest test);
// |(B−A)·(D−C)| / (|B−A|·|D−C|) < kPointEps. A zero-length segment is perpendicular to nothing.
int arePerpendicular(Vec3 a, Vec3 b, Vec3 c, Vec3 d);
