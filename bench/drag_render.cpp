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
// as new documents of the window do by default; fbo 1 draws into a
// framebuffer object, as the window's view does (the toolkit's widget gives it
// one, and shows it), fbo 0 into the pbuffer itself, which is stored the other
// way up, so that copying a kept frame there is a drawing of its own rather
// than a copy of memory. kept_mb is the memory the kept layers and the
// surfaces' kept fragments take; resolved_share the share of the view over
// which the last frame blended those fragments again (0 when it did not).

#include <benchmark/benchmark.h>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>

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

// A framebuffer object of the view's size with colour, depth and stencil,
// bound while it lives: what the window's view draws into.
class WidgetFramebuffer {
  public:
    WidgetFramebuffer(int width, int height) {
        glGenTextures(1, &colour_);
        glBindTexture(GL_TEXTURE_2D, colour_);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenRenderbuffers(1, &depth_);
        glBindRenderbuffer(GL_RENDERBUFFER, depth_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
        complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    ~WidgetFramebuffer() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer_);
        glDeleteRenderbuffers(1, &depth_);
        glDeleteTextures(1, &colour_);
    }
    WidgetFramebuffer(const WidgetFramebuffer&) = delete;
    WidgetFramebuffer& operator=(const WidgetFramebuffer&) = delete;
    bool complete() const { return complete_; }

  private:
    GLuint framebuffer_ = 0, colour_ = 0, depth_ = 0;
    bool complete_ = false;
};

void BM_DragStepAndDraw(benchmark::State& state) {
    const bool surfaces = state.range(0) == 1;
    const bool keep = state.range(1) == 1;
    const bool smooth = state.range(2) == 1;
    HeadlessContext context;
    if (!startHeadless(state, context, kWidth, kHeight)) return;
    std::optional<WidgetFramebuffer> framebuffer;
    if (state.range(3) == 1 && !framebuffer.emplace(kWidth, kHeight).complete()) {
        state.SkipWithError("no framebuffer object");
        return;
    }
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
        state.counters["resolved_share"] = renderer.lastResolvedShare();
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
    ->ArgNames({"surfaces", "keep", "smooth", "fbo"})
    ->Args({1, 1, 0, 1})
    ->Args({1, 0, 0, 1})
    ->Args({1, 1, 1, 1})
    ->Args({0, 1, 0, 1})
    ->Args({0, 0, 0, 1})
    ->Args({1, 1, 0, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
