#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <string_view>

#include "expr/screen_text.h"
#include "model/font_record.h"

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

// Makes numbers and texts size their screen boxes with Qt's measure.
void installQtTextMeasure();

// True when a QGuiApplication exists afterwards.
bool ensureGuiApplication();
