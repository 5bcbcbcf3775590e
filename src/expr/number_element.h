#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "expr/screen_text.h"
#include "model/element.h"

// Numbers (kind 18): one line of text at a window position showing a value.
// This class serves the coordinate components and holds the data every number
// class shares; measures, parameters and calculations derive from it. Elements
// built on a number read its value through currentValue.
class NumberElement : public Element {
  public:
    NumberElement(TypeCode typeCode, const KindStyle& style, int parentCountGiven = 0);

    std::unique_ptr<Element> clone() const override;
    // Components are positioned by their coordinates element: nothing to compute.
    void recompute(Construction& construction, const RecomputeContext& context) override;
    // Writes the displayed text at the position, laid out as layoutScreenText does.
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    // Inside the box of the last layout.
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    // The box: the displayed text's extent from the position.
    void layoutScreenText(const ScreenTextContext& screenTexts) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    void setFont(const FontRecord& newFont) override { font = newFont; }
    // The value for the elements built on this number; false while it is not valid.
    bool currentValue(double& out) const override;

    // The name when its label is shown, directly followed by the value with the
    // element's decimals, or by `undefinedText` when the value is not valid.
    std::string displayedText(std::string_view undefinedText) const;
    // The value alone as displayedText shows it.
    std::string valueText(std::string_view undefinedText) const;

    // The box from the position to the extent corner.
    ScreenBox box() const { return {position, corner}; }

    ScreenPoint position;  // top-left corner of the text, window pixels
    ScreenPoint corner;    // bottom-right corner of the last laid-out text
    FontRecord font;       // its colour is the element's `colour`
    double value = 0.0;
    std::int32_t valueDefined = 0;
    std::int32_t decimals = 0;  // 0 … 8

  protected:
    NumberElement(const NumberElement&) = default;

    // The number part of the record, shared by every number class: position,
    // font with colour, value and decimals (84 bytes).
    int writeNumberPart(OutputStream& out) const;
    int readNumberPart(InputStream& in);

  private:
    // The displayed text for the screen described; sets the corner from its extent.
    std::string layOut(const ScreenTextContext& screenTexts);
};

// The parent as a number: every class of kind 18 is a NumberElement.
inline const NumberElement& asNumber(const Element* e) {
    return *static_cast<const NumberElement*>(e);
}

// A value as numbers show it: `decimals` decimals, tiny magnitudes as 0, or
// `undefinedText` when valueDefined is not 1.
std::string numberValueText(double value, int valueDefined, int decimals, std::string_view undefinedText);

// The box of a text of the measured extent drawn with its top-left corner at
// `at`: the corner lies at `at` plus the extent.
ScreenBox textBoxAt(ScreenPoint at, const TextExtent& extent);
