#include "geometry/quadratic.h"

#include <cmath>

#include "geometry/solver_constants.h"

int solveQuadratic(double a, double b, double c, double& t1, double& t2) {
    const double discriminant = b * b - 4.0 * a * c;
    if (std::fabs(a) < kDeterminantEps && b != 0.0) {
        t1 = -c / b;
        return 1;
    }
    if (std::fabs(a) < kZeroGuard && std::fabs(b) < kZeroGuard) return 0;
    if (!(discriminant > -kNegativeDiscriminantEps)) return 0;
    const double g = std::fabs(discriminant);
    if (g < kZeroGuard) {
        t1 = -b / (2.0 * a);
        return 1;
    }
    t1 = (-b + std::sqrt(g)) / (2.0 * a);
    t2 = -b / a - t1;
    return 2;
}
