#include "expr/text_element.h"

#include <algorithm>
#include <limits>

#include "model/byte_stream.h"
#include "model/canvas.h"

namespace {

constexpr int kInnerRectangleFromMajor = 3;

bool writeBox(OutputStream& out, const ScreenBox& b) {
    return writeI32(out, b.topLeft.x) && writeI32(out, b.topLeft.y) && writeI32(out, b.bottomRight.x) &&
           writeI32(out, b.bottomRight.y);
}

bool readBox(InputStream& in, ScreenBox& b) {
    return readI32(in, b.topLeft.x) && readI32(in, b.topLeft.y) && readI32(in, b.bottomRight.x) &&
           readI32(in, b.bottomRight.y);
}

// One side scaled by the ratio of resolutions, kept within 32 bits.
std::int32_t scaledEdge(std::int32_t origin, std::int32_t edge, int pixelsPerInch, int resolution) {
    const std::int64_t size = static_cast<std::int64_t>(edge) - origin;
    const std::int64_t scaled = origin + size * pixelsPerInch / resolution;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        scaled, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

Text::Text(const KindStyle& style) : Element(TypeCode::Text, style) {}

std::unique_ptr<Element> Text::clone() const {
    return std::unique_ptr<Element>(new Text(*this));
}

void Text::recompute(Construction&, const RecomputeContext&) {
    defined = 1;
}

ScreenBox Text::screenRectangle(int pixelsPerInch) const {
    if (resolution <= 0 || pixelsPerInch <= 0) return rectangle;
    return {rectangle.topLeft,
            {scaledEdge(rectangle.topLeft.x, rectangle.bottomRight.x, pixelsPerInch, resolution),
             scaledEdge(rectangle.topLeft.y, rectangle.bottomRight.y, pixelsPerInch, resolution)}};
}

void Text::layoutScreenText(const ScreenTextContext& screenTexts) {
    laidOut_ = screenRectangle(screenTexts.pixelsPerInch);
}

void Text::draw(std::uint32_t colour, int, Canvas& canvas) {
    layoutScreenText(canvas.screenTexts());
    const ScreenBox box = *laidOut_;
    const auto side = [](std::int32_t from, std::int32_t to) {
        return static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(to) - from, 0,
                                                         std::numeric_limits<int>::max()));
    };
    const int width = side(box.topLeft.x, box.bottomRight.x);
    const int height = side(box.topLeft.y, box.bottomRight.y);
    if (width == 0 || height == 0) return;
    // A selected text, and a hidden one while hidden elements are shown, is
    // framed in the colour it is drawn in.
    const bool framed = selected || !visible;
    canvas.richText(box.topLeft.x, box.topLeft.y, width, height, richText, colour,
                    framed ? std::optional<std::uint32_t>(colour) : std::nullopt);
}

int Text::hitTest(int x, int y, const PickRay& ray, int, Vec3& hitPoint) {
    if (!laidOut_ || !laidOut_->contains(x, y)) return 0;
    hitPoint = ray.nearPoint;
    return 1;
}

int Text::write(OutputStream& out) const {
    return writeBase(out) && writeI32(out, resolution) && writeBox(out, rectangle) &&
                   writeBox(out, innerRectangle) && writeI32(out, option) && writeString(out, richText)
               ? 1
               : 0;
}

int Text::read(InputStream& in, int fileVersion) {
    laidOut_.reset();
    if (!readBase(in, fileVersion) || !readI32(in, resolution) || !readBox(in, rectangle)) return 0;
    innerRectangle = kDefaultTextInnerRectangle;
    option = 0;
    if (fileVersion / 1000 >= kInnerRectangleFromMajor &&
        (!readBox(in, innerRectangle) || !readI32(in, option)))
        return 0;
    // The length is checked against the bytes left before anything is allocated.
    std::optional<std::string> text;
    if (!readString(in, text, std::numeric_limits<std::uint32_t>::max())) return 0;
    richText = text.value_or(std::string());
    return 1;
}
