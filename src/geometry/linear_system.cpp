#include "geometry/linear_system.h"

#include <cmath>
#include <utility>

#include "geometry/tolerances.h"

namespace {

// A pivot must be at least kParallelEps; written as a negated test so NaN fails too.
bool isUsablePivot(double magnitude) {
    return magnitude >= kParallelEps;
}

}  // namespace

int solveLinearSystem(int n, double (*a)[kSystemRowStride], double* solution) {
    if (n < 1 || n > kMaxUnknowns || a == nullptr || solution == nullptr) return 0;
    for (int i = 0; i < n - 1; ++i) {
        int pivotRow = i;
        double largest = std::fabs(a[i][i]);
        for (int row = i + 1; row < n; ++row) {
            const double magnitude = std::fabs(a[row][i]);
            if (magnitude > largest) {  // strict: a tie keeps the earlier row
                largest = magnitude;
                pivotRow = row;
            }
        }
        if (!isUsablePivot(largest)) return 0;
        if (pivotRow != i) {
            for (int k = 0; k <= n; ++k) std::swap(a[i][k], a[pivotRow][k]);
        }
        for (int j = i + 1; j < n; ++j) {
            // Downwards in k so that a[j][i] is still the original factor when k reaches i.
            for (int k = n; k >= i; --k) a[j][k] -= a[i][k] * a[j][i] / a[i][i];
        }
    }
    if (!isUsablePivot(std::fabs(a[n - 1][n - 1]))) return 0;
    double x[kMaxUnknowns] = {};
    for (int i = n - 1; i >= 0; --i) {
        double sum = a[i][n];
        for (int j = i + 1; j < n; ++j) sum -= a[i][j] * x[j];
        x[i] = sum / a[i][i];
    }
    for (int i = 0; i < n; ++i) solution[i] = x[i];
    return 1;
}

int intersectThreePlanes(const PlaneEquation& e1, const PlaneEquation& e2, const PlaneEquation& e3,
                         Vec3& point) {
    double rows[3][kSystemRowStride] = {
        {e1.a, e1.b, e1.c, -e1.d}, {e2.a, e2.b, e2.c, -e2.d}, {e3.a, e3.b, e3.c, -e3.d}};
    double x[3];
    if (!solveLinearSystem(3, rows, x)) return 0;
    point = {x[0], x[1], x[2]};
    return 1;
}
