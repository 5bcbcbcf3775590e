// One drag step of a free point with 2,000 dependants in a construction of
// 10,000 mixed elements, as the user sees it: the view session moves the point
// and recomputes the construction, then the view is drawn at 1280 x 800,
// headless on the software renderer. Reported in wall-clock milliseconds per
// step, and split into the step and the drawing; the target is one 60 Hz frame
// (16.7 ms). cpu_ms_per_step counts the processor time of all the process's
// threads (the rasteriser's included), steadier than the wall clock on a busy
// machine. kept_share is the share of steps drawn over the layers the
// renderer kept of the elements that did not move (the first step of the drag
// makes them, before the timing); ms_draw_making_layers is the drawing of a
// later step that makes them anew.
// Arguments: surfaces 1 is the mixed scene with its 750 translucent planes,
// polygons and spheres, 0 the same scene with segments in their place; keep 0
// draws every frame in full, for comparison; smooth 1 smooths lines and points,
// as new documents of the window do by default. kept_mb is the memory the
// kept layers and the surfaces' kept fragments take.

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "headless_start.h"
#include "interaction/view_session.h"
#include "mixed_scene.h"
#include "model/clipboard.h"
#include "quiet_host.h"
#include "view/camera.h"
#include "view/gl/headless_context.h"
#include "view/gl/qt_text.h"
#include "view/gl/renderer.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double processCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

void BM_DragStepAndDraw(benchmark::State& state) {
    const bool surfaces = state.range(0) == 1;
    const bool keep = state.range(1) == 1;
    const bool smooth = state.range(2) == 1;
    HeadlessContext context;
    if (!startHeadless(state, context, kWidth, kHeight)) return;
    Document document;
    QuietHost host;
    Clipboard clipboard;
    const Point* dragged = bench_scene::fillMixedScene(document, surfaces);
    document.view.antialiasing = smooth ? 1 : 0;
    ViewSession session(document, host, clipboard);
    session.setViewport({kWidth, kHeight});
    double wx = 0.0, wy = 0.0, depth = 0.0;
    projectPoint(document.view, {kWidth, kHeight}, dragged->position, wx, wy, depth);
    const int x = static_cast<int>(wx + 0.5), y = static_cast<int>(wy + 0.5);
    session.mouseMove(x, y, {}, {});
    session.mousePress(MouseButton::Left, x, y, {});
    session.mouseMove(x + 3, y, {true, false}, {});  // the drag starts: its snapshot
    {
        Renderer renderer;
        renderer.setKeepStaticLayer(keep);
        // One frame first, to leave one-off work (making meshes, compiling the
        // rasteriser's shaders) out of the figures.
        renderer.render(documentScene(document, false), {kWidth, kHeight});
        glFinish();
        // And the first step, which makes the kept layers (measured below).
        session.mouseMove(x + 6, y, {true, false}, {});
        renderer.render(documentScene(document, false), {kWidth, kHeight});
        glFinish();
        double stepMs = 0.0, drawMs = 0.0;
        int step = 0, kept = 0;
        const double cpuStart = processCpuMilliseconds();
        for (auto _ : state) {
            const auto start = Clock::now();
            session.mouseMove(x + 3 + (++step % 2) * 3, y, {true, false}, {});
            const auto drawn = Clock::now();
            stepMs += millisecondsSince(start);
            renderer.render(documentScene(document, false), {kWidth, kHeight});
            glFinish();  // the frame is done only when the rasteriser is
            drawMs += millisecondsSince(drawn);
            kept += renderer.lastFrameMode() == StaticLayer::Mode::Reuse ? 1 : 0;
        }
        const double cpuEnd = processCpuMilliseconds();
        const auto triangles = static_cast<double>(renderer.canvas().trianglesDrawn());
        state.counters["kept_mb"] = static_cast<double>(renderer.keptLayerBytes()) / 1e6;
        // A kept element changes (its colour): the next step draws the layers
        // anew, its shaders and buffers made already.
        document.construction().at(1)->colour ^= 0xFF;
        session.mouseMove(x + 3 + (++step % 2) * 3, y, {true, false}, {});
        const auto remade = Clock::now();
        renderer.render(documentScene(document, false), {kWidth, kHeight});
        glFinish();
        const double remadeMs = millisecondsSince(remade);
        const double n = static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
        state.counters["ms_per_step"] = (stepMs + drawMs) / n;
        state.counters["ms_drag_recompute"] = stepMs / n;
        state.counters["ms_draw"] = drawMs / n;
        state.counters["cpu_ms_per_step"] = (cpuEnd - cpuStart) / n;
        state.counters["kept_share"] = kept / n;
        if (renderer.lastFrameMode() == StaticLayer::Mode::Build)
            state.counters["ms_draw_making_layers"] = remadeMs;
        state.counters["triangles_per_frame"] = triangles;
    }
    session.mouseRelease(MouseButton::Left, x, y, {}, {});
}

}  // namespace

BENCHMARK(BM_DragStepAndDraw)
    ->ArgNames({"surfaces", "keep", "smooth"})
    ->Args({1, 1, 0})
    ->Args({1, 0, 0})
    ->Args({1, 1, 1})
    ->Args({0, 1, 0})
    ->Args({0, 0, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
