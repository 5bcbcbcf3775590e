// Text elements: picking and drawing by their rectangle at the screen's
// resolution, and the rich-text reader.

#include "expr/rich_text.h"
#include "expr/text_element.h"
#include "numbers_fixture.h"
#include "support/recording_canvas.h"

TEST(TextElement, RectangleScalesWithTheScreenAndPicksEndsIncluded) {
    Text t(kNumberStyle);
    t.resolution = 96;
    t.rectangle = {{10, 20}, {110, 70}};
    Construction none;
    t.recompute(none, {0, 1.0});
    EXPECT_EQ(t.defined, 1);
    const PickRay ray{{0, 0, 5}, {0, 0, -5}};
    Vec3 hit;
    ScreenTextContext screen;
    t.layoutScreenText(screen);
    EXPECT_EQ(t.hitTest(10, 20, ray, 0, hit), 1);
    EXPECT_EQ(hit, ray.nearPoint);
    EXPECT_EQ(t.hitTest(110, 70, ray, 0, hit), 1);
    EXPECT_EQ(t.hitTest(111, 70, ray, 0, hit), 0);
    EXPECT_EQ(t.hitTest(10, 19, ray, 0, hit), 0);

    // Twice the pixels per inch: twice the size, same corner.
    screen.pixelsPerInch = 192;
    t.layoutScreenText(screen);
    EXPECT_EQ(t.screenRectangle(screen.pixelsPerInch), (ScreenBox{{10, 20}, {210, 120}}));
    EXPECT_EQ(t.hitTest(210, 120, ray, 0, hit), 1);
    EXPECT_EQ(t.hitTest(211, 120, ray, 0, hit), 0);
    // A resolution that cannot be a screen's leaves the rectangle as stored.
    t.resolution = 0;
    EXPECT_EQ(t.screenRectangle(192), t.rectangle);
    t.resolution = 1;
    t.rectangle = {{0, 0}, {INT32_MAX, 10}};
    EXPECT_EQ(t.screenRectangle(192).bottomRight, (ScreenPoint{INT32_MAX, 1920}));
}

TEST(TextElement, DrawsItsRichTextInTheScaledRectangleFramedWhenSelectedOrHidden) {
    const std::string rtf = "{\\rtf1 Hello\\par}";
    Text t(kNumberStyle);
    t.resolution = 96;
    t.rectangle = {{5, 6}, {405, 306}};
    t.richText = rtf;
    RecordingCanvas canvas;
    canvas.texts.pixelsPerInch = 120;
    t.draw(0x00FFFFFF, 0, canvas);
    ASSERT_EQ(canvas.count("richText"), 1);
    const RecordingCanvas::Call& c = canvas.calls[0];
    EXPECT_EQ(c.points[0], (Vec3{5, 6, 0}));
    EXPECT_EQ(c.points[1], (Vec3{500, 375, 0}));  // 400 x 300 at 120 / 96
    EXPECT_EQ(c.text, rtf);
    EXPECT_EQ(c.colour, 0x00FFFFFFu);
    EXPECT_FALSE(c.frame.has_value());
    EXPECT_EQ(t.richText, rtf);

    t.selected = 1;
    RecordingCanvas selected;
    t.draw(0x0000FF00, 0, selected);
    ASSERT_EQ(selected.count("richText"), 1);
    EXPECT_EQ(selected.calls[0].frame, std::optional<std::uint32_t>(0x0000FF00));
    t.selected = 0;
    t.visible = 0;
    RecordingCanvas hidden;
    t.draw(0x00808080, 0, hidden);
    EXPECT_EQ(hidden.calls.at(0).frame, std::optional<std::uint32_t>(0x00808080));

    // An empty or inverted rectangle draws nothing.
    t.rectangle = {{5, 6}, {5, 300}};
    RecordingCanvas empty;
    t.draw(0, 0, empty);
    EXPECT_TRUE(empty.calls.empty());
}

TEST(RichText, ReadsParagraphsRunsFontsColoursAndEscapes) {
    const RichText text = readRichText(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman{\\*\\panose 02}Times New Roman;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "{\\*\\generator Writer;}\\viewkind4\\pard\\cf1\\fs20 Hello \\b bold\\b0  {\\i\\f1 it}\\par "
        "\\qc\\ul W\\'f6rld\\ulnone  \\u8364?\\tab x\\line y\\par\r\n}");
    ASSERT_EQ(text.paragraphs.size(), 2u);  // the closing \par opens no third paragraph
    const auto& first = text.paragraphs[0];
    EXPECT_EQ(first.alignment, TextAlignment::Left);
    ASSERT_EQ(first.runs.size(), 4u);
    EXPECT_EQ(first.runs[0].text, "Hello ");
    EXPECT_EQ(first.runs[0].font, "Arial");
    EXPECT_EQ(first.runs[0].halfPoints, 20);
    EXPECT_EQ(first.runs[0].colour, std::optional<std::uint32_t>(0x0000FF));
    EXPECT_TRUE(first.runs[1].bold);
    EXPECT_EQ(first.runs[1].text, "bold");
    EXPECT_EQ(first.runs[2].text, " ");
    EXPECT_TRUE(first.runs[3].italic);
    EXPECT_EQ(first.runs[3].font, "Times New Roman");
    EXPECT_FALSE(first.runs[3].bold);

    const auto& second = text.paragraphs[1];
    EXPECT_EQ(second.alignment, TextAlignment::Centre);
    ASSERT_EQ(second.runs.size(), 2u);
    EXPECT_EQ(second.runs[0].underline, UnderlineStyle::Single);
    EXPECT_EQ(second.runs[0].text, "W\xC3\xB6rld");
    EXPECT_EQ(second.runs[1].text, " \xE2\x82\xAC\tx\ny");
    EXPECT_EQ(text.plainText(), "Hello bold it\nW\xC3\xB6rld \xE2\x82\xAC\tx\ny");
}

TEST(RichText, ColourAndFontReferencesOutsideTheTablesAreAutomatic) {
    const RichText text = readRichText(
        "{\\rtf1{\\colortbl ;\\red1\\green2\\blue3;}\\cf0 a\\cf7 b\\cf-3 c\\f99 d"
        "\\cf1\\fs1 e\\fs99999 f\\plain g}");
    ASSERT_EQ(text.paragraphs.size(), 1u);
    const auto& runs = text.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].text, "abcd");
    EXPECT_FALSE(runs[0].colour.has_value());
    EXPECT_EQ(runs[0].font, "");
    EXPECT_EQ(runs[1].colour, std::optional<std::uint32_t>(0x030201));
    EXPECT_EQ(runs[1].halfPoints, 2);
    EXPECT_EQ(runs[2].halfPoints, 3276);
    EXPECT_EQ(runs[3].text, "g");
    EXPECT_EQ(runs[3].halfPoints, 24);
    EXPECT_FALSE(runs[3].colour.has_value());
}

TEST(RichText, UnicodeEscapesWithReplacementCountsAndSurrogatePairs) {
    EXPECT_EQ(readRichText("{\\rtf1 \\u-3913?x}").plainText(), "\xEF\x82\xB7x");  // negative values wrap
    EXPECT_EQ(readRichText("{\\rtf1\\uc2 \\u233\\'e9\\'e9y}").plainText(), "\xC3\xA9y");
    EXPECT_EQ(readRichText("{\\rtf1\\uc0 \\u233 z}").plainText(), "\xC3\xA9z");
    EXPECT_EQ(readRichText("{\\rtf1 \\u-10179?\\u-8704?}").plainText(), "\xF0\x9F\x98\x80");  // U+1F600
    EXPECT_EQ(readRichText("{\\rtf1 \\u-8704?a}").plainText(),
              "\xEF\xBF\xBD"
              "a");  // a lone low half
}

TEST(RichText, PlainStringsAndBrokenInputEndCleanly) {
    const RichText plain = readRichText("not rich {text}\\\r\nsecond");
    ASSERT_EQ(plain.paragraphs.size(), 2u);
    EXPECT_EQ(plain.plainText(), "not rich {text}\\\nsecond");
    EXPECT_EQ(readRichText("{\\rtf1 a\\{b\\}c\\\\d\\line e}").plainText(), "a{b}c\\d\ne");
    EXPECT_EQ(readRichText("{\\rtf1 {\\info{\\title T}}body{\\*\\unknown x}!}").plainText(), "body!");
    EXPECT_EQ(readRichText("{\\rtf1 a\\bin5 {{{{}b}").plainText(), "ab");
    EXPECT_EQ(readRichText("{\\rtf1 a\\bin999999").plainText(), "a");
    EXPECT_EQ(readRichText("{\\rtf1 open{{{").plainText(), "open");
    EXPECT_EQ(readRichText("{\\rtf1 x}}}}y").plainText(), "xy");
    EXPECT_EQ(readRichText("{\\rtf1 z\\'4").plainText(), "z");
    EXPECT_EQ(readRichText("{\\rtf1 z\\").plainText(), "z");
    EXPECT_EQ(
        readRichText("{\\rtf1 " + std::string(5000, '{') + "deep" + std::string(5000, '}') + "!").plainText(),
        "deep!");
}
