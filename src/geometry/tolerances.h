#pragma once

// The fixed absolute tolerances of the kernel, in model units. Every comparison
// that decides "equal", "parallel" or "perpendicular" uses one of these.

// Two points distinct; perpendicularity; point on a plane; on-segment, on-ray and
// equal-radius tests; minimal arm of an angle; non-zero component in anyPerpendicular.
inline constexpr double kPointEps = 1e-6;
// distance() snaps to exactly 0 below it; loose parallel test; snapToZero.
inline constexpr double kSnapEps = 1e-8;
// Strict parallel test (three points collinear); pivot threshold of the linear solver.
inline constexpr double kParallelEps = 1e-12;
// Zero direction and zero determinant when closing in on two lines.
inline constexpr double kDirectionEps = 1e-20;

// Planes built from three points carry their coefficients multiplied by this, so
// that they stay well above the solver's absolute pivot threshold.
inline constexpr double kPlaneScale = 100000.0;
