// The kernel runs for every dependent element on every mouse move while dragging, so its
// routines must not touch the heap. This program replaces the global allocation functions
// with counting ones and checks that a call of each routine allocates nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "geometry/angles.h"
#include "geometry/conic_analysis.h"
#include "geometry/conic_curve.h"
#include "geometry/conic_fit.h"
#include "geometry/conic_point.h"
#include "geometry/containment.h"
#include "geometry/geometry2d.h"
#include "geometry/intersections_conics.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/intersections_quadrics.h"
#include "geometry/intersections_spheres_circles.h"
#include "geometry/linear_system.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/quadratic.h"
#include "geometry/transformations.h"
#include "geometry/vectors.h"

namespace {
std::size_t gAllocations = 0;

void* countedAllocation(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void* countedAlignedAllocation(std::size_t size, std::align_val_t alignment) {
    ++gAllocations;
    const std::size_t align = static_cast<std::size_t>(alignment);
    const std::size_t rounded = (size + align - 1) / align * align;
    if (void* p = std::aligned_alloc(align, rounded == 0 ? align : rounded)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return countedAllocation(size);
}
void* operator new[](std::size_t size) {
    return countedAllocation(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++gAllocations;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++gAllocations;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return countedAlignedAllocation(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return countedAlignedAllocation(size, alignment);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}

namespace {

template <typename Work>
std::size_t allocationsDuring(Work work) {
    const std::size_t before = gAllocations;
    work();
    return gAllocations - before;
}

int* volatile gSink = nullptr;

ConicCurve circleConic() {
    Vec3 points[5];
    for (int i = 0; i < 5; ++i) points[i] = {std::cos(0.4 + 1.2 * i), std::sin(0.4 + 1.2 * i), 1};
    ConicCurve conic;
    analyseConic(points, conic);
    return conic;
}

}  // namespace

TEST(Allocation, TheCounterSeesAnAllocation) {
    EXPECT_EQ(allocationsDuring([] {
                  gSink = new int(5);
                  delete gSink;
              }),
              1u);
}

TEST(Allocation, PrimitivesAllocateNothing) {
    const Vec3 a{0, 0, 0}, b{1, 2, 3}, c{-1, 4, 0}, p{2, -1, 5};
    EXPECT_EQ(allocationsDuring([&] {
                  Vec3 out, foot;
                  double d = 0, angle = 0;
                  PlaneEquation e1, e2;
                  Vec3 span[3];
                  isDistinct(a, b);
                  isTriangle(a, b, c);
                  areParallel(a, b, c, p, ParallelTest::kLoose);
                  areParallel(a, b, c, p, ParallelTest::kStrict);
                  arePerpendicular(a, b, c, p);
                  distance(a, b);
                  unitCross(a, b, c, p);
                  pointTowards(a, b, 2);
                  footOnLine(p, a, b, foot, d);
                  footOnPlane(p, a, b, c, foot, d);
                  planeThrough3(a, b, c, e1);
                  planeThroughPointNormal(a, b, p, e2);
                  anyPerpendicular(a, b);
                  twoPlanesThroughLine(a, b, e1, e2);
                  perpendicularPlanePoints(a, b, p, span);
                  parallelPlanePoints(a, b, c, p, span);
                  const Vec3 many[5] = {a, b, c, a + (b - a) * 2, b + (c - a)};
                  findPlaneOfPoints(5, many, span);
                  Vec3 mapped[5];
                  toPlaneFrame(5, many, a, b, c, mapped);
                  fromPlaneFrame(5, mapped, a, b, c, mapped);
                  reflectInPoint(p, a, out);
                  reflectInLine(p, a, b, out);
                  reflectInPlane(p, a, b, c, out);
                  rotateAboutAxis(p, a, b, 0.7, out);
                  Vec3 polygon[6];
                  regularPolygonPoints(6, a, a, b, p, polygon);
                  angleAtVertex(a, b, c, angle);
                  angleLinePlane(p, b, a, b, c, angle);
                  anglePlanePlane(a, b, c, a, b, p, angle);
              }),
              0u);
}

TEST(Allocation, IntersectionsAllocateNothing) {
    const Vec3 o{0, 0, 0}, up{0, 0, 1};
    const ConicCurve conic = circleConic();
    EXPECT_EQ(allocationsDuring([&] {
                  Vec3 first, second, centre, normal, point;
                  double d = 0;
                  double m[3][kSystemRowStride] = {{2, 1, -1, 8}, {-3, -1, 2, -11}, {-2, 1, 2, -3}};
                  double x[3];
                  solveLinearSystem(3, m, x);
                  intersectThreePlanes({1, 0, 0, -1}, {0, 1, 0, -2}, {0, 0, 1, -3}, point);
                  closestPointsOfLines({0, 0, 0}, {1, 0, 0}, {0, 1, 1}, {0, 2, 1}, first, second, d);
                  linesMeet({-1, -1, 0}, {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, point);
                  intersectLinePlane({0, 0, -1}, {0.1, 0, 1}, o, {1, 0, 0}, {0, 1, 0}, point);
                  intersectLinePlaneEq({0, 0, -1}, {0.1, 0, 1}, {0, 0, 1, 0}, point);
                  intersectPlanes({0, 0, 1, 0}, {1, 0, 0, 0}, first, second);
                  intersectLineSphere({-5, 0, 0}, {5, 0, 0}, o, {0, 1, 0}, first, second);
                  intersectSpheres(o, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}, centre, point);
                  intersectSpherePlane({0, 0, 1}, {1, 0, 1}, {0, 1, 1}, o, {2, 0, 0}, centre, normal, point);
                  intersectLineCircle({-5, 0, 0}, {5, 0, 0}, o, o, up, 1, first, second);
                  intersectCircles(o, o, up, 1, {1, 0, 0}, {1, 0, 0}, {1, 0, 1}, 1, first, second);
                  intersectCircles(o, o, up, 1, o, o, {1, 0, 0}, 1, first, second);
                  intersectCirclePlane(o, o, up, 1, {0.5, 0, 0}, {0.5, 1, 0}, {0.5, 0, 1}, first, second);
                  intersectCircleSphere(o, o, up, 1, {1, 0, 0}, {1, 1, 0}, first, second);
                  intersectLineCylinder({-5, 0, -5}, {5, 0, 5}, o, up, 1, first, second);
                  intersectLineCone({-5, 0, 0.5}, {5, 0, 0.5}, up, o, o, up, 1, first, second);
                  PlaneSection section;
                  sectionPlaneCylinder(o, up, {1, 0, 0}, 1, {0, 0, 2}, {1, 0, 2}, {0, 1, 2}, section);
                  sectionPlaneCone(o, up, {1, 0, 0}, 1, {0.5, 0, 0}, {0.5, 1, 0}, {0.5, 0, 1}, section);
                  sectionPlaneCone(o, up, {1, 0, 0}, 1, {0, 0, 1}, {0, 1, 1}, o, section);
                  intersectLineConic({-5, 0, 1}, {5, 0, 1}, conic, first, second);
                  intersectLineConic({0.6, 0.8, 0}, {0.6, 0.8, 2}, conic, first, second);
                  intersectPlaneConic({0.5, 0, 0}, {0.5, 1, 0}, {0.5, 0, 1}, conic, first, second);
                  isOnSegment({2, 0, 0}, o, {1, 0, 0}, point);
                  isOnRay({-2, 0, 0}, o, {1, 0, 0}, point);
                  isOnArc({0.6, 0.8, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0});
                  const Vec2 square2d[4] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
                  pointInPolygon2d({1, 1}, 4, square2d);
                  const Vec3 square[4] = {{0, 0, 1}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}};
                  pointInPolygon({0.5, 0.5, 0.5}, 4, square, square[0], square[1], square[2]);
              }),
              0u);
}

TEST(Allocation, SolversAllocateNothing) {
    const Vec3 points[5] = {{2, 0, 1}, {0, 1, 1}, {-2, 0, 1}, {0, -1, 1}, {1.2, 0.8, 1}};
    const Vec2 flat[5] = {{1, 1}, {2, 0.5}, {0.5, 2}, {-1, -1}, {-4, -0.25}};
    EXPECT_EQ(allocationsDuring([&] {
                  double t1 = 0, t2 = 0;
                  solveQuadratic(1, -3, 2, t1, t2);
                  ConicCoefficients k;
                  const ConicType type = fitConic(flat, true, k);
                  classifyConic(k, flat);
                  isCollinear({0, 0}, {1, 0}, {2, 0});
                  hasCollinearTriple(flat);
                  Vec2 centre, lines[4], asymptotes[2], s1, s2;
                  conicCentre(k, centre);
                  ConicAxes axes;
                  conicAxes(k, type, centre, axes);
                  asymptoteDirections(k, centre, asymptotes);
                  ConicMeasures measures;
                  conicMeasures(k, type, centre, measures);
                  linePair(flat, lines);
                  intersectLineConic2d({0, 0}, {1, 1}, k, s1, s2);
                  angleBetween2d({1, 0}, {0, 1});
                  rotateAbout2d({1, 0}, {0, 0}, 0.5);
                  reflectThrough2d({1, 0}, {0, 0});
                  ConicCurve conic;
                  analyseConic(points, conic);
                  Vec3 at;
                  double t = 0;
                  for (int i = 0; i <= 10; ++i) conicPoint(conic, i / 10.0, at);
                  conicParameter(conic, at, t);
              }),
              0u);
}
