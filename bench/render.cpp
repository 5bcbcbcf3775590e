// One redraw of a 1280 x 800 view, rendered headless on the software renderer,
// for two scenes:
//   scene 0: 500 mixed elements (points, segments, circles, spheres, planes,
//            polygons) with a few name labels;
//   scene 1: a large construction of 10,000 elements: 6,670 points drawn as
//            balls, 1,600 segments, 400 vectors, 640 small circles (all solid)
//            and 690 spheres of radius 0.15.
// The second argument switches the quadrics' level of detail off (0) or on (1).
// Reported per frame: ms_per_frame (wall clock: the rasteriser runs on threads
// of its own), cpu_ms_per_frame (all threads of the process) and
// triangles_per_frame (of quadrics, rings and meshes, both passes of a
// translucent surface counted; polygons and lines are not). The target for scene 0 is one 60 Hz frame
// (16.7 ms), for scene 1 a tenth of a second. Every frame is drawn in full: the
// renderer keeps nothing of the frame before (an unchanged scene would
// otherwise be copied from the layers kept, which bench_drag_render measures).
//
// With KOVA_BENCH_SCENE_FILE=path.g3d in the environment, the large scene is
// also saved there (for timing the command-line renderer on it).

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "elements/point.h"
#include "headless_start.h"
#include "io/document_file.h"
#include "io/element_factory.h"
#include "model/document.h"
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
    Vec3 direction() {
        for (;;) {
            const Vec3 v{between(-1, 1), between(-1, 1), between(-1, 1)};
            const double n = norm(v);
            if (n > 0.1 && n <= 1.0) return v * (1.0 / n);
        }
    }

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

Element* addPoint(Document& document, Vec3 at, int size, int shape, std::uint32_t colour) {
    Element* p = add(document, TypeCode::FreePoint, {}, size, shape, colour);
    static_cast<Point*>(p)->position = at;
    return p;
}

// Clusters of three free points, and on each cluster one segment, circle,
// sphere, plane or polygon, until there are 500 elements.
void fillMixedScene(Document& document) {
    Sequence random;
    std::vector<Element*> cluster;
    int figure = 0;
    while (document.construction().count() < kElements) {
        cluster.clear();
        const double cx = random.between(-4, 4), cy = random.between(-4, 4), cz = random.between(-2, 2);
        for (int i = 0; i < 3 && document.construction().count() < kElements; ++i) {
            Element* p = addPoint(document,
                                  {cx + random.between(-0.6, 0.6), cy + random.between(-0.6, 0.6),
                                   cz + random.between(-0.6, 0.6)},
                                  i % 3, i == 0 ? 0 : 1, 0x2040C0);
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

// 2,223 clusters of three solid points and one more point (6,670); a sphere of
// radius 0.15 on each of the first 690 clusters, a circle through each of the
// next 640, segments and vectors between the points of the rest.
void fillLargeScene(Document& document) {
    constexpr int kClusters = 2223, kSpheres = 690, kCircles = 640, kSegments = 1600, kVectors = 400;
    Sequence random;
    std::vector<std::array<Element*, 3>> clusters;
    for (int c = 0; c < kClusters; ++c) {
        const Vec3 centre{random.between(-5, 5), random.between(-5, 5), random.between(-2.5, 2.5)};
        const auto colour = static_cast<std::uint32_t>(random.between(0, 0xFFFFFF));
        const Vec3 u = random.direction();
        Vec3 v = crossProduct(u, random.direction());
        v = v * (1.0 / norm(v));
        const Vec3 w = crossProduct(u, v);
        // Three points on a small circle (the first two 0.15 apart on the sphere clusters).
        const double rho = c < kSpheres ? 0.15 / std::sqrt(2.0) : random.between(0.08, 0.25);
        std::array<Element*, 3> points{};
        for (int i = 0; i < 3; ++i) {
            const double angle = i * 2.0944 + (c < kSpheres && i == 1 ? -0.5236 : 0.0);
            points[static_cast<std::size_t>(i)] = addPoint(
                document, centre + (v * std::cos(angle) + w * std::sin(angle)) * rho, c % 3, 0, colour);
        }
        if (c < kSpheres) static_cast<Point*>(points[1])->position = positionOf(points[0]) + u * 0.15;
        clusters.push_back(points);
    }
    addPoint(document, {0, 0, 0}, 2, 0, 0x000000);
    for (int c = 0; c < kSpheres; ++c)
        add(document, TypeCode::SphereCentrePoint, {clusters[c][0], clusters[c][1]}, 0, 0, 0x40A0E0);
    for (int c = kSpheres; c < kSpheres + kCircles; ++c)
        add(document, TypeCode::CircleThreePoints, {clusters[c][0], clusters[c][1], clusters[c][2]}, c % 2, 0,
            0x2080FF);
    const int rest = kClusters - kSpheres - kCircles;
    for (int k = 0; k < kSegments; ++k) {
        const auto& c = clusters[static_cast<std::size_t>(kSpheres + kCircles + k % rest)];
        add(document, TypeCode::SegmentTwoPoints,
            k < rest ? std::vector<Element*>{c[0], c[1]} : std::vector<Element*>{c[1], c[2]}, k % 2, 0,
            0x208020);
    }
    for (int k = 0; k < kVectors; ++k) {
        const auto& c = clusters[static_cast<std::size_t>(kSpheres + kCircles + k)];
        add(document, TypeCode::VectorTwoPoints, {c[2], c[0]}, 0, 0, 0x8020A0);
    }
    document.recompute();
}

double processCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

void saveSceneIfAsked(Document& document) {
    const char* path = std::getenv("KOVA_BENCH_SCENE_FILE");
    if (path && *path && !writeDocument(document, path, false))
        std::fprintf(stderr, "could not write %s\n", path);
}

void BM_Render(benchmark::State& state) {
    const bool large = state.range(0) == 1;
    const bool levelOfDetail = state.range(1) == 1;
    HeadlessContext context;
    if (!startHeadless(state, context, kWidth, kHeight)) return;
    Document document;
    if (large) {
        fillLargeScene(document);
        saveSceneIfAsked(document);
    } else {
        fillMixedScene(document);
    }
    {
        Renderer renderer;
        renderer.canvas().setLevelOfDetail(levelOfDetail);
        renderer.setKeepStaticLayer(false);
        const RenderScene scene = documentScene(document, false);
        // One frame first, to leave one-off work (making meshes, compiling the
        // rasteriser's shaders) out of the figures.
        renderer.render(scene, {kWidth, kHeight});

        double milliseconds = 0.0;
        const double cpuStart = processCpuMilliseconds();
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            renderer.render(scene, {kWidth, kHeight});
            glFinish();  // the frame is done only when the rasteriser is
            milliseconds +=
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
        const auto frames = static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
        state.counters["ms_per_frame"] = milliseconds / frames;
        state.counters["cpu_ms_per_frame"] = (processCpuMilliseconds() - cpuStart) / frames;
        state.counters["triangles_per_frame"] = static_cast<double>(renderer.canvas().trianglesDrawn());
    }
}

}  // namespace

BENCHMARK(BM_Render)
    ->ArgNames({"large", "lod"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
