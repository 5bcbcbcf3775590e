// Copying and recomputing a large construction: what every change on the
// selection costs (one full copy, one recompute walk), per element.

#include <benchmark/benchmark.h>

#include <memory>

#include "model/construction.h"

namespace {

// A stand-in kind whose position is the mean of its parents' positions.
class MeanPoint : public Element {
  public:
    explicit MeanPoint(TypeCode typeCode) : Element(typeCode, KindStyle{}) {}
    std::unique_ptr<Element> clone() const override { return std::unique_ptr<Element>(new MeanPoint(*this)); }
    void recompute(Construction&, const RecomputeContext&) override {
        if (parents.empty()) {
            defined = 1;
            return;
        }
        Vec3 sum;
        for (const Element* p : parents) sum = sum + static_cast<const MeanPoint*>(p)->position;
        position = sum * (1.0 / static_cast<double>(parents.size()));
        defined = 1;
    }
    void draw(std::uint32_t, int, Canvas&) override {}
    int hitTest(int, int, const PickRay&, int, Vec3&) override { return 0; }

    Vec3 position;

  private:
    MeanPoint(const MeanPoint&) = default;
};

// 1,000 free points, then midpoints and one-parent points built on earlier elements.
std::unique_ptr<Construction> makeConstruction(int count) {
    auto c = std::make_unique<Construction>();
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<MeanPoint> e;
        if (i < 1000) {
            e = std::make_unique<MeanPoint>(TypeCode::FreePoint);
            e->position = {double(i), double(i % 7), double(i % 13)};
        } else if (i % 2 == 0) {
            e = std::make_unique<MeanPoint>(TypeCode::MidpointTwoPoints);
            e->parents = {c->at(i - 1), c->at(i / 2)};
            e->parentKeys = {-1, -1};
        } else {
            e = std::make_unique<MeanPoint>(TypeCode::CircleCentre);
            e->parents = {c->at(i - 999)};
            e->parentKeys = {-1};
        }
        c->append(std::move(e));
    }
    return c;
}

void CopyAndRecompute(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<Construction> source = makeConstruction(count);
    for (auto _ : state) {
        std::unique_ptr<Construction> copy = source->copy();
        copy->recomputeAll({1, 1.0});
        benchmark::DoNotOptimize(copy->last());
    }
    state.SetItemsProcessed(state.iterations() * count);
    // Shown in seconds with an SI prefix, e.g. "270n" for 270 ns per element.
    state.counters["time_per_element"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DeleteWithDependants(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Construction> c = makeConstruction(count);
        state.ResumeTiming();
        c->deleteWithDependants(c->at(500));
        benchmark::DoNotOptimize(c->count());
    }
}

}  // namespace

BENCHMARK(CopyAndRecompute)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteWithDependants)->Arg(10000)->Unit(benchmark::kMicrosecond);
