// Nanoseconds per call of the kernel routines that run for every dependent element on
// every mouse move. Inputs cycle through a fixed table of seeded random cases so that
// neither the branch predictor nor the optimiser sees one constant problem.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "geometry/conic_fit.h"
#include "geometry/containment.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/intersections_spheres_circles.h"

namespace {

constexpr std::size_t kCases = 1024;

Vec3 randomPoint(std::mt19937& rng, double extent) {
    std::uniform_real_distribution<double> u(-extent, extent);
    return {u(rng), u(rng), u(rng)};
}

struct Inputs {
    std::vector<Vec3> points;
    std::vector<Vec2> conicPoints;  // five per case, on a random ellipse
    Inputs() {
        std::mt19937 rng(12345);
        for (std::size_t i = 0; i < kCases * 6; ++i) points.push_back(randomPoint(rng, 3.0));
        std::uniform_real_distribution<double> u(0.0, 1.0);
        for (std::size_t i = 0; i < kCases; ++i) {
            const double p = 0.5 + 2 * u(rng), q = 0.5 + 2 * u(rng), turn = std::numbers::pi * u(rng);
            for (int k = 0; k < 5; ++k) {
                const double angle = 2 * std::numbers::pi * (k + 0.2 + 0.6 * u(rng)) / 5;
                const double x = p * std::cos(angle), y = q * std::sin(angle);
                conicPoints.push_back(
                    {x * std::cos(turn) - y * std::sin(turn), x * std::sin(turn) + y * std::cos(turn)});
            }
        }
    }
};

const Inputs& inputs() {
    static const Inputs table;
    return table;
}

void closestPointsOfLinesBench(benchmark::State& state) {
    const auto& pts = inputs().points;
    std::size_t i = 0;
    for (auto _ : state) {
        const Vec3* c = &pts[6 * (i++ % kCases)];
        Vec3 p, q;
        double d = 0;
        benchmark::DoNotOptimize(closestPointsOfLines(c[0], c[1], c[2], c[3], p, q, d));
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(closestPointsOfLinesBench)->Name("closestPointsOfLines");

void intersectLineSphereBench(benchmark::State& state) {
    const auto& pts = inputs().points;
    std::size_t i = 0;
    for (auto _ : state) {
        const Vec3* c = &pts[6 * (i++ % kCases)];
        Vec3 first, second;
        // Line c0 c1 with the sphere about c2 through the midpoint of c0 c1: always two points.
        const Vec3 onSphere{(c[0].x + c[1].x) / 2, (c[0].y + c[1].y) / 2, (c[0].z + c[1].z) / 2};
        benchmark::DoNotOptimize(intersectLineSphere(c[0], c[1], c[2], onSphere, first, second));
        benchmark::DoNotOptimize(first);
    }
}
BENCHMARK(intersectLineSphereBench)->Name("intersectLineSphere");

void intersectCirclesBench(benchmark::State& state) {
    const auto& pts = inputs().points;
    std::size_t i = 0;
    for (auto _ : state) {
        const Vec3* c = &pts[6 * (i++ % kCases)];
        Vec3 first, second;
        benchmark::DoNotOptimize(
            intersectCircles(c[0], c[0], c[1], 2.5, c[2], c[2], c[3], 2.0, first, second));
        benchmark::DoNotOptimize(first);
    }
}
BENCHMARK(intersectCirclesBench)->Name("intersectCircles");

void fitConicBench(benchmark::State& state) {
    const auto& pts = inputs().conicPoints;
    std::size_t i = 0;
    for (auto _ : state) {
        const Vec2* c = &pts[5 * (i++ % kCases)];
        const Vec2 five[5] = {c[0], c[1], c[2], c[3], c[4]};
        ConicCoefficients k;
        benchmark::DoNotOptimize(fitConic(five, true, k));
        benchmark::DoNotOptimize(k);
    }
}
BENCHMARK(fitConicBench)->Name("fitConic");

void pointInPolygonBench(benchmark::State& state) {
    // A regular octagon in a tilted plane, tested against points of that plane.
    const Vec3 centre{1, 2, 3}, u{0.6, 0.8, 0}, w{0, 0, 1};
    Vec3 octagon[8];
    for (int k = 0; k < 8; ++k) {
        const double angle = k * std::numbers::pi / 4;
        octagon[k] = {centre.x + 2 * (std::cos(angle) * u.x + std::sin(angle) * w.x),
                      centre.y + 2 * (std::cos(angle) * u.y + std::sin(angle) * w.y),
                      centre.z + 2 * (std::cos(angle) * u.z + std::sin(angle) * w.z)};
    }
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> s(-2.5, 2.5);
    std::vector<Vec3> probes;
    for (std::size_t k = 0; k < kCases; ++k) {
        const double a = s(rng), b = s(rng);
        probes.push_back(
            {centre.x + a * u.x + b * w.x, centre.y + a * u.y + b * w.y, centre.z + a * u.z + b * w.z});
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            pointInPolygon(probes[i++ % kCases], 8, octagon, octagon[0], octagon[1], octagon[2]));
    }
}
BENCHMARK(pointInPolygonBench)->Name("pointInPolygon (octagon)");

}  // namespace
