#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// From tokens to the postfix list that calculations store, and the whole translation of a text.

// Shunting-yard conversion of `tokens` (from tokenize) into `postfix`, which ends with the end mark
// 0. A function applies to the operand that follows it, parenthesised or not; equal precedences
// associate to the left, so 2^3^2 is 64. Returns 1, or 0 for unmatched parentheses, unknown codes, an
// operator stack deeper than 100 or an empty result.
int toPostfix(std::span<const int> tokens, std::vector<int>& postfix);

// Checks that every operator of `postfix` finds its operands and that at most one value remains.
// Reads up to the end mark or the end of the list. Returns 1 or 0.
int checkPostfix(std::span<const int> postfix);

// A translated expression: what a calculation stores.
struct CompiledExpression {
    std::string text;          // the text as typed, trimmed
    std::vector<int> postfix;  // ends with 0
    // Slot 0 the result, slots 1 … n the variables, then the constants.
    std::vector<double> values;
};

inline constexpr int kCompileInvalid = 0;
inline constexpr int kCompileOk = 1;
inline constexpr int kCompileTooLong = 2;

// Trims `text`, checks its length (1 … 100), removes blanks and upper-cases it. Returns kCompileOk with
// the result in `prepared`, kCompileInvalid for an empty text or kCompileTooLong.
int prepareExpressionText(std::string_view text, std::string& prepared);

// The whole translation with `variableCount` variables (0 … 23): prepare, tokenize, convert, check,
// collect the constants. Returns kCompileOk, kCompileTooLong, or kCompileInvalid for any other
// failure; `out` is only written on success.
int compileExpression(std::string_view text, int variableCount, CompiledExpression& out);
