#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "elements/point.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "model/document.h"
#include "view/camera.h"
#include "view/gl/bitmap_output.h"
#include "view/gl/headless_context.h"
#include "view/gl/renderer.h"

// A document rendered headless: a context of a fixed size with its renderer,
// and the image read back after each render.
class OffscreenView {
  public:
    OffscreenView(int width, int height) {
        if (context.create(width, height)) renderer = std::make_unique<Renderer>();
    }
    ~OffscreenView() { renderer.reset(); }  // the renderer's GL objects go first

    bool ready() const { return renderer != nullptr; }
    Viewport viewport() const { return {context.width(), context.height()}; }

    BgrImage render(const RenderScene& scene) {
        renderer->render(scene, viewport());
        return readColourBuffer(context.width(), context.height());
    }
    BgrImage render(Document& document, bool showHidden = false) {
        return render(documentScene(document, showHidden));
    }

    // The pixel of the last image under a model point (x from the left, y from the bottom).
    bool windowPixel(const ViewState& view, Vec3 p, int& x, int& y) const {
        double wx = 0, wy = 0, depth = 0;
        if (!projectPoint(view, viewport(), p, wx, wy, depth)) return false;
        x = static_cast<int>(wx);
        y = context.height() - 1 - static_cast<int>(wy);
        return true;
    }

    HeadlessContext context;
    std::unique_ptr<Renderer> renderer;
};

// Colours as the program writes them: red in the low byte.
inline constexpr std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b) << 16;
}
inline int channel(std::uint32_t colour, int index) {
    return static_cast<int>((colour >> (8 * index)) & 0xFF);
}
// Largest difference of the three channels.
inline int colourDistance(std::uint32_t a, std::uint32_t b) {
    int d = 0;
    for (int i = 0; i < 3; ++i) d = std::max(d, std::abs(channel(a, i) - channel(b, i)));
    return d;
}

// The document's camera looking down the z axis at the xy plane (x right, y up),
// with the parallel projection unless central is asked for; no axes.
inline void lookDownZ(Document& document, int projection = 1) {
    document.view.tiltX = 0.0f;
    document.view.spinZ = 0.0f;
    document.view.projection = projection;
    document.view.showAxes = 0;
}

inline Point* addPoint(Document& document, Vec3 at, std::uint32_t colour, int size = 2, int shape = 1) {
    auto p = std::make_unique<Point>(TypeCode::FreePoint, KindStyle{0, size, shape, 0, colour});
    p->position = at;
    p->defined = 1;
    return static_cast<Point*>(document.construction().append(std::move(p)));
}

inline Element* addSegment(Document& document, Point* a, Point* b, std::uint32_t colour, int size = 4,
                           int shape = 1) {
    auto s =
        std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{0, size, shape, 0, colour});
    s->parents = {a, b};
    Element* e = document.construction().append(std::move(s));
    document.recompute();
    return e;
}

inline Element* addSphere(Document& document, Point* centre, Point* onSurface, std::uint32_t colour) {
    auto s = std::make_unique<Sphere>(TypeCode::SphereCentrePoint, KindStyle{0, 0, 0, 0, colour});
    s->parents = {centre, onSurface};
    Element* e = document.construction().append(std::move(s));
    document.recompute();
    return e;
}
