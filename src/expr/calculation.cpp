#include "expr/calculation.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "expr/expression_eval.h"
#include "expr/expression_tokens.h"
#include "model/byte_stream.h"

namespace {

// The stored text of a calculation: the calculator's field holds at most 100
// characters, and the NUL is counted.
constexpr std::uint32_t kMaxStoredExpression = kMaxExpressionLength + 1;

std::string lowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Whether every operand token reads a slot of the table (slot 0 is the result).
bool slotsInside(std::span<const int> postfix, std::size_t tableSize) {
    for (const int code : postfix) {
        if (code == kTokenEnd) break;
        if (code < 0 && static_cast<std::uint64_t>(-static_cast<std::int64_t>(code)) >= tableSize)
            return false;
    }
    return true;
}

}  // namespace

Calculation::Calculation(const KindStyle& style, int operandCount)
    : NumberElement(TypeCode::Calculation, style, operandCount) {}

std::unique_ptr<Element> Calculation::clone() const {
    return std::unique_ptr<Element>(new Calculation(*this));
}

void Calculation::assign(const CompiledExpression& compiled, std::span<Element* const> operands) {
    expression = lowerCase(compiled.text);
    postfix = compiled.postfix;
    if (postfix.empty() || postfix.back() != kTokenEnd) postfix.push_back(kTokenEnd);
    values = compiled.values;
    parents.assign(operands.begin(), operands.end());
    parentKeys.assign(operands.size(), -1);
}

void Calculation::recompute(Construction&, const RecomputeContext& context) {
    defined = 1;
    valueDefined = 1;
    if (!std::all_of(parents.begin(), parents.end(), isDefined)) {
        defined = 0;
        valueDefined = 0;
        return;
    }
    // A table too short for the operands cannot be evaluated (never the case
    // for a record that was read or a compiled expression).
    if (values.size() < parents.size() + 1) {
        valueDefined = 0;
        return;
    }
    for (std::size_t i = 0; i < parents.size(); ++i) {
        const NumberElement& operand = asNumber(parents[i]);
        if (operand.valueDefined != 1) {
            valueDefined = 0;
            return;
        }
        values[i + 1] = operand.value;
    }
    if (evaluate(postfix, values, context.angleUnit) == 1) {
        value = values[0];
        valueDefined = 1;
    } else {
        valueDefined = 0;
    }
}

int Calculation::write(OutputStream& out) const {
    bool ok =
        writeBase(out) && writeNumberPart(out) && writeU32(out, static_cast<std::uint32_t>(postfix.size()));
    for (const int code : postfix) ok = ok && writeI32(out, code);
    ok = ok && writeU32(out, static_cast<std::uint32_t>(values.size()));
    for (const double v : values) ok = ok && writeF64(out, v);
    return ok && writeString(out, expression) ? 1 : 0;
}

int Calculation::read(InputStream& in, int fileVersion) {
    if (!readBase(in, fileVersion) || !readNumberPart(in)) return 0;
    // Counts are checked against what the file still holds before anything is allocated.
    std::uint32_t tokenCount = 0;
    if (!readU32(in, tokenCount)) return 0;
    if (tokenCount > in.remaining() / sizeof(std::int32_t)) {
        in.fail("a calculation holds more tokens than the file");
        return 0;
    }
    std::vector<int> readPostfix(tokenCount);
    for (int& code : readPostfix) {
        std::int32_t c = 0;
        if (!readI32(in, c)) return 0;
        code = c;
    }
    // A list without its end mark gets one.
    if (readPostfix.empty() || readPostfix.back() != kTokenEnd) readPostfix.push_back(kTokenEnd);
    std::uint32_t valueCount = 0;
    if (!readU32(in, valueCount)) return 0;
    if (valueCount > in.remaining() / sizeof(double)) {
        in.fail("a calculation holds more values than the file");
        return 0;
    }
    std::vector<double> readValues(valueCount);
    for (double& v : readValues) {
        if (!readF64(in, v)) return 0;
    }
    std::optional<std::string> text;
    if (!readString(in, text, kMaxStoredExpression)) return 0;
    if (readValues.size() < parents.size() + 1 || !slotsInside(readPostfix, readValues.size())) {
        in.fail("a calculation refers to values its table does not hold");
        return 0;
    }
    if (!checkPostfix(readPostfix)) {
        in.fail("a calculation's expression is malformed");
        return 0;
    }
    postfix = std::move(readPostfix);
    values = std::move(readValues);
    expression = text.value_or(std::string());
    return 1;
}
