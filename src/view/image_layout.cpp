#include "view/image_layout.h"

namespace {

bool validSize(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide;
}

template <std::size_t N>
void put16(std::array<std::uint8_t, N>& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

template <std::size_t N>
void put32(std::array<std::uint8_t, N>& bytes, std::size_t at, std::uint32_t value) {
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, value >> 16);
}

}  // namespace

int clipboardImageWidth(int clientWidth) {
    return clientWidth > 0 ? clientWidth - clientWidth % 4 : 0;
}

std::int64_t bmpRowBytes(int width) {
    if (width <= 0) return 0;
    return ((static_cast<std::int64_t>(width) * 24 + 31) & ~std::int64_t{31}) / 8;
}

std::int64_t bmpImageBytes(int width, int height) {
    return validSize(width, height) ? bmpRowBytes(width) * height : 0;
}

std::array<std::uint8_t, kBitmapInfoHeaderBytes> bitmapInfoHeader(int width, int height,
                                                                  std::uint32_t imageBytes) {
    std::array<std::uint8_t, kBitmapInfoHeaderBytes> h{};
    if (!validSize(width, height)) return h;
    put32(h, 0, kBitmapInfoHeaderBytes);
    put32(h, 4, static_cast<std::uint32_t>(width));
    put32(h, 8, static_cast<std::uint32_t>(height));  // positive: bottom row first
    put16(h, 12, 1);
    put16(h, 14, 24);
    put32(h, 16, 0);  // no compression
    put32(h, 20, imageBytes);
    return h;
}

std::array<std::uint8_t, kBitmapInfoHeaderBytes> clipboardInfoHeader(int clientWidth, int height) {
    const int width = clipboardImageWidth(clientWidth);
    if (!validSize(width, height)) return {};
    return bitmapInfoHeader(width, height,
                            static_cast<std::uint32_t>(width) * 3u * static_cast<std::uint32_t>(height));
}

std::array<std::uint8_t, kBmpPixelOffset> bmpFileHeader(int width, int height) {
    std::array<std::uint8_t, kBmpPixelOffset> h{};
    const std::int64_t image = bmpImageBytes(width, height);
    if (image == 0) return h;
    h[0] = 'B';
    h[1] = 'M';
    put32(h, 2, static_cast<std::uint32_t>(kBmpPixelOffset + image));
    put32(h, 10, kBmpPixelOffset);
    const auto info = bitmapInfoHeader(width, height, static_cast<std::uint32_t>(image));
    for (std::size_t i = 0; i < info.size(); ++i) h[kBmpFileHeaderBytes + i] = info[i];
    return h;
}
