#include "io/document_defaults.h"

#include <utility>

namespace {

using K = ElementKind;

// Colours are stored with red in the low byte.
constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

struct StyleRow {
    ElementKind kind;
    int size;   // 0 … 4 for the sizes t1 … t5
    int shape;  // 0 solid, 1 flat
    std::uint32_t colour;
};

// One row per kind with a style record.
constexpr StyleRow kStyles[] = {
    {K::Point, 2, 0, rgb(0xD0, 0x20, 0x20)},
    {K::Vector, 1, 0, rgb(0x80, 0x20, 0xA0)},
    {K::Segment, 1, 0, rgb(0x20, 0x40, 0xA0)},
    {K::Line, 1, 0, rgb(0x20, 0x40, 0xA0)},
    {K::Ray, 1, 0, rgb(0x20, 0x40, 0xA0)},
    {K::Circle, 1, 0, rgb(0x90, 0x30, 0xA0)},
    {K::Arc, 1, 0, rgb(0x90, 0x30, 0xA0)},
    {K::Conic, 1, 0, rgb(0x90, 0x30, 0xA0)},
    {K::Plane, 0, 0, rgb(0x90, 0xA0, 0xB0)},
    {K::Polygon, 1, 0, rgb(0x30, 0xA0, 0x30)},
    {K::RegularPolygon, 1, 0, rgb(0x30, 0xA0, 0x30)},
    {K::RegularPolyhedron, 1, 0, rgb(0x30, 0xA0, 0x30)},
    {K::Sphere, 1, 0, rgb(0x10, 0x80, 0xF0)},
    {K::Cylinder, 1, 0, rgb(0xF0, 0xB0, 0x30)},
    {K::Cone, 1, 0, rgb(0xF0, 0x80, 0x30)},
    {K::Curve, 1, 1, rgb(0x20, 0x80, 0x20)},
    {K::Surface, 1, 0, rgb(0xE0, 0xC0, 0x80)},
    {K::Iteration, 1, 0, rgb(0x80, 0x80, 0x80)},
};

}  // namespace

DocumentDefaults builtInDocumentDefaults() {
    DocumentDefaults defaults;
    for (const StyleRow& row : kStyles)
        defaults.styles[static_cast<std::size_t>(row.kind)] =
            KindStyle{0, row.size, row.shape, 0, row.colour};
    return defaults;
}

void applyDocumentDefaults(const DocumentDefaults& defaults, Document& document) {
    document.textFont = defaults.textFont;
    document.textColour = defaults.textColour;
    document.numberFont = defaults.numberFont;
    document.numberColour = defaults.numberColour;
    document.styles = defaults.styles;
}

DocumentLook DocumentLook::builtIn() {
    DocumentLook look;
    const DocumentDefaults defaults = builtInDocumentDefaults();
    look.textFont = defaults.textFont;
    look.textColour = defaults.textColour;
    look.numberFont = defaults.numberFont;
    look.numberColour = defaults.numberColour;
    look.styles = defaults.styles;
    return look;
}

DocumentDefaults DocumentLook::documentDefaults() const {
    DocumentDefaults defaults;
    defaults.textFont = textFont;
    defaults.textColour = textColour;
    defaults.numberFont = numberFont;
    defaults.numberColour = numberColour;
    defaults.styles = styles;
    return defaults;
}
