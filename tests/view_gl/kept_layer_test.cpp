#include <gtest/gtest.h>

#include "io/element_factory.h"
#include "offscreen_view.h"

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 180;

Element* add(Document& document, TypeCode code, std::vector<Element*> parents, std::uint32_t colour,
             int size = 2) {
    Element* e =
        appendElement(document.construction(), code, std::move(parents), KindStyle{0, size, 0, 0, colour});
    if (e) e->defined = 1;
    return e;
}

// The frame as a renderer that keeps nothing draws it.
BgrImage drawnInFull(OffscreenView& view, const RenderScene& scene) {
    Renderer fresh;
    fresh.render(scene, view.viewport());
    return readColourBuffer(view.context.width(), view.context.height());
}

// A fragment at the same depth as another loses to the one drawn first, and
// kept elements are drawn before live ones: at a pixel or two where two meet
// that way the other one shows. Smoothed edges blend over what was drawn
// before them, kept or live, and may differ by a few levels.
bool alike(const BgrImage& a, const BgrImage& b, bool smoothed) {
    if (a.bytes.size() != b.bytes.size()) return false;
    int ties = 0, rounded = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int d = colourDistance(a.pixel(x, y), b.pixel(x, y));
            ties += d > (smoothed ? 4 : 1) ? 1 : 0;
            rounded += d > 0 ? 1 : 0;
        }
    }
    return ties <= 2 && rounded <= (smoothed ? 40 : 4);
}

}  // namespace

// A point is dragged: the segments from it pass through a translucent sphere,
// behind and in front of a translucent plane, and past still balls and a
// segment. Every frame is the frame drawn in full, while the renderer draws
// only what moved over what it kept.
TEST(KeptLayer, FramesOverTheKeptElementsAreTheFramesDrawnInFull) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready()) << view.context.error();
    Document document;
    document.view.backgroundColour = rgb(250, 250, 240);
    Construction& c = document.construction();
    Point* dragged = addPoint(document, {0.2, 0.1, 0.3}, rgb(200, 30, 30), 3, 0);
    Point* a = addPoint(document, {2.5, 1.0, -0.5}, rgb(30, 30, 200), 3, 0);
    Point* b = addPoint(document, {-2.0, 2.0, 1.0}, rgb(30, 30, 200), 3, 0);
    Point* d = addPoint(document, {-1.5, -2.0, 0.0}, rgb(30, 30, 200), 3, 0);
    Point* e = addPoint(document, {1.0, 0.5, 0.2}, rgb(30, 30, 200), 1, 0);
    Element* still = add(document, TypeCode::SegmentTwoPoints, {a, b}, rgb(30, 150, 30));
    Element* plane = add(document, TypeCode::PlaneThreePoints, {b, d, e}, rgb(120, 120, 220), 3);
    // Three more planes across the view: more fragments than the lists first
    // hold, so that they are made longer and the surfaces drawn again.
    add(document, TypeCode::PlaneThreePoints, {a, d, e}, rgb(220, 120, 120), 3);
    add(document, TypeCode::PlaneThreePoints, {a, b, d}, rgb(120, 220, 120), 3);
    add(document, TypeCode::PlaneThreePoints, {a, b, e}, rgb(200, 200, 120), 3);
    Element* sphere = add(document, TypeCode::SphereCentrePoint, {e, a}, rgb(220, 160, 40));
    // A small sphere, cast by the shader, that the segment from the dragged point runs through.
    Point* f = addPoint(document, {-1.34, 1.43, 0.6}, 0, 0, 1);
    Point* g = addPoint(document, {-1.34, 1.43, 0.9}, 0, 0, 1);
    f->visible = g->visible = 0;
    add(document, TypeCode::SphereCentrePoint, {f, g}, rgb(40, 200, 120));
    Element* toA = add(document, TypeCode::SegmentTwoPoints, {dragged, a}, rgb(160, 40, 160), 4);
    add(document, TypeCode::SegmentTwoPoints, {dragged, b}, rgb(160, 40, 160), 1);
    Element* middle = add(document, TypeCode::MidpointTwoPoints, {dragged, d}, rgb(40, 160, 160));
    Element* flat = add(document, TypeCode::SegmentTwoPoints, {middle, e}, rgb(20, 20, 20), 2);
    // The dragged point's name and a length that changes with it: texts drawn live.
    dragged->setName("P");
    dragged->showLabel = 1;
    Element* length = add(document, TypeCode::SegmentLength, {toA}, rgb(0, 0, 0));
    flat->shape = 1;  // a screen line, smoothed with the view
    document.recompute();

    // Resolved: the kept surfaces blended again from their kept fragments.
    const auto frame = [&](StaticLayer::Mode expected, const char* what, bool resolved = false) {
        const RenderScene scene = documentScene(document, false);
        const BgrImage kept = view.render(scene);
        EXPECT_EQ(view.renderer->lastFrameMode(), expected) << what;
        EXPECT_EQ(view.renderer->lastFrameResolved(), resolved) << what;
        EXPECT_TRUE(alike(kept, drawnInFull(view, scene), document.view.antialiasing != 0)) << what;
    };
    const auto drag = [&](Vec3 by) {
        dragged->position = dragged->position + by;
        document.recompute();
    };
    frame(StaticLayer::Mode::Full, "first frame");
    drag({0.3, 0.2, 0.0});
    frame(StaticLayer::Mode::Build, "first step: what did not move is kept", true);
    EXPECT_EQ(view.renderer->lastResolvedShare(), 1.0);  // texts drawn live may cover any tile
    drag({-0.5, 0.1, 0.2});
    frame(StaticLayer::Mode::Reuse, "second step", true);
    drag({0.0, -0.4, -0.6});
    frame(StaticLayer::Mode::Reuse, "third step, a segment now behind the plane", true);

    // A kept element changes (its colour): it is kept anew with the rest.
    still->colour = rgb(200, 200, 0);
    drag({0.1, 0.1, 0.1});
    frame(StaticLayer::Mode::Build, "a kept element changed: now drawn live", true);
    drag({0.1, 0.1, 0.1});
    frame(StaticLayer::Mode::Reuse, "kept anew", true);

    // A kept surface with its name shown: the label among the surfaces cannot
    // be kept as fragments, and the surfaces are drawn again where lines move.
    plane->setName("p");
    plane->showLabel = 1;
    drag({0.1, 0.0, 0.1});
    frame(StaticLayer::Mode::Build, "the plane's label appears: the plane is live");
    still->colour = rgb(0, 200, 200);
    drag({-0.1, 0.0, -0.1});
    frame(StaticLayer::Mode::Build, "kept anew with the plane's label");
    drag({-0.1, 0.1, 0.0});
    frame(StaticLayer::Mode::Reuse, "the plane's label kept");
    plane->showLabel = 0;

    // Smoothed lines and points: their edges blend over the kept lines and
    // points only, the surfaces over them.
    document.view.antialiasing = 1;
    frame(StaticLayer::Mode::Full, "smoothing on");
    drag({0.1, 0.2, 0.0});
    frame(StaticLayer::Mode::Build, "smoothing on, first step", true);
    drag({0.2, -0.1, 0.0});
    frame(StaticLayer::Mode::Reuse, "smoothing on, second step", true);
    // No surface shows: the live lines and points are all the frame finishes with.
    const auto showSurfaces = [&](int shown) {
        c.forEach([shown](Element& x) {
            if (isSurfaceKind(x.kind())) x.visible = shown;
        });
    };
    // (The smoothed axes, kept, differ from their full drawing by a few levels with the camera turned.)
    const int axes = document.view.showAxes;
    showSurfaces(0);
    flat->visible = 0;
    document.view.showAxes = 0;
    document.view.spinZ += 10.0f;
    frame(StaticLayer::Mode::Full, "smoothing on, the surfaces hidden");
    drag({-0.1, 0.1, 0.0});
    frame(StaticLayer::Mode::Build, "smoothing on, no surface shown", true);
    showSurfaces(1);
    document.view.showAxes = axes;
    document.view.antialiasing = 0;
    flat->visible = 0;
    frame(StaticLayer::Mode::Full, "smoothing off");

    // Only balls and tubes drawn live: the surfaces are blended again over the
    // tiles they may cover, and nowhere else.
    dragged->showLabel = 0;
    length->visible = 0;
    drag({0.1, 0.1, 0.0});
    frame(StaticLayer::Mode::Build, "no text drawn live", true);
    EXPECT_GT(view.renderer->lastResolvedShare(), 0.02);
    EXPECT_LT(view.renderer->lastResolvedShare(), 0.8);
    drag({0.2, -0.3, 0.2});
    frame(StaticLayer::Mode::Reuse, "no text drawn live, the next step", true);

    // The sphere moves with the point: every surface is drawn again over the kept lines and points.
    sphere->parents = {e, dragged};
    drag({-0.2, 0.0, 0.1});
    frame(StaticLayer::Mode::Build, "the sphere follows the point");
    drag({0.3, -0.1, 0.0});
    frame(StaticLayer::Mode::Reuse, "a moving surface, kept layers");

    // The camera turns: nothing can be kept.
    document.view.spinZ += 20.0f;
    frame(StaticLayer::Mode::Full, "camera turned");

    // A picked element is drawn first in the selected colour, over its own drawing.
    RenderScene picked = documentScene(document, false);
    picked.highlighted = {still};
    view.render(documentScene(document, false));
    const BgrImage kept = view.render(picked);
    EXPECT_EQ(view.renderer->lastFrameMode(), StaticLayer::Mode::Build);
    EXPECT_TRUE(alike(kept, drawnInFull(view, picked), false));
    EXPECT_EQ(c.count(), 19);
}
