#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "expr/screen_text.h"
#include "model/element.h"

// The inner rectangle and option of a text element from a file that lacks them,
// and of a new one.
inline constexpr ScreenBox kDefaultTextInnerRectangle = {{0, 0}, {325, 250}};

// Text elements (kind 21, code 20000): a user's rich text shown in a rectangle
// of the window. The rectangle refers to the screen resolution it was made on;
// the text is kept exactly as it was given.
class Text : public Element {
  public:
    explicit Text(const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    // Always defined.
    void recompute(Construction& construction, const RecomputeContext& context) override;
    // The rich text in the rectangle as layoutScreenText places it; text of
    // the automatic colour in the colour drawn with.
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    // Inside the rectangle of the last layout; nothing before the first.
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    // The rectangle at the pixels per inch of the screen described.
    void layoutScreenText(const ScreenTextContext& screenTexts) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::size_t memoryBytes() const override { return Element::memoryBytes() + richText.capacity(); }

    // The rectangle on a screen of the given pixels per inch: its size scaled
    // by them over `resolution`, at the same top-left corner.
    ScreenBox screenRectangle(int pixelsPerInch) const;

    std::int32_t resolution = 96;  // vertical pixels per inch of the screen the rectangle refers to
    ScreenBox rectangle;           // left, top, right, bottom in window pixels
    ScreenBox innerRectangle = kDefaultTextInnerRectangle;
    std::int32_t option = 0;
    std::string richText;  // RTF, stored unchanged

  protected:
    Text(const Text&) = default;

  private:
    std::optional<ScreenBox> laidOut_;  // the rectangle of the last layout
};
