#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "expr/expression_postfix.h"
#include "expr/number_element.h"
#include "lang/text_encoding.h"

// Calculations: the value of an expression over other
// numbers, its operands, which are its parents in letter order (A is parent 0).
// The expression is translated once; every recompute copies the operands'
// values into the value table and evaluates the stored postfix list.
class Calculation : public NumberElement {
  public:
    Calculation(const KindStyle& style, int operandCount);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    // The expression as the list shows it (stored 8-bit text made UTF-8).
    std::string listSuffix() const override { return windows1252ToUtf8(expression); }

    // Replaces the expression, its translation and the operands (creation and
    // editing in place). The text is kept in lower case; parent keys are reset.
    void assign(const CompiledExpression& compiled, std::span<Element* const> operands);

    std::string expression;      // as typed, trimmed, in lower case
    std::vector<int> postfix;    // ends with the end mark 0
    std::vector<double> values;  // slot 0 the result, 1 … n the operands, then the constants

  protected:
    Calculation(const Calculation&) = default;
};
