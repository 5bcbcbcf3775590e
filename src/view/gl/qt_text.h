#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/font_record.h"
#include "model/screen_text_context.h"

// Fonts and text through Qt for the OpenGL view.
//
// Qt draws text only while a QGuiApplication exists. A program without a window
// (the command-line tool, the rendering tests) calls ensureGuiApplication()
// once before it renders; it makes one on the offscreen platform unless the
// environment names another. The window application has its own QApplication.

// A colour as the program stores it (RGB, red in the low byte).
inline QColor qtColour(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

// The QFont a 60-byte font record describes: face name, pixel height (|height|,
// 16 when 0, at most 1000), weight, italic, underline, strike-out; a record
// with quality 3 (non-antialiased) keeps its glyphs hard-edged.
QFont fontFromRecord(const FontRecord& record);

// The size Qt gives a text in that font: advance width and line height.
TextExtent measureText(std::string_view text, const FontRecord& record);

// Screen texts measured as Qt draws them, with the given undefined-value text
// and pixels per inch (the default when not positive).
ScreenTextContext qtScreenTexts(std::string undefinedValueText = "?",
                                int pixelsPerInch = kDefaultScreenPixelsPerInch);

// True when a QGuiApplication exists afterwards.
bool ensureGuiApplication();
