#include "view/gl/bitmap_output.h"

#include <GL/gl.h>

#include <QImage>
#include <QString>
#include <cstdio>

namespace {

// Files and buffers above this are refused rather than allocated.
constexpr std::int64_t kMaxImageBytes = std::int64_t{1} << 31;

void putU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void putU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    putU16(out, at, v & 0xFFFF);
    putU16(out, at + 2, v >> 16);
}

bool sizeAcceptable(int width, int height) {
    return width > 0 && height > 0 && BgrImage::rowBytes(width) * height + 54 <= kMaxImageBytes;
}

}  // namespace

std::int64_t BgrImage::rowBytes(int width) {
    return ((std::int64_t{width} * 24 + 31) & ~std::int64_t{31}) / 8;
}

std::uint32_t BgrImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const std::size_t at = static_cast<std::size_t>(rowBytes(width) * y + std::int64_t{x} * 3);
    return std::uint32_t{bytes[at + 2]} | std::uint32_t{bytes[at + 1]} << 8 | std::uint32_t{bytes[at]} << 16;
}

BgrImage readColourBuffer(int width, int height) {
    BgrImage image;
    if (!sizeAcceptable(width, height)) return image;
    image.width = width;
    image.height = height;
    image.bytes.assign(static_cast<std::size_t>(BgrImage::rowBytes(width) * height), 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, image.bytes.data());
    return image;
}

std::vector<std::uint8_t> bmpFileBytes(const BgrImage& image) {
    if (!sizeAcceptable(image.width, image.height)) return {};
    const std::int64_t imageSize = BgrImage::rowBytes(image.width) * image.height;
    if (static_cast<std::int64_t>(image.bytes.size()) != imageSize) return {};
    std::vector<std::uint8_t> out(54, 0);
    putU16(out, 0, 0x4D42);  // "BM"
    putU32(out, 2, static_cast<std::uint32_t>(54 + imageSize));
    putU32(out, 10, 54);
    putU32(out, 14, 40);
    putU32(out, 18, static_cast<std::uint32_t>(image.width));
    putU32(out, 22, static_cast<std::uint32_t>(image.height));  // positive: bottom row first
    putU16(out, 26, 1);
    putU16(out, 28, 24);
    putU32(out, 34, static_cast<std::uint32_t>(imageSize));
    out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    return out;
}

int writeBmpFile(const std::string& path, const BgrImage& image) {
    const std::vector<std::uint8_t> bytes = bmpFileBytes(image);
    if (bytes.empty()) return kImageNoSurface;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return kImageCannotCreateFile;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? kImageSaved : kImageCannotCreateFile;
}

int writePngFile(const std::string& path, const BgrImage& image) {
    if (!sizeAcceptable(image.width, image.height)) return kImageNoSurface;
    return toQImage(image).save(QString::fromStdString(path), "PNG") ? kImageSaved : kImageCannotCreateFile;
}

QImage toQImage(const BgrImage& image) {
    if (!sizeAcceptable(image.width, image.height) ||
        static_cast<std::int64_t>(image.bytes.size()) != BgrImage::rowBytes(image.width) * image.height)
        return {};
    QImage out(image.width, image.height, QImage::Format_RGB888);
    const std::size_t stride = static_cast<std::size_t>(BgrImage::rowBytes(image.width));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* from =
            image.bytes.data() + stride * static_cast<std::size_t>(image.height - 1 - y);
        std::uint8_t* to = out.scanLine(y);
        for (int x = 0; x < image.width; ++x) {
            to[3 * x] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x];
        }
    }
    return out;
}
