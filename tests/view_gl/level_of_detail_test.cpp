#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <set>

#include "elements/style_tables.h"
#include "offscreen_view.h"
#include "view/gl/level_of_detail.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 160;

// Draws whatever the test gives it, in the surface pass.
class SurfaceProbe : public Element {
  public:
    using Drawing = std::function<void(Canvas&)>;
    explicit SurfaceProbe(Drawing drawing)
        : Element(TypeCode::SphereCentrePoint, KindStyle{0, 0, 0, 0, 0}), drawing_(std::move(drawing)) {
        defined = 1;
    }
    std::unique_ptr<Element> clone() const override { return std::make_unique<SurfaceProbe>(drawing_); }
    void recompute(Construction&, const RecomputeContext&) override { defined = 1; }
    void draw(std::uint32_t, int, Canvas& canvas) override { drawing_(canvas); }
    int hitTest(int, int, const PickRay&, int, Vec3&) override { return 0; }

  private:
    Drawing drawing_;
};

struct Renders {
    BgrImage full, detailed;
    long fullTriangles = 0, detailedTriangles = 0;
};

Renders renderBoth(OffscreenView& view, Document& document) {
    Renders r;
    GlCanvas& canvas = view.renderer->canvas();
    canvas.setLevelOfDetail(false);
    r.full = view.render(document);
    r.fullTriangles = canvas.trianglesDrawn();
    canvas.setLevelOfDetail(true);
    r.detailed = view.render(document);
    r.detailedTriangles = canvas.trianglesDrawn();
    return r;
}

// The worst distance between a sphere mesh and its sphere, as a share of the radius.
double sphereSag(MeshCounts c) {
    const double a = std::numbers::pi / c.slices, b = std::numbers::pi / (2.0 * c.stacks);
    return 1.0 - std::cos(std::sqrt(a * a + b * b));
}

// Pixels covered in the full picture, and pixels the level of detail changed:
// each of these is handed to check (x, y, full colour, detailed colour).
struct Changes {
    int covered = 0;
    int changed = 0;
};
Changes compareRenders(const Renders& r, std::uint32_t background,
                       const std::function<void(int, int, std::uint32_t, std::uint32_t)>& check) {
    Changes c;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t a = r.full.pixel(x, y), b = r.detailed.pixel(x, y);
            c.covered += a != background ? 1 : 0;
            if (a == b) continue;
            ++c.changed;
            check(x, y, a, b);
        }
    }
    return c;
}

// The line of sight through the centre of pixel (x, y) of an image (rows from the top).
struct Sight {
    Vec3 near;
    Vec3 along;  // unit
    // How far the point lies from the line.
    double offBy(Vec3 p) const {
        const Vec3 off = p - near;
        return norm(off - along * dotProduct(off, along));
    }
};
Sight sightThrough(const ViewState& view, Viewport viewport, int x, int y) {
    const double wx = x + 0.5, wy = viewport.height - y - 0.5;
    const Vec3 near = unprojectPoint(view, viewport, wx, wy, 0.0);
    const Vec3 far = unprojectPoint(view, viewport, wx, wy, 1.0);
    return {near, (far - near) * (1.0 / norm(far - near))};
}

}  // namespace

TEST(LevelOfDetail, CountsKeepOutlinesWithinHalfAPixelBetweenTheFloorAndTheFullMesh) {
    const MeshCounts sphere{49, 49}, tube{18, 1}, cylinder{199, 19};
    EXPECT_EQ(sphereCounts(0.3, sphere), (MeshCounts{8, 4}));
    EXPECT_EQ(sphereCounts(std::numeric_limits<double>::infinity(), sphere), sphere);
    EXPECT_EQ(sphereCounts(std::nan(""), sphere), sphere);
    EXPECT_EQ(roundCounts(0.3, cylinder), (MeshCounts{8, 4}));
    EXPECT_EQ(roundCounts(0.3, tube), (MeshCounts{8, 1}));
    EXPECT_EQ(circleSides(0.3, 30), 8);
    EXPECT_EQ(circleSides(1e6, 30), 30);

    std::set<int> sphereLevels;
    MeshCounts previous{0, 0};
    for (double r = 0.05; r < 2000.0; r *= 1.02) {
        const MeshCounts s = sphereCounts(r, sphere);
        sphereLevels.insert(s.slices);
        EXPECT_GE(s.slices, previous.slices) << r;  // never coarser for a larger sphere
        previous = s;
        if (s == sphere) continue;
        EXPECT_LE(r * sphereSag(s), kOutlineTolerancePixels + 1e-9) << r;
        EXPECT_GE(s.stacks, 4);
        const MeshCounts c = roundCounts(r, cylinder);
        if (c != cylinder) {
            EXPECT_LE(r * (1.0 - std::cos(std::numbers::pi / c.slices)), kOutlineTolerancePixels + 1e-9) << r;
            EXPECT_GE(c.stacks, 4);
            EXPECT_LE(c.stacks, 19);
        }
        const int sides = circleSides(r, 1999);
        EXPECT_LE(r * (1.0 - std::cos(std::numbers::pi / sides)), kOutlineTolerancePixels + 1e-9) << r;
    }
    EXPECT_EQ(previous, sphere);
    EXPECT_LE(sphereLevels.size(), 12u);  // few meshes are ever made
}

TEST(LevelOfDetail, ScaleFollowsTheCamera) {
    const Viewport viewport{kWidth, kHeight};
    ViewState view;
    view.projection = 1;
    view.viewDistance = -15.0f;  // the parallel box is 12 units high
    const DetailScale parallel(view, viewport);
    EXPECT_NEAR(parallel.pixelsPerUnit({3, -2, 5}, 0.5), kHeight / 12.0, 1e-9);
    EXPECT_NEAR(parallel.pixelRadius({0, 0, 0}, 1, 1), kHeight / 12.0, 1e-9);
    EXPECT_TRUE(std::isinf(parallel.pixelRadius({0, 0, 0}, 2, 2)));  // a quarter of the view across: large

    view.projection = 0;
    view.tiltX = 0.0f;
    view.spinZ = 0.0f;  // the eye on the z axis, 15 units above the origin
    const DetailScale central(view, viewport);
    const double focal = kHeight / 2.0 / std::tan(22.5 * std::numbers::pi / 180.0);
    // At the nearest point, 14 units away, where the ball's rim leans 1/14 off the axis.
    EXPECT_NEAR(central.pixelsPerUnit({0, 0, 0}, 1.0), focal / 14.0 * std::sqrt(1.0 + 1.0 / 196.0), 1e-9);
    EXPECT_GT(central.pixelsPerUnit({4, 0, 0}, 1.0), focal / 14.0);      // stretched off the axis
    EXPECT_TRUE(std::isinf(central.pixelsPerUnit({0, 0, 14.95}, 0.1)));  // reaching the near plane
    EXPECT_TRUE(std::isinf(DetailScale().pixelsPerUnit({0, 0, 0}, 1.0)));
}

TEST(LevelOfDetail, SmallSpheresChangeOnlyAlongTheirOutlineAndLargeOnesNotAtAll) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document);
    const std::uint32_t background = rgb(255, 255, 255);
    document.view.backgroundColour = background;
    Vec3 centre{0, 0, 0};
    double radius = 2.5;  // 33 pixels: large in a view 160 pixels high
    document.construction().append(std::make_unique<SurfaceProbe>(
        [&](Canvas& canvas) { canvas.sphere(centre, radius, rgb(0, 0, 255)); }));

    const Renders large = renderBoth(view, document);
    EXPECT_EQ(large.detailedTriangles, large.fullTriangles);
    EXPECT_TRUE(large.detailed.bytes == large.full.bytes);

    centre = {1.2, 0.4, 0};
    radius = 0.75;  // 10 pixels
    const Renders small = renderBoth(view, document);
    EXPECT_LT(small.detailedTriangles * 5, small.fullTriangles);
    double wx = 0, wy = 0, depth = 0;
    ASSERT_TRUE(projectPoint(document.view, view.viewport(), centre, wx, wy, depth));
    const double outline = radius * kHeight / 12.0;
    const Changes changes =
        compareRenders(small, background, [&](int x, int y, std::uint32_t a, std::uint32_t b) {
            // From the pixel's centre to the sphere's outline.
            const double d = std::hypot(x + 0.5 - wx, kHeight - y - 0.5 - wy) - outline;
            if ((a == background) != (b == background)) {
                EXPECT_LE(std::fabs(d), 1.0) << x << ", " << y;
            } else if (d < -1.5) {
                EXPECT_LE(colourDistance(a, b), 8) << x << ", " << y;  // shading of the coarser faces
            }
        });
    EXPECT_GT(changes.changed, 0);
}

TEST(LevelOfDetail, TinyBallsDrawnFlatDifferFromTheirMeshesOnlyAlongTheOutline) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    lookDownZ(document, 0);
    document.view.viewDistance = -4.0f;
    const std::uint32_t background = rgb(255, 255, 255);
    document.view.backgroundColour = background;
    // On the eye axis, off it (the light falls on them from aside), nearer and
    // further, in several colours; the segment runs inside the first ball only.
    struct Ball {
        Vec3 centre;
        int size;
        std::uint32_t colour;
    };
    const Ball balls[] = {{{0, 0, 0}, 4, rgb(200, 40, 40)},
                          {{1.2, 0.8, 0.5}, 3, rgb(40, 160, 40)},
                          {{-1.3, 0.2, -0.5}, 4, rgb(40, 40, 220)},
                          {{0.6, -1.0, 0.8}, 2, rgb(230, 200, 60)}};
    std::vector<Point*> points;
    for (const Ball& b : balls) points.push_back(addPoint(document, b.centre, b.colour, b.size, 0));
    Point* inside = addPoint(document, {0.01, 0.01, -0.01}, rgb(0, 0, 0), 0, 1);
    inside->visible = 0;
    addSegment(document, points[0], inside, rgb(0, 0, 0), 0, 0);

    const Renders r = renderBoth(view, document);
    EXPECT_LT(r.detailedTriangles, r.fullTriangles / 20);
    document.view.antialiasing = 1;
    const BgrImage smoothed = view.render(document);
    EXPECT_TRUE(smoothed.bytes == r.detailed.bytes);  // the flat balls are as opaque as the meshes
    document.view.antialiasing = 0;

    // How far, in pixels, the ray through a pixel passes outside (> 0) or inside a ball's outline.
    const Viewport viewport = view.viewport();
    const DetailScale scale(document.view, viewport);
    const auto outline = [&](int x, int y, const Ball& b) {
        const double d = sightThrough(document.view, viewport, x, y).offBy(b.centre);
        return (d - pointRadius(b.size)) * scale.pixelsPerUnit(b.centre, pointRadius(b.size));
    };
    const Changes changes =
        compareRenders(r, background, [&](int x, int y, std::uint32_t a, std::uint32_t b) {
            double nearest = std::numeric_limits<double>::infinity();
            for (const Ball& ball : balls)
                if (std::fabs(outline(x, y, ball)) < std::fabs(nearest)) nearest = outline(x, y, ball);
            if ((a == background) != (b == background) || nearest > -1.0)
                EXPECT_LE(std::fabs(nearest), 1.0) << x << ", " << y;
            else
                EXPECT_LE(colourDistance(a, b), 8) << x << ", " << y;  // smoother shading than the faces'
        });
    EXPECT_GT(changes.covered, 60);
    EXPECT_GT(changes.changed, 0);
}

TEST(LevelOfDetail, SpheresCastPerPixelDifferFromTheirMeshesOnlyAlongTheOutline) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    const std::uint32_t background = rgb(255, 255, 255);
    // A translucent sphere around an opaque ball drawn before it (seen through
    // its near side, in front of its far side), and an opaque ball alone.
    struct Round {
        Vec3 centre;
        double radius;
    };
    const Round surface{{0.1, 0.05, 0}, 0.13}, covered{{0.12, 0.07, 0}, pointRadius(4)},
        alone{{-0.3, -0.2, 0.1}, pointRadius(3)};
    for (const int projection : {0, 1}) {
        Document document;
        lookDownZ(document, projection);
        document.view.viewDistance = -1.5f;
        document.view.backgroundColour = background;
        document.construction().append(std::make_unique<SurfaceProbe>([&](Canvas& canvas) {
            canvas.dot(covered.centre, rgb(200, 40, 40), 4, 0);
            canvas.dot(alone.centre, rgb(40, 160, 40), 3, 0);
            canvas.sphere(surface.centre, surface.radius, rgb(40, 40, 220));
        }));
        const Renders r = renderBoth(view, document);
        EXPECT_LT(r.detailedTriangles * 50, r.fullTriangles);

        // How far, in pixels, the ray through a pixel passes outside (> 0) or inside an outline.
        const Viewport viewport = view.viewport();
        const DetailScale scale(document.view, viewport);
        const auto outline = [&](int x, int y, const Round& b) {
            const double d = sightThrough(document.view, viewport, x, y).offBy(b.centre);
            return (d - b.radius) * scale.pixelsPerUnit(b.centre, b.radius);
        };
        const Changes changes =
            compareRenders(r, background, [&](int x, int y, std::uint32_t a, std::uint32_t b) {
                double nearest = std::numeric_limits<double>::infinity();
                for (const Round& round : {surface, covered, alone})
                    nearest = std::min(nearest, std::fabs(outline(x, y, round)));
                if ((a == background) != (b == background)) {
                    EXPECT_LE(nearest, 1.0) << projection << ": " << x << ", " << y;
                } else if (nearest > 1.5) {
                    EXPECT_LE(colourDistance(a, b), 8) << projection << ": " << x << ", " << y;
                }
            });
        EXPECT_GT(changes.covered, 800) << projection;
        EXPECT_GT(changes.changed, 0) << projection;
    }
}

TEST(LevelOfDetail, ThinTubesDrawnAsTheirFrontDifferFromTheirMeshesOnlyAlongTheOutline) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    const std::uint32_t background = rgb(255, 255, 255);
    // Across the view, slanting towards the eye, and far off the eye axis
    // (where the light falls on them from aside), of one to three pixels across.
    struct Piece {
        Vec3 a, b;
        int size;
        std::uint32_t colour;
    };
    const Piece pieces[] = {{{-2.0, -1.0, 0.0}, {2.0, -0.6, 0.0}, 4, rgb(200, 40, 40)},
                            {{-1.5, 0.2, -1.0}, {0.5, 0.9, 1.2}, 3, rgb(40, 160, 40)},
                            {{1.0, 1.2, 0.3}, {1.8, -1.3, -0.4}, 2, rgb(40, 40, 220)}};
    for (const int projection : {0, 1}) {
        Document document;
        lookDownZ(document, projection);
        document.view.viewDistance = -4.0f;
        document.view.backgroundColour = background;
        for (const Piece& p : pieces)
            addSegment(document, addPoint(document, p.a, 0, 0, 1), addPoint(document, p.b, 0, 0, 1), p.colour,
                       p.size, 0);
        document.construction().forEach([](Element& e) { e.visible = e.kind() != ElementKind::Point; });
        const Renders r = renderBoth(view, document);
        EXPECT_LT(r.detailedTriangles * 2, r.fullTriangles) << projection;

        // How far, in pixels, the ray through a pixel passes outside (> 0) or
        // inside a tube's outline, and whether it passes by one of its ends.
        const Viewport viewport = view.viewport();
        const DetailScale scale(document.view, viewport);
        const auto outline = [&](int x, int y, const Piece& p, bool& nearEnd) {
            const Sight sight = sightThrough(document.view, viewport, x, y);
            const Vec3 u = sight.along, v = p.b - p.a;
            // The nearest points of the ray and the piece's line, the latter kept on the piece.
            const Vec3 w = sight.near - p.a;
            const double a = dotProduct(u, u), b = dotProduct(u, v), c = dotProduct(v, v);
            const double d = dotProduct(u, w), e = dotProduct(v, w);
            const double t = std::clamp((a * e - b * d) / (a * c - b * b), 0.0, 1.0);
            const Vec3 onPiece = p.a + v * t;
            const double radius = lineRadius(p.size);
            const double pixels = scale.pixelsPerUnit(onPiece, radius);
            nearEnd = std::min(norm(onPiece - p.a), norm(onPiece - p.b)) * pixels < 3.0;
            return (sight.offBy(onPiece) - radius) * pixels;
        };
        const Changes changes =
            compareRenders(r, background, [&](int x, int y, std::uint32_t a, std::uint32_t b) {
                double nearest = std::numeric_limits<double>::infinity();
                bool byAnEnd = false;
                for (const Piece& p : pieces) {
                    bool end = false;
                    const double d = outline(x, y, p, end);
                    if (std::fabs(d) < std::fabs(nearest)) nearest = d, byAnEnd = end;
                }
                if (byAnEnd) return;  // an open end is an ellipse on the tube, a cut across on its front
                if ((a == background) != (b == background))
                    EXPECT_LE(std::fabs(nearest), 1.0) << projection << ": " << x << ", " << y;
                else  // the highlight (a tenth of the light) may fall on a vertex of one and between two of
                      // the other
                    EXPECT_LE(colourDistance(a, b), 32) << projection << ": " << x << ", " << y;
            });
        EXPECT_GT(changes.covered, 300) << projection;
        EXPECT_GT(changes.changed, 0) << projection;
    }
}
