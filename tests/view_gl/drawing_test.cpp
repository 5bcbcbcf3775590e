#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "offscreen_view.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// True when a pixel within `radius` of (x, y) has exactly the colour.
bool colourNear(const BgrImage& image, int x, int y, std::uint32_t colour, int radius = 1) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.pixel(x + dx, y + dy) == colour) return true;
    return false;
}

}  // namespace

TEST(AxesDrawing, LinesInPureColoursWithTheScaledLengthOrArrows) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    document.view.backgroundColour = rgb(255, 255, 255);
    // Length 6 at 2 per unit: the axes end at 3.
    document.view.axisLength = 6.0;
    document.unitScale = 2.0;
    const ViewState& v = document.view;

    BgrImage image = view.render(document);
    int x = 0, y = 0;
    const Vec3 halfway[3] = {{1.5, 0, 0}, {0, 1.5, 0}, {0, 0, 1.5}};
    const std::uint32_t pure[3] = {rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255)};
    for (int axis = 0; axis < 3; ++axis) {
        ASSERT_TRUE(view.windowPixel(v, halfway[axis], x, y));
        EXPECT_TRUE(colourNear(image, x, y, pure[axis])) << "axis " << axis;
    }
    // Past the letter of the x axis (1.2 L) there is nothing: L is 3, not 6.
    ASSERT_TRUE(view.windowPixel(v, {4.5, 0, 0}, x, y));
    EXPECT_FALSE(colourNear(image, x, y, pure[0], 2));
    ASSERT_TRUE(view.windowPixel(v, {2.9, 0, 0}, x, y));
    EXPECT_TRUE(colourNear(image, x, y, pure[0]));

    // Solid arrows: lit, so not pure, but plainly the axis colour.
    document.view.arrowAxes = 1;
    image = view.render(document);
    for (int axis = 0; axis < 3; ++axis) {
        ASSERT_TRUE(view.windowPixel(v, halfway[axis], x, y));
        const std::uint32_t c = image.pixel(x, y);
        for (int other = 0; other < 3; ++other) {
            if (other == axis) continue;
            EXPECT_GT(channel(c, axis), channel(c, other) + 80) << "axis " << axis;
        }
    }

    document.view.showAxes = 0;
    image = view.render(document);
    ASSERT_TRUE(view.windowPixel(v, halfway[0], x, y));
    EXPECT_FALSE(colourNear(image, x, y, pure[0], 3));
    EXPECT_EQ(image.pixel(x, y), rgb(255, 255, 255));
}

TEST(SurfaceDrawing, SphereBlendsBothSidesOverTheBackground) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document);
    Point* centre = addPoint(document, {0, 0, 0}, rgb(0, 0, 0));
    centre->visible = 0;
    Point* rim = addPoint(document, {2, 0, 0}, rgb(0, 0, 0));
    rim->visible = 0;
    addSphere(document, centre, rim, rgb(0, 0, 255));
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(document.view, {0, 0, 0}, x, y));

    // Facing the light along the eye axis a surface is lit to 0.7 c + 0.3 (diffuse) + 0.1
    // (specular), with alpha 0.8; the far side is drawn first, then the near side over it.
    const auto expected = [](int c, int background) {
        const double lit = std::min(255.0, 0.7 * c + 0.4 * 255.0);
        const double farSide = 0.8 * lit + 0.2 * background;
        return 0.8 * lit + 0.2 * farSide;
    };
    for (const int background : {0, 255}) {
        document.view.backgroundColour = rgb(background, background, background);
        const std::uint32_t c = view.render(document).pixel(x, y);
        EXPECT_NEAR(channel(c, 0), expected(0, background), 2.5) << background;
        EXPECT_NEAR(channel(c, 1), expected(0, background), 2.5) << background;
        EXPECT_NEAR(channel(c, 2), expected(255, background), 2.5) << background;
    }
    // Outside the sphere only the background.
    ASSERT_TRUE(view.windowPixel(document.view, {2.5, 0, 0}, x, y));
    EXPECT_EQ(view.render(document).pixel(x, y), rgb(255, 255, 255));
}

TEST(DrawPass, HiddenAndSelectedColours) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document);
    const std::uint32_t background = rgb(255, 255, 255);
    document.view.backgroundColour = background;
    document.view.hiddenColour = rgb(0, 190, 190);
    document.view.selectedColour = rgb(255, 0, 170);
    Point* a = addPoint(document, {-3, 1, 0}, rgb(0, 0, 0));
    Point* b = addPoint(document, {3, 1, 0}, rgb(0, 0, 0));
    Element* segment = addSegment(document, a, b, rgb(10, 120, 30));
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(document.view, {0, 1, 0}, x, y));

    EXPECT_TRUE(colourNear(view.render(document), x, y, rgb(10, 120, 30)));

    segment->visible = 0;
    BgrImage image = view.render(document);
    EXPECT_EQ(image.pixel(x, y), background);
    EXPECT_FALSE(colourNear(image, x, y, document.view.hiddenColour, 3));
    image = view.render(document, true);
    EXPECT_TRUE(colourNear(image, x, y, document.view.hiddenColour));
    EXPECT_FALSE(colourNear(image, x, y, rgb(10, 120, 30), 3));

    // Selected wins over hidden.
    segment->selected = 1;
    image = view.render(document, true);
    EXPECT_TRUE(colourNear(image, x, y, document.view.selectedColour));
    EXPECT_FALSE(colourNear(image, x, y, document.view.hiddenColour, 3));
    segment->visible = 1;
    EXPECT_TRUE(colourNear(view.render(document), x, y, document.view.selectedColour));

    // Undefined elements are never drawn.
    segment->defined = 0;
    EXPECT_EQ(view.render(document, true).pixel(x, y), background);
}

TEST(DrawPass, LinesFadeIntoTheBackgroundOnlyInCentralProjection) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document, 0);
    document.view.backgroundColour = rgb(255, 255, 255);
    Point* a = addPoint(document, {-3, 0, 0}, rgb(0, 0, 0));
    Point* b = addPoint(document, {3, 0, 0}, rgb(0, 0, 0));
    a->visible = b->visible = 0;
    addSegment(document, a, b, rgb(255, 0, 0));
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(document.view, {0, 0, 0}, x, y));

    // Exponential fog of density 0.01 at the eye distance of 15.
    const double kept = std::exp(-0.01 * 15.0);
    std::uint32_t c = 0;
    const BgrImage image = view.render(document);
    for (int dy = -1; dy <= 1; ++dy)
        c = channel(image.pixel(x, y + dy), 0) == 255 ? image.pixel(x, y + dy) : c;
    EXPECT_NEAR(channel(c, 1), 255.0 * (1.0 - kept), 3.0);
    EXPECT_NEAR(channel(c, 2), 255.0 * (1.0 - kept), 3.0);

    document.view.projection = 1;
    EXPECT_TRUE(colourNear(view.render(document), x, y, rgb(255, 0, 0)));
}

TEST(RedrawCycle, ToolHighlightsStayOverTheNormalDrawingAndOverlaysGoOnTop) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document);
    document.view.backgroundColour = rgb(255, 255, 255);
    document.view.selectedColour = rgb(255, 0, 170);
    Point* a = addPoint(document, {-3, 0, 0}, rgb(0, 0, 0));
    Point* b = addPoint(document, {3, 0, 0}, rgb(0, 0, 0));
    a->visible = b->visible = 0;
    Element* segment = addSegment(document, a, b, rgb(10, 120, 30));
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(document.view, {1, 0, 0}, x, y));

    // Picked by a tool but not selected: drawn first in the selected colour, and the
    // element's own drawing at the same depth does not cover it.
    RenderScene scene = documentScene(document, false);
    scene.highlighted = {segment};
    BgrImage image = view.render(scene);
    EXPECT_TRUE(colourNear(image, x, y, document.view.selectedColour));
    EXPECT_FALSE(colourNear(image, x, y, rgb(10, 120, 30), 3));

    // The hover text lies over everything, in an opaque box of the background colour.
    scene.highlighted.clear();
    const int top = kHeight - 1 - y;
    scene.overlays.push_back({x - 4, top - 8, "WWW", rgb(0, 0, 255)});
    image = view.render(scene);
    int ink = 0;
    for (int dy = -12; dy <= 12; ++dy)
        for (int dx = -4; dx <= 30; ++dx) ink += image.pixel(x + dx, y + dy) == rgb(0, 0, 255) ? 1 : 0;
    EXPECT_GT(ink, 10);
    // The box hides the line under it, and only there.
    EXPECT_FALSE(colourNear(image, x + 5, y, rgb(10, 120, 30), 2));
    EXPECT_TRUE(colourNear(image, x - 20, y, rgb(10, 120, 30)));
}
