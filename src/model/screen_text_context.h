#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/font_record.h"

struct TextExtent {
    int width = 0;
    int height = 0;
};

// Measures a text as a view draws it.
using TextMeasure = std::function<TextExtent(std::string_view text, const FontRecord& font)>;

// The size a font record suggests: |height| pixels high (16 when 0), and per
// character its average width, or half its height when that field is 0.
TextExtent estimateTextExtent(std::string_view text, const FontRecord& font);

inline constexpr int kDefaultScreenPixelsPerInch = 96;

// What numbers, coordinates and texts need to know about the screen they are
// shown on to lay out their boxes and draw: how texts measure, the text shown
// for a value that is not held, and the screen's vertical pixels per inch.
// Whoever owns a view holds one (a document window, a headless render, a test)
// and hands it to layout and drawing; two views may differ in one process.
struct ScreenTextContext {
    // Empty: the estimate from the font record (estimateTextExtent).
    TextMeasure measure;
    // Language text 20620 once a language is loaded.
    std::string undefinedValueText = "?";
    // Text elements scale their rectangle to it; 0 or less keeps it as stored.
    int pixelsPerInch = kDefaultScreenPixelsPerInch;

    TextExtent measureText(std::string_view text, const FontRecord& font) const {
        return measure ? measure(text, font) : estimateTextExtent(text, font);
    }
};
