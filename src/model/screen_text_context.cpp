#include "model/screen_text_context.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kDefaultFontHeight = 16;

std::int32_t fontField(const FontRecord& font, std::size_t offset) {
    std::int32_t v = 0;
    std::memcpy(&v, font.bytes.data() + offset, sizeof v);
    return v;
}

// Characters, not bytes: continuation bytes of UTF-8 do not count.
int characterCount(std::string_view text) {
    int n = 0;
    for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1;
    return n;
}

}  // namespace

TextExtent estimateTextExtent(std::string_view text, const FontRecord& font) {
    // The record is little-endian like the files; the fields are read as stored.
    const std::int64_t rawHeight = fontField(font, 0);
    const std::int64_t rawWidth = fontField(font, 4);
    const std::int64_t height =
        rawHeight == 0 ? kDefaultFontHeight : std::min<std::int64_t>(std::llabs(rawHeight), 1000);
    const std::int64_t average = rawWidth > 0 ? std::min<std::int64_t>(rawWidth, 1000) : (height + 1) / 2;
    const std::int64_t width = std::min<std::int64_t>(average * characterCount(text), INT_MAX);
    return {static_cast<int>(width), static_cast<int>(height)};
}
