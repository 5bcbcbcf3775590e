#include "view/gl/bitmap_output.h"

#include <GL/gl.h>

#include <QImage>
#include <QString>
#include <cstdio>

#include "view/image_layout.h"

std::uint32_t BgrImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const std::size_t at = static_cast<std::size_t>(bmpRowBytes(width) * y + std::int64_t{x} * 3);
    if (at + 2 >= bytes.size()) return 0;
    return std::uint32_t{bytes[at + 2]} | std::uint32_t{bytes[at + 1]} << 8 | std::uint32_t{bytes[at]} << 16;
}

namespace {

bool wellFormed(const BgrImage& image) {
    const std::int64_t size = bmpImageBytes(image.width, image.height);
    return size > 0 && static_cast<std::int64_t>(image.bytes.size()) == size;
}

}  // namespace

BgrImage readColourBuffer(int width, int height) {
    BgrImage image;
    const std::int64_t size = bmpImageBytes(width, height);
    if (size == 0) return image;
    image.width = width;
    image.height = height;
    image.bytes.assign(static_cast<std::size_t>(size), 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, image.bytes.data());
    return image;
}

BgrImage readClipboardImage(int clientWidth, int clientHeight) {
    return readColourBuffer(clipboardImageWidth(clientWidth), clientHeight);
}

std::vector<std::uint8_t> bmpFileBytes(const BgrImage& image) {
    if (!wellFormed(image)) return {};
    const auto header = bmpFileHeader(image.width, image.height);
    std::vector<std::uint8_t> out(header.begin(), header.end());
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
    if (!wellFormed(image)) return kImageNoSurface;
    return toQImage(image).save(QString::fromStdString(path), "PNG") ? kImageSaved : kImageCannotCreateFile;
}

QImage toQImage(const BgrImage& image) {
    if (!wellFormed(image)) return {};
    QImage out(image.width, image.height, QImage::Format_RGB888);
    const std::size_t stride = static_cast<std::size_t>(bmpRowBytes(image.width));
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
