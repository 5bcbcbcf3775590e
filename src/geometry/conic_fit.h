#pragma once

#include "geometry/conic_types.h"
#include "geometry/vec2.h"

// Fitting a conic through five points of a plane's frame and classifying it.

// One way of splitting the five points into a triple and a pair.
struct TripleSplit {
    int triple[3];
    int pair[2];
};

// The ten splits, in the order every collinearity search walks them.
inline constexpr TripleSplit kTripleTable[10] = {
    {{0, 1, 2}, {3, 4}}, {{0, 1, 3}, {2, 4}}, {{0, 1, 4}, {2, 3}}, {{1, 2, 3}, {0, 4}}, {{1, 2, 4}, {3, 0}},
    {{2, 3, 0}, {1, 4}}, {{2, 3, 4}, {1, 0}}, {{3, 4, 0}, {1, 2}}, {{3, 1, 4}, {0, 2}}, {{2, 4, 0}, {1, 3}},
};

// 1 when two of the points are closer than 1e-8, or the angle at A between the
// directions to B and C is within 1e-6 of 0 or of π.
int isCollinear(Vec2 a, Vec2 b, Vec2 c);
// The index in kTripleTable of the first collinear triple, or −1.
int firstCollinearTriple(const Vec2 (&points)[5]);
// 1 when some triple of the table is collinear.
int hasCollinearTriple(const Vec2 (&points)[5]);

// The type of a conic. With elementPoints (the five points of a conic element, or
// nullptr for none), a collinear triple among them turns a proper conic into a line
// pair or a degenerate one. Δ below 1e-16 with b² − 4ac ≥ 1e-10 is a line pair;
// |b² − 4ac| < 1e-10 is a parabola only when |Δ| ≥ 1e-12.
ConicType classifyConic(const ConicCoefficients& k, const Vec2* elementPoints);

// The conic through five points: the y² coefficient fixed to 1, else the x·y one, else
// the x² one — an attempt counts when the 5×5 solve succeeds with every value at most
// 1e9 in magnitude. a … e below 1e-10 are snapped to 0. Returns the type (kNone with k
// untouched when all three attempts fail); pointsOfElement makes the classification
// take the points as a conic element's own (see classifyConic).
ConicType fitConic(const Vec2 (&points)[5], bool pointsOfElement, ConicCoefficients& k);
