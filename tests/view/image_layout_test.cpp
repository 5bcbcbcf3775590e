#include <cstdint>

#include <gtest/gtest.h>

#include "view/image_layout.h"

namespace {

template <std::size_t N>
std::uint32_t read32(const std::array<std::uint8_t, N>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
template <std::size_t N>
std::uint32_t read16(const std::array<std::uint8_t, N>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}

}  // namespace

TEST(ImageLayout, RowsAndClipboardWidth) {
    EXPECT_EQ(clipboardImageWidth(101), 100);
    EXPECT_EQ(clipboardImageWidth(100), 100);
    EXPECT_EQ(clipboardImageWidth(3), 0);
    EXPECT_EQ(clipboardImageWidth(-5), 0);
    EXPECT_EQ(bmpRowBytes(101), 304);
    EXPECT_EQ(bmpRowBytes(100), 300);
    EXPECT_EQ(bmpRowBytes(1), 4);
    EXPECT_EQ(bmpRowBytes(4), 12);
    EXPECT_EQ(bmpRowBytes(5), 16);
    EXPECT_EQ(bmpImageBytes(101, 7), 304 * 7);
    EXPECT_EQ(bmpImageBytes(0, 7), 0);
    EXPECT_EQ(bmpImageBytes(101, kMaxImageSide + 1), 0);
    EXPECT_EQ(bmpImageBytes(kMaxImageSide, kMaxImageSide), std::int64_t{98304} * 32768);
}

TEST(ImageLayout, BitmapFileHeader) {
    const auto h = bmpFileHeader(101, 50);
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    EXPECT_EQ(read32(h, 2), 54u + 304u * 50u);
    EXPECT_EQ(read32(h, 6), 0u);
    EXPECT_EQ(read32(h, 10), 54u);
    EXPECT_EQ(read32(h, 14), 40u);
    EXPECT_EQ(read32(h, 18), 101u);
    EXPECT_EQ(read32(h, 22), 50u);
    EXPECT_EQ(read16(h, 26), 1u);
    EXPECT_EQ(read16(h, 28), 24u);
    EXPECT_EQ(read32(h, 30), 0u);
    EXPECT_EQ(read32(h, 34), 304u * 50u);
    for (std::size_t i = 38; i < 54; ++i) EXPECT_EQ(h[i], 0) << i;
    for (std::uint8_t b : bmpFileHeader(0, 10)) EXPECT_EQ(b, 0);
}

TEST(ImageLayout, ClipboardHeader) {
    const auto h = clipboardInfoHeader(101, 20);
    EXPECT_EQ(read32(h, 0), 40u);
    EXPECT_EQ(read32(h, 4), 100u);
    EXPECT_EQ(read32(h, 8), 20u);
    EXPECT_EQ(read16(h, 12), 1u);
    EXPECT_EQ(read16(h, 14), 24u);
    EXPECT_EQ(read32(h, 20), 100u * 3u * 20u);
    for (std::size_t i = 24; i < 40; ++i) EXPECT_EQ(h[i], 0) << i;
    for (std::uint8_t b : clipboardInfoHeader(3, 20)) EXPECT_EQ(b, 0);  // nothing left to copy
}
