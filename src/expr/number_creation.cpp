#include "expr/number_creation.h"

#include <algorithm>

#include "expr/format_number.h"

void applyNumberDefaults(NumberElement& number, const NumberDefaults& defaults) {
    number.decimals = std::clamp(defaults.decimals, 0, kMaxDecimals);
    number.font = defaults.font;
    number.colour = defaults.colour;
}

ScreenPoint calculatedPlacement(int mouseX, int mouseY) {
    return {mouseX - kCalculatedPlacementOffset, mouseY - kCalculatedPlacementOffset};
}

std::unique_ptr<Measure> makeMeasure(TypeCode typeCode, std::span<Element* const> parents,
                                     const KindStyle& style, const NumberDefaults& defaults, int x, int y) {
    auto measure = std::make_unique<Measure>(typeCode, style);
    const std::size_t n = std::min(parents.size(), measure->parents.size());
    std::copy_n(parents.begin(), n, measure->parents.begin());
    applyNumberDefaults(*measure, defaults);
    measure->position = {x, y};
    measure->corner = measure->position;
    return measure;
}

std::unique_ptr<Calculation> makeCalculation(const CompiledExpression& compiled,
                                             std::span<Element* const> operands, const KindStyle& style,
                                             const NumberDefaults& defaults, int mouseX, int mouseY) {
    auto calculation = std::make_unique<Calculation>(style, static_cast<int>(operands.size()));
    calculation->assign(compiled, operands);
    applyNumberDefaults(*calculation, defaults);
    calculation->position = calculatedPlacement(mouseX, mouseY);
    calculation->corner = calculation->position;
    return calculation;
}

std::unique_ptr<ParameterNumber> makeParameter(double v, const KindStyle& style,
                                               const NumberDefaults& defaults, int mouseX, int mouseY) {
    auto parameter = std::make_unique<ParameterNumber>(style);
    parameter->value = v;
    parameter->valueDefined = 1;
    parameter->minimum = v - kParameterHalfRange;
    parameter->maximum = v + kParameterHalfRange;
    parameter->step = kDefaultParameterStep;
    applyNumberDefaults(*parameter, defaults);
    parameter->position = calculatedPlacement(mouseX, mouseY);
    parameter->corner = parameter->position;
    return parameter;
}

std::vector<ElementPtr> makeCoordinates(Element* point, const KindStyle& style,
                                        const NumberDefaults& defaults, int x, int y) {
    auto leader = std::make_unique<Coordinates>(style);
    leader->parents[0] = point;
    leader->font = defaults.font;
    leader->colour = defaults.colour;
    leader->position = {x, y};
    leader->corner = leader->position;
    std::vector<ElementPtr> made = leader->makeParts(std::clamp(defaults.decimals, 0, kMaxDecimals));
    made.insert(made.begin(), std::move(leader));
    return made;
}
