#include "expr/coordinates.h"

#include <algorithm>
#include <cstdint>

#include "elements/point.h"
#include "lang/text_encoding.h"
#include "model/byte_stream.h"
#include "model/canvas.h"
#include "model/construction.h"

namespace {

// x + numerator·width / 3 without overflow for any position and width.
std::int32_t thirdEdge(std::int32_t left, int width, int numerator) {
    const std::int64_t edge =
        static_cast<std::int64_t>(left) + static_cast<std::int64_t>(width) * numerator / 3;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(edge, INT32_MIN, INT32_MAX));
}

}  // namespace

Coordinates::Coordinates(const KindStyle& style) : Element(TypeCode::Coordinates, style) {}

// A copy finds its parts again in its own construction on recompute.
Coordinates::Coordinates(const Coordinates& other)
    : Element(other), position(other.position), corner(other.corner), font(other.font) {}

std::unique_ptr<Element> Coordinates::clone() const {
    return std::unique_ptr<Element>(new Coordinates(*this));
}

std::vector<ElementPtr> Coordinates::makeParts(int decimals) {
    std::vector<ElementPtr> made;
    for (const TypeCode code : generatedPartsOf(typeCode()).numbers) {
        auto part = std::make_unique<NumberElement>(code, KindStyle{});
        part->parents[0] = this;
        part->colour = colour;
        part->font = font;
        part->decimals = decimals;
        part->position = position;
        made.push_back(std::move(part));
    }
    return made;
}

void Coordinates::recompute(Construction& construction, const RecomputeContext& context) {
    parts_.clear();
    const Element* from = this;
    for (const TypeCode code : generatedPartsOf(typeCode()).numbers) {
        Element* e = construction.next(from);
        if (e == nullptr || e->typeCode() != code || e->parents.size() != 1 || e->parents[0] != this) {
            parts_.clear();
            defined = 0;
            return;
        }
        parts_.push_back(static_cast<NumberElement*>(e));
        from = e;
    }
    const Vec3& p = positionOf(parents[0]);
    const std::array<double, 3> coordinate = {p.x, p.y, p.z};
    for (std::size_t i = 0; i < 3; ++i) {
        parts_[i]->value = context.unitScale * coordinate[i];
        parts_[i]->valueDefined = 1;
        parts_[i]->defined = 1;
    }
    defined = 1;
}

namespace {

// The value texts of the three parts, every one with the decimals of x; empty
// while the parts are not known.
std::array<std::string, 3> valueTexts(std::span<NumberElement* const> parts, std::string_view undefinedText) {
    std::array<std::string, 3> values;
    if (parts.size() != 3) return values;
    for (std::size_t i = 0; i < 3; ++i)
        values[i] =
            numberValueText(parts[i]->value, parts[i]->valueDefined, parts[0]->decimals, undefinedText);
    return values;
}

std::string insideParentheses(const std::array<std::string, 3>& values) {
    return "(" + values[0] + "," + values[1] + "," + values[2] + ")";
}

}  // namespace

std::string Coordinates::displayedText(std::string_view undefinedText) const {
    const std::string prefix = showLabel == 1 && hasName() ? windows1252ToUtf8(*name()) : std::string();
    return prefix + insideParentheses(valueTexts(parts_, undefinedText));
}

CoordinatesLayout Coordinates::layout(const ScreenTextContext& screenTexts) const {
    const std::string prefix = showLabel == 1 && hasName() ? windows1252ToUtf8(*name()) : std::string();
    return layoutCoordinatesText(position, prefix, valueTexts(parts_, screenTexts.undefinedValueText), font,
                                 screenTexts);
}

CoordinatesLayout Coordinates::layOut(const ScreenTextContext& screenTexts) {
    CoordinatesLayout l = layout(screenTexts);
    corner = l.whole.bottomRight;
    for (std::size_t i = 0; i < 3; ++i) {
        parts_[i]->position = l.parts[i].topLeft;
        parts_[i]->corner = l.parts[i].bottomRight;
    }
    return l;
}

void Coordinates::layoutScreenText(const ScreenTextContext& screenTexts) {
    if (parts_.size() == 3) layOut(screenTexts);
}

void Coordinates::draw(std::uint32_t colour, int, Canvas& canvas) {
    if (parts_.size() != 3) return;
    const CoordinatesLayout l = layOut(canvas.screenTexts());
    canvas.screenText(position.x, position.y, l.text, font, colour);
}

int Coordinates::hitTest(int x, int y, const PickRay& ray, int, Vec3& hitPoint) {
    if (!box().contains(x, y)) return 0;
    hitPoint = ray.nearPoint;
    return 1;
}

int Coordinates::write(OutputStream& out) const {
    return writeBase(out) && writeI32(out, position.x) && writeI32(out, position.y) &&
                   writeFontRecord(out, font, colour)
               ? 1
               : 0;
}

int Coordinates::read(InputStream& in, int fileVersion) {
    if (!readBase(in, fileVersion) || !readI32(in, position.x) || !readI32(in, position.y) ||
        !readFontRecord(in, font, colour))
        return 0;
    corner = position;  // the extent is known once it is laid out
    return 1;
}

CoordinatesLayout layoutCoordinatesText(ScreenPoint at, std::string_view prefix,
                                        const std::array<std::string, 3>& values, const FontRecord& font,
                                        const ScreenTextContext& screenTexts) {
    const std::string inner = insideParentheses(values);
    CoordinatesLayout l;
    l.text = std::string(prefix) + inner;
    l.whole = textBoxAt(at, screenTexts.measureText(l.text, font));
    const int prefixWidth = screenTexts.measureText(prefix, font).width;
    const int innerWidth = screenTexts.measureText(inner, font).width;
    const std::int32_t left = textBoxAt(at, {prefixWidth, 0}).bottomRight.x;
    for (int i = 0; i < 3; ++i) {
        l.parts[static_cast<std::size_t>(i)] = {{thirdEdge(left, innerWidth, i), at.y},
                                                {thirdEdge(left, innerWidth, i + 1), l.whole.bottomRight.y}};
    }
    return l;
}
