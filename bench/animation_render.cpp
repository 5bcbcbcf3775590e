// Animation as the window runs it: a point on a circle with 20 elements built
// on it (ten segments to other points and their midpoints), moved by the idle
// ticks of the open animation window, each tick followed by drawing the view
// at 1280 x 800, headless on the software renderer. The ticks are 11 ms apart,
// the shortest the idle clock allows. Reported as frames per second; the
// target is at least 30.

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "elements/point.h"
#include "headless_start.h"
#include "interaction/view_session.h"
#include "io/element_factory.h"
#include "model/clipboard.h"
#include "quiet_host.h"
#include "view/auto_rotation.h"
#include "view/gl/headless_context.h"
#include "view/gl/qt_text.h"
#include "view/gl/renderer.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kPairs = 10;  // a segment and a midpoint each

using Clock = std::chrono::steady_clock;

// The circle of radius 2 about the origin, the animated point on it and its dependants.
Element* buildScene(Document& document) {
    Construction& c = document.construction();
    const auto point = [&](Vec3 at) {
        auto* p = static_cast<Point*>(appendElement(c, TypeCode::FreePoint, {}, document.styles[1]));
        p->position = at;
        return p;
    };
    Element* circle =
        appendElement(c, TypeCode::CircleThreePoints, {point({2, 0, 0}), point({0, 2, 0}), point({-2, 0, 0})},
                      document.styles[6]);
    Element* moving = appendElement(c, TypeCode::PointOnObject, {circle}, document.styles[1]);
    for (int i = 0; i < kPairs; ++i) {
        const double angle = 2.0 * 3.141592653589793 * i / kPairs;
        Point* other = point({3.0 * std::cos(angle), 3.0 * std::sin(angle), 1.0});
        appendElement(c, TypeCode::SegmentTwoPoints, {moving, other}, document.styles[3]);
        appendElement(c, TypeCode::MidpointTwoPoints, {moving, other}, document.styles[1]);
    }
    document.recompute();
    document.startHistory();
    c.animationAdd(moving);
    return moving;
}

void BM_AnimationFrame(benchmark::State& state) {
    HeadlessContext context;
    if (!startHeadless(state, context, kWidth, kHeight)) return;
    Document document;
    QuietHost host;
    Clipboard clipboard;
    buildScene(document);
    ViewSession session(document, host, clipboard);
    session.setViewport({kWidth, kHeight});
    session.openAnimationWindow();
    IdleClock clock;
    clock.resume();
    std::uint32_t now = 0;
    Renderer renderer;
    int moved = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        now += kMinTickMilliseconds;
        const std::int64_t elapsed = clock.tick(now);
        if (elapsed >= 0 && session.animationTick(static_cast<std::uint32_t>(elapsed))) ++moved;
        renderer.render(documentScene(document, false), {kWidth, kHeight});
        glFinish();  // the frame is done only when the rasteriser is
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double frames = static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["frames_per_second"] = frames / std::max(seconds, 1e-9);
    state.counters["moving_frames"] = moved;
}

}  // namespace

BENCHMARK(BM_AnimationFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
