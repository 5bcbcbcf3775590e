#pragma once

#include "geometry/conic_curve.h"
#include "geometry/vec2.h"
#include "geometry/vec3.h"

// The point of a conic by a parameter t in [0, 1] that runs over the whole curve, and
// the inverse. Ellipse: the ray from the centre at 2πt from the principal axis.
// Hyperbola: directions between the asymptotes, t in (0, 0.5) on the branch the
// reference point faces, (0.5, 1) on the other. Parabola: the line through the vertex at
// πt from the axis. Line pair: t ≤ 0.5 along the first line's segment, else the second's.
// Where a parameter finds no point (an asymptote, the axis, the parabola's vertex) it is
// nudged by 1e-4 towards the inside and tried again (t = 0.25 from the middle ranges).

// Frame coordinates of the point of parameter t; 0 for an undefined conic or when the
// retries find nothing.
int conicPoint2d(const ConicCurve& conic, double t, Vec2& point);
// The same point in space.
int conicPoint(const ConicCurve& conic, double t, Vec3& point);

// The parameter of a point of the conic (in frame coordinates), such that conicPoint2d
// gives the point back. A point off the curve gets the parameter of the curve point in
// its direction (line pairs: the nearer line, clamped to its segment). No parameter
// reaches a parabola's vertex or points within 1e-6 of it: they get the nearest parameter
// that does, a point about 1e-6 away. 0 for an undefined conic or the centre of a central conic.
int conicParameter2d(const ConicCurve& conic, Vec2 point, double& t);
// The same for a point in space, taken in the conic's plane.
int conicParameter(const ConicCurve& conic, Vec3 point, double& t);
