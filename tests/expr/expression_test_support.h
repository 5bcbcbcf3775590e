#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "expr/expression_eval.h"
#include "expr/expression_postfix.h"

// The value of `text` with the given variable values, or nothing when translation or evaluation
// fails.
inline std::optional<double> valueOf(std::string_view text, int angleUnit = kAngleRadians,
                                     const std::vector<double>& variables = {}) {
    CompiledExpression compiled;
    if (compileExpression(text, static_cast<int>(variables.size()), compiled) != kCompileOk)
        return std::nullopt;
    for (std::size_t i = 0; i < variables.size(); ++i) compiled.values[i + 1] = variables[i];
    ExpressionRandom random(7);
    if (evaluate(compiled.postfix, compiled.values, angleUnit, random) != 1) return std::nullopt;
    return compiled.values[0];
}

inline bool compiles(std::string_view text, int variableCount = 0) {
    CompiledExpression compiled;
    return compileExpression(text, variableCount, compiled) == kCompileOk;
}
