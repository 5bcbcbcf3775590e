#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "expr/number_element.h"

// The text of a coordinates element and where its parts lie on screen.
struct CoordinatesLayout {
    std::string text;                // name (when shown), then "(x,y,z)"
    ScreenBox whole;                 // the box of the whole text
    std::array<ScreenBox, 3> parts;  // thirds of the parenthesised part: x, y, z
};

// Coordinates: the coordinates of a point, shown as one
// text "(x,y,z)". It leads a group: the three numbers CoordinateX, CoordinateY, CoordinateZ that
// follow it hold the values (in the document's length factor), so that each
// coordinate can be picked and used as a number of its own.
class Coordinates : public Element {
  public:
    explicit Coordinates(const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    // Finds its three parts after it and sets their values; undefined when they are missing.
    void recompute(Construction& construction, const RecomputeContext& context) override;
    // Writes the text, laid out as layoutScreenText does.
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    // Inside the box of the last layout.
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    // The box of the whole text, and for each part the box of its third.
    void layoutScreenText(const ScreenTextContext& screenTexts) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    GroupLayout groupLayout() const override { return {.numbers = 3}; }
    void setFont(const FontRecord& newFont) override { font = newFont; }

    // The x, y and z numbers, wired to this element, for the caller to append
    // directly after it. They take its font and colour and the given decimals.
    std::vector<ElementPtr> makeParts(int decimals);
    // The parts found by the last recompute; empty on a fresh copy and when the
    // elements after this one are not its parts.
    std::span<NumberElement* const> parts() const { return parts_; }

    // The text for the current parts: the name when shown, then "(x,y,z)".
    std::string displayedText(std::string_view undefinedText) const;
    // The text and the boxes for the current parts on the screen described.
    CoordinatesLayout layout(const ScreenTextContext& screenTexts) const;

    ScreenBox box() const { return {position, corner}; }

    ScreenPoint position;
    ScreenPoint corner;
    FontRecord font;  // its colour is the element's `colour`

  protected:
    Coordinates(const Coordinates& other);

  private:
    // The layout for the screen described, kept as the boxes of this element and its parts.
    CoordinatesLayout layOut(const ScreenTextContext& screenTexts);

    std::vector<NumberElement*> parts_;
};

// The layout of a coordinates text at `at`: `prefix` (the shown name) followed
// by "(x,y,z)" of the three value texts; the parenthesised part is cut into
// three equal thirds, each the full text height.
CoordinatesLayout layoutCoordinatesText(ScreenPoint at, std::string_view prefix,
                                        const std::array<std::string, 3>& values, const FontRecord& font,
                                        const ScreenTextContext& screenTexts);
