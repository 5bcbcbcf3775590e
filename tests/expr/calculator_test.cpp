#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "expr/calculator.h"
#include "expr/expression_eval.h"
#include "lang/text_ids.h"

namespace {

TextTable calculatorTexts() {
    TextTable table;
    std::istringstream in("20600=too long\n20610=invalid\n20620=undefined\n");
    table.read(in, "Test.lng");
    return table;
}

}  // namespace

TEST(Calculator, ButtonsInsertAtTheCaretAndCompleteParentheses) {
    Calculator calculator;
    ASSERT_TRUE(calculator.press(CalculatorButton::kSin));
    EXPECT_EQ(calculator.text(), "sin()");
    EXPECT_EQ(calculator.caret(), 4u);
    calculator.press(CalculatorButton::kPi);
    EXPECT_EQ(calculator.text(), "sin(pi)");
    EXPECT_EQ(calculator.caret(), 6u);
    calculator.press(CalculatorButton::kDivide);
    calculator.press(CalculatorButton::kOpen);
    EXPECT_EQ(calculator.text(), "sin(pi/())");
    EXPECT_EQ(calculator.caret(), 8u);
    calculator.press(CalculatorButton::kClose);
    EXPECT_EQ(calculator.text(), "sin(pi/()))");

    // A selection is replaced.
    calculator.setText("1+2");
    calculator.setSelection(2, 0);
    calculator.press(CalculatorButton::kSqr);
    EXPECT_EQ(calculator.text(), "sqr()2");
    EXPECT_EQ(calculator.caret(), 4u);
    calculator.setSelection(50, 70);  // clamped to the text
    calculator.press(CalculatorButton::kPower);
    EXPECT_EQ(calculator.text(), "sqr()2^");
}

TEST(Calculator, ArcBoxTurnsTheCircularFunctionsIntoTheirInverses) {
    Calculator calculator;
    calculator.setArc(true);
    calculator.press(CalculatorButton::kAbs);  // not a circular function: the box stays ticked
    EXPECT_TRUE(calculator.arc());
    EXPECT_EQ(calculator.text(), "abs()");
    calculator.press(CalculatorButton::kCos);
    EXPECT_EQ(calculator.text(), "abs(acos())");
    EXPECT_FALSE(calculator.arc());
    calculator.press(CalculatorButton::kTan);
    EXPECT_EQ(calculator.text(), "abs(acos(tan()))");
    calculator.setArc(true);
    calculator.press(CalculatorButton::kSin);
    EXPECT_EQ(calculator.text(), "abs(acos(tan(asin())))");
}

TEST(Calculator, TheFieldLimitRefusesInsertionsWhole) {
    Calculator calculator;
    calculator.setText(std::string(95, '1'));
    EXPECT_TRUE(calculator.press(CalculatorButton::kSqr));  // "sqr()" fills it to 100
    EXPECT_EQ(calculator.text().size(), 100u);
    calculator.setText(std::string(96, '1'));
    EXPECT_FALSE(calculator.press(CalculatorButton::kSqr));
    EXPECT_EQ(calculator.text(), std::string(96, '1'));
    // Replacing a selection makes room.
    calculator.setSelection(0, 4);
    EXPECT_TRUE(calculator.press(CalculatorButton::kSqr));
    EXPECT_EQ(calculator.text().size(), 97u);
}

TEST(Calculator, NumbersClickedInTheViewBecomeLetteredOperands) {
    Calculator calculator;
    EXPECT_TRUE(calculator.clickNumber(70));
    calculator.press(CalculatorButton::kPlus);
    EXPECT_TRUE(calculator.clickNumber(90));
    calculator.press(CalculatorButton::kTimes);
    EXPECT_TRUE(calculator.clickNumber(70));
    EXPECT_EQ(calculator.text(), "a+b*a");
    EXPECT_EQ(std::vector<int>(calculator.operands().begin(), calculator.operands().end()),
              (std::vector<int>{70, 90}));

    Calculator full;
    for (int id = 0; id < 23; ++id) ASSERT_TRUE(full.clickNumber(id));
    EXPECT_EQ(full.text(), "abcdefghijklmnopqrstuvw");
    EXPECT_FALSE(full.clickNumber(23));  // a 24th number
    EXPECT_EQ(full.operands().size(), 23u);
    EXPECT_TRUE(full.clickNumber(22));  // an operand already listed is typed again
    EXPECT_EQ(full.text(), "abcdefghijklmnopqrstuvww");
}

TEST(Calculator, EvaluationShowsTheValueOrTheMessages) {
    const TextTable texts = calculatorTexts();
    Calculator calculator;
    calculator.clickNumber(5);
    calculator.press(CalculatorButton::kPlus);
    calculator.clickNumber(6);
    calculator.setText("  A+b*2  ");
    CalculatorOutcome outcome =
        calculator.evaluate(std::vector<OperandValue>{{1.5, true}, {2.0, true}}, kAngleRadians, texts);
    EXPECT_EQ(outcome.status, kCalculatorOk);
    EXPECT_EQ(outcome.messageId, 0);
    EXPECT_EQ(outcome.value, 5.5);
    EXPECT_EQ(calculator.resultText(), "5.5000");
    // What the element stores: the text in lower case, its postfix list and a value table of n + c + 1.
    EXPECT_EQ(calculator.compiled().text, "a+b*2");
    EXPECT_EQ(calculator.compiled().values.size(), 4u);

    calculator.setText("sin(90)");
    outcome = calculator.evaluate(std::vector<OperandValue>{{1.5, true}, {2.0, true}}, kAngleDegrees, texts);
    EXPECT_EQ(calculator.resultText(), "1.0000");

    // Not well formed: a message box, and the result field keeps its text.
    calculator.setText("a+");
    outcome = calculator.evaluate(std::vector<OperandValue>{{1.5, true}, {2.0, true}}, kAngleRadians, texts);
    EXPECT_EQ(outcome.status, kCalculatorInvalid);
    EXPECT_EQ(outcome.messageId, textid::kExpressionInvalid);
    EXPECT_EQ(calculator.resultText(), "1.0000");
    EXPECT_EQ(calculator.compiled().text, "sin(90)");

    calculator.setText(std::string(101, '1'));
    outcome = calculator.evaluate(std::vector<OperandValue>{{1.5, true}, {2.0, true}}, kAngleRadians, texts);
    EXPECT_EQ(outcome.status, kCalculatorTooLong);
    EXPECT_EQ(outcome.messageId, textid::kExpressionTooLong);

    // Well formed but not computable: the undefined text in the result field.
    calculator.setText("a/0");
    outcome = calculator.evaluate(std::vector<OperandValue>{{1.5, true}, {2.0, true}}, kAngleRadians, texts);
    EXPECT_EQ(outcome.status, kCalculatorUndefined);
    EXPECT_EQ(outcome.messageId, 0);
    EXPECT_EQ(calculator.resultText(), "undefined");
    calculator.setText("a+b");
    outcome = calculator.evaluate(std::vector<OperandValue>{{1.5, true}, {2.0, false}}, kAngleRadians, texts);
    EXPECT_EQ(outcome.status, kCalculatorUndefined);
}

TEST(Calculator, TheParameterToolReportsUncomputableValuesInABox) {
    const TextTable texts = calculatorTexts();
    Calculator calculator(CalculatorUse::kParameter);
    calculator.clickNumber(1);
    calculator.press(CalculatorButton::kTimes);
    calculator.press(CalculatorButton::kPi);
    CalculatorOutcome outcome =
        calculator.evaluate(std::vector<OperandValue>{{2.0, true}}, kAngleRadians, texts);
    ASSERT_EQ(outcome.status, kCalculatorOk);
    EXPECT_EQ(calculator.resultText(), "6.2832");

    outcome = calculator.evaluate(std::vector<OperandValue>{{2.0, false}}, kAngleRadians, texts);
    EXPECT_EQ(outcome.status, kCalculatorUndefined);
    EXPECT_EQ(outcome.messageId, textid::kExpressionInvalid);
    EXPECT_EQ(calculator.resultText(), "6.2832");

    calculator.setText("   ");
    outcome = calculator.evaluate({}, kAngleRadians, texts);
    EXPECT_EQ(outcome.messageId, textid::kExpressionInvalid);
}
