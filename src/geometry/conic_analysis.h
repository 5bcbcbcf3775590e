#pragma once

#include "geometry/conic_types.h"
#include "geometry/vec2.h"

// The shape of a fitted conic in its plane's frame: centre, lines, axes, asymptotes,
// and the meeting of a line with the conic. Status 1, or 0 with the outputs untouched.

// Where the gradient vanishes: 2c·x + b·y = −e, b·x + 2a·y = −d. 0 when singular
// (pivot below 1e-12), as for parabolas.
int conicCentre(const ConicCoefficients& k, Vec2& centre);

// The two lines of a line pair through five points: for the first collinear triple
// (i, j, k | l, m) of the table, the line through Pi and Pj, then the line through Pl
// and Pm, each as the points at −1000 and +1000 from its first point towards its second
// (lines[0], lines[1], then lines[2], lines[3]). 0 without a collinear triple, or when a
// line's two points coincide (closer than 1e-8) and so give it no direction.
int linePair(const Vec2 (&points)[5], Vec2 (&lines)[4]);

// Line P1 P2 with the conic; returns the count 0 / 1 / 2. A line whose x coordinates
// differ by at most 1e-4 is solved as the vertical x = −r/p. Of two solutions the first
// is the one lying further in the direction from P1 to P2 (decided on x, or on y when
// the points' x differ by less than 0.001).
int intersectLineConic2d(Vec2 p1, Vec2 p2, const ConicCoefficients& k, Vec2& first, Vec2& second);

// Principal axes and vertices.
struct ConicAxes {
    // Ellipse: the longer axis's two vertices, then the shorter's. Hyperbola: the
    // transverse axis's two vertices, then the centre twice. Parabola: the vertex, then
    // the vertex moved one unit inwards along the axis, then both again.
    Vec2 vertices[4];
    // Unit directions of the two axes in the same order (parabola: the axis, pointing
    // to the inside, then its perpendicular).
    Vec2 directions[2];
};

// The axes of an ellipse (both must meet the conic twice), a hyperbola (one must: the
// transverse axis, returned first) or a parabola (its axis from the coefficients, the
// vertex the meeting nearer the frame origin). Axes through the centre take the slopes
// of (b/2)·m² + (c − a)·m − b/2 = 0 when |b| ≥ 0.001, the frame axes otherwise. 0 for
// other types or when the axes do not meet the conic as required.
int conicAxes(const ConicCoefficients& k, ConicType type, Vec2 centre, ConicAxes& axes);

// The asymptotes as the lines from the centre through points[0] and points[1], where
// points[i] − centre is (1, m) for a slope m of a·m² + b·m + c = 0, or the vertical (0, 1).
// When |b| < 1e-4 and a = 0 the slopes are 0 and vertical. A lone root beside a vanished
// a has the vertical as its companion (that is where the second asymptote lies), a double
// root m ≠ 0 gets −1/m. 0 when there is no real slope (an ellipse).
int asymptoteDirections(const ConicCoefficients& k, Vec2 centre, Vec2 (&points)[2]);

// Size measures of a central conic, from the coefficients in closed form.
struct ConicMeasures {
    double size = 0.0;            // the longest real axis, vertex to vertex
    double axisRatio = 0.0;       // ellipse: shorter axis over longer axis, in (0, 1]
    double asymptoteAngle = 0.0;  // hyperbola: the acute angle between the asymptotes, radians
};

// The measures of an ellipse or hyperbola about its centre; 0 for other types or when the
// conic has no real axis there (a point, a line pair, an imaginary ellipse).
int conicMeasures(const ConicCoefficients& k, ConicType type, Vec2 centre, ConicMeasures& measures);
