#pragma once

// Real roots of a·t² + b·t + c = 0, robust near degeneracy. Returns the count:
// 1 (t1 = −c/b) when |a| < 1e-12 and b ≠ 0; 0 when a and b both vanish (below 1e-299)
// or the discriminant D ≤ −1e-5; 1 (t1 = −b/2a) when |D| < 1e-299; otherwise 2 with
// t1 = (−b + √|D|)/2a, t2 = −b/a − t1 — a slightly negative D counts by its magnitude.
// Roots not reported are left untouched.
int solveQuadratic(double a, double b, double c, double& t1, double& t2);
