#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "offscreen_view.h"

namespace {

std::uint32_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | std::uint32_t{b[at + 1]} << 8;
}
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A view 101 pixels wide cleared to one colour, with a green band along its left column.
BgrImage clearedImage(OffscreenView& view) {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, view.context.height());
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    return readColourBuffer(view.context.width(), view.context.height());
}

}  // namespace

TEST(BitmapOutput, FileHeaderAndPaddedBottomUpRows) {
    OffscreenView view(101, 7);
    ASSERT_TRUE(view.ready()) << view.context.error();
    const BgrImage image = clearedImage(view);
    ASSERT_EQ(image.width, 101);
    ASSERT_EQ(image.height, 7);
    ASSERT_EQ(image.bytes.size(), 304u * 7u);

    const std::vector<std::uint8_t> bmp = bmpFileBytes(image);
    ASSERT_EQ(bmp.size(), 54u + 304u * 7u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(u32(bmp, 2), 54u + 304u * 7u);
    EXPECT_EQ(u32(bmp, 6), 0u);
    EXPECT_EQ(u32(bmp, 10), 54u);
    EXPECT_EQ(u32(bmp, 14), 40u);
    EXPECT_EQ(u32(bmp, 18), 101u);
    EXPECT_EQ(u32(bmp, 22), 7u);
    EXPECT_EQ(u16(bmp, 26), 1u);
    EXPECT_EQ(u16(bmp, 28), 24u);
    EXPECT_EQ(u32(bmp, 30), 0u);
    EXPECT_EQ(u32(bmp, 34), 304u * 7u);
    for (std::size_t at = 38; at < 54; ++at) EXPECT_EQ(bmp[at], 0) << at;
    // Each row: a green pixel as B, G, R, then blue pixels, then one padding byte.
    for (std::size_t row = 0; row < 7; ++row) {
        const std::size_t start = 54 + 304 * row;
        EXPECT_EQ(bmp[start], 0);
        EXPECT_EQ(bmp[start + 1], 255);
        EXPECT_EQ(bmp[start + 2], 0);
        EXPECT_EQ(bmp[start + 300], 255);  // blue of the last pixel
        EXPECT_EQ(bmp[start + 302], 0);
        EXPECT_EQ(bmp[start + 303], 0);  // padding
    }

    // The clipboard takes 100 of the 101 columns, rows unpadded.
    const BgrImage clip = readClipboardImage(101, 7);
    EXPECT_EQ(clip.width, 100);
    EXPECT_EQ(clip.bytes.size(), 300u * 7u);
    EXPECT_EQ(clip.pixel(0, 3), rgb(0, 255, 0));
    EXPECT_EQ(clip.pixel(99, 3), rgb(0, 0, 255));
}

TEST(BitmapOutput, FilesAndTheirFailures) {
    OffscreenView view(101, 7);
    ASSERT_TRUE(view.ready()) << view.context.error();
    const BgrImage image = clearedImage(view);
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::filesystem::path bmp = dir / "kova_bitmap_test.bmp";
    const std::filesystem::path png = dir / "kova_bitmap_test.png";

    ASSERT_EQ(writeBmpFile(bmp.string(), image), kImageSaved);
    EXPECT_EQ(fileBytes(bmp), bmpFileBytes(image));
    ASSERT_EQ(writePngFile(png.string(), image), kImageSaved);
    // Qt reads both back the right way up: the green column on the left.
    for (const auto& path : {bmp, png}) {
        const QImage back(QString::fromStdString(path.string()));
        ASSERT_EQ(back.width(), 101) << path;
        ASSERT_EQ(back.height(), 7) << path;
        EXPECT_EQ(back.pixel(0, 0), qRgb(0, 255, 0)) << path;
        EXPECT_EQ(back.pixel(100, 6), qRgb(0, 0, 255)) << path;
    }
    std::filesystem::remove(bmp);
    std::filesystem::remove(png);

    EXPECT_EQ(writeBmpFile("/nonexistent-folder/x.bmp", image), kImageCannotCreateFile);
    EXPECT_EQ(writePngFile("/nonexistent-folder/x.png", image), kImageCannotCreateFile);
    // Nothing to write: no file is made.
    EXPECT_EQ(writeBmpFile(bmp.string(), BgrImage{}), kImageNoSurface);
    EXPECT_FALSE(std::filesystem::exists(bmp));
    BgrImage truncated = image;
    truncated.bytes.pop_back();
    EXPECT_TRUE(bmpFileBytes(truncated).empty());
    BgrImage hollow;  // a size without the pixels reads as black, not past the end
    hollow.width = hollow.height = 5;
    EXPECT_EQ(hollow.pixel(2, 2), 0u);
    EXPECT_TRUE(readColourBuffer(0, 7).bytes.empty());
}

TEST(HeadlessSurface, SizesTheRendererCannotDrawAreRefused) {
    HeadlessContext context;
    EXPECT_FALSE(context.create(0, 10));
    EXPECT_FALSE(context.valid());
    EXPECT_FALSE(context.create(100000, 10));
    EXPECT_FALSE(context.valid());
    EXPECT_FALSE(context.error().empty());
    ASSERT_TRUE(context.create(40, 30)) << context.error();
    // 8 bits a channel, no alpha, as the view's pixel format (EGL would rank 10-bit colour first).
    GLint bits[4] = {};
    glGetIntegerv(GL_RED_BITS, &bits[0]);
    glGetIntegerv(GL_GREEN_BITS, &bits[1]);
    glGetIntegerv(GL_BLUE_BITS, &bits[2]);
    glGetIntegerv(GL_ALPHA_BITS, &bits[3]);
    EXPECT_EQ(bits[0], 8);
    EXPECT_EQ(bits[1], 8);
    EXPECT_EQ(bits[2], 8);
    EXPECT_EQ(bits[3], 0);
    EXPECT_FALSE(context.resize(100000, 30));
    // The old surface stays in use.
    EXPECT_EQ(context.width(), 40);
    ASSERT_TRUE(context.resize(64, 48)) << context.error();
    EXPECT_EQ(readColourBuffer(context.width(), context.height()).width, 64);
}
