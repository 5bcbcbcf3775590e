#include "expr/expression_postfix.h"

#include <array>

#include "expr/expression_tokens.h"

namespace {

constexpr std::size_t kOperatorStackSize = 100;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

int toPostfix(std::span<const int> tokens, std::vector<int>& postfix) {
    postfix.clear();
    std::array<int, kOperatorStackSize> stack{};
    std::size_t depth = 0;
    for (const int code : tokens) {
        if (code < 0) {
            postfix.push_back(code);
        } else if (code == kTokenOpen) {
            if (depth == stack.size()) return 0;
            stack[depth++] = code;
        } else if (code == kTokenClose) {
            while (depth > 0 && stack[depth - 1] != kTokenOpen) postfix.push_back(stack[--depth]);
            if (depth == 0) return 0;
            --depth;  // the '('
        } else {
            const OperatorInfo* row = findOperator(code);
            if (!row) return 0;
            while (depth > 0 && findOperator(stack[depth - 1])->precedence >= row->precedence) {
                postfix.push_back(stack[--depth]);
            }
            if (depth == stack.size()) return 0;
            stack[depth++] = code;
        }
    }
    while (depth > 0) {
        const int code = stack[--depth];
        if (code == kTokenOpen) return 0;
        postfix.push_back(code);
    }
    if (postfix.empty()) return 0;
    postfix.push_back(kTokenEnd);
    return 1;
}

int checkPostfix(std::span<const int> postfix) {
    int depth = 0;
    for (const int code : postfix) {
        if (code == kTokenEnd) break;
        if (code < 0) {
            ++depth;
            continue;
        }
        const OperatorInfo* row = findOperator(code);
        if (!row || row->arity == 0 || depth < row->arity) return 0;
        depth -= row->arity - 1;
    }
    return depth <= 1 ? 1 : 0;
}

int prepareExpressionText(std::string_view text, std::string& prepared) {
    text = trimmed(text);
    if (text.empty()) return kCompileInvalid;
    if (text.size() > kMaxExpressionLength) return kCompileTooLong;
    prepared.clear();
    for (const char c : text) {
        if (isBlank(c)) continue;
        prepared.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return kCompileOk;
}

int compileExpression(std::string_view text, int variableCount, CompiledExpression& out) {
    if (variableCount < 0 || variableCount > kMaxVariables) return kCompileInvalid;
    std::string prepared;
    if (const int status = prepareExpressionText(text, prepared); status != kCompileOk) return status;
    std::vector<int> tokens;
    std::vector<int> postfix;
    if (!tokenize(prepared, variableLetters(variableCount), tokens) || !toPostfix(tokens, postfix) ||
        !checkPostfix(postfix)) {
        return kCompileInvalid;
    }
    std::vector<double> values(static_cast<std::size_t>(variableCount) + 1, 0.0);
    collectConstants(prepared, variableCount, values);
    out.text = std::string(trimmed(text));
    out.postfix = std::move(postfix);
    out.values = std::move(values);
    return kCompileOk;
}
