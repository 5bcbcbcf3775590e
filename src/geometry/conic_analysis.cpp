#include "geometry/conic_analysis.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "geometry/conic_fit.h"
#include "geometry/geometry2d.h"
#include "geometry/linear_system.h"
#include "geometry/quadratic.h"
#include "geometry/solver_constants.h"

namespace {

Vec2 unit2d(Vec2 v) {
    const double length = std::hypot(v.x, v.y);
    return length > 0.0 ? v * (1.0 / length) : Vec2{};
}

Vec2 gradientAt(const ConicCoefficients& k, Vec2 p) {
    return {2.0 * k.c * p.x + k.b * p.y + k.e, k.b * p.x + 2.0 * k.a * p.y + k.d};
}

// Eigen-directions of the quadratic part [[c, b/2], [b/2, a]]: `major` belongs to the
// algebraically larger eigenvalue, `minor` (its perpendicular) to the smaller.
struct QuadraticPart {
    Vec2 major;
    Vec2 minor;
    double majorValue;
    double minorValue;
};

QuadraticPart quadraticPartOf(const ConicCoefficients& k) {
    const double theta = 0.5 * std::atan2(k.b, k.c - k.a);
    const double mean = 0.5 * (k.c + k.a);
    const double spread = std::hypot(0.5 * (k.c - k.a), 0.5 * k.b);
    return {{std::cos(theta), std::sin(theta)},
            {-std::sin(theta), std::cos(theta)},
            mean + spread,
            mean - spread};
}

// Two points of a parabola's axis; 0 when the quadratic part vanishes.
int parabolaAxis(const ConicCoefficients& k, Vec2& p1, Vec2& p2) {
    if (std::fabs(k.b) <= kParabolaTermEps && std::fabs(k.c) <= kParabolaTermEps) {
        if (!(std::fabs(k.a) > kParabolaTermEps)) return 0;
        const double y = -k.d / (2.0 * k.a);
        p1 = {0.0, y};
        p2 = {1.0, y};
        return 1;
    }
    if (std::fabs(k.b) <= kParabolaTermEps) {
        const double x = -k.e / (2.0 * k.c);
        p1 = {x, 0.0};
        p2 = {x, 1.0};
        return 1;
    }
    // Slanted: the quadratic part is λ·s² across the axis (s along the eigen-direction of
    // the larger |λ|), so the equation is symmetric about s = −(L·w)/(2λ), L = (e, d).
    const QuadraticPart part = quadraticPartOf(k);
    const bool majorAcross = std::fabs(part.majorValue) >= std::fabs(part.minorValue);
    const Vec2 across = majorAcross ? part.major : part.minor;
    const double lambda = majorAcross ? part.majorValue : part.minorValue;
    const Vec2 along = majorAcross ? part.minor : part.major;
    const double s = -dot2d({k.e, k.d}, across) / (2.0 * lambda);
    p1 = s * across;
    p2 = p1 + along;
    return 1;
}

int parabolaAxes(const ConicCoefficients& k, ConicAxes& axes) {
    Vec2 p1, p2;
    if (!parabolaAxis(k, p1, p2)) return 0;
    Vec2 s1, s2;
    const int count = intersectLineConic2d(p1, p2, k, s1, s2);
    if (count == 0) return 0;
    const Vec2 vertex = count == 2 && std::hypot(s2.x, s2.y) < std::hypot(s1.x, s1.y) ? s2 : s1;
    Vec2 inward = unit2d(p2 - p1);
    // Inside a parabola the equation has the sign opposite to its quadratic part's trace.
    if (dot2d(gradientAt(k, vertex), inward) * (k.a + k.c) > 0.0) inward = -inward;
    const Vec2 inner = vertex + inward;
    axes.vertices[0] = vertex;
    axes.vertices[1] = inner;
    axes.vertices[2] = vertex;
    axes.vertices[3] = inner;
    axes.directions[0] = inward;
    axes.directions[1] = {-inward.y, inward.x};
    return 1;
}

}  // namespace

int conicCentre(const ConicCoefficients& k, Vec2& centre) {
    double rows[2][kSystemRowStride] = {{2.0 * k.c, k.b, -k.e}, {k.b, 2.0 * k.a, -k.d}};
    double x[2];
    if (!solveLinearSystem(2, rows, x)) return 0;
    centre = {x[0], x[1]};
    return 1;
}

int linePair(const Vec2 (&points)[5], Vec2 (&lines)[4]) {
    const int index = firstCollinearTriple(points);
    if (index < 0) return 0;
    const TripleSplit& split = kTripleTable[index];
    const Vec2 from[2] = {points[split.triple[0]], points[split.pair[0]]};
    const Vec2 to[2] = {points[split.triple[1]], points[split.pair[1]]};
    Vec2 result[4];
    for (int i = 0; i < 2; ++i) {
        if (distance2d(from[i], to[i]) < kCoincidentEps2d) return 0;
        const Vec2 u = unit2d(to[i] - from[i]);
        result[2 * i] = from[i] - kLinePairHalfLength * u;
        result[2 * i + 1] = from[i] + kLinePairHalfLength * u;
    }
    for (int i = 0; i < 4; ++i) lines[i] = result[i];
    return 1;
}

int intersectLineConic2d(Vec2 p1, Vec2 p2, const ConicCoefficients& k, Vec2& first, Vec2& second) {
    const double p = p1.y - p2.y;
    const double q = p2.x - p1.x;
    const double r = p1.x * p2.y - p2.x * p1.y;
    Vec2 s[2];
    int count = 0;
    double t[2] = {0.0, 0.0};
    if (std::fabs(q) > kVerticalLineEps) {
        const double pq = p / q;
        const double rq = r / q;
        count =
            solveQuadratic(k.c + k.a * pq * pq - k.b * pq, k.e + 2.0 * k.a * pq * rq - k.b * rq - k.d * pq,
                           k.f + k.a * rq * rq - k.d * rq, t[0], t[1]);
        for (int i = 0; i < count; ++i) s[i] = {t[i], -(r + p * t[i]) / q};
    } else if (p != 0.0) {
        const double x = -r / p;
        count = solveQuadratic(k.a, k.d - k.b * r / p, k.f + k.c * r * r / (p * p) - k.e * r / p, t[0], t[1]);
        for (int i = 0; i < count; ++i) s[i] = {x, t[i]};
    }
    if (count == 2) {
        bool swap = false;
        if (std::fabs(p1.x - p2.x) >= kOrderingEps) {
            swap = (p1.x > p2.x && s[0].x > s[1].x) || (p1.x < p2.x && s[0].x < s[1].x);
        } else {
            swap = (p1.y > p2.y && s[0].y > s[1].y) || (p1.y < p2.y && s[0].y < s[1].y);
        }
        if (swap) std::swap(s[0], s[1]);
        second = s[1];
    }
    if (count >= 1) first = s[0];
    return count;
}

int conicAxes(const ConicCoefficients& k, ConicType type, Vec2 centre, ConicAxes& axes) {
    if (type == ConicType::kParabola) return parabolaAxes(k, axes);
    if (type != ConicType::kEllipse && type != ConicType::kHyperbola) return 0;
    Vec2 directions[2] = {{1.0, 0.0}, {0.0, 1.0}};
    if (std::fabs(k.b) >= kOrderingEps) {
        double m1 = 0.0, m2 = 0.0;
        const int roots = solveQuadratic(k.b / 2, k.c - k.a, -k.b / 2, m1, m2);
        if (roots == 0 || (roots == 1 && m1 == 0.0)) return 0;
        if (roots == 1) m2 = -1.0 / m1;
        directions[0] = unit2d({1.0, m1});
        directions[1] = unit2d({1.0, m2});
    }
    Vec2 ends[2][2];
    int counts[2];
    for (int i = 0; i < 2; ++i) {
        counts[i] = intersectLineConic2d(centre, centre + directions[i], k, ends[i][0], ends[i][1]);
    }
    int firstAxis = 0;
    if (type == ConicType::kEllipse) {
        if (counts[0] != 2 || counts[1] != 2) return 0;
        if (distance2d(ends[1][0], ends[1][1]) > distance2d(ends[0][0], ends[0][1])) firstAxis = 1;
    } else {
        if (counts[0] != 2 && counts[1] != 2) return 0;
        if (counts[0] != 2) firstAxis = 1;
    }
    const int secondAxis = 1 - firstAxis;
    axes.vertices[0] = ends[firstAxis][0];
    axes.vertices[1] = ends[firstAxis][1];
    axes.vertices[2] = type == ConicType::kEllipse ? ends[secondAxis][0] : centre;
    axes.vertices[3] = type == ConicType::kEllipse ? ends[secondAxis][1] : centre;
    axes.directions[0] = directions[firstAxis];
    axes.directions[1] = directions[secondAxis];
    return 1;
}

int asymptoteDirections(const ConicCoefficients& k, Vec2 centre, Vec2 (&points)[2]) {
    const Vec2 vertical{0.0, 1.0};
    Vec2 directions[2] = {{1.0, 0.0}, vertical};
    if (std::fabs(k.b) >= kAsymptoteCrossEps || k.a != 0.0) {
        double m1 = 0.0, m2 = 0.0;
        const int roots = solveQuadratic(k.a, k.b, k.c, m1, m2);
        if (roots == 0) return 0;
        directions[0] = {1.0, m1};
        if (roots == 2) {
            directions[1] = {1.0, m2};
        } else if (std::fabs(k.a) >= kDeterminantEps && m1 != 0.0) {
            directions[1] = {1.0, -1.0 / m1};
        }
    }
    points[0] = centre + directions[0];
    points[1] = centre + directions[1];
    return 1;
}

int conicMeasures(const ConicCoefficients& k, ConicType type, Vec2 centre, ConicMeasures& measures) {
    if (type != ConicType::kEllipse && type != ConicType::kHyperbola) return 0;
    // At the centre the equation reads λ1·s² + λ2·u² + level = 0 in the principal directions.
    const double level = k.f + 0.5 * (k.d * centre.y + k.e * centre.x);
    const QuadraticPart part = quadraticPartOf(k);
    if (part.majorValue == 0.0 || part.minorValue == 0.0 || level == 0.0) return 0;
    const double square1 = -level / part.majorValue;
    const double square2 = -level / part.minorValue;
    ConicMeasures result;
    if (type == ConicType::kEllipse) {
        if (!(square1 > 0.0 && square2 > 0.0)) return 0;
        const double longer = std::sqrt(std::fmax(square1, square2));
        const double shorter = std::sqrt(std::fmin(square1, square2));
        result.size = 2.0 * longer;
        result.axisRatio = shorter / longer;
    } else {
        if (!((square1 > 0.0) != (square2 > 0.0))) return 0;
        const double transverse = std::sqrt(std::fabs(square1 > 0.0 ? square1 : square2));
        const double conjugate = std::sqrt(std::fabs(square1 > 0.0 ? square2 : square1));
        const double opening = 2.0 * std::atan2(conjugate, transverse);
        result.size = 2.0 * transverse;
        result.asymptoteAngle = std::fmin(opening, std::numbers::pi - opening);
    }
    measures = result;
    return 1;
}
