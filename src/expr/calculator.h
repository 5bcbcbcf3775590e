#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "expr/expression_postfix.h"
#include "lang/text_table.h"

// The behaviour of the calculator keypad, without any widget: the expression being edited with its
// caret, the insert buttons and the "arc" box, the list of numbers the expression refers to (its
// operands, lettered A, B, …), and evaluation with the messages the user sees. The dialog shows
// text(), caret() and resultText(), and forwards clicks and edits here.

enum class CalculatorButton {
    kAbs,
    kSin,
    kCos,
    kTan,
    kInt,
    kLn,
    kLog,
    kSqr,
    kPi,
    kPlus,
    kMinus,
    kTimes,
    kDivide,
    kPower,
    kOpen,
    kClose,
};

// What the calculator serves: a calculation, or the value of a new parameter.
enum class CalculatorUse { kCalculation, kParameter };

// The current state of one operand when the expression is evaluated.
struct OperandValue {
    double value = 0.0;
    bool defined = true;
};

inline constexpr int kCalculatorOk = 1;
inline constexpr int kCalculatorTooLong = 2;    // message box 20600
inline constexpr int kCalculatorInvalid = 3;    // message box 20610
inline constexpr int kCalculatorUndefined = 4;  // text 20620 in the result field, or box 20610

struct CalculatorOutcome {
    int status = kCalculatorInvalid;
    int messageId = 0;  // the text of a message box to show, 0 for none
    double value = 0.0;
};

class Calculator {
  public:
    // The edit field holds at most this many characters.
    static constexpr std::size_t kMaxTextLength = 100;

    explicit Calculator(CalculatorUse use = CalculatorUse::kCalculation) : use_(use) {}

    CalculatorUse use() const { return use_; }

    const std::string& text() const { return text_; }
    std::size_t caret() const { return selectionEnd_; }
    std::size_t selectionStart() const { return selectionStart_; }
    const std::string& resultText() const { return resultText_; }

    // The text as the user edited it (the field keeps it within its limit); the caret goes to its end.
    void setText(std::string_view text);
    // The selection (or, with start == end, the caret) as the field reports it; clamped to the text.
    void setSelection(std::size_t start, std::size_t end);

    bool arc() const { return arc_; }
    void setArc(bool on) { arc_ = on; }

    // Inserts the button's text at the caret. With "arc" ticked, sin, cos and tan insert asin(,
    // acos(, atan( and clear the box. Returns false when the text would exceed the field's limit.
    bool press(CalculatorButton button);

    // Replaces the selection with `inserted`; a text ending in "(" is followed by ")" and the caret
    // goes between them. Refused (false, nothing changes) beyond the field's limit.
    bool insert(std::string_view inserted);

    // The numbers the expression uses, in letter order, as ids the caller gives them.
    std::span<const int> operands() const { return operands_; }
    void setOperands(std::vector<int> operands);

    // A click on number `operandId` in the view: types its letter, appending the number to the
    // operands first when it is new. Returns false, changing nothing, when a 24th number is clicked
    // or the letter does not fit.
    bool clickNumber(int operandId);

    // Trims, checks and evaluates the text with the operands' current values (in operand order) and
    // the document's angle unit. On success the result field shows the value with 4 decimals and
    // compiled() holds the translation, its text in lower case, for the element to store.
    CalculatorOutcome evaluate(std::span<const OperandValue> values, int angleUnit, const TextTable& texts);
    // As above, with the text the result field shows for a value that cannot be computed.
    CalculatorOutcome evaluate(std::span<const OperandValue> values, int angleUnit,
                               std::string_view undefinedText);

    const CompiledExpression& compiled() const { return compiled_; }

  private:
    CalculatorUse use_;
    std::string text_;
    std::size_t selectionStart_ = 0;
    std::size_t selectionEnd_ = 0;
    bool arc_ = false;
    std::vector<int> operands_;
    std::string resultText_;
    CompiledExpression compiled_;
};
