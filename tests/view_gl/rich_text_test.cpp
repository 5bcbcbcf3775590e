// Text elements as the view shows them: their rich text laid out by Qt into
// an image of the element's box, and that image in the rendered scene.

#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <sstream>

#include "expr/screen_text.h"
#include "expr/text_element.h"
#include "offscreen_view.h"
#include "view/gl/rich_text_image.h"

namespace {

constexpr std::uint32_t kWhite = rgb(255, 255, 255);

std::uint32_t pixelOf(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return rgb(qRed(p), qGreen(p), qBlue(p));
}

// The bounding box of the pixels that differ from the background.
struct Ink {
    int count = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink inkOf(const QImage& image, std::uint32_t background) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (pixelOf(image, x, y) == background) continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    return ink;
}

Ink inkOfRtf(const std::string& rtf, int width = 300, int height = 120) {
    return inkOf(richTextImage(readRichText(rtf), {width, height}, kWhite, rgb(0, 0, 0), std::nullopt, 96),
                 kWhite);
}

}  // namespace

TEST(RichTextImage, FormattingChangesTheInkAsARichEditWould) {
    const Ink plain = inkOfRtf("{\\rtf1 HHHH}");
    ASSERT_GT(plain.count, 50);
    EXPECT_LT(plain.left, 4);  // laid out from the top-left corner, no margin
    EXPECT_LT(plain.top, 8);
    EXPECT_GT(inkOfRtf("{\\rtf1 \\b HHHH}").count, plain.count);
    const Ink large = inkOfRtf("{\\rtf1 \\fs48 HHHH}");
    EXPECT_GT(large.bottom - large.top, (plain.bottom - plain.top) * 3 / 2);
    EXPECT_GT(large.right - large.left, (plain.right - plain.left) * 3 / 2);
    const Ink centred = inkOfRtf("{\\rtf1 \\qc HHHH}");
    EXPECT_NEAR((centred.left + centred.right) / 2.0, 150.0, 3.0);
    const Ink twoLines = inkOfRtf("{\\rtf1 HHHH\\par HHHH}");
    EXPECT_GT(twoLines.bottom - twoLines.top, 2 * (plain.bottom - plain.top));
    EXPECT_EQ(inkOfRtf("{\\rtf1 HHHH\\line HHHH}").bottom, twoLines.bottom);
    // Twice the pixels per inch, twice the size of the same point size.
    const QImage hiDpi =
        richTextImage(readRichText("{\\rtf1 HHHH}"), {300, 120}, kWhite, 0, std::nullopt, 192);
    const Ink scaled = inkOf(hiDpi, kWhite);
    EXPECT_NEAR(scaled.bottom - scaled.top, 2 * (plain.bottom - plain.top), 2);
}

TEST(RichTextImage, ColoursFromTheTableOrTheTextColourAndTheFrameInside) {
    const RichText text = readRichText("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\fs40 AA \\cf1 AA}");
    const std::uint32_t background = rgb(10, 20, 30);
    const std::uint32_t frame = rgb(0, 200, 0);
    const QImage image = richTextImage(text, {160, 60}, background, rgb(0, 0, 255), frame, 96);
    ASSERT_EQ(image.width(), 160);
    ASSERT_EQ(image.height(), 60);
    int blue = 0, red = 0;
    for (int y = 3; y < 57; ++y)
        for (int x = 3; x < 157; ++x) {
            blue += pixelOf(image, x, y) == rgb(0, 0, 255) ? 1 : 0;
            red += pixelOf(image, x, y) == rgb(255, 0, 0) ? 1 : 0;
        }
    EXPECT_GT(blue, 20);
    EXPECT_GT(red, 20);
    // The frame: 2 pixels wide, 1 pixel inside the edges.
    for (const auto& [x, y] :
         {std::pair{1, 1}, {2, 2}, {80, 1}, {80, 2}, {158, 30}, {157, 30}, {80, 58}, {1, 57}})
        EXPECT_EQ(pixelOf(image, x, y), frame) << x << "," << y;
    for (const auto& [x, y] : {std::pair{0, 0}, {80, 0}, {159, 30}, {80, 59}, {0, 30}})
        EXPECT_EQ(pixelOf(image, x, y), background) << x << "," << y;
    EXPECT_NE(pixelOf(image, 80, 3), frame);
}

TEST(RichTextImage, APartOfTheBoxIsThatPartOfTheWholeImage) {
    const RichText text = readRichText("{\\rtf1\\fs40 Part of a longer text that wraps\\par and more}");
    const QImage whole = richTextImage(text, {200, 100}, kWhite, 0, rgb(255, 0, 0), 96);
    const QRect part(37, 21, 150, 79);
    const QImage piece = richTextImage(text, {200, 100}, kWhite, 0, rgb(255, 0, 0), 96, part);
    ASSERT_EQ(piece.size(), part.size());
    EXPECT_EQ(piece, whole.copy(part).convertToFormat(piece.format()));
}

TEST(TextElementDrawing, TheLaidOutBoxAtItsWindowRectangleFramedWhenSelected) {
    constexpr int kWidth = 240, kHeight = 160;
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document);
    document.view.backgroundColour = rgb(250, 250, 240);
    document.view.selectedColour = rgb(255, 0, 255);
    auto text = std::make_unique<Text>(KindStyle{0, 0, 0, 0, rgb(0, 0, 0)});
    text->resolution = kDefaultScreenPixelsPerInch;
    text->rectangle = {{40, 30}, {200, 90}};  // window pixels from the top left
    text->richText = "{\\rtf1{\\colortbl ;\\red0\\green0\\blue255;}\\cf1\\fs36 Wide text}";
    Text* t = static_cast<Text*>(document.construction().append(std::move(text)));
    document.recompute();

    // Rows of the read-back image count from the bottom.
    const auto count = [&](const BgrImage& image, std::uint32_t colour, int x0, int top0, int x1, int top1) {
        int n = 0;
        for (int top = top0; top <= top1; ++top)
            for (int x = x0; x <= x1; ++x) n += image.pixel(x, kHeight - 1 - top) == colour ? 1 : 0;
        return n;
    };
    BgrImage image = view.render(document);
    const int inside = count(image, rgb(0, 0, 255), 40, 30, 199, 89);
    EXPECT_GT(inside, 30);
    EXPECT_EQ(count(image, rgb(0, 0, 255), 0, 0, kWidth - 1, kHeight - 1), inside);
    EXPECT_EQ(count(image, document.view.selectedColour, 0, 0, kWidth - 1, kHeight - 1), 0);

    t->selected = 1;
    image = view.render(document);
    EXPECT_EQ(image.pixel(41, kHeight - 1 - 31), document.view.selectedColour);
    EXPECT_EQ(image.pixel(198, kHeight - 1 - 88), document.view.selectedColour);
    EXPECT_EQ(image.pixel(40, kHeight - 1 - 30), document.view.backgroundColour);
    EXPECT_EQ(image.pixel(39, kHeight - 1 - 31), document.view.backgroundColour);

    // A new text is laid out anew.
    t->selected = 0;
    t->richText = "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1\\fs36 Wide text}";
    image = view.render(document);
    EXPECT_EQ(count(image, rgb(0, 0, 255), 0, 0, kWidth - 1, kHeight - 1), 0);
    EXPECT_EQ(count(image, rgb(255, 0, 0), 40, 30, 199, 89), inside);

    // Reaching past the window's left edge, and far past every edge: the visible part is drawn.
    t->rectangle = {{-60, 30}, {100, 90}};
    image = view.render(document);
    const int shifted = count(image, rgb(255, 0, 0), 0, 30, 99, 89);
    EXPECT_GT(shifted, 0);
    EXPECT_LT(shifted, inside);
    t->rectangle = {{-1000000000, -1000000000}, {1000000000, 1000000000}};
    t->selected = 1;
    image = view.render(document);
    EXPECT_EQ(image.pixel(kWidth / 2, kHeight / 2), document.view.backgroundColour);
}

namespace {

// The ink inside a rectangle of an image.
Ink inkIn(const QImage& image, QRect r, std::uint32_t background = kWhite) {
    Ink ink = inkOf(image.copy(r), background);
    if (ink.count > 0) {
        ink.left += r.left();
        ink.right += r.left();
        ink.top += r.top();
        ink.bottom += r.top();
    }
    return ink;
}

QImage rendered(const std::string& rtf, int width = 400, int height = 200) {
    return richTextImage(readRichText(rtf), {width, height}, kWhite, rgb(0, 0, 0), std::nullopt, 96);
}

}  // namespace

TEST(RichTextImage, ScriptsTabsIndentsAndTablesSitWhereAWordProcessorPutsThem) {
    // A superscript sits higher and is smaller than the text before it; a subscript reaches lower.
    const QImage scripts =
        rendered("{\\rtf1\\fs48 H\\tab{\\super H}\\tab{\\sub H}}");  // tabs every 48 pixels
    const Ink base = inkIn(scripts, {0, 0, 44, 200});
    const Ink super = inkIn(scripts, {44, 0, 48, 200});
    ASSERT_GT(super.count, 0);
    EXPECT_LT(super.top, base.top);
    EXPECT_LT(super.bottom, base.bottom);
    EXPECT_LT(super.bottom - super.top, (base.bottom - base.top) * 4 / 5);
    const Ink sub = inkIn(scripts, {92, 0, 300, 200});
    EXPECT_GT(sub.bottom, base.bottom);

    // Tab stops of each kind: 1440 twips are 96 pixels.
    const Ink right = inkOfRtf("{\\rtf1\\tqr\\tx2880 \\tab HH}");
    EXPECT_NEAR(right.right, 192, 2);
    const Ink centred = inkOfRtf("{\\rtf1\\tqc\\tx2880 \\tab HHHH}");
    EXPECT_NEAR((centred.left + centred.right) / 2.0, 192, 2);
    const Ink left = inkOfRtf("{\\rtf1\\tx1440 \\tab H}");
    EXPECT_NEAR(left.left, 96, 2);
    const Ink deftab = inkOfRtf("{\\rtf1\\deftab720 \\tab H}");
    EXPECT_NEAR(deftab.left, 48, 2);

    // A hanging indent holds on the wrapped line, and the number's tab reaches the indent.
    const QImage list =
        rendered("{\\rtf1\\li720\\fi-720 1.\\tab HHHH HHHH HHHH HHHH HHHH HHHH HHHH HHHH}", 200, 200);
    const Ink firstLine = inkIn(list, {0, 0, 200, 18});
    const Ink secondLine = inkIn(list, {0, 20, 200, 18});
    ASSERT_GT(secondLine.count, 0);
    EXPECT_LT(firstLine.left, 4);
    EXPECT_NEAR(secondLine.left, 48, 2);
    EXPECT_NEAR(inkIn(list, {30, 0, 170, 18}).left, 48, 2);

    // Paragraph spacing: 240 twips before the second paragraph are 16 pixels more.
    const Ink together = inkOfRtf("{\\rtf1 H\\par H}");
    const Ink apart = inkOfRtf("{\\rtf1 H\\par\\sb240 H}");
    EXPECT_NEAR(apart.bottom - together.bottom, 16, 1);

    // Table columns start at their boundaries; the row's gap insets the text.
    const QImage table = rendered(
        "{\\rtf1\\trowd\\trgaph60\\cellx1440\\cellx2880\\clbrdrb\\brdrs\\cellx4320"
        "\\intbl H\\cell H\\cell\\qr H\\cell\\row}");
    EXPECT_NEAR(inkIn(table, {0, 0, 90, 40}).left, 4, 1);
    EXPECT_NEAR(inkIn(table, {90, 0, 90, 40}).left, 100, 1);
    EXPECT_NEAR(inkIn(table, {190, 0, 100, 15}).right, 283, 2);  // right aligned before the gap
    const Ink rule = inkIn(table, {192, 0, 96, 60});             // the third cell's bottom border
    EXPECT_EQ(rule.right - rule.left, 95);
}

TEST(RichTextImage, CharacterFormatsDrawAsTheyRead) {
    const Ink plain = inkOfRtf("{\\rtf1 HHHH}");
    EXPECT_EQ(inkOfRtf("{\\rtf1 {\\v hidden}HHHH}").count, plain.count);
    EXPECT_GT(inkOfRtf("{\\rtf1\\strike HHHH}").count, plain.count);
    EXPECT_EQ(inkOfRtf("{\\rtf1\\caps hhhh}").count, plain.count);  // capitals of the same letters
    const Ink single = inkOfRtf("{\\rtf1\\ul HHHH}");
    const Ink twice = inkOfRtf("{\\rtf1\\uldb HHHH}");
    EXPECT_GT(twice.bottom, single.bottom);
    EXPECT_GT(twice.count, single.count);
    EXPECT_EQ(inkOfRtf("{\\rtf1\\fs0 HHHH}").count, plain.count);  // \fs0 is the default size
    // Highlight fills behind the text.
    const QImage marked = rendered("{\\rtf1{\\colortbl;\\red255\\green255\\blue0;}\\highlight1 HHHH}");
    int yellow = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) yellow += pixelOf(marked, x, y) == rgb(255, 255, 0) ? 1 : 0;
    EXPECT_GT(yellow, 100);
    // The Symbol font's private-use bullet draws as a bullet.
    EXPECT_GT(inkOfRtf("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\f1\\u-3913?}}").count, 10);
}

TEST(RichTextImage, TablesOutOfOrderOrEmptyRowsStillDraw) {
    // A footnote with a table inside a table's cell, rows without cells, a cell index far out.
    std::string rtf =
        "{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl a{\\footnote\\trowd\\cellx500\\intbl f\\cell\\row}"
        "\\cell b\\cell\\row";
    for (int i = 0; i < 2000; ++i) rtf += "\\row";
    for (int i = 0; i < 100; ++i) rtf += "\\cell";
    const RichText text = readRichText(rtf + "\\intbl c\\cell\\row d}");
    EXPECT_GT(inkOf(richTextImage(text, {300, 200}, kWhite, 0, std::nullopt, 96), kWhite).count, 20);
}

TEST(RichTextImage, ALongTextCostsOnlyItsVisibleBox) {
    // 100,000 paragraphs show what their first lines show, in any part of the box.
    std::string many = "{\\rtf1 ";
    for (int i = 0; i < 100000; ++i) many += "Line " + std::to_string(i) + "\\par ";
    const RichText all = readRichText(many + "}");
    ASSERT_EQ(all.paragraphs.size(), 100000u);
    RichText first = all;
    first.paragraphs.resize(40);
    const QRect part(10, 100, 180, 120);
    EXPECT_EQ(richTextImage(all, {200, 300}, kWhite, 0, std::nullopt, 96, part),
              richTextImage(first, {200, 300}, kWhite, 0, std::nullopt, 96, part));
}

TEST(RichTextImage, AWorksheetFromAWordProcessorRendersItsParts) {
    std::ifstream in(std::string(KOVA_TEST_DATA_DIR) + "/rtf/worksheet-libreoffice.rtf", std::ios::binary);
    std::ostringstream rtf;
    rtf << in.rdbuf();
    const QImage sheet = richTextImage(readRichText(rtf.str()), {620, 320}, kWhite, 0, std::nullopt, 96);
    // The table's header rule spans its four columns, to 7811 twips; the part
    // left of the text's edge (from -108 twips) is cut.
    int ruleRow = -1;
    for (int y = 0; y < sheet.height() && ruleRow < 0; ++y) {
        int dark = 0;
        for (int x = 0; x < sheet.width(); ++x) dark += pixelOf(sheet, x, y) == rgb(0, 0, 0) ? 1 : 0;
        if (dark > 400) ruleRow = y;
    }
    ASSERT_GT(ruleRow, 60);
    const Ink rule = inkIn(sheet, {0, ruleRow, 620, 1});
    EXPECT_NEAR(rule.left, 0, 1);
    EXPECT_NEAR(rule.right, 7811 * 96 / 1440 - 1, 2);
    // The first column's text starts at the edge, the second at its boundary.
    EXPECT_NEAR(inkIn(sheet, {0, ruleRow + 2, 60, 18}).left, 0, 2);  // "Tetrahedron"
    EXPECT_NEAR(inkIn(sheet, {130, ruleRow + 2, 134, 18}).right, 3852 * 96 / 1440 - 8,
                2);  // "4", right aligned
}
