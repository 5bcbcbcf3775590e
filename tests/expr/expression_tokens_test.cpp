#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/expression_postfix.h"
#include "expr/expression_tokens.h"
#include "expression_test_support.h"

namespace {

std::vector<int> tokensOf(std::string_view text, std::string_view letters = "") {
    std::vector<int> tokens;
    EXPECT_EQ(tokenize(text, letters, tokens), 1) << text;
    return tokens;
}

bool tokenizes(std::string_view text, std::string_view letters = "") {
    std::vector<int> tokens;
    return tokenize(text, letters, tokens) == 1;
}

std::vector<int> postfixOf(const std::vector<int>& tokens) {
    std::vector<int> postfix;
    EXPECT_EQ(toPostfix(tokens, postfix), 1);
    return postfix;
}

constexpr int kOpen = kTokenOpen;
constexpr int kClose = kTokenClose;
constexpr int kNeg = kTokenNegate;

}  // namespace

TEST(ExpressionTokens, OperandCodesFollowVariablesThenConstants) {
    // Constants are numbered after the variables, in text order.
    EXPECT_EQ(tokensOf("2+3*4"), (std::vector<int>{-1, kTokenPlus, -2, kTokenTimes, -3}));
    EXPECT_EQ(tokensOf("A+2*B", "AB"), (std::vector<int>{-1, kTokenPlus, -3, kTokenTimes, -2}));
    EXPECT_EQ(tokensOf("PI*C", "ABC"), (std::vector<int>{-4, kTokenTimes, -3}));
    EXPECT_EQ(tokensOf("SIN(1)+ACOTGH(2)"),
              (std::vector<int>{kTokenSin, kOpen, -1, kClose, kTokenPlus, kTokenAcotgh, kOpen, -2, kClose}));
    EXPECT_EQ(countConstants("SIN(1)+PI*2,5-A"), 3);

    std::vector<double> values(1, 0.0);
    collectConstants("2+PI*3,5-.", 0, values);
    EXPECT_EQ(values, (std::vector<double>{0.0, 2.0, kPiValue, 3.5, 0.0}));
    // With variables the constants start after their slots.
    std::vector<double> withVariables;
    collectConstants("A*10", 2, withVariables);
    EXPECT_EQ(withVariables, (std::vector<double>{0.0, 0.0, 0.0, 10.0}));
}

TEST(ExpressionTokens, UnaryMinusBindsItsOperandUpToTheNextBinaryOperator) {
    EXPECT_EQ(tokensOf("-2^2"), (std::vector<int>{kNeg, kOpen, -1, kClose, kTokenPower, -2}));
    EXPECT_EQ(tokensOf("--2"), (std::vector<int>{kNeg, kOpen, kNeg, kOpen, -1, kClose, kClose}));
    EXPECT_EQ(tokensOf("2*-3"), (std::vector<int>{-1, kTokenTimes, kNeg, kOpen, -2, kClose}));
    EXPECT_EQ(tokensOf("(-2)"), (std::vector<int>{kOpen, kNeg, kOpen, -1, kClose, kClose}));
    // A group that the operand opens is skipped over; the binary operator after it ends the operand.
    EXPECT_EQ(tokensOf("-SIN(1+2)*3"), (std::vector<int>{kNeg, kOpen, kTokenSin, kOpen, -1, kTokenPlus, -2,
                                                         kClose, kClose, kTokenTimes, -3}));
    // A '-' after ')' or an operand is binary.
    EXPECT_EQ(tokensOf("(1)-2"), (std::vector<int>{kOpen, -1, kClose, kTokenMinus, -2}));
}

TEST(ExpressionTokens, ParenthesisRepairAndJuxtaposition) {
    EXPECT_EQ(tokensOf("(2+3"), (std::vector<int>{kOpen, -1, kTokenPlus, -2, kClose}));
    EXPECT_EQ(tokensOf("2+3)"), (std::vector<int>{kOpen, -1, kTokenPlus, -2, kClose}));
    EXPECT_EQ(tokensOf("((2"), (std::vector<int>{kOpen, kOpen, -1, kClose, kClose}));
    // Counts balance, order does not: left to the conversion.
    EXPECT_TRUE(tokenizes(")2("));
    EXPECT_FALSE(compiles(")2("));

    EXPECT_FALSE(tokenizes("2A", "A"));
    EXPECT_FALSE(tokenizes("(A)SIN(B)", "AB"));
    EXPECT_FALSE(tokenizes("2(3)"));
    EXPECT_FALSE(tokenizes("(2)(3)"));
    EXPECT_FALSE(tokenizes("A(B)", "AB"));
    EXPECT_TRUE(tokenizes("(A)*(B)", "AB"));
}

TEST(ExpressionTokens, WhatIsNotAToken) {
    EXPECT_FALSE(tokenizes("1E5"));
    EXPECT_FALSE(tokenizes("PI2"));
    EXPECT_FALSE(tokenizes("1.2.3"));
    EXPECT_FALSE(tokenizes("1,2.3"));
    EXPECT_FALSE(tokenizes("SINE(1)"));
    EXPECT_FALSE(tokenizes("A+B", "A"));
    EXPECT_FALSE(tokenizes("A"));
    EXPECT_FALSE(tokenizes("X", kVariableLetters));  // only A … W
    EXPECT_FALSE(tokenizes("AB", "AB"));             // not one letter
    EXPECT_FALSE(tokenizes("2\xE9"));
    EXPECT_FALSE(tokenizes(""));
    EXPECT_TRUE(tokenizes("W", kVariableLetters));
    EXPECT_TRUE(tokenizes("5."));
    EXPECT_TRUE(tokenizes(",5"));
    EXPECT_TRUE(tokenizes("."));
    EXPECT_EQ(valueOf(","), 0.0);
    EXPECT_EQ(valueOf(",5*2"), 1.0);
}

TEST(ExpressionTokens, LengthAndTokenLimits) {
    std::string text = "1";
    for (int i = 0; i < 49; ++i) text += "+1";
    ASSERT_EQ(text.size(), 99u);
    EXPECT_TRUE(tokenizes(text));
    EXPECT_EQ(valueOf(text), 50.0);
    text.insert(0, "1");  // exactly 100 characters
    EXPECT_FALSE(tokenizes(text));
    // The field check lets 100 characters through to the tokenizer, which refuses them; beyond 100 the
    // text is too long.
    CompiledExpression compiled;
    EXPECT_EQ(compileExpression(text, 0, compiled), kCompileInvalid);
    EXPECT_EQ(compileExpression(text + "1", 0, compiled), kCompileTooLong);
    // Blanks do not count.
    EXPECT_EQ(compileExpression("  " + std::string(text.begin() + 1, text.end()) + "  ", 0, compiled),
              kCompileOk);
    EXPECT_EQ(compileExpression("   ", 0, compiled), kCompileInvalid);

    // The unary minus adds two tokens; a list may grow to 99.
    std::string negated = "-1";
    for (int i = 0; i < 47; ++i) negated += "+1";
    EXPECT_EQ(valueOf(negated), 46.0);
    negated += "+1";
    EXPECT_FALSE(tokenizes(negated));
}

TEST(ExpressionTokens, PostfixConversionAndCheck) {
    // A function takes the operand that follows it, parenthesised or not.
    EXPECT_EQ(postfixOf({kTokenSin, -1, kTokenPlus, -2}),
              (std::vector<int>{-1, kTokenSin, -2, kTokenPlus, 0}));
    EXPECT_EQ(postfixOf({kTokenSin, -2, kTokenTimes, -1}),
              (std::vector<int>{-2, kTokenSin, -1, kTokenTimes, 0}));
    // Equal precedences go left to right, ^ included.
    EXPECT_EQ(postfixOf({-1, kTokenPower, -2, kTokenPower, -3}),
              (std::vector<int>{-1, -2, kTokenPower, -3, kTokenPower, 0}));

    std::vector<int> postfix;
    EXPECT_EQ(toPostfix(std::vector<int>{kClose}, postfix), 0);
    EXPECT_EQ(toPostfix(std::vector<int>{kOpen, kClose}, postfix), 0);  // nothing to output
    EXPECT_EQ(toPostfix(std::vector<int>{kOpen, -1}, postfix), 0);      // unclosed
    EXPECT_EQ(toPostfix(std::vector<int>{-1, 7, -2}, postfix), 0);      // unknown code
    EXPECT_EQ(toPostfix(std::vector<int>(101, kOpen), postfix), 0);     // deeper than the stack

    EXPECT_EQ(checkPostfix(std::vector<int>{-1, -2, kTokenPlus, 0}), 1);
    EXPECT_EQ(checkPostfix(std::vector<int>{-1, 0}), 1);
    EXPECT_EQ(checkPostfix(std::vector<int>{0}), 1);
    EXPECT_EQ(checkPostfix(std::vector<int>{-1, kTokenPlus, 0}), 0);
    EXPECT_EQ(checkPostfix(std::vector<int>{kTokenSin, -1, 0}), 0);
    EXPECT_EQ(checkPostfix(std::vector<int>{-1, -2, 0}), 0);
    EXPECT_EQ(checkPostfix(std::vector<int>{-1, kOpen, 0}), 0);
    // Two prefix operators in a row without parentheses do not chain.
    EXPECT_FALSE(compiles("SIN-2"));
    EXPECT_TRUE(compiles("SIN(-2)"));
}
