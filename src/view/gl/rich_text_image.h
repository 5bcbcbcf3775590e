#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>

#include "expr/rich_text.h"

class QPainter;

// A text element's rich text as the view shows it: an image of the element's
// box filled with the background colour, the paragraphs laid out by Qt from
// its top-left corner (no margin) with font sizes taken at the given pixels
// per inch, text of the automatic colour in textColour, and, when a frame
// colour is given, a frame 2 pixels wide 1 pixel inside the box's edges.
// Text that does not fit is cut at the box. The image holds the given part of
// the box (box coordinates; the whole box when empty), so that a box larger
// than the window costs no more than the window. Needs a QGuiApplication.
QImage richTextImage(const RichText& text, QSize box, std::uint32_t backgroundColour,
                     std::uint32_t textColour, std::optional<std::uint32_t> frameColour, int pixelsPerInch,
                     QRect part = {});

// The same text and frame painted onto any painter, the box's top-left corner
// at the painter's origin, with nothing behind it; only the given part of the
// box (the whole box when empty). Vector pictures keep the text as text.
void drawRichText(QPainter& painter, const RichText& text, QSize box, std::uint32_t textColour,
                  std::optional<std::uint32_t> frameColour, int pixelsPerInch, QRect part = {});

// The Qt alignment of a paragraph's alignment.
Qt::Alignment qtAlignment(TextAlignment alignment);
