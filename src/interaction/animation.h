#pragma once

#include "model/construction.h"

class Conic;

// The animation rules: which elements the animation tool takes, and how one
// idle tick moves every entry of a construction's animation list.

// How the animation tool's click changed the list.
enum class AnimationToggle {
    Added,
    Removed,
    Full,     // the list holds 99 entries already
    Refused,  // neither a parameter nor a point on an element that is not a surface
};

// Whether the element may be animated: a parameter, or a point on an element
// (vector, segment, line, ray, circle, arc or conic).
bool canAnimate(const Element& element);

// The animation tool's click on an element: it leaves the list when it is in
// it and joins it otherwise (forward, speed 15).
AnimationToggle toggleAnimation(Construction& construction, Element& element);

// Moves every entry whose element is defined by `milliseconds` of animation:
// parameters over their range and points along their parents, clamping and
// reversing at the ends, wrapping round circles and conics. Returns whether
// anything moved; the caller recomputes.
bool advanceAnimation(Construction& construction, double milliseconds);

// The length a point on the conic covers while its parameter runs from 0 to 1:
// twice the chords of the half from 1/98 on, at most 19.
double conicAnimationLength(const Conic& conic);
