#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string_view>

// Evaluation of postfix lists. Every operation checks its own domain and range; a failing operation
// fails the whole evaluation, so no infinity or NaN ever comes out, nothing is printed and no state
// survives from one evaluation to the next.

// Angle units of a document.
inline constexpr int kAngleRadians = 0;
inline constexpr int kAngleDegrees = 1;
inline constexpr int kAngleGrads = 2;
inline constexpr double kDegreesPerRadian = 180.0 / 3.141592653589793;
inline constexpr double kGradsPerRadian = 200.0 / 3.141592653589793;

// A value in `angleUnit` in radians, and back. Radians (and any unknown unit) pass unchanged.
double angleToRadians(double value, int angleUnit);
double radiansToAngle(double radians, int angleUnit);

// The generator behind RANDOM: 15-bit values 0 … 32767.
class ExpressionRandom {
  public:
    explicit ExpressionRandom(std::uint32_t seed = 1) : engine_(seed == 0 ? 1 : seed) {}
    void seed(std::uint32_t seed) { engine_.seed(seed == 0 ? 1 : seed); }
    int next() { return static_cast<int>(engine_() >> 16); }

  private:
    std::minstd_rand engine_;
};

// The program's generator, seeded once at start-up.
ExpressionRandom& programRandom();

// The result of binary operator `code` on a and b; false when the operation fails.
bool applyBinary(int code, double a, double b, double& result);

// The result of unary minus or function `code` on x; false when it fails.
bool applyFunction(int code, double x, int angleUnit, ExpressionRandom& random, double& result);

// Runs `postfix` over `values` (slot 0 receives the result, operands read the slot of their code).
// Returns 1 with the result in values[0], or 0 when an operation fails, an operand slot is outside
// `values`, an operand value is not finite, or the list is malformed. Allocates nothing.
int evaluate(std::span<const int> postfix, std::span<double> values, int angleUnit, ExpressionRandom& random);
int evaluate(std::span<const int> postfix, std::span<double> values, int angleUnit);

// The whole chain for a text without variables, as numeric dialog fields use it. Returns 1 with the
// value, or 0.
int evaluateText(std::string_view text, int angleUnit, double& value);
