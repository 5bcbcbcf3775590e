#include "expr/expression_tokens.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {

constexpr OperatorInfo kOperators[] = {
    {kTokenPlus, "+", 1, 2},        {kTokenMinus, "-", 1, 2},     {kTokenTimes, "*", 2, 2},
    {kTokenDivide, "/", 2, 2},      {kTokenPower, "^", 3, 2},     {kTokenNegate, "-", 4, 1},
    {kTokenOpen, "(", 0, 0},        {kTokenClose, ")", 99, 0},    {kTokenSin, "SIN", 5, 1},
    {kTokenCos, "COS", 5, 1},       {kTokenTan, "TAN", 5, 1},     {kTokenAsin, "ASIN", 5, 1},
    {kTokenAcos, "ACOS", 5, 1},     {kTokenAtan, "ATAN", 5, 1},   {kTokenLn, "LN", 5, 1},
    {kTokenLog, "LOG", 5, 1},       {kTokenAbs, "ABS", 5, 1},     {kTokenSqr, "SQR", 5, 1},
    {kTokenInt, "INT", 5, 1},       {kTokenSgn, "SGN", 5, 1},     {kTokenCeil, "CEIL", 5, 1},
    {kTokenFloor, "FLOOR", 5, 1},   {kTokenRound, "ROUND", 5, 1}, {kTokenExp, "EXP", 5, 1},
    {kTokenSinh, "SINH", 5, 1},     {kTokenCosh, "COSH", 5, 1},   {kTokenTanh, "TANH", 5, 1},
    {kTokenSec, "SEC", 5, 1},       {kTokenCosec, "COSEC", 5, 1}, {kTokenCotg, "COTG", 5, 1},
    {kTokenRandom, "RANDOM", 5, 1}, {kTokenSech, "SECH", 5, 1},   {kTokenCosech, "COSECH", 5, 1},
    {kTokenCotgh, "COTGH", 5, 1},   {kTokenAsinh, "ASINH", 5, 1}, {kTokenAcosh, "ACOSH", 5, 1},
    {kTokenAtanh, "ATANH", 5, 1},   {kTokenAsech, "ASECH", 5, 1}, {kTokenAcosech, "ACOSECH", 5, 1},
    {kTokenAcotgh, "ACOTGH", 5, 1}, {kTokenAsec, "ASEC", 5, 1},   {kTokenAcosec, "ACOSEC", 5, 1},
    {kTokenAcotg, "ACOTG", 5, 1},
};

bool isOperatorCharacter(char c) {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || c == '(' || c == ')';
}

// Calls `visit` with each piece of `text`: every operator character alone, every run of other
// characters as one piece.
template <class Visit>
void forEachPiece(std::string_view text, Visit visit) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i + 1;
        if (!isOperatorCharacter(text[i])) {
            while (end < text.size() && !isOperatorCharacter(text[end])) ++end;
        }
        visit(text.substr(i, end - i));
        i = end;
    }
}

// The code of an operator or function written `name`; 0 when there is none. Unary minus is never
// found by name: a '-' is binary until its place says otherwise.
int codeOfName(std::string_view name) {
    for (const OperatorInfo& row : kOperators) {
        if (row.code != kTokenNegate && row.name == name) return row.code;
    }
    return 0;
}

// Digits with at most one decimal separator ('.' or ','), no sign and no exponent. A lone separator
// reads as 0, as the standard conversion of "." does.
bool parseNumber(std::string_view piece, double& value) {
    if (piece.empty()) return false;
    int separators = 0;
    for (const char c : piece) {
        if (c == '.' || c == ',') {
            ++separators;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    if (separators > 1) return false;
    std::string normal(piece);
    std::replace(normal.begin(), normal.end(), ',', '.');
    if (normal.front() == '.') normal.insert(normal.begin(), '0');
    if (normal.back() == '.') normal.push_back('0');
    const auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    return ec == std::errc() && ptr == normal.data() + normal.size();
}

// True when `piece` is a constant, with its value.
bool constantOf(std::string_view piece, double& value) {
    if (codeOfName(piece) != 0) return false;
    if (parseNumber(piece, value)) return true;
    if (piece == "PI") {
        value = kPiValue;
        return true;
    }
    return false;
}

bool isBinaryOperator(int code) {
    const OperatorInfo* row = findOperator(code);
    return row && row->arity == 2;
}

// Inserts `code` before position `at`; refused once the list is full.
bool insertToken(std::vector<int>& tokens, std::size_t at, int code) {
    if (tokens.size() > kMaxTokens - 1) return false;
    tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(at), code);
    return true;
}

// Gives every unary minus an explicit parenthesised operand that reaches up to the next binary
// operator outside the groups the operand opens, so that -2^2 is (-2)^2 and -A*B is (-A)*B.
bool bindUnaryMinus(std::vector<int>& tokens) {
    for (std::size_t p = 0; p < tokens.size(); ++p) {
        if (tokens[p] != kTokenNegate) continue;
        if (!insertToken(tokens, p + 1, kTokenOpen)) return false;
        std::size_t at = p + 2;
        int depth = 0;
        for (; at < tokens.size(); ++at) {
            const int code = tokens[at];
            if (code == kTokenOpen) {
                ++depth;
            } else if (code == kTokenClose) {
                if (depth > 0) --depth;
            } else if (depth == 0 && isBinaryOperator(code)) {
                break;
            }
        }
        if (!insertToken(tokens, at, kTokenClose)) return false;
    }
    return true;
}

// Missing '(' go to the start, missing ')' to the end.
bool repairParentheses(std::vector<int>& tokens) {
    const auto opens = std::count(tokens.begin(), tokens.end(), kTokenOpen);
    const auto closes = std::count(tokens.begin(), tokens.end(), kTokenClose);
    for (auto i = opens; i < closes; ++i) {
        if (!insertToken(tokens, 0, kTokenOpen)) return false;
    }
    for (auto i = closes; i < opens; ++i) {
        if (!insertToken(tokens, tokens.size(), kTokenClose)) return false;
    }
    return true;
}

// Ignoring parentheses, an operand may only be followed by a binary operator: "2A" and "A SIN(B)"
// are not products.
bool operandsAreSeparated(const std::vector<int>& tokens) {
    bool afterOperand = false;
    for (const int code : tokens) {
        if (code == kTokenOpen || code == kTokenClose) continue;
        if (afterOperand && !isBinaryOperator(code)) return false;
        afterOperand = code < 0;
    }
    return true;
}

}  // namespace

std::span<const OperatorInfo> operatorTable() {
    return kOperators;
}

const OperatorInfo* findOperator(int code) {
    if (code <= 0) return nullptr;
    for (const OperatorInfo& row : kOperators) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

std::string_view variableLetters(int count) {
    return kVariableLetters.substr(0, static_cast<std::size_t>(std::clamp(count, 0, kMaxVariables)));
}

int tokenize(std::string_view text, std::string_view letters, std::vector<int>& tokens) {
    tokens.clear();
    if (text.empty() || text.size() >= kMaxExpressionLength) return 0;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return 0;
    }
    const int variableCount = static_cast<int>(std::min<std::size_t>(letters.size(), kMaxVariables));
    int constantCount = 0;
    bool ok = true;
    forEachPiece(text, [&](std::string_view piece) {
        if (!ok) return;
        if (int code = codeOfName(piece); code != 0) {
            if (code == kTokenMinus &&
                (tokens.empty() || (tokens.back() > 0 && tokens.back() != kTokenClose))) {
                code = kTokenNegate;
            }
            tokens.push_back(code);
            return;
        }
        double value = 0.0;
        if (constantOf(piece, value)) {
            tokens.push_back(-(variableCount + constantCount + 1));
            ++constantCount;
            return;
        }
        const std::size_t letter =
            piece.size() == 1 ? letters.substr(0, variableCount).find(piece[0]) : std::string_view::npos;
        if (letter == std::string_view::npos) {
            ok = false;
            return;
        }
        tokens.push_back(-(static_cast<int>(letter) + 1));
    });
    if (!ok || !bindUnaryMinus(tokens) || !repairParentheses(tokens) || !operandsAreSeparated(tokens)) {
        tokens.clear();
        return 0;
    }
    return 1;
}

int countConstants(std::string_view text) {
    int count = 0;
    forEachPiece(text, [&](std::string_view piece) {
        double value = 0.0;
        if (constantOf(piece, value)) ++count;
    });
    return count;
}

void collectConstants(std::string_view text, int variableCount, std::vector<double>& values) {
    const std::size_t first = static_cast<std::size_t>(std::max(variableCount, 0)) + 1;
    const std::size_t needed = first + static_cast<std::size_t>(countConstants(text));
    if (values.size() < needed) values.resize(needed, 0.0);
    std::size_t slot = first;
    forEachPiece(text, [&](std::string_view piece) {
        double value = 0.0;
        if (constantOf(piece, value)) values[slot++] = value;
    });
}
