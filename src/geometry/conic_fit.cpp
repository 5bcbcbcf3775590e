#include "geometry/conic_fit.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

#include "geometry/geometry2d.h"
#include "geometry/linear_system.h"
#include "geometry/solver_constants.h"

int isCollinear(Vec2 a, Vec2 b, Vec2 c) {
    if (distance2d(a, b) < kCoincidentEps2d || distance2d(b, c) < kCoincidentEps2d ||
        distance2d(a, c) < kCoincidentEps2d)
        return 1;
    const double angle = angleBetween2d(b - a, c - a);
    return angle <= kCollinearAngleEps || std::fabs(angle - std::numbers::pi) <= kCollinearAngleEps ? 1 : 0;
}

int firstCollinearTriple(const Vec2 (&points)[5]) {
    for (int i = 0; i < 10; ++i) {
        const TripleSplit& split = kTripleTable[i];
        if (isCollinear(points[split.triple[0]], points[split.triple[1]], points[split.triple[2]])) return i;
    }
    return -1;
}

int hasCollinearTriple(const Vec2 (&points)[5]) {
    return firstCollinearTriple(points) >= 0 ? 1 : 0;
}

ConicType classifyConic(const ConicCoefficients& k, const Vec2* elementPoints) {
    const double m[3][3] = {{k.c, k.b / 2, k.e / 2}, {k.b / 2, k.a, k.d / 2}, {k.e / 2, k.d / 2, k.f}};
    const double delta = m[0][0] * m[1][1] * m[2][2] + m[0][1] * m[1][2] * m[2][0] +
                         m[0][2] * m[1][0] * m[2][1] - m[0][2] * m[1][1] * m[2][0] -
                         m[0][0] * m[1][2] * m[2][1] - m[0][1] * m[1][0] * m[2][2];
    const double disc = k.b * k.b - 4.0 * k.a * k.c;
    bool collinear = false;
    if (elementPoints != nullptr) {
        const Vec2 five[5] = {elementPoints[0], elementPoints[1], elementPoints[2], elementPoints[3],
                              elementPoints[4]};
        collinear = hasCollinearTriple(five) != 0;
    }
    if (std::fabs(disc) >= kConicSnapEps) {
        if (disc >= 0.0)
            return std::fabs(delta) < kLinePairDeterminantEps || collinear ? ConicType::kLinePair
                                                                           : ConicType::kHyperbola;
        return collinear ? ConicType::kDegenerate : ConicType::kEllipse;
    }
    return std::fabs(delta) >= kDeterminantEps && !collinear ? ConicType::kParabola : ConicType::kDegenerate;
}

namespace {

// One attempt with the coefficient `fixed` (0 = y², 1 = x·y, 2 = x²) set to 1.
bool fitWithFixed(const Vec2 (&points)[5], int fixed, ConicCoefficients& k) {
    double rows[5][kSystemRowStride];
    for (int i = 0; i < 5; ++i) {
        const double x = points[i].x;
        const double y = points[i].y;
        const double monomials[6] = {y * y, x * y, x * x, y, x, 1.0};
        int column = 0;
        for (int j = 0; j < 6; ++j) {
            if (j != fixed) rows[i][column++] = monomials[j];
        }
        rows[i][5] = -monomials[fixed];
    }
    double solved[5];
    if (!solveLinearSystem(5, rows, solved)) return false;
    for (double value : solved) {
        if (!(std::fabs(value) <= kMaxFittedCoefficient)) return false;
    }
    double all[6];
    int next = 0;
    for (int j = 0; j < 6; ++j) all[j] = j == fixed ? 1.0 : solved[next++];
    k = {all[0], all[1], all[2], all[3], all[4], all[5]};
    return true;
}

}  // namespace

ConicType fitConic(const Vec2 (&points)[5], bool pointsOfElement, ConicCoefficients& k) {
    ConicCoefficients fitted;
    if (!fitWithFixed(points, 0, fitted) && !fitWithFixed(points, 1, fitted) &&
        !fitWithFixed(points, 2, fitted))
        return ConicType::kNone;
    for (double* value : {&fitted.a, &fitted.b, &fitted.c, &fitted.d, &fitted.e}) {
        if (std::fabs(*value) < kConicSnapEps) *value = 0.0;
    }
    k = fitted;
    return classifyConic(fitted, pointsOfElement ? points : nullptr);
}
