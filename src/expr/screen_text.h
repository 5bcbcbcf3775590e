#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/font_record.h"

// What numbers, coordinates and texts share on screen: a box in window pixels
// (y downwards) that picking tests, the measured size of a text, and the few
// view facts the elements need but the canvas does not report.

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Left/top and right/bottom corners, both inside the box.
struct ScreenBox {
    ScreenPoint topLeft;
    ScreenPoint bottomRight;

    // Ends included on all four sides.
    bool contains(int x, int y) const {
        return topLeft.x <= x && x <= bottomRight.x && topLeft.y <= y && y <= bottomRight.y;
    }

    friend bool operator==(const ScreenBox&, const ScreenBox&) = default;
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

// Measures a text as the view draws it. The canvas draws screen texts without
// reporting their size, so the view installs its own measure here; until then
// an estimate from the font's height and width fields serves (see estimate below).
using TextMeasure = std::function<TextExtent(std::string_view text, const FontRecord& font)>;
void setTextMeasure(TextMeasure measure);
TextExtent measureScreenText(std::string_view text, const FontRecord& font);

// The size a font record suggests: |height| pixels high (16 when 0), and per
// character its average width, or half its height when that field is 0.
TextExtent estimateTextExtent(std::string_view text, const FontRecord& font);

class TextTable;

// The text a number shows in place of a value it does not hold (language text
// 20620). Set when the language is loaded; "?" until then.
void setUndefinedValueText(std::string text);
void setUndefinedValueText(const TextTable& texts);
const std::string& undefinedValueText();

// The screen's vertical pixels per inch, to which text elements scale their
// rectangle. Set by the view; 96 until then.
void setScreenPixelsPerInch(int pixelsPerInch);
int screenPixelsPerInch();
