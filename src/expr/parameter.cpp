#include "expr/parameter.h"

#include <cmath>

#include "expr/format_number.h"
#include "model/byte_stream.h"
#include "model/construction.h"

namespace {

constexpr int kStepFieldDecimals = 5;
constexpr int kStepFromMajor = 4;

}  // namespace

ParameterNumber::ParameterNumber(const KindStyle& style) : NumberElement(TypeCode::Parameter, style) {}

std::unique_ptr<Element> ParameterNumber::clone() const {
    return std::unique_ptr<Element>(new ParameterNumber(*this));
}

void ParameterNumber::recompute(Construction&, const RecomputeContext&) {
    defined = 1;
    valueDefined = 1;
}

bool ParameterNumber::parameterRange(double& low, double& high) const {
    low = minimum;
    high = maximum;
    return true;
}

void ParameterNumber::setStepFromEdit(double typed) {
    step = std::abs(typed);
    if (step == 0.0) step = kDefaultParameterStep;
}

std::string ParameterNumber::stepText() const {
    return formatNumber(step, kStepFieldDecimals, true, false);
}

int ParameterNumber::write(OutputStream& out) const {
    return writeBase(out) && writeNumberPart(out) && writeF64(out, minimum) && writeF64(out, maximum) &&
                   writeF64(out, step)
               ? 1
               : 0;
}

int ParameterNumber::read(InputStream& in, int fileVersion) {
    if (!readBase(in, fileVersion) || !readNumberPart(in) || !readF64(in, minimum) || !readF64(in, maximum))
        return 0;
    // Older files have no step; the one set before reading stays.
    if (fileVersion / 1000 >= kStepFromMajor && !readF64(in, step)) return 0;
    return 1;
}

int stepSelectedParameters(Construction& construction, int direction) {
    int moved = 0;
    construction.forEach([&](Element& e) {
        if (!e.selected || e.typeCode() != TypeCode::Parameter) return;
        auto& parameter = static_cast<ParameterNumber&>(e);
        if (direction > 0)
            parameter.stepUp();
        else
            parameter.stepDown();
        ++moved;
    });
    return moved;
}
