#pragma once

#include <string>

inline constexpr int kMaxDecimals = 8;

// The display text of a number, with `decimals` (0 … 8; other values are clamped) decimals.
// Magnitudes above 10,000,000 show three significant digits and an exponent (12345678 → "1.23E7",
// the further digits cut, not rounded). Otherwise the value is rounded to the decimals, halves away
// from zero; with `trimZeros` trailing zeros go but one decimal stays (2 → "2.0"); with `snapTiny`
// magnitudes below 1e-9 show as 0. A negative value keeps its "-" even when it rounds to zero.
std::string formatNumber(double x, int decimals, bool trimZeros = false, bool snapTiny = false);
