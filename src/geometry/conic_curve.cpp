#include "geometry/conic_curve.h"

#include "geometry/conic_fit.h"

namespace {

bool isHugeAndThin(const ConicCoefficients& k, ConicType type, Vec2 centre) {
    ConicMeasures m;
    if (!conicMeasures(k, type, centre, m)) return false;
    const double thinness = type == ConicType::kEllipse ? m.axisRatio : m.asymptoteAngle;
    return m.size > kHugeConicSize && thinness < kThinConicMeasure;
}

// Centre, axes and (for a hyperbola) asymptotes of a central conic; false when any is missing.
bool analyseCentral(ConicCurve& c) {
    if (!conicCentre(c.coefficients, c.centre) || !conicAxes(c.coefficients, c.type, c.centre, c.axes))
        return false;
    if (c.type == ConicType::kHyperbola) {
        Vec2 asymptotes[2];
        if (!asymptoteDirections(c.coefficients, c.centre, asymptotes)) return false;
        c.asymptotePoint = asymptotes[0];
    }
    if (isHugeAndThin(c.coefficients, c.type, c.centre)) return false;
    conicMeasures(c.coefficients, c.type, c.centre, c.measures);
    c.refPoint = c.centre + c.axes.directions[0];
    return true;
}

}  // namespace

int analyseConic(const Vec3 (&points)[5], ConicCurve& conic) {
    ConicCurve c;
    if (!findPlaneOfPoints(5, points, c.planePoints)) return 0;
    if (!planeFrameOf(c.planePoints[0], c.planePoints[1], c.planePoints[2], c.frame)) return 0;
    c.level = toFrameCoordinates(c.frame, c.planePoints[0]).z;
    for (int i = 0; i < 5; ++i) {
        const Vec3 q = toFrameCoordinates(c.frame, points[i]);
        c.points[i] = {q.x, q.y};
    }
    c.type = fitConic(c.points, true, c.coefficients);
    switch (c.type) {
        case ConicType::kNone:
            return 0;
        case ConicType::kLinePair:
        case ConicType::kDegenerate:
            if (!linePair(c.points, c.lines)) return 0;
            break;
        case ConicType::kEllipse:
        case ConicType::kHyperbola:
            if (!analyseCentral(c)) c.type = ConicType::kParabola;
            break;
        case ConicType::kParabola:
            break;
    }
    if (c.type == ConicType::kParabola) {
        c.measures = {};
        if (!conicAxes(c.coefficients, c.type, {}, c.axes)) return 0;
        c.vertex = c.axes.vertices[0];
        c.refPoint = c.axes.vertices[1];
    }
    conic = c;
    return 1;
}
