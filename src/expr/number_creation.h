#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "expr/calculation.h"
#include "expr/coordinates.h"
#include "expr/measures.h"
#include "expr/parameter.h"

// How the tools make numeric elements: the defaults they take from the
// application and the document, where they are placed, the parameter's range.

// The application's decimals setting and the document's number font with its colour.
struct NumberDefaults {
    int decimals = 2;
    FontRecord font;
    std::uint32_t colour = 0;
};

// Calculations and parameters appear this far left of and above the mouse.
inline constexpr int kCalculatedPlacementOffset = 10;
// A new parameter's range reaches this far on either side of its value.
inline constexpr double kParameterHalfRange = 10.0;

// The decimals (clamped to 0 … 8), the font and its colour of a new number.
void applyNumberDefaults(NumberElement& number, const NumberDefaults& defaults);

// Where a calculation or a parameter made at the mouse position goes.
ScreenPoint calculatedPlacement(int mouseX, int mouseY);

// A measure of the given code on its parents, placed where clicked.
std::unique_ptr<Measure> makeMeasure(TypeCode typeCode, std::span<Element* const> parents,
                                     const KindStyle& style, const NumberDefaults& defaults, int x, int y);

// A calculation of a confirmed expression over its operands (in letter order),
// placed at the mouse position less 10 pixels.
std::unique_ptr<Calculation> makeCalculation(const CompiledExpression& compiled,
                                             std::span<Element* const> operands, const KindStyle& style,
                                             const NumberDefaults& defaults, int mouseX, int mouseY);

// A parameter of value v: range v − 10 … v + 10, step 0.01, placed like a
// calculation. It keeps nothing of the expression that gave v.
std::unique_ptr<ParameterNumber> makeParameter(double v, const KindStyle& style,
                                               const NumberDefaults& defaults, int mouseX, int mouseY);

// A coordinates element of a point, placed where clicked, followed by its three
// parts; append them in this order (leader first).
std::vector<ElementPtr> makeCoordinates(Element* point, const KindStyle& style,
                                        const NumberDefaults& defaults, int x, int y);
