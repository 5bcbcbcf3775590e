#pragma once

#include "geometry/plane_equation.h"
#include "geometry/vec3.h"

// Largest system solveLinearSystem takes; rows are stored with room for the right-hand side.
inline constexpr int kMaxUnknowns = 5;
inline constexpr int kSystemRowStride = kMaxUnknowns + 1;

// Solves n equations (1 ≤ n ≤ 5) whose rows hold n coefficients then the right-hand
// side, by Gaussian elimination with partial pivoting (on equal magnitudes the earlier
// row stays the pivot). The matrix is reduced in place. Returns 0, leaving solution
// untouched, when a pivot (or the last diagonal entry) is below kParallelEps or n is
// out of range; otherwise writes solution[0 … n−1] and returns 1.
int solveLinearSystem(int n, double (*matrix)[kSystemRowStride], double* solution);

// The common point of three planes, from the rows (a, b, c | −d). 0 when the planes
// do not have a single common point.
int intersectThreePlanes(const PlaneEquation& e1, const PlaneEquation& e2, const PlaneEquation& e3,
                         Vec3& point);
