#pragma once

#include <cstdint>
#include <string_view>

#include "expr/screen_text.h"
#include "model/font_record.h"

class QImage;

// Window depths at which screen texts are laid into the scene: just behind the
// near plane, with a nearer and a farther layer for the callers that need one.
inline constexpr double kScreenTextDepth = 0.0003;
inline constexpr double kScreenTextNearDepth = 0.00005;
inline constexpr double kScreenTextFarDepth = 0.0005;

// Draws a text as Qt lays it out, in an opaque box of the background colour,
// with its top-left corner at window point (x, y) (pixels, y downwards from the
// top of a viewport of the given size), at the given window depth. A box that
// reaches past the left or bottom edge is clipped there. Returns the measured
// width and height. Needs the rendering context current and a QGuiApplication.
TextExtent drawScreenText(int x, int y, std::uint32_t textColour, std::uint32_t backgroundColour,
                          std::string_view text, const FontRecord& font, int viewportWidth,
                          int viewportHeight, double depth = kScreenTextDepth);

// Copies an image into the scene with its top-left corner at window point
// (x, y), clipped like a screen text.
void drawWindowImage(const QImage& image, int x, int y, int viewportWidth, int viewportHeight,
                     double depth = kScreenTextDepth);
