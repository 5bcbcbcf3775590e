#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/file_bytes.h"  // kCannotCreateFileMessage

class QImage;

// The view's image as the bitmap file and the clipboard hold it: 24-bit BGR
// pixels, bottom row first, each row padded to a multiple of 4 bytes (the
// sizes and headers are those of view/image_layout.h).
struct BgrImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;  // bmpRowBytes(width) * height

    // Colour of a pixel counted from the bottom-left, as RGB with red in the low byte.
    std::uint32_t pixel(int x, int y) const;
};

// Reads the colour buffer's rectangle (0, 0, width, height) of the current
// context. An empty image when the size is refused (not positive, or above
// kMaxImageSide).
BgrImage readColourBuffer(int width, int height);
// What "copy image" puts on the clipboard: the client width truncated to a
// multiple of 4, so the rows need no padding.
BgrImage readClipboardImage(int clientWidth, int clientHeight);

// Results of saving an image.
inline constexpr int kImageSaved = 1;
inline constexpr int kImageCannotCreateFile = 0;  // the path cannot be written
inline constexpr int kImageNoSurface = 2;         // nothing to write (empty or oversized image)

// The texts shown for the two failures (and kCannotCreateFileMessage).
inline constexpr const char* kNoSurfaceMessage = "Cannot create required drawing surface.";

// The whole bitmap file: the 14-byte file header, the 40-byte information
// header and the pixels. Empty for an empty image.
std::vector<std::uint8_t> bmpFileBytes(const BgrImage& image);
int writeBmpFile(const std::string& path, const BgrImage& image);
// PNG through Qt, for the command-line tool.
int writePngFile(const std::string& path, const BgrImage& image);

// The image the right way up for Qt (the clipboard, PNG).
QImage toQImage(const BgrImage& image);
