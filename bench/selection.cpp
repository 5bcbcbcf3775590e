// Selection and dragging on a construction of 10,000 mixed elements: one hover
// update (picking at a window position, as every mouse move without a button
// does; target under 1 ms), one drag step without drawing (the move of the
// dragged point and the recompute of the construction), and the undo history's
// memory after 1,000 drags (each drag records one full snapshot; the history
// keeps within its budget).

#include <benchmark/benchmark.h>

#include <chrono>

#include "interaction/view_session.h"
#include "mixed_scene.h"
#include "model/clipboard.h"
#include "quiet_host.h"
#include "view/camera.h"

namespace {

constexpr Viewport kViewport{1280, 800};

struct Session {
    Document document;
    QuietHost host;
    Clipboard clipboard;
    ViewSession session{document, host, clipboard};
    Point* dragged = nullptr;
    int x = 0;
    int y = 0;

    Session() {
        dragged = bench_scene::fillMixedScene(document);
        session.setViewport(kViewport);
        double wx = 0.0, wy = 0.0, depth = 0.0;
        projectPoint(document.view, kViewport, dragged->position, wx, wy, depth);
        x = static_cast<int>(wx + 0.5);
        y = static_cast<int>(wy + 0.5);
    }
    // Picks the dragged point and presses the left button on it.
    void press() {
        session.mouseMove(x, y, {}, {});
        session.mousePress(MouseButton::Left, x, y, {});
    }
};

void BM_HoverUpdate(benchmark::State& state) {
    Session s;
    int i = 0;
    for (auto _ : state) {
        // Over the dragged point, then over the middle of the scene.
        const int dx = (i++ % 2) * 37;
        s.session.mouseMove(s.x + dx, s.y + dx, {}, {});
        benchmark::DoNotOptimize(s.session.hover().hovered);
    }
    s.session.mouseMove(s.x, s.y, {}, {});
    state.counters["hovered"] = s.session.hover().hovered ? 1 : 0;
}

void BM_DragStepWithoutDrawing(benchmark::State& state) {
    Session s;
    s.press();
    int step = 0;
    s.session.mouseMove(s.x + 3, s.y, {true, false}, {});  // the drag starts: its snapshot
    for (auto _ : state) {
        const int dx = 3 + (++step % 2) * 3;
        s.session.mouseMove(s.x + dx, s.y, {true, false}, {});
    }
    // The dragged point is the first element of the drag's copy.
    const Vec3 moved = static_cast<const Point*>(s.document.construction().at(0))->position;
    state.counters["dragged_x"] = moved.x;
    s.session.mouseRelease(MouseButton::Left, s.x, s.y, {}, {});
}

void BM_HistoryAfterDrags(benchmark::State& state) {
    const int drags = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Session s;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < drags; ++i) {
            s.press();
            s.session.mouseMove(s.x + 3, s.y + 1, {true, false}, {});
            s.session.mouseMove(s.x, s.y, {true, false}, {});
            s.session.mouseRelease(MouseButton::Left, s.x, s.y, {}, {});
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const History& history = s.document.history();
        state.counters["history_MB"] = static_cast<double>(history.memoryBytes()) / (1 << 20);
        state.counters["snapshot_MB"] =
            static_cast<double>(s.document.construction().memoryBytes()) / (1 << 20);
        state.counters["records"] = history.size();
        state.counters["ms_per_drag"] = seconds * 1000.0 / drags;
    }
}

}  // namespace

BENCHMARK(BM_HoverUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepWithoutDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryAfterDrags)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);
