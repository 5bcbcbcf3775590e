#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <string>
#include <vector>

#include "offscreen_view.h"
#include "view/gl/diagnostic_trace.h"
#include "view/gl/qt_text.h"
#include "view/gl/screen_text_drawing.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

// Pixels of exactly the colour inside the box (x from the left, y from the bottom, ends included).
int countColour(const BgrImage& image, std::uint32_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

FontRecord fontOfHeight(std::int32_t height) {
    FontRecord f;
    std::memcpy(f.bytes.data(), &height, sizeof height);
    const char face[] = "DejaVu Sans";
    std::memcpy(f.bytes.data() + 28, face, sizeof face);
    return f;
}

// A named point drawn as a tiny dot, its label in pure blue.
struct LabelledPoint {
    LabelledPoint() {
        lookDownZ(document);
        document.view.backgroundColour = rgb(255, 255, 255);
        document.labelColour = label;
        document.labelFont = fontOfHeight(-20);
        point = addPoint(document, {1, 1, 0}, rgb(0, 0, 0), 0, 1);
        point->setName("MW");
    }
    Document document;
    Point* point = nullptr;
    const std::uint32_t label = rgb(0, 0, 255);
};

}  // namespace

TEST(NameLabels, CharsetGlyphsStartAtTheAnchorAndFollowTheFont) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    LabelledPoint scene;
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(scene.document.view, scene.point->position, x, y));

    BgrImage image = view.render(scene.document);
    EXPECT_TRUE(view.renderer->charset().built());
    // The glyphs stand on the anchor's baseline and run to the right.
    const int small = countColour(image, scene.label, x, y, x + 40, y + 22);
    EXPECT_GT(small, 20);
    EXPECT_EQ(countColour(image, scene.label, 0, 0, kWidth - 1, kHeight - 1), small);
    EXPECT_EQ(countColour(image, scene.label, x - 30, y - 30, x - 2, y + 30), 0);

    // A larger label font rebuilds the set on the next redraw.
    scene.document.labelFont = fontOfHeight(-40);
    image = view.render(scene.document);
    const int large = countColour(image, scene.label, x, y, x + 80, y + 42);
    EXPECT_GT(large, 2 * small);

    // Bytes above 127 have no glyph: they draw nothing, not whatever display list
    // happens to follow the set (here one that would fill the view).
    const unsigned after = view.renderer->charset().base() + 0xC8;
    ASSERT_FALSE(glIsList(after));
    glNewList(after, GL_COMPILE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glRectd(-100, -100, 100, 100);
    glEndList();
    scene.point->setName("MW\xC8\xFF");
    const BgrImage withHighBytes = view.render(scene.document);
    scene.point->setName("MW");
    EXPECT_EQ(withHighBytes.bytes, view.render(scene.document).bytes);
    glDeleteLists(after, 1);

    // No label without the flag, or without a name.
    scene.point->showLabel = 0;
    EXPECT_EQ(countColour(view.render(scene.document), scene.label, 0, 0, kWidth - 1, kHeight - 1), 0);
    scene.point->showLabel = 1;
    scene.point->setName("");
    EXPECT_EQ(countColour(view.render(scene.document), scene.label, 0, 0, kWidth - 1, kHeight - 1), 0);
}

TEST(NameLabels, LabelStaysInFrontOfTheSurfaceItNames) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    LabelledPoint scene;
    scene.point->setName("");
    scene.point->visible = 0;
    // The sphere's label is anchored at its surface point, here the top facing the viewer.
    Point* top = addPoint(scene.document, {1, 1, 4}, rgb(0, 0, 0), 0, 1);
    top->visible = 0;
    Element* sphere = addSphere(scene.document, scene.point, top, rgb(200, 0, 0));
    sphere->setName("MMM");
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(scene.document.view, {1, 1, 4}, x, y));
    const BgrImage image = view.render(scene.document);
    // The translucent sphere covers the box around the glyphs but not the glyphs themselves.
    EXPECT_GT(countColour(image, scene.label, x, y, x + 40, y + 16), 20);
    EXPECT_EQ(countColour(image, rgb(255, 255, 255), x, y, x + 40, y + 16), 0);
}

TEST(NameLabels, ScreenTextPathHangsAnOpaqueBoxFromTheAnchor) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    view.renderer->setLabelPath(LabelPath::ScreenText);
    LabelledPoint scene;
    scene.document.view.backgroundColour = rgb(250, 250, 240);
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(scene.document.view, scene.point->position, x, y));
    const BgrImage image = view.render(scene.document);
    const TextExtent extent = measureText("MW", scene.document.labelFont);
    // Text pixels only inside the box below and right of the anchor.
    const int inside = countColour(image, scene.label, x, y - extent.height, x + extent.width, y + 1);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(countColour(image, scene.label, 0, 0, kWidth - 1, kHeight - 1), inside);
}

TEST(NameLabels, StoredEightBitNamesShowTheirOwnCharacters) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    view.renderer->setLabelPath(LabelPath::ScreenText);
    LabelledPoint scene;
    const auto labelOf = [&](const char* name) {
        scene.point->setName(name);
        return view.render(scene.document).bytes;
    };
    // A name is stored as Windows-1252 bytes: 0xC1 is "Á", 0x80 is "€", and 0x81
    // (undefined in that code page) shows as the replacement character.
    const std::vector<std::uint8_t> accented = labelOf("\xC1\x80");
    EXPECT_EQ(accented, labelOf("\xC1\x80"));
    EXPECT_NE(accented, labelOf("\x81\x81"));
    EXPECT_NE(accented, labelOf("A\x80"));
    // The label takes the width of the two characters, not of more.
    const TextExtent two = measureText("\u00C1\u20AC", scene.document.labelFont);
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(scene.document.view, scene.point->position, x, y));
    scene.point->setName("\xC1\x80");
    const BgrImage image = view.render(scene.document);
    EXPECT_EQ(countColour(image, scene.label, x + two.width + 1, 0, kWidth - 1, kHeight - 1), 0);
    EXPECT_GT(countColour(image, scene.label, x, y - two.height, x + two.width, y + 1), 20);
}

TEST(ScreenText, ClippedAtTheLeftAndBottomEdgesNotLost) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    const FontRecord font = fontOfHeight(-24);
    const std::uint32_t ink = rgb(0, 0, 0);
    const std::uint32_t box = rgb(0, 255, 0);
    const TextExtent extent = measureText("HHHH", font);
    ASSERT_GT(extent.width, 20);

    const auto drawAt = [&](int x, int y) {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, kWidth, kHeight);
        const TextExtent e = drawScreenText(x, y, ink, box, "HHHH", font, kWidth, kHeight);
        EXPECT_EQ(e.width, extent.width);
        EXPECT_EQ(e.height, extent.height);
        return readColourBuffer(kWidth, kHeight);
    };

    // Inside: the whole box, top-left at (10, 20) counted from the top.
    BgrImage image = drawAt(10, 20);
    const int top = kHeight - 1 - 20;
    EXPECT_EQ(image.pixel(10, top), box);
    EXPECT_EQ(image.pixel(9, top), rgb(255, 255, 255));
    EXPECT_EQ(image.pixel(10, top + 1), rgb(255, 255, 255));
    EXPECT_EQ(image.pixel(10 + extent.width - 1, top - extent.height + 1), box);
    const int fullInk = countColour(image, ink, 0, 0, kWidth - 1, kHeight - 1);
    EXPECT_GT(fullInk, 40);

    // Half past the left edge: the right half is still drawn, starting at column 0.
    image = drawAt(-extent.width / 2, 20);
    EXPECT_EQ(image.pixel(0, top), box);
    const int leftInk = countColour(image, ink, 0, 0, kWidth - 1, kHeight - 1);
    EXPECT_GT(leftInk, 0);
    EXPECT_LT(leftInk, fullInk);

    // Past the bottom edge: the upper rows are drawn down to row 0.
    image = drawAt(10, kHeight - extent.height / 2);
    EXPECT_EQ(image.pixel(10, 0), box);
    EXPECT_EQ(image.pixel(10, extent.height / 2 + 1), rgb(255, 255, 255));
    EXPECT_GT(countColour(image, ink, 0, 0, kWidth - 1, kHeight - 1), 0);

    // Wholly outside: nothing.
    image = drawAt(-extent.width - 1, 20);
    EXPECT_EQ(countColour(image, box, 0, 0, kWidth - 1, kHeight - 1), 0);
}

TEST(LabelCharsetBuild, ListsForTheFirst128CodesAndTraceWhenMissing) {
    OffscreenView view(8, 8);
    ASSERT_TRUE(view.ready()) << view.context.error();
    std::vector<std::string> trace;
    setDiagnosticSink([&](std::string_view m) { trace.emplace_back(m); });
    {
        LabelCharset charset;
        const unsigned base = charset.build(fontOfHeight(-12));
        ASSERT_NE(base, 0u);
        for (unsigned code = 0; code < 128; ++code) EXPECT_TRUE(glIsList(base + code)) << code;
        // Rebuilding replaces the old lists.
        const unsigned again = charset.build(fontOfHeight(-14));
        ASSERT_NE(again, 0u);
        charset.release();
        EXPECT_FALSE(glIsList(again));
        EXPECT_TRUE(trace.empty());
        charset.drawText(0, {0, 0, 0}, "A");
        ASSERT_EQ(trace.size(), 1u);
        EXPECT_EQ(trace[0], "No charset available. Use PrepareCharset2D routines first.\n");
    }
    setDiagnosticSink(nullptr);
}
