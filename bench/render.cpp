// One redraw of a 1280 x 800 view of 500 mixed elements (points, segments,
// circles, spheres, planes, polygons), rendered headless on the software
// renderer. Reported per frame in milliseconds (ms_per_frame, wall clock: the
// rasteriser runs on threads of its own); the target is one 60 Hz frame
// (16.7 ms). "Cached" draws the quadrics from display lists, as the view does;
// "Immediate" sends every sphere, tube and cone through GLU each frame. The
// argument 1 leaves the spheres out, to show what their faces cost.

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "elements/point.h"
#include "io/element_factory.h"
#include "model/document.h"
#include "model/element_kind.h"
#include "view/gl/headless_context.h"
#include "view/gl/qt_text.h"
#include "view/gl/renderer.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kElements = 500;

// A fixed pseudo-random sequence, so every run draws the same scene.
class Sequence {
  public:
    double next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 53);
    }
    double between(double low, double high) { return low + (high - low) * next(); }

  private:
    std::uint64_t state_ = 20240607;
};

Element* add(Document& document, TypeCode typeCode, std::vector<Element*> parents, int size, int shape,
             std::uint32_t colour) {
    Element* e =
        appendElement(document.construction(), typeCode, parents, KindStyle{0, size, shape, 0, colour});
    if (e) e->defined = 1;
    return e;
}

// Clusters of three free points, and on each cluster one segment, circle,
// sphere, plane or polygon, until there are 500 elements.
void fillScene(Document& document) {
    Sequence random;
    std::vector<Element*> cluster;
    int figure = 0;
    while (document.construction().count() < kElements) {
        cluster.clear();
        const double cx = random.between(-4, 4), cy = random.between(-4, 4), cz = random.between(-2, 2);
        for (int i = 0; i < 3 && document.construction().count() < kElements; ++i) {
            Element* p = add(document, TypeCode::FreePoint, {}, i % 3, i == 0 ? 0 : 1, 0x2040C0);
            auto* point = static_cast<Point*>(p);
            point->position = {cx + random.between(-0.6, 0.6), cy + random.between(-0.6, 0.6),
                               cz + random.between(-0.6, 0.6)};
            if (figure % 4 == 0 && i == 0) p->setName("P" + std::to_string(figure));
            cluster.push_back(p);
        }
        if (cluster.size() < 3 || document.construction().count() >= kElements) continue;
        const std::uint32_t colour = static_cast<std::uint32_t>(random.between(0, 0xFFFFFF));
        switch (figure++ % 6) {
            case 0:
                add(document, TypeCode::SegmentTwoPoints, {cluster[0], cluster[1]}, 1, 0, colour);
                break;
            case 1:
                add(document, TypeCode::SegmentTwoPoints, {cluster[1], cluster[2]}, 2, 1, colour);
                break;
            case 2:
                add(document, TypeCode::CircleThreePoints, {cluster[0], cluster[1], cluster[2]}, 1, 0,
                    colour);
                break;
            case 3:
                add(document, TypeCode::SphereCentrePoint, {cluster[0], cluster[1]}, 0, 0, colour);
                break;
            case 4:
                add(document, TypeCode::PlaneThreePoints, {cluster[0], cluster[1], cluster[2]}, 0, 0, colour);
                break;
            default:
                add(document, TypeCode::PolygonVertices, {cluster[0], cluster[1], cluster[2]}, 0, 0, colour);
                break;
        }
    }
    document.recompute();
}

void renderFrames(benchmark::State& state, bool caching) {
    const bool withoutSpheres = state.range(0) == 1;
    if (!ensureGuiApplication()) {
        state.SkipWithError("no Qt application for the labels");
        return;
    }
    HeadlessContext context;
    if (!context.create(kWidth, kHeight)) {
        state.SkipWithError(context.error().c_str());
        return;
    }
    Document document;
    fillScene(document);
    if (withoutSpheres)
        document.construction().forEach(
            [](Element& e) { e.visible = e.kind() == ElementKind::Sphere ? 0 : e.visible; });
    {
        Renderer renderer;
        renderer.canvas().meshes().setCaching(caching);
        const RenderScene scene = documentScene(document, false);
        double milliseconds = 0.0;
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            renderer.render(scene, {kWidth, kHeight});
            glFinish();  // the frame is done only when the rasteriser is
            milliseconds +=
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
        state.counters["ms_per_frame"] =
            milliseconds / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    }
}

void BM_RenderCached(benchmark::State& state) {
    renderFrames(state, true);
}
void BM_RenderImmediate(benchmark::State& state) {
    renderFrames(state, false);
}

}  // namespace

BENCHMARK(BM_RenderCached)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderImmediate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
