#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "elements/plane.h"
#include "offscreen_view.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 160;

// An element that draws whatever the test gives it, in the pass of its type code's kind.
class Probe : public Element {
  public:
    using Drawing = std::function<void(Canvas&, std::uint32_t colour)>;
    Probe(TypeCode typeCode, Drawing drawing)
        : Element(typeCode, KindStyle{0, 0, 0, 0, 0x808080}), drawing_(std::move(drawing)) {
        defined = 1;
    }
    std::unique_ptr<Element> clone() const override { return std::make_unique<Probe>(typeCode(), drawing_); }
    void recompute(Construction&, const RecomputeContext&) override { defined = 1; }
    void draw(std::uint32_t colour, int, Canvas& canvas) override { drawing_(canvas, colour); }
    int hitTest(int, int, const PickRay&, int, Vec3&) override { return 0; }

  private:
    Drawing drawing_;
};

constexpr TypeCode kSphereCode = TypeCode::SphereCentrePoint;
constexpr TypeCode kSegmentCode = TypeCode::SegmentTwoPoints;

}  // namespace

TEST(PolygonFilling, OddWindingLeavesTheCentreOfAStarOpen) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document);
    const std::uint32_t background = rgb(255, 255, 255);
    document.view.backgroundColour = background;
    // A pentagram: each vertex joined to the next but one, so the contour crosses itself five times.
    std::vector<Element*> corners;
    for (int k = 0; k < 5; ++k) {
        const double a = std::numbers::pi / 2 + k * 4 * std::numbers::pi / 5;
        Point* p = addPoint(document, {4 * std::cos(a), 4 * std::sin(a), 0}, rgb(0, 0, 0));
        p->visible = 0;
        corners.push_back(p);
    }
    auto polygon =
        std::make_unique<Polygon>(TypeCode::PolygonVertices, KindStyle{0, 0, 0, 0, rgb(0, 0, 200)}, 5);
    polygon->parents = corners;
    document.construction().append(std::move(polygon));
    document.recompute();
    std::vector<std::string> errors;
    view.renderer->canvas().setWarningHandler([&](const std::string& m) { errors.push_back(m); });

    const BgrImage image = view.render(document);
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(document.view, {0, 0, 0}, x, y));
    EXPECT_EQ(image.pixel(x, y), background);  // wound twice: outside
    ASSERT_TRUE(view.windowPixel(document.view, {0, 3.2, 0}, x, y));
    const std::uint32_t tip = image.pixel(x, y);  // wound once: inside, lit and almost opaque
    EXPECT_NE(tip, background);
    EXPECT_GT(channel(tip, 2), channel(tip, 0) + 100);
    ASSERT_TRUE(view.windowPixel(document.view, {3.0, 3.0, 0}, x, y));
    EXPECT_EQ(image.pixel(x, y), background);  // beyond the star
    EXPECT_TRUE(errors.empty());
}

TEST(PlaneDrawing, FlatPolygonIsUnlitWithAlpha240) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document);
    document.view.backgroundColour = rgb(255, 255, 255);
    const Vec3 square[] = {{-2, -2, 0}, {2, -2, 0}, {2, 2, 0}, {-2, 2, 0}};
    document.construction().append(std::make_unique<Probe>(
        TypeCode::PlaneThreePoints,
        [&](Canvas& canvas, std::uint32_t) { canvas.flatPolygon(square, rgb(0, 0, 255)); }));
    int x = 0, y = 0;
    ASSERT_TRUE(view.windowPixel(document.view, {0.5, 0.5, 0}, x, y));
    const std::uint32_t c = view.render(document).pixel(x, y);
    const double kept = 240.0 / 255.0;
    EXPECT_NEAR(channel(c, 0), 255.0 * (1 - kept), 1.5);
    EXPECT_NEAR(channel(c, 2), 255.0, 1.5);
}

TEST(QuadricMeshCache, CachedMeshesDrawTheSameImageAsGlu) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    document.view.backgroundColour = rgb(230, 240, 250);
    document.view.viewDistance = -7.0f;
    // Every cached shape, at sizes and along axes the unit meshes are scaled and turned to.
    Construction& c = document.construction();
    c.append(std::make_unique<Probe>(kSegmentCode, [](Canvas& canvas, std::uint32_t) {
        for (int size = 0; size < 5; ++size) canvas.dot({-2.0 + size, -2, 0}, rgb(200, 40, 40), size, 0);
        canvas.segment({-2, 2, 0}, {2, 1, 1}, rgb(40, 160, 40), 4, 0, 0, true);
        canvas.arrow({0, 0, 0}, {1.5, -1, 2}, rgb(40, 40, 160), 3, 0, 0);
        canvas.arrow({0, 0, 0}, {0, 0, -2}, rgb(160, 40, 160), -1, 0, 0);
    }));
    c.append(std::make_unique<Probe>(kSphereCode, [](Canvas& canvas, std::uint32_t) {
        canvas.sphere({1, 1, 0}, 1.3, rgb(0, 120, 255));
        canvas.sphere({-1.5, 0.5, 0.5}, 0.004, rgb(0, 120, 255));
        canvas.cylinder({-2, -1, -1}, {0.3, 0.2, 1}, 0.7, 0.7, 2.5, rgb(255, 160, 0));
        canvas.cylinder({2, -1, -1}, {0, 0, -1}, 0.9, 0.0, 1.8, rgb(120, 0, 200));
    }));
    view.renderer->canvas().meshes().setCaching(false);
    const BgrImage glu = view.render(document);
    view.renderer->canvas().meshes().setCaching(true);
    const BgrImage cached = view.render(document);
    ASSERT_EQ(glu.bytes.size(), cached.bytes.size());

    int differing = 0, largest = 0, drawn = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int d = colourDistance(glu.pixel(x, y), cached.pixel(x, y));
            differing += d > 0 ? 1 : 0;
            largest = std::max(largest, d);
            drawn += glu.pixel(x, y) != rgb(230, 240, 250) ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, kWidth * kHeight / 10);
    EXPECT_LE(largest, 2);
    EXPECT_LT(differing, drawn / 100);
}
