#include "expr/calculator.h"

#include <algorithm>

#include "expr/expression_eval.h"
#include "expr/expression_tokens.h"
#include "expr/format_number.h"
#include "lang/text_ids.h"

namespace {

struct ButtonText {
    std::string_view plain;
    std::string_view arc;  // what the button inserts while "arc" is ticked; empty when the same
};

constexpr ButtonText kButtonTexts[] = {
    {"abs(", ""}, {"sin(", "asin("}, {"cos(", "acos("}, {"tan(", "atan("}, {"int(", ""}, {"ln(", ""},
    {"log(", ""}, {"sqr(", ""},      {"pi", ""},        {"+", ""},         {"-", ""},    {"*", ""},
    {"/", ""},    {"^", ""},         {"(", ""},         {")", ""},
};

char lowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

void Calculator::setText(std::string_view text) {
    text_ = std::string(text);
    selectionStart_ = selectionEnd_ = text_.size();
}

void Calculator::setSelection(std::size_t start, std::size_t end) {
    selectionStart_ = std::min({start, end, text_.size()});
    selectionEnd_ = std::min(std::max(start, end), text_.size());
}

bool Calculator::press(CalculatorButton button) {
    const ButtonText& row = kButtonTexts[static_cast<std::size_t>(button)];
    const bool useArc = arc_ && !row.arc.empty();
    if (!insert(useArc ? row.arc : row.plain)) return false;
    if (useArc) arc_ = false;
    return true;
}

bool Calculator::insert(std::string_view inserted) {
    const bool opensGroup = !inserted.empty() && inserted.back() == '(';
    const std::size_t added = inserted.size() + (opensGroup ? 1 : 0);
    const std::size_t kept = text_.size() - (selectionEnd_ - selectionStart_);
    if (kept + added > kMaxTextLength) return false;
    text_.replace(selectionStart_, selectionEnd_ - selectionStart_, inserted);
    std::size_t caret = selectionStart_ + inserted.size();
    if (opensGroup) text_.insert(caret, 1, ')');
    selectionStart_ = selectionEnd_ = caret;
    return true;
}

void Calculator::setOperands(std::vector<int> operands) {
    if (operands.size() > static_cast<std::size_t>(kMaxVariables)) operands.resize(kMaxVariables);
    operands_ = std::move(operands);
}

bool Calculator::clickNumber(int operandId) {
    const auto it = std::find(operands_.begin(), operands_.end(), operandId);
    const std::size_t index = static_cast<std::size_t>(it - operands_.begin());
    if (it == operands_.end() && operands_.size() >= static_cast<std::size_t>(kMaxVariables)) return false;
    const char letter = lowerCase(kVariableLetters[index]);
    if (!insert(std::string_view(&letter, 1))) return false;
    if (it == operands_.end()) operands_.push_back(operandId);
    return true;
}

CalculatorOutcome Calculator::evaluate(std::span<const OperandValue> values, int angleUnit,
                                       const TextTable& texts) {
    return evaluate(values, angleUnit, texts.text(textid::kValueUndefined));
}

CalculatorOutcome Calculator::evaluate(std::span<const OperandValue> values, int angleUnit,
                                       std::string_view undefinedText) {
    CalculatorOutcome outcome;
    CompiledExpression compiled;
    const int status = compileExpression(text_, static_cast<int>(operands_.size()), compiled);
    if (status == kCompileTooLong) {
        outcome.status = kCalculatorTooLong;
        outcome.messageId = textid::kExpressionTooLong;
        return outcome;
    }
    if (status != kCompileOk) {
        outcome.status = kCalculatorInvalid;
        outcome.messageId = textid::kExpressionInvalid;
        return outcome;
    }

    bool evaluated = values.size() == operands_.size();
    for (std::size_t i = 0; evaluated && i < values.size(); ++i) {
        if (!values[i].defined) {
            evaluated = false;
        } else {
            compiled.values[i + 1] = values[i].value;
        }
    }
    if (evaluated) evaluated = ::evaluate(compiled.postfix, compiled.values, angleUnit) == 1;
    if (!evaluated) {
        outcome.status = kCalculatorUndefined;
        if (use_ == CalculatorUse::kParameter) {
            outcome.messageId = textid::kExpressionInvalid;
        } else {
            resultText_ = std::string(undefinedText);
        }
        return outcome;
    }

    std::transform(compiled.text.begin(), compiled.text.end(), compiled.text.begin(), lowerCase);
    outcome.status = kCalculatorOk;
    outcome.value = compiled.values[0];
    resultText_ = formatNumber(outcome.value, 4);
    compiled_ = std::move(compiled);
    return outcome;
}
