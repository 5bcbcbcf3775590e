#include "expr/expression_eval.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "expr/expression_postfix.h"
#include "expr/expression_tokens.h"

namespace {

constexpr std::size_t kStackSize = 100;
// Products, quotients and powers beyond 1e99, and reciprocals of values below 1e-99, fail.
constexpr double kMaxDecimalExponent = 99.0;
constexpr double kMaxExponentialArgument = 199.0;
constexpr double kIntegerTolerance = 1e-10;

bool isInteger(double x) {
    return std::trunc(x) == x;
}

// 1 / f where f must be neither 0 nor below 1e-99 in magnitude.
bool reciprocal(double f, double& result) {
    if (f == 0.0 || std::log10(std::fabs(f)) < -kMaxDecimalExponent) return false;
    result = 1.0 / f;
    return true;
}

// a^e for a negative base and a non-integer exponent: defined when e is a fraction with an odd
// denominator up to 99, the sign following the parity of the numerator; (-8)^(1/3) is -2.
bool negativeBasePower(double a, double e, double& result) {
    for (int q = 3; q <= 99; q += 2) {
        const double scaled = q * e;
        const double n = std::round(scaled);
        if (std::fabs(scaled - n) >= kIntegerTolerance) continue;
        if (n == 0.0) return false;
        const double magnitude = std::pow(std::fabs(a), e);
        result = std::fmod(n, 2.0) == 0.0 ? magnitude : -magnitude;
        return true;
    }
    return false;
}

bool power(double a, double b, double& result) {
    if (b == 0.0) {
        result = 1.0;
        return true;
    }
    if (a != 0.0 && std::fabs(b * std::log10(std::fabs(a))) > kMaxDecimalExponent) return false;
    if (a == 0.0) {
        if (b < 0.0) return false;
        result = 0.0;
        return true;
    }
    if (a > 0.0 || isInteger(b)) {
        result = std::pow(a, b);
        return true;
    }
    return negativeBasePower(a, b, result);
}

// ln(s + sqrt(s² + 1)) taken on |x| and given x's sign, so that large negative arguments do not
// cancel to ln(0).
double inverseHyperbolicSine(double x) {
    const double s = std::fabs(x);
    const double r = std::log(s + std::sqrt(s * s + 1.0));
    return x < 0.0 ? -r : r;
}

// Whole number 0 … n for n = |x| truncated.
double randomWhole(double x, ExpressionRandom& random) {
    const double n = std::trunc(std::fabs(x));
    const double r = random.next() / 32767.0;
    return std::trunc(n * r);
}

double roundHalfUp(double x) {
    const double i = std::trunc(x);
    const double f = x - i;
    if (f >= 0.5) return i + 1.0;
    if (f < -0.5) return i - 1.0;
    return i;
}

}  // namespace

double angleToRadians(double value, int angleUnit) {
    if (angleUnit == kAngleDegrees) return value / kDegreesPerRadian;
    if (angleUnit == kAngleGrads) return value / kGradsPerRadian;
    return value;
}

double radiansToAngle(double radians, int angleUnit) {
    if (angleUnit == kAngleDegrees) return radians * kDegreesPerRadian;
    if (angleUnit == kAngleGrads) return radians * kGradsPerRadian;
    return radians;
}

ExpressionRandom& programRandom() {
    static ExpressionRandom random;
    return random;
}

bool applyBinary(int code, double a, double b, double& result) {
    switch (code) {
        case kTokenPlus:
            result = a + b;
            return true;
        case kTokenMinus:
            result = a - b;
            return true;
        case kTokenTimes:
            if (a != 0.0 && b != 0.0 &&
                std::log10(std::fabs(a)) + std::log10(std::fabs(b)) > kMaxDecimalExponent) {
                return false;
            }
            result = a * b;
            return true;
        case kTokenDivide:
            if (b == 0.0) return false;
            if (a != 0.0 && std::log10(std::fabs(a)) - std::log10(std::fabs(b)) > kMaxDecimalExponent) {
                return false;
            }
            result = a / b;
            return true;
        case kTokenPower:
            return power(a, b, result);
        default:
            return false;
    }
}

bool applyFunction(int code, double x, int angleUnit, ExpressionRandom& random, double& result) {
    switch (code) {
        case kTokenNegate:
            result = -x;
            return true;
        case kTokenSin:
            result = std::sin(angleToRadians(x, angleUnit));
            return true;
        case kTokenCos:
            result = std::cos(angleToRadians(x, angleUnit));
            return true;
        case kTokenTan:
            result = std::tan(angleToRadians(x, angleUnit));
            return true;
        case kTokenSec:
            return reciprocal(std::cos(angleToRadians(x, angleUnit)), result);
        case kTokenCosec:
            return reciprocal(std::sin(angleToRadians(x, angleUnit)), result);
        case kTokenCotg:
            return reciprocal(std::tan(angleToRadians(x, angleUnit)), result);
        case kTokenAsin:
        case kTokenAcos:
            if (x < -1.0 || x > 1.0) return false;
            result = radiansToAngle(code == kTokenAsin ? std::asin(x) : std::acos(x), angleUnit);
            return true;
        case kTokenAtan:
            result = radiansToAngle(std::atan(x), angleUnit);
            return true;
        case kTokenAsec:
        case kTokenAcosec: {
            if (x == 0.0) return false;
            const double inverse = 1.0 / x;
            if (!std::isfinite(inverse) || inverse < -1.0 || inverse > 1.0) return false;
            result = radiansToAngle(code == kTokenAsec ? std::acos(inverse) : std::asin(inverse), angleUnit);
            return true;
        }
        case kTokenAcotg: {
            if (x == 0.0) return false;
            const double inverse = 1.0 / x;
            if (!std::isfinite(inverse)) return false;
            result = radiansToAngle(std::atan(inverse), angleUnit);
            return true;
        }
        case kTokenLn:
        case kTokenLog:
            if (x <= 0.0) return false;
            result = code == kTokenLn ? std::log(x) : std::log10(x);
            return true;
        case kTokenSqr:
            if (x < 0.0) return false;
            result = std::sqrt(x);
            return true;
        case kTokenExp:
        case kTokenSinh:
        case kTokenCosh:
            if (std::fabs(x) > kMaxExponentialArgument) return false;
            result = code == kTokenExp ? std::exp(x) : code == kTokenSinh ? std::sinh(x) : std::cosh(x);
            return true;
        case kTokenTanh:
            result = std::tanh(x);
            return true;
        case kTokenSech:
        case kTokenCosech:
            if (std::fabs(x) > kMaxExponentialArgument) return false;
            return reciprocal(code == kTokenSech ? std::cosh(x) : std::sinh(x), result);
        case kTokenCotgh:
            return reciprocal(std::tanh(x), result);
        case kTokenAsinh:
            result = inverseHyperbolicSine(x);
            return true;
        case kTokenAcosh: {
            const double d = x * x - 1.0;
            if (d < 0.0) return false;
            result = std::log(x + std::sqrt(d));  // x <= -1 fails through the logarithm
            return true;
        }
        case kTokenAtanh:
            if (x <= -1.0 || x >= 1.0) return false;
            result = 0.5 * std::log((1.0 + x) / (1.0 - x));
            return true;
        case kTokenAsech: {
            if (x <= 0.0 || x > 1.0) return false;
            const double inverse = 1.0 / x;
            result = std::log(std::sqrt(inverse * inverse - 1.0) + inverse);
            return true;
        }
        case kTokenAcosech:
            if (x == 0.0) return false;
            result = inverseHyperbolicSine(1.0 / x);
            return true;
        case kTokenAcotgh:
            if (x >= -1.0 && x <= 1.0) return false;
            result = 0.5 * std::log((x + 1.0) / (x - 1.0));
            return true;
        case kTokenAbs:
            result = std::fabs(x);
            return true;
        case kTokenInt:
            result = std::trunc(x);
            return true;
        case kTokenSgn:
            result = x > 0.0 ? 1.0 : x < 0.0 ? -1.0 : 0.0;
            return true;
        case kTokenCeil:
            result = std::ceil(x);
            return true;
        case kTokenFloor:
            result = std::floor(x);
            return true;
        case kTokenRound:
            result = roundHalfUp(x);
            return true;
        case kTokenRandom:
            result = randomWhole(x, random);
            return true;
        default:
            return false;
    }
}

int evaluate(std::span<const int> postfix, std::span<double> values, int angleUnit,
             ExpressionRandom& random) {
    if (values.empty()) return 0;
    std::array<double, kStackSize> stack;
    std::size_t depth = 0;
    for (const int code : postfix) {
        if (code == kTokenEnd) break;
        double result = 0.0;
        if (code < 0) {
            // Widened so that the most negative code cannot overflow on negation.
            const auto slot = static_cast<std::uint64_t>(-static_cast<std::int64_t>(code));
            if (slot >= values.size() || depth == stack.size()) return 0;
            result = values[slot];
        } else {
            const OperatorInfo* row = findOperator(code);
            if (!row || row->arity == 0 || depth < static_cast<std::size_t>(row->arity)) return 0;
            bool ok = false;
            if (row->arity == 2) {
                const double b = stack[--depth];
                const double a = stack[--depth];
                ok = applyBinary(code, a, b, result);
            } else {
                ok = applyFunction(code, stack[--depth], angleUnit, random, result);
            }
            if (!ok) return 0;
        }
        if (!std::isfinite(result)) return 0;
        stack[depth++] = result;
    }
    if (depth == 0) return 0;
    values[0] = stack[depth - 1];
    return 1;
}

int evaluate(std::span<const int> postfix, std::span<double> values, int angleUnit) {
    return evaluate(postfix, values, angleUnit, programRandom());
}

int evaluateText(std::string_view text, int angleUnit, double& value) {
    CompiledExpression compiled;
    if (compileExpression(text, 0, compiled) != kCompileOk) return 0;
    if (!evaluate(compiled.postfix, compiled.values, angleUnit)) return 0;
    value = compiled.values[0];
    return 1;
}
