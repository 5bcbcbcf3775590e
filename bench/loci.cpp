// Loci and iterations re-run part of the construction many times per recompute
// or drawing; these are the costs a drag pays for them.

#include <benchmark/benchmark.h>

#include "elements/iteration.h"
#include "elements/locus.h"
#include "elements/point.h"
#include "elements/straight_element.h"
#include "expr/parameter.h"
#include "model/canvas.h"
#include "model/construction.h"

namespace {

const KindStyle kStyle{0, 1, 1, 0, 0x2244aa};

template <typename T>
T* add(Construction& c, std::unique_ptr<T> e, std::initializer_list<Element*> parents) {
    return static_cast<T*>(c.appendOn(std::move(e), parents));
}

Point* freePoint(Construction& c, Vec3 at) {
    auto p = std::make_unique<Point>(TypeCode::FreePoint, kStyle);
    p->position = at;
    return static_cast<Point*>(c.append(std::move(p)));
}

// Four midpoints, each with a fixed point: the chain from a driver to its traced point.
Point* midpointChain(Construction& c, Point* start) {
    Point* last = start;
    for (int i = 0; i < 4; ++i)
        last = add(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, kStyle),
                   {last, freePoint(c, {double(i), 1, 2})});
    return last;
}

ParameterNumber* parameter(Construction& c, double low, double high) {
    auto n = std::make_unique<ParameterNumber>(kStyle);
    n->value = low;
    n->minimum = low;
    n->maximum = high;
    return static_cast<ParameterNumber*>(c.append(std::move(n)));
}

// A draw sink that does nothing, so only the iteration's own work is measured.
class NullCanvas : public Canvas {
  public:
    void dot(Vec3, std::uint32_t, int, int) override { ++calls; }
    void segment(Vec3, Vec3, std::uint32_t, int, int, int, bool) override { ++calls; }
    void arrow(Vec3, Vec3, std::uint32_t, int, int, int) override { ++calls; }
    void flatPolygon(std::span<const Vec3>, std::uint32_t) override { ++calls; }
    void tessellatedPolygon(std::span<const Vec3>, Vec3, std::uint32_t) override { ++calls; }
    void ring(Vec3, Vec3, double, int, std::uint32_t, int, int) override { ++calls; }
    void sphere(Vec3, double, std::uint32_t) override { ++calls; }
    void cylinder(Vec3, Vec3, double, double, double, std::uint32_t) override { ++calls; }
    void triangles(std::span<const Vec3>, std::span<const Vec3>, std::uint32_t) override { ++calls; }
    void screenText(int, int, std::string_view, const FontRecord&, std::uint32_t) override { ++calls; }
    void richText(int, int, int, int, std::string_view, std::uint32_t,
                  std::optional<std::uint32_t>) override {
        ++calls;
    }
    void label(Vec3, std::string_view, std::uint32_t) override { ++calls; }
    int projection() const override { return 0; }
    Vec3 unproject(double x, double y, double depth) const override { return {x, y, depth}; }
    Vec3 towardsViewer(Vec3 p, double) const override { return p; }
    const ScreenTextContext& screenTexts() const override { return texts; }
    ScreenTextContext texts;
    long calls = 0;
};

void CurveLocus500(benchmark::State& state) {
    Construction c;
    auto* segment = add(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, kStyle),
                        {freePoint(c, {0, 0, 0}), freePoint(c, {5, 3, 0})});
    auto on = std::make_unique<PointOnObject>(kStyle);
    on->param1 = 0.3;
    Point* driver = add(c, std::move(on), {segment});
    Point* traced = midpointChain(c, driver);
    auto* locus = add(c, std::make_unique<Locus>(TypeCode::PointLocus, kStyle), {traced, driver});
    c.recomputeAll({1, 1.0});
    for (auto _ : state) {
        locus->recompute(c, {1, 1.0});
        benchmark::DoNotOptimize(locus->samples.data());
    }
    int defined = 0;
    for (const LocusSample& s : locus->samples) defined += s.defined ? 1 : 0;
    state.counters["defined_samples"] = defined;
}

void SurfaceLocus90x90(benchmark::State& state) {
    Construction c;
    ParameterNumber* x = parameter(c, -2, 2);
    ParameterNumber* y = parameter(c, -1, 3);
    ParameterNumber* z = parameter(c, 1, 1);
    Point* start = add(c, std::make_unique<Point>(TypeCode::PointByCoordinates, kStyle), {x, y, z});
    Point* traced = midpointChain(c, start);
    auto* surface =
        add(c, std::make_unique<SurfaceLocus>(TypeCode::ParameterSurfaceLocus, kStyle), {traced, x, y});
    c.recomputeAll({1, 1.0});
    for (auto _ : state) {
        surface->recompute(c, {1, 1.0});
        benchmark::DoNotOptimize(surface->grid.data());
    }
    int defined = 0;
    for (const GridCell& cell : surface->grid) defined += cell.defined ? 1 : 0;
    state.counters["defined_cells"] = defined;
}

void IterationTwoBranchesDepth10(benchmark::State& state) {
    Construction c;
    Point* a = freePoint(c, {0, 0, 0});
    Point* b = freePoint(c, {4, 0, 0});
    Point* p = freePoint(c, {1, 2, 0});
    Point* p1 = add(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, kStyle), {p, a});
    Point* p2 = add(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, kStyle), {p, b});
    auto* segment = add(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, kStyle), {p1, p2});
    auto it = std::make_unique<Iteration>(kStyle, 4);
    it->depth = 10;
    it->branchCount = 2;
    it->inputCount = 1;
    it->imageTable = {{1, 2}};
    auto* iteration = add(c, std::move(it), {p, p1, p2, segment});
    c.recomputeAll({1, 1.0});
    NullCanvas canvas;
    for (auto _ : state) iteration->draw(0xcc0000, 0, canvas);
    state.counters["draw_calls_per_frame"] =
        static_cast<double>(canvas.calls) / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(CurveLocus500)->Unit(benchmark::kMillisecond);
BENCHMARK(SurfaceLocus90x90)->Unit(benchmark::kMillisecond);
BENCHMARK(IterationTwoBranchesDepth10)->Unit(benchmark::kMillisecond);
