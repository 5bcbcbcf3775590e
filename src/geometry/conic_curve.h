#pragma once

#include "geometry/conic_analysis.h"
#include "geometry/conic_types.h"
#include "geometry/planes_frames.h"
#include "geometry/vec2.h"
#include "geometry/vec3.h"

// Everything the kernel derives for a conic through five points of space, held in the
// frame of its plane. The conic element keeps one of these; the conic routines read it.
struct ConicCurve {
    ConicType type = ConicType::kNone;
    Vec3 planePoints[3];  // the three points that span the plane, in space
    PlaneFrame frame;     // built from planePoints
    double level = 0.0;   // the third frame coordinate shared by every point of the plane
    Vec2 points[5];       // the five defining points in frame coordinates
    ConicCoefficients coefficients;
    Vec2 centre;     // ellipse, hyperbola
    ConicAxes axes;  // ellipse, hyperbola, parabola
    ConicMeasures measures;
    Vec2 refPoint;  // a point on the principal axis, one unit from the centre (parabola: from the vertex,
                    // inwards)
    Vec2 asymptotePoint;  // hyperbola: a point on the first asymptote
    Vec2 vertex;          // parabola
    Vec2 lines[4];        // line pair: two points of the first line, then two of the second
};

// A huge conic is demoted to a parabola when its size exceeds this…
inline constexpr double kHugeConicSize = 1e9;
// …and an ellipse's axis ratio, or a hyperbola's asymptote angle, is below this.
inline constexpr double kThinConicMeasure = 0.01;

// Fits and analyses the conic through five points: they must lie in one plane in general
// position (findPlaneOfPoints, whose spanning points give the frame), then the fit, the
// line pair of types 4 and 5, and for ellipses and hyperbolas the centre, axes (and
// asymptotes); a failure there, or a huge thin shape, makes the conic a parabola, whose
// axis and vertex are then required. Returns 1 with `conic` filled, or 0 (no conic) with
// `conic` untouched.
int analyseConic(const Vec3 (&points)[5], ConicCurve& conic);
