#pragma once

#include <span>
#include <string_view>
#include <vector>

// The expression language of calculations and numeric fields: single-letter variables A … W, decimal
// constants, PI, + - * / ^, unary minus, parentheses and 35 functions. A text is translated once
// into tokens, then into a postfix list (expression_postfix.h) that evaluation runs on every
// recompute (expression_eval.h).
//
// Token codes are 32-bit values: operators and functions are positive, operands negative (variable
// k is -(k + 1); constant m after n variables is -(n + m + 1)), and 0 ends a postfix list. An
// operand's value-table slot is the absolute value of its code.

inline constexpr int kTokenEnd = 0;
inline constexpr int kTokenPlus = 43;
inline constexpr int kTokenMinus = 45;
inline constexpr int kTokenTimes = 42;
inline constexpr int kTokenDivide = 47;
inline constexpr int kTokenPower = 94;
inline constexpr int kTokenNegate = 110;
inline constexpr int kTokenOpen = 40;
inline constexpr int kTokenClose = 41;

inline constexpr int kTokenSin = 115;
inline constexpr int kTokenCos = 99;
inline constexpr int kTokenTan = 116;
inline constexpr int kTokenAsin = 83;
inline constexpr int kTokenAcos = 67;
inline constexpr int kTokenAtan = 84;
inline constexpr int kTokenLn = 108;
inline constexpr int kTokenLog = 76;
inline constexpr int kTokenAbs = 97;
inline constexpr int kTokenSqr = 113;
inline constexpr int kTokenInt = 105;
inline constexpr int kTokenSgn = 500;
inline constexpr int kTokenCeil = 501;
inline constexpr int kTokenFloor = 502;
inline constexpr int kTokenRound = 503;
inline constexpr int kTokenExp = 504;
inline constexpr int kTokenSinh = 505;
inline constexpr int kTokenCosh = 506;
inline constexpr int kTokenTanh = 507;
inline constexpr int kTokenSec = 508;
inline constexpr int kTokenCosec = 509;
inline constexpr int kTokenCotg = 510;
inline constexpr int kTokenRandom = 511;
inline constexpr int kTokenSech = 512;
inline constexpr int kTokenCosech = 513;
inline constexpr int kTokenCotgh = 514;
inline constexpr int kTokenAsinh = 525;
inline constexpr int kTokenAcosh = 526;
inline constexpr int kTokenAtanh = 527;
inline constexpr int kTokenAsech = 528;
inline constexpr int kTokenAcosech = 529;
inline constexpr int kTokenAcotgh = 530;
inline constexpr int kTokenAsec = 531;
inline constexpr int kTokenAcosec = 532;
inline constexpr int kTokenAcotg = 533;

// A text must be shorter than this (counted after blanks are removed).
inline constexpr std::size_t kMaxExpressionLength = 100;
// The token list after the unary-minus and parenthesis insertions.
inline constexpr std::size_t kMaxTokens = 99;
inline constexpr int kMaxVariables = 23;
inline constexpr std::string_view kVariableLetters = "ABCDEFGHIJKLMNOPQRSTUVW";
inline constexpr double kPiValue = 3.141592653589793;

struct OperatorInfo {
    int code;
    std::string_view name;
    int precedence;
    int arity;  // 2 binary, 1 unary minus and functions, 0 parentheses
};

// The operators and functions in their search order: + - * / ^, unary minus (never matched by
// name), ( ), then the functions.
std::span<const OperatorInfo> operatorTable();

// The row of `code`, or nullptr for operands, the end mark and unknown codes.
const OperatorInfo* findOperator(int code);

// The first `count` variable letters (at most 23).
std::string_view variableLetters(int count);

// Splits `text` (already upper-cased, without blanks) into tokens. Variables are the letters of
// `letters`, whose length is the variable count n. Applies the unary-minus binding and repairs
// unbalanced parentheses. Returns 1, or 0 when the text is not a well-formed token sequence.
int tokenize(std::string_view text, std::string_view letters, std::vector<int>& tokens);

// The number of constants (numbers and PI) in `text`.
int countConstants(std::string_view text);

// Writes the constants of `text` into values[n + 1] … in the order they appear, growing `values` to
// n + c + 1 slots when it is shorter.
void collectConstants(std::string_view text, int variableCount, std::vector<double>& values);
