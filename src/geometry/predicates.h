#pragma once

#include "geometry/vec3.h"

// Tolerance predicates: 1 = true, 0 = false.

enum class ParallelTest {
    kLoose,   // |cos| within 1e-8 of 1: two lines count as parallel
    kStrict,  // |sin| below 1e-12: only numerically collinear points fail to span a plane
};

// distance(A, B) > kPointEps.
int isDistinct(Vec3 a, Vec3 b);
// A, B, C pairwise distinct and B − A, C − A not parallel under the strict test, so
// nearly collinear points still span a plane.
int isTriangle(Vec3 a, Vec3 b, Vec3 c);
// Loose: with c = (B−A)·(D−C) / (|B−A|·|D−C|), 1 − 1e-8 < |c| < 1 + 1e-8 (both strict).
// Strict: |(B−A)×(D−C)| < 1e-12·|B−A|·|D−C|. A cosine tolerance of 1e-12 would already
// accept angles up to 1.4e-6 as parallel, so (0,0,0), (1,0,0), (2,1e-7,0) — meant to be a
// triangle — would not be one; the sine keeps the strict test strict.
// A zero-length segment is parallel to nothing.
int areParallel(Vec3 a, Vec3 b, Vec3 c, Vec3 d, ParallelTest test);
// |(B−A)·(D−C)| / (|B−A|·|D−C|) < kPointEps. A zero-length segment is perpendicular to nothing.
int arePerpendicular(Vec3 a, Vec3 b, Vec3 c, Vec3 d);
