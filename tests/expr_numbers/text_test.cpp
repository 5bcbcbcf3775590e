// Text elements: picking by their rectangle at the screen's resolution, and the
// plain text they show until rich text is rendered.

#include "expr/rtf_plain_text.h"
#include "expr/text_element.h"
#include "numbers_fixture.h"
#include "support/recording_canvas.h"

TEST(TextElement, RectangleScalesWithTheScreenAndPicksEndsIncluded) {
    Text t(kNumberStyle);
    t.resolution = 96;
    t.rectangle = {{10, 20}, {110, 70}};
    Construction none;
    t.recompute(none, 0, 1.0);
    EXPECT_EQ(t.defined, 1);
    const PickRay ray{{0, 0, 5}, {0, 0, -5}};
    Vec3 hit;
    EXPECT_EQ(t.hitTest(10, 20, ray, 0, hit), 1);
    EXPECT_EQ(hit, ray.nearPoint);
    EXPECT_EQ(t.hitTest(110, 70, ray, 0, hit), 1);
    EXPECT_EQ(t.hitTest(111, 70, ray, 0, hit), 0);
    EXPECT_EQ(t.hitTest(10, 19, ray, 0, hit), 0);

    // Twice the pixels per inch: twice the size, same corner.
    setScreenPixelsPerInch(192);
    EXPECT_EQ(t.screenRectangle(screenPixelsPerInch()), (ScreenBox{{10, 20}, {210, 120}}));
    EXPECT_EQ(t.hitTest(210, 120, ray, 0, hit), 1);
    EXPECT_EQ(t.hitTest(211, 120, ray, 0, hit), 0);
    setScreenPixelsPerInch(96);
    // A resolution that cannot be a screen's leaves the rectangle as stored.
    t.resolution = 0;
    EXPECT_EQ(t.screenRectangle(192), t.rectangle);
    t.resolution = 1;
    t.rectangle = {{0, 0}, {INT32_MAX, 10}};
    EXPECT_EQ(t.screenRectangle(192).bottomRight, (ScreenPoint{INT32_MAX, 1920}));
}

TEST(TextElement, DrawsThePlainTextLineByLineAndKeepsTheRichText) {
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
        "{\\*\\generator Writer;}\\viewkind4\\pard\\cf1\\f0\\fs20 Hello\\par W\\'f6rld \\u8364?\\tab "
        "x\\par\r\n}";
    Text t(kNumberStyle);
    t.resolution = 96;
    t.rectangle = {{5, 6}, {400, 300}};
    t.richText = rtf;
    RecordingCanvas canvas;
    t.draw(0x00FFFFFF, 0, canvas);
    ASSERT_EQ(canvas.count("screenText"), 2);
    EXPECT_EQ(canvas.calls[0].text, "Hello");
    EXPECT_EQ(canvas.calls[0].points[0], (Vec3{5, 6, 0}));
    EXPECT_EQ(canvas.calls[1].text, "W\xC3\xB6rld \xE2\x82\xAC\tx");
    EXPECT_EQ(canvas.calls[1].points[0], (Vec3{5, 22, 0}));  // one line of the default font lower
    EXPECT_EQ(canvas.calls[1].colour, 0x00FFFFFFu);
    EXPECT_EQ(t.richText, rtf);

    // Lines below the rectangle are not drawn.
    t.rectangle = {{5, 6}, {400, 10}};
    RecordingCanvas clipped;
    t.draw(0, 0, clipped);
    EXPECT_EQ(clipped.count("screenText"), 1);
}

TEST(TextElement, PlainTextOfRichTextEscapesAndBrokenInput) {
    EXPECT_EQ(plainTextOfRtf("not rich {text}\\"), "not rich {text}\\");
    EXPECT_EQ(plainTextOfRtf("{\\rtf1 a\\{b\\}c\\\\d\\line e}"), "a{b}c\\d\ne");
    EXPECT_EQ(plainTextOfRtf("{\\rtf1 \\u-3913?x}"), "\xEF\x82\xB7x");  // negative \u values wrap
    EXPECT_EQ(plainTextOfRtf("{\\rtf1 {\\info{\\title T}}body}"), "body");
    // Unbalanced, truncated or deeply nested input ends cleanly.
    EXPECT_EQ(plainTextOfRtf("{\\rtf1 open{{{"), "open");
    EXPECT_EQ(plainTextOfRtf("{\\rtf1 x}}}}y"), "xy");
    EXPECT_EQ(plainTextOfRtf("{\\rtf1 z\\'4"), "z");
    EXPECT_EQ(plainTextOfRtf("{\\rtf1 z\\"), "z");
    EXPECT_EQ(plainTextOfRtf("{\\rtf1 " + std::string(5000, '{') + "deep" + std::string(5000, '}') + "!"),
              "deep!");
}
