#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "expr/expression_eval.h"
#include "expr/expression_tokens.h"
#include "expression_test_support.h"

namespace {

constexpr double kPi = 3.141592653589793;

void expectValue(std::string_view text, double expected, int unit = kAngleRadians,
                 const std::vector<double>& variables = {}) {
    const std::optional<double> value = valueOf(text, unit, variables);
    ASSERT_TRUE(value.has_value()) << text;
    EXPECT_NEAR(*value, expected, 1e-12 * std::max(1.0, std::fabs(expected))) << text;
}

void expectFailure(std::string_view text, int unit = kAngleRadians,
                   const std::vector<double>& variables = {}) {
    EXPECT_FALSE(valueOf(text, unit, variables).has_value()) << text;
}

}  // namespace

TEST(ExpressionEval, PrecedenceAssociativityAndUnaryMinus) {
    expectValue("2+3*4", 14);
    expectValue("(2+3)*4", 20);
    expectValue("2^3^2", 64);
    expectValue("-2^2", 4);
    expectValue("2*-3", -6);
    expectValue("--2", 2);
    expectValue("10-4-3", 3);
    expectValue("64/4/2", 8);
    expectValue("-A*B", -6, kAngleRadians, {2, 3});
    expectValue("-2+5", 3);
    expectValue("2-(-3)", 5);
    expectValue("(2+3", 5);
    expectValue("2+3)", 5);
    expectValue("3,5*2", 7);
    expectValue("pi", kPi);
    expectValue("Pi*2", 2 * kPi);
    expectValue(" 2 * p i ", 2 * kPi);  // blanks go before anything is read
    expectValue("a+b*c", 7, kAngleRadians, {1, 2, 3});
    EXPECT_FALSE(compiles("A+B", 1));
    EXPECT_FALSE(compiles("A", 0));
    EXPECT_FALSE(compiles("1e5"));
    EXPECT_FALSE(compiles("PI2"));
}

TEST(ExpressionEval, AngleUnits) {
    expectValue("SIN(90)", 1.0, kAngleDegrees);
    expectValue("SIN(90)", std::sin(90.0), kAngleRadians);
    expectValue("SIN(90)", std::sin(90.0 * kPi / 200.0), kAngleGrads);
    expectValue("COS(100)", 0.0, kAngleGrads);
    expectValue("TAN(45)", 1.0, kAngleDegrees);
    expectValue("ASIN(1)", 90.0, kAngleDegrees);
    expectValue("ASIN(1)", 100.0, kAngleGrads);
    expectValue("ASIN(1)", kPi / 2, kAngleRadians);
    expectValue("ACOS(0,5)", 60.0, kAngleDegrees);
    expectValue("ATAN(1)", 45.0, kAngleDegrees);
    expectValue("ASEC(2)", 60.0, kAngleDegrees);
    expectValue("ACOSEC(2)", 30.0, kAngleDegrees);
    expectValue("ACOTG(1)", 50.0, kAngleGrads);
    expectValue("SEC(60)", 2.0, kAngleDegrees);
    expectValue("COSEC(30)", 2.0, kAngleDegrees);
    expectValue("COTG(45)", 1.0, kAngleDegrees);
    // Hyperbolic functions ignore the unit.
    expectValue("SINH(1)", std::sinh(1.0), kAngleDegrees);
    expectValue("ASINH(1)", std::asinh(1.0), kAngleGrads);
    EXPECT_DOUBLE_EQ(angleToRadians(180.0, kAngleDegrees), kPi);
    EXPECT_DOUBLE_EQ(angleToRadians(200.0, kAngleGrads), kPi);
    EXPECT_DOUBLE_EQ(radiansToAngle(kPi, kAngleGrads), 200.0);
    EXPECT_EQ(angleToRadians(2.5, kAngleRadians), 2.5);
}

TEST(ExpressionEval, FailingOperations) {
    for (const char* text :
         {"1/0",        "LN(0)",      "LN(-1)",     "LOG(0)",    "SQR(-1)",     "ACOS(2)",      "ASIN(-1,01)",
          "EXP(200)",   "EXP(-200)",  "10^100",     "0,1^100",   "10^60*10^60", "10^60/10^-60", "0^-1",
          "(-8)^0,5",   "COSEC(0)",   "COTG(0)",    "ASEC(0)",   "ASEC(0,5)",   "ACOSEC(0,5)",  "ACOTG(0)",
          "SINH(200)",  "COSH(-200)", "SECH(200)",  "COSECH(0)", "COSECH(200)", "COTGH(0)",     "ACOSH(0,5)",
          "ACOSH(-1)",  "ACOSH(-2)",  "ATANH(1)",   "ATANH(-1)", "ASECH(0)",    "ASECH(1,5)",   "ASECH(-0,5)",
          "ACOSECH(0)", "ACOTGH(1)",  "ACOTGH(-1)", "ACOTGH(0)"}) {
        expectFailure(text);
    }
    // The failure bounds themselves are allowed.
    expectValue("EXP(199)", std::exp(199.0));
    expectValue("10^99", 1e99);
    expectValue("10^50*10^49", 1e99);
    expectValue("10^50/10^-49", 1e99);
    expectValue("COSH(199)", std::cosh(199.0));
    expectValue("ATANH(0,5)", std::atanh(0.5));
    expectValue("ACOSH(1)", 0.0);
    expectValue("ASECH(1)", 0.0);
    expectValue("ACOTGH(2)", std::atanh(0.5));
    expectValue("TANH(1000)", 1.0);
    // Reciprocals of values below 1e-99 fail: cosech of a tiny argument.
    expectFailure("COSECH(A)", kAngleRadians, {1e-100});
    expectValue("COSECH(A)", 1.0 / std::sinh(1e-98), kAngleRadians, {1e-98});
    // A product of magnitude beyond 1e99 fails even when the factors are not powers of ten.
    expectFailure("A*B", kAngleRadians, {3e50, 4e49});
    expectValue("A*B", 3e49 * 2e49, kAngleRadians, {3e49, 2e49});
}

TEST(ExpressionEval, Powers) {
    expectValue("0^0", 1);
    expectValue("5^0", 1);
    expectValue("0^2", 0);
    expectValue("(-2)^3", -8);
    expectValue("(-2)^-2", 0.25);
    expectValue("(-8)^(1/3)", -2);
    expectValue("(-8)^(2/3)", 4);
    expectValue("(-32)^0,2", -2);   // denominator 5
    expectValue("(-8)^(4/3)", 16);  // even numerator
    expectValue("(-2)^(1/99)", -std::pow(2.0, 1.0 / 99));
    expectFailure("(-2)^(1/101)");  // no odd denominator up to 99
    expectFailure("(-2)^(1/2)");
    expectValue("2^-1", 0.5);
    expectValue("4^0,5", 2);
}

TEST(ExpressionEval, IntegerFunctionsAndRounding) {
    expectValue("ROUND(-2,5)", -2);
    expectValue("ROUND(2,5)", 3);
    expectValue("ROUND(-2,51)", -3);
    expectValue("ROUND(2,49)", 2);
    expectValue("INT(-2,7)", -2);
    expectValue("INT(2,7)", 2);
    expectValue("FLOOR(-2,7)", -3);
    expectValue("CEIL(-2,7)", -2);
    expectValue("CEIL(2,1)", 3);
    expectValue("SGN(-3)", -1);
    expectValue("SGN(0)", 0);
    expectValue("SGN(0,1)", 1);
    expectValue("ABS(-3)", 3);
    expectValue("ASINH(-1)", -std::asinh(1.0));
    // Large negative arguments keep their value instead of cancelling to ln(0).
    expectValue("ASINH(A)", std::asinh(-1e10), kAngleRadians, {-1e10});
    expectValue("ACOSECH(A)", std::asinh(-1e10), kAngleRadians, {-1e-10});
    expectFailure("ASINH(A)", kAngleRadians, {1e200});
}

TEST(ExpressionEval, RandomGivesWholeNumbersFromZeroToN) {
    CompiledExpression six;
    CompiledExpression negative;
    ASSERT_EQ(compileExpression("RANDOM(6)", 0, six), kCompileOk);
    ASSERT_EQ(compileExpression("random(-6,9)", 0, negative), kCompileOk);
    ExpressionRandom random(12345);
    std::set<double> seen;
    for (int i = 0; i < 2000; ++i) {
        for (CompiledExpression* compiled : {&six, &negative}) {
            ASSERT_EQ(evaluate(compiled->postfix, compiled->values, kAngleRadians, random), 1);
            const double value = compiled->values[0];
            EXPECT_EQ(value, std::trunc(value));
            EXPECT_GE(value, 0.0);
            EXPECT_LE(value, 6.0);
            seen.insert(value);
        }
    }
    // n itself needs the generator's top value 32767, so 2000 draws show 0 … 5 at least.
    for (int whole = 0; whole <= 5; ++whole) EXPECT_EQ(seen.count(whole), 1u) << whole;
    expectValue("RANDOM(0,9)", 0);

    // The same seed gives the same draws.
    ExpressionRandom first(99);
    ExpressionRandom second(99);
    for (int i = 0; i < 100; ++i) {
        const int draw = first.next();
        EXPECT_EQ(draw, second.next());
        EXPECT_GE(draw, 0);
        EXPECT_LE(draw, 32767);
    }
}

TEST(ExpressionEval, HostilePostfixListsFailSafely) {
    std::vector<double> values{0.0, 1.0, 2.0};
    ExpressionRandom random;
    EXPECT_EQ(evaluate(std::vector<int>{-3, 0}, values, 0, random), 0);  // slot beyond the table
    EXPECT_EQ(evaluate(std::vector<int>{INT_MIN, 0}, values, 0, random), 0);
    EXPECT_EQ(evaluate(std::vector<int>{-1, 7, 0}, values, 0, random), 0);  // not an operator
    EXPECT_EQ(evaluate(std::vector<int>{-1, kTokenOpen, 0}, values, 0, random), 0);
    EXPECT_EQ(evaluate(std::vector<int>{kTokenPlus, 0}, values, 0, random), 0);
    EXPECT_EQ(evaluate(std::vector<int>{0}, values, 0, random), 0);
    EXPECT_EQ(evaluate(std::vector<int>{-1, 0}, std::span<double>(), 0, random), 0);
    EXPECT_EQ(evaluate(std::vector<int>(101, -1), values, 0, random), 0);  // deeper than the stack
    // Without its end mark the list ends with the span.
    ASSERT_EQ(evaluate(std::vector<int>{-1, -2, kTokenPlus}, values, 0, random), 1);
    EXPECT_EQ(values[0], 3.0);
    // Operand values that are not finite fail instead of spreading.
    std::vector<double> infinite{0.0, INFINITY};
    EXPECT_EQ(evaluate(std::vector<int>{-1, 0}, infinite, 0, random), 0);
    std::vector<double> sum{0.0, 1e308, 1e308};
    EXPECT_EQ(evaluate(std::vector<int>{-1, -2, kTokenPlus, 0}, sum, 0, random), 0);
}

TEST(ExpressionEval, EvaluateTextAndIndependentEvaluations) {
    double value = 0.0;
    ASSERT_EQ(evaluateText("  2*PI ", kAngleRadians, value), 1);
    EXPECT_DOUBLE_EQ(value, 2 * kPi);
    ASSERT_EQ(evaluateText("asin(1)", kAngleDegrees, value), 1);
    EXPECT_DOUBLE_EQ(value, 90.0);
    value = 42.0;
    EXPECT_EQ(evaluateText("A+1", kAngleRadians, value), 0);
    EXPECT_EQ(evaluateText("", kAngleRadians, value), 0);
    EXPECT_EQ(evaluateText("1/0", kAngleRadians, value), 0);
    EXPECT_EQ(value, 42.0);
    // A failure leaves nothing behind for the next evaluation.
    ASSERT_EQ(evaluateText("SQR(-1)", kAngleRadians, value), 0);
    ASSERT_EQ(evaluateText("SQR(4)", kAngleRadians, value), 1);
    EXPECT_EQ(value, 2.0);
}
