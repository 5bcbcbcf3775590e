#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "expression_test_support.h"

namespace {

// A random expression over operations that cannot fail on its operands, written as text and
// computed alongside with the C++ library. Operands are parenthesised only where precedence needs it,
// so the texts exercise precedence, associativity and the unary minus as well.
constexpr int kAdditive = 1;
constexpr int kMultiplicative = 2;
constexpr int kPower = 3;
constexpr int kAtom = 5;

struct Sample {
    std::string text;
    double value;
    int level = kAtom;      // how tightly the text binds
    bool negation = false;  // a unary minus applied to an atom
};

std::string operand(const Sample& sample, int needed) {
    return sample.level >= needed ? sample.text : "(" + sample.text + ")";
}

class ExpressionGenerator {
  public:
    explicit ExpressionGenerator(unsigned seed) : engine_(seed) {}

    Sample make(int depth) {
        if (depth == 0 || pick(4) == 0) return leaf();
        switch (pick(11)) {
            case 0:
                return binary(depth, '+');
            case 1:
                return binary(depth, '-');
            case 2:
                return binary(depth, '*');
            case 3: {
                // Dividing by 1 + |b| never divides by zero.
                const Sample a = make(depth - 1);
                const Sample b = make(depth - 1);
                return {operand(a, kMultiplicative) + "/(1+ABS(" + b.text + "))",
                        a.value / (1.0 + std::fabs(b.value)), kMultiplicative};
            }
            case 4: {
                const Sample a = make(depth - 1);
                return {"-" + operand(a, kAtom), -a.value, kAdditive, true};
            }
            case 5:
                return function(depth, "SIN", [](double x) { return std::sin(x); });
            case 6:
                return function(depth, "COS", [](double x) { return std::cos(x); });
            case 7:
                return function(depth, "ATAN", [](double x) { return std::atan(x); });
            case 8:
                return function(depth, "TANH", [](double x) { return std::tanh(x); });
            case 9: {
                const Sample a = make(depth - 1);
                return {"SQR(ABS(" + a.text + "))", std::sqrt(std::fabs(a.value))};
            }
            default: {
                // A positive base to a small power.
                const Sample a = make(depth - 1);
                const int exponent = pick(4);
                return {"(1+ABS(" + a.text + "))^" + std::to_string(exponent),
                        std::pow(1.0 + std::fabs(a.value), exponent), kPower};
            }
        }
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

    Sample leaf() {
        // Up to three decimals, written with either separator.
        const int thousandths = std::uniform_int_distribution<int>(0, 20000)(engine_);
        const std::string digits = std::to_string(thousandths / 1000) + (pick(2) ? "." : ",") +
                                   std::to_string(1000 + thousandths % 1000).substr(1);
        if (pick(6) == 0) return {"PI", 3.141592653589793};
        return {digits, thousandths / 1000.0};
    }

    Sample binary(int depth, char op) {
        const Sample a = make(depth - 1);
        const Sample b = make(depth - 1);
        const double value = op == '+'   ? a.value + b.value
                             : op == '-' ? a.value - b.value
                                         : a.value * b.value;
        if (op == '*') {
            // A negated right factor needs no parentheses: 2*-3 is 2·(−3).
            const std::string right = b.negation ? b.text : operand(b, kPower);
            return {operand(a, kMultiplicative) + "*" + right, value, kMultiplicative};
        }
        return {operand(a, kAdditive) + op + operand(b, kMultiplicative), value, kAdditive};
    }

    template <class F>
    Sample function(int depth, const char* name, F f) {
        const Sample a = make(depth - 1);
        return {std::string(name) + "(" + a.text + ")", f(a.value)};
    }

    std::mt19937 engine_;
};

}  // namespace

TEST(ExpressionProperty, AgreesWithTheLibraryOnRandomExpressions) {
    ExpressionGenerator generator(20240601);
    int checked = 0;
    for (int i = 0; i < 20000 && checked < 3000; ++i) {
        const Sample sample = generator.make(4);
        if (sample.text.size() >= 100) continue;  // beyond what the language reads
        const std::optional<double> value = valueOf(sample.text);
        ASSERT_TRUE(value.has_value()) << sample.text;
        EXPECT_NEAR(*value, sample.value, 1e-9 * std::max(1.0, std::fabs(sample.value))) << sample.text;
        ++checked;
    }
    EXPECT_EQ(checked, 3000);
}
