// Writing and reading a construction file of 10,000 mixed elements, as Save
// and Open do it (in memory; the disk is not what is measured).

#include <benchmark/benchmark.h>

#include "elements/plane.h"
#include "elements/point.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "io/document_file.h"
#include "model/byte_stream.h"

namespace {

template <typename T>
T* add(Construction& c, std::unique_ptr<T> e, std::initializer_list<Element*> parents) {
    return static_cast<T*>(c.appendOn(std::move(e), parents));
}

// Free points with midpoints, segments, planes, spheres and named points built on them.
void fill(Document& doc, int count) {
    Construction& c = doc.construction();
    const KindStyle style{0, 1, 0, 0, 0x336699};
    std::vector<Point*> free;
    while (c.count() < count) {
        const int i = c.count();
        auto p = std::make_unique<Point>(TypeCode::FreePoint, style);
        p->position = {double(i % 17), double(i % 29) * 0.5, double(i % 7) - 3.0};
        if (i % 3 == 0) p->setName("P" + std::to_string(i));
        free.push_back(static_cast<Point*>(c.append(std::move(p))));
        if (free.size() < 3) continue;
        Point* a = free[free.size() - 1];
        Point* b = free[free.size() - 2];
        Point* d = free[free.size() - 3];
        switch (i % 5) {
            case 0:
                add(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, style), {a, b});
                break;
            case 1:
                add(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, style), {a, b});
                break;
            case 2:
                add(c, std::make_unique<Plane>(TypeCode::PlaneThreePoints, style), {a, b, d});
                break;
            case 3:
                add(c, std::make_unique<Sphere>(TypeCode::SphereCentrePoint, style), {a, b});
                break;
            default:
                add(c, std::make_unique<StraightElement>(TypeCode::LineTwoPoints, style), {b, d});
                break;
        }
    }
    doc.recompute();
}

void WriteDocument(benchmark::State& state) {
    Document doc;
    fill(doc, static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        MemoryOutputStream out;
        writeDocumentBytes(doc, false, out);
        bytes = out.bytes().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

void ReadDocument(benchmark::State& state) {
    Document doc;
    fill(doc, static_cast<int>(state.range(0)));
    MemoryOutputStream out;
    writeDocumentBytes(doc, false, out);
    for (auto _ : state) {
        MemoryInputStream in(out.bytes());
        Document back;
        if (readDocumentBytes(in, DocumentDefaults{}, back) != kReadOk) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(back.construction().count());
    }
}

void ReadAndRecomputeDocument(benchmark::State& state) {
    Document doc;
    fill(doc, static_cast<int>(state.range(0)));
    MemoryOutputStream out;
    writeDocumentBytes(doc, false, out);
    for (auto _ : state) {
        MemoryInputStream in(out.bytes());
        Document back;
        readDocumentBytes(in, DocumentDefaults{}, back);
        back.recompute();
        benchmark::DoNotOptimize(back.construction().count());
    }
}

}  // namespace

BENCHMARK(WriteDocument)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadDocument)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndRecomputeDocument)->Arg(10000)->Unit(benchmark::kMillisecond);
