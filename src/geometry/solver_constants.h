#pragma once

// Thresholds of the quadratic and conic solvers (all absolute).

// Below this a quantity is treated as an exact zero before dividing by it.
inline constexpr double kZeroGuard = 1e-299;
// |Δ| below it: a hyperbola-like conic is a line pair.
inline constexpr double kLinePairDeterminantEps = 1e-16;
// |Δ| at least this for a parabola; also the leading coefficient below which a quadratic is linear.
inline constexpr double kDeterminantEps = 1e-12;
// |b² − 4ac| below it is a parabola; fitted coefficients below it are snapped to 0.
inline constexpr double kConicSnapEps = 1e-10;
// Largest magnitude accepted for a solved coefficient of a fit attempt.
inline constexpr double kMaxFittedCoefficient = 1e9;
// Two 2-D points closer than this count as one (collinearity test).
inline constexpr double kCoincidentEps2d = 1e-8;
// An angle within this of 0 or π makes three 2-D points collinear.
inline constexpr double kCollinearAngleEps = 1e-6;
// A discriminant down to minus this still gives (equal-ish) real roots.
inline constexpr double kNegativeDiscriminantEps = 1e-5;
// A line whose x coordinates differ by at most this is solved as vertical.
inline constexpr double kVerticalLineEps = 1e-4;
// Below this difference the solution order is decided on y instead of x; also the
// cross-term size below which the principal axes are taken along the frame axes.
inline constexpr double kOrderingEps = 0.001;
// The cross-term size from which the asymptote slopes come from the full quadratic.
inline constexpr double kAsymptoteCrossEps = 1e-4;
// Coefficient size below which a parabola's axis formula treats a term as absent.
inline constexpr double kParabolaTermEps = 1e-6;
// Half-length of the segments that stand for the lines of a line pair.
inline constexpr double kLinePairHalfLength = 1000.0;
