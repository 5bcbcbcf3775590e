#include "geometry/conic_point.h"

#include <cmath>
#include <numbers>

#include "geometry/conic_analysis.h"
#include "geometry/geometry2d.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Parameters this close to the ends of a parabola's range find no point.
constexpr double kParabolaEndEps = 0.0001;
// The step of the retry rule, and how often it may be applied.
constexpr double kRetryStep = 0.0001;
constexpr int kMaxRetries = 1000;
// A parabola's second point must be this far from the vertex.
constexpr double kVertexEps = 1e-6;

// The hyperbola's half opening as seen from the reference point: at most π/2.
double halfOpening(const ConicCurve& c) {
    const double phi = angleBetween2d(c.refPoint - c.centre, c.asymptotePoint - c.centre);
    return phi > std::numbers::pi / 2 ? std::numbers::pi - phi : phi;
}

// The signed angle from u to v in (−π, π].
double signedAngle(Vec2 u, Vec2 v) {
    return std::atan2(u.x * v.y - u.y * v.x, dot2d(u, v));
}

bool evaluateOnce(const ConicCurve& c, double t, Vec2& point) {
    const ConicCoefficients& k = c.coefficients;
    Vec2 s1, s2;
    switch (c.type) {
        case ConicType::kEllipse: {
            const Vec2 turned = rotateAbout2d(c.refPoint, c.centre, kTwoPi * t);
            if (intersectLineConic2d(c.centre, turned, k, s1, s2) < 1) return false;
            point = s1;
            return true;
        }
        case ConicType::kHyperbola: {
            if (t == 0.0 || t == 0.5 || t == 1.0) return false;  // along an asymptote
            const double span = 2.0 * halfOpening(c);
            const double theta = t <= 0.5 ? 2.0 * t * span - span / 2 : 2.0 * (1.0 - t) * span - span / 2;
            const Vec2 turned = rotateAbout2d(c.refPoint, c.centre, theta);
            if (intersectLineConic2d(c.centre, turned, k, s1, s2) != 2) return false;
            point = t <= 0.5 ? s1 : s2;
            return true;
        }
        case ConicType::kParabola: {
            if (std::fabs(t) <= kParabolaEndEps || std::fabs(t - 1.0) <= kParabolaEndEps) return false;
            const Vec2 turned = rotateAbout2d(c.refPoint, c.vertex, std::numbers::pi * t);
            const int count = intersectLineConic2d(c.vertex, turned, k, s1, s2);
            if (count >= 1 && distance2d(s1, c.vertex) > kVertexEps) {
                point = s1;
                return true;
            }
            if (count == 2 && distance2d(s2, c.vertex) > kVertexEps) {
                point = s2;
                return true;
            }
            return false;
        }
        case ConicType::kLinePair:
        case ConicType::kDegenerate: {
            const Vec2* line = t <= 0.5 ? c.lines : c.lines + 2;
            const double s = t <= 0.5 ? t : t - 0.5;
            point = line[0] + 2.0 * s * (line[1] - line[0]);
            return true;
        }
        case ConicType::kNone:
            break;
    }
    return false;
}

// Parameters next to a parabola's vertex find no point (the vertex itself is excluded), so
// the evaluation would retry 1e-4 away; step out from t only as far as a point exists.
double nearestReachable(const ConicCurve& c, double t) {
    Vec2 point;
    if (evaluateOnce(c, t, point)) return t;
    const double side = t >= 0.5 ? 1.0 : -1.0;
    for (double step = 1e-12; step < kRetryStep; step *= 2.0) {
        if (evaluateOnce(c, t + side * step, point)) return t + side * step;
    }
    return t;
}

}  // namespace

int conicPoint2d(const ConicCurve& conic, double t, Vec2& point) {
    if (conic.type == ConicType::kNone) return 0;
    for (int attempt = 0; attempt <= kMaxRetries; ++attempt) {
        if (evaluateOnce(conic, t, point)) return 1;
        if (t < 0.1 || std::fabs(t - 0.5) < 0.1) {
            t += kRetryStep;
        } else if (t > 0.9) {
            t -= kRetryStep;
        } else {
            t = 0.25;
        }
    }
    return 0;
}

int conicPoint(const ConicCurve& conic, double t, Vec3& point) {
    Vec2 p;
    if (!conicPoint2d(conic, t, p)) return 0;
    point = fromFrameCoordinates(conic.frame, {p.x, p.y, conic.level});
    return 1;
}

int conicParameter2d(const ConicCurve& c, Vec2 p, double& t) {
    switch (c.type) {
        case ConicType::kEllipse: {
            if (p == c.centre) return 0;
            double angle = signedAngle(c.refPoint - c.centre, p - c.centre);
            if (angle < 0.0) angle += kTwoPi;
            const double value = angle / kTwoPi;
            t = value < 1.0 ? value : 0.0;
            return 1;
        }
        case ConicType::kHyperbola: {
            if (p == c.centre) return 0;
            const double phi = halfOpening(c);
            const double span = 2.0 * phi;
            double theta = signedAngle(c.refPoint - c.centre, p - c.centre);
            if (std::fabs(theta) < phi) {
                t = (theta + phi) / (2.0 * span);
                return 1;
            }
            // The other branch: the direction from the centre is opposite the turned point.
            theta += theta > 0.0 ? -std::numbers::pi : std::numbers::pi;
            t = 1.0 - (theta + phi) / (2.0 * span);
            return 1;
        }
        case ConicType::kParabola: {
            double value = 0.5;
            if (distance2d(p, c.vertex) > kVertexEps) {
                double angle = signedAngle(c.refPoint - c.vertex, p - c.vertex);
                if (angle < 0.0) angle += kTwoPi;
                value = std::fmod(angle, std::numbers::pi) / std::numbers::pi;
            }
            t = nearestReachable(c, value);
            return 1;
        }
        case ConicType::kLinePair:
        case ConicType::kDegenerate: {
            double along[2], offset[2];
            for (int i = 0; i < 2; ++i) {
                const Vec2 p1 = c.lines[2 * i];
                const Vec2 d = c.lines[2 * i + 1] - p1;
                const double length2 = dot2d(d, d);
                along[i] = length2 > 0.0 ? std::fmin(1.0, std::fmax(0.0, dot2d(p - p1, d) / length2)) : 0.0;
                offset[i] = distance2d(p, p1 + along[i] * d);
            }
            if (offset[0] <= offset[1]) {
                t = along[0] / 2;
            } else {
                // t = 0.5 itself belongs to the first line.
                t = along[1] > 0.0 ? 0.5 + along[1] / 2 : std::nextafter(0.5, 1.0);
            }
            return 1;
        }
        case ConicType::kNone:
            break;
    }
    return 0;
}

int conicParameter(const ConicCurve& conic, Vec3 point, double& t) {
    const Vec3 q = toFrameCoordinates(conic.frame, point);
    return conicParameter2d(conic, {q.x, q.y}, t);
}
