#pragma once

// Angle units of a document.
inline constexpr int kRadians = 0;
inline constexpr int kDegrees = 1;
inline constexpr int kGrads = 2;

// What every recompute takes from its document: the angle unit that angle numbers
// are read in, and the length of one unit — measured lengths are multiplied by
// it, lengths that numbers give are divided by it.
struct RecomputeContext {
    int angleUnit = kDegrees;  // kRadians, kDegrees or kGrads
    double unitScale = 1.0;
};
