#pragma once

#include <array>
#include <cstdint>

// Sizes and headers of the view's image outputs; the canvas only fills pixels.
// Images are 24-bit BGR, bottom row first.

// Images wider or taller than this are refused, so sizes stay well inside 32 bits.
inline constexpr int kMaxImageSide = 32768;

inline constexpr int kBmpFileHeaderBytes = 14;
inline constexpr int kBitmapInfoHeaderBytes = 40;
inline constexpr int kBmpPixelOffset = kBmpFileHeaderBytes + kBitmapInfoHeaderBytes;

// The clipboard image's width: the client width truncated to a multiple of 4,
// so its rows need no padding.
int clipboardImageWidth(int clientWidth);

// A bitmap file's row: ((width·24 + 31) with the low five bits cleared) / 8 bytes.
std::int64_t bmpRowBytes(int width);
// Row bytes × height; 0 for a size that is not positive or exceeds kMaxImageSide.
std::int64_t bmpImageBytes(int width, int height);

// The 40-byte information header (size 40, width, height, 1 plane, 24 bits,
// no compression, the image size, the rest 0), little-endian.
std::array<std::uint8_t, kBitmapInfoHeaderBytes> bitmapInfoHeader(int width, int height,
                                                                  std::uint32_t imageBytes);
// The clipboard block's header: the image size is width·3·height (rows unpadded).
std::array<std::uint8_t, kBitmapInfoHeaderBytes> clipboardInfoHeader(int clientWidth, int height);
// The 54 bytes before a bitmap file's pixels: "BM", file size, reserved, pixel
// offset 54, then the information header. All zero for a refused size.
std::array<std::uint8_t, kBmpPixelOffset> bmpFileHeader(int width, int height);
