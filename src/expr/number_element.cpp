#include "expr/number_element.h"

#include <algorithm>
#include <cstdint>

#include "expr/format_number.h"
#include "lang/text_encoding.h"
#include "model/byte_stream.h"
#include "model/canvas.h"

NumberElement::NumberElement(TypeCode typeCode, const KindStyle& style, int parentCountGiven)
    : Element(typeCode, style, parentCountGiven) {}

std::unique_ptr<Element> NumberElement::clone() const {
    return std::unique_ptr<Element>(new NumberElement(*this));
}

void NumberElement::recompute(Construction&, const RecomputeContext&) {
    defined = 1;
    valueDefined = 1;
}

bool NumberElement::currentValue(double& out) const {
    if (valueDefined != 1) return false;
    out = value;
    return true;
}

std::string numberValueText(double value, int valueDefined, int decimals, std::string_view undefinedText) {
    if (valueDefined != 1) return std::string(undefinedText);
    return formatNumber(value, decimals, false, true);
}

std::string NumberElement::valueText(std::string_view undefinedText) const {
    return numberValueText(value, valueDefined, decimals, undefinedText);
}

std::string NumberElement::displayedText(std::string_view undefinedText) const {
    std::string text = showLabel == 1 && hasName() ? windows1252ToUtf8(*name()) : std::string();
    text += valueText(undefinedText);
    return text;
}

std::string NumberElement::layOut(const ScreenTextContext& screenTexts) {
    std::string text = displayedText(screenTexts.undefinedValueText);
    corner = textBoxAt(position, screenTexts.measureText(text, font)).bottomRight;
    return text;
}

void NumberElement::layoutScreenText(const ScreenTextContext& screenTexts) {
    layOut(screenTexts);
}

void NumberElement::draw(std::uint32_t colour, int, Canvas& canvas) {
    const std::string text = layOut(canvas.screenTexts());
    canvas.screenText(position.x, position.y, text, font, colour);
}

int NumberElement::hitTest(int x, int y, const PickRay& ray, int, Vec3& hitPoint) {
    if (!box().contains(x, y)) return 0;
    // A screen text lies in front of the scene: it is met where the ray starts.
    hitPoint = ray.nearPoint;
    return 1;
}

int NumberElement::writeNumberPart(OutputStream& out) const {
    return writeI32(out, position.x) && writeI32(out, position.y) && writeFontRecord(out, font, colour) &&
                   writeF64(out, value) && writeI32(out, decimals)
               ? 1
               : 0;
}

int NumberElement::readNumberPart(InputStream& in) {
    if (!readI32(in, position.x) || !readI32(in, position.y) || !readFontRecord(in, font, colour) ||
        !readF64(in, value) || !readI32(in, decimals))
        return 0;
    corner = position;  // the extent is known once it is laid out
    return 1;
}

int NumberElement::write(OutputStream& out) const {
    return writeBase(out) && writeNumberPart(out) ? 1 : 0;
}

int NumberElement::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion) && readNumberPart(in) ? 1 : 0;
}

namespace {

// A position read from a file may lie anywhere; the corner saturates rather than wraps.
std::int32_t saturatedSum(std::int32_t a, int b) {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
}

}  // namespace

ScreenBox textBoxAt(ScreenPoint at, const TextExtent& extent) {
    return {at, {saturatedSum(at.x, extent.width), saturatedSum(at.y, extent.height)}};
}
