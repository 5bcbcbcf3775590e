#include "model/type_codes.h"

#include <algorithm>
#include <array>

namespace {

using K = ElementKind;
using C = ElementClass;
constexpr int kVar = kVariableParentCount;

struct Row {
    int first;
    int last;  // inclusive; equal to first for a single code
    K kind;
    int parentCount;
    C elementClass;
};

// Every type code, by kind. A row stands for each code from first to last.
constexpr Row kRows[] = {
    // points
    {10000, 10001, K::Point, 0, C::Point},
    {10002, 10002, K::Point, 3, C::Point},
    {10070, 10070, K::Point, 2, C::Point},
    {10071, 10073, K::Point, 1, C::Point},
    {10605, 10605, K::Point, 1, C::Point},
    {10610, 10610, K::Point, 1, C::Point},
    {10790, 10790, K::Point, 3, C::Point},
    {10800, 10803, K::Point, 2, C::Point},
    {10804, 10804, K::Point, 3, C::Point},
    {11100, 11100, K::Point, 2, C::IntersectionPoint},
    {11105, 11105, K::Point, 2, C::IntersectionPoint},
    {11110, 11110, K::Point, 2, C::IntersectionPoint},
    {11115, 11115, K::Point, 2, C::IntersectionPoint},
    {11120, 11120, K::Point, 2, C::IntersectionPoint},
    {11125, 11125, K::Point, 2, C::IntersectionPoint},
    {11130, 11130, K::Point, 2, C::IntersectionPoint},
    {11135, 11135, K::Point, 3, C::IntersectionPoint},
    {11140, 11140, K::Point, 2, C::IntersectionPoint},
    {11145, 11145, K::Point, 2, C::IntersectionPoint},
    {11150, 11150, K::Point, 2, C::IntersectionPoint},
    {11155, 11155, K::Point, 2, C::IntersectionPoint},
    {11500, 11500, K::Point, 1, C::PointOnObject},
    // vectors
    {10010, 10010, K::Vector, 2, C::StraightElement},
    {10110, 10110, K::Vector, 3, C::StraightElement},
    {10820, 10823, K::Vector, 2, C::StraightElement},
    {10824, 10824, K::Vector, 3, C::StraightElement},
    // segments
    {10015, 10015, K::Segment, 2, C::StraightElement},
    {10810, 10813, K::Segment, 2, C::StraightElement},
    {10814, 10814, K::Segment, 3, C::StraightElement},
    // lines
    {10020, 10020, K::Line, 2, C::StraightElement},
    {10085, 10085, K::Line, 2, C::StraightElement},
    {10090, 10091, K::Line, 2, C::StraightElement},
    {10830, 10833, K::Line, 2, C::StraightElement},
    {10834, 10834, K::Line, 3, C::StraightElement},
    {11000, 11000, K::Line, 2, C::StraightElement},
    // rays
    {10025, 10025, K::Ray, 2, C::StraightElement},
    {10840, 10843, K::Ray, 2, C::StraightElement},
    {10844, 10844, K::Ray, 3, C::StraightElement},
    // circles
    {10030, 10030, K::Circle, 3, C::Circle},
    {10031, 10031, K::Circle, 2, C::Circle},
    {10850, 10853, K::Circle, 2, C::Circle},
    {10854, 10854, K::Circle, 3, C::Circle},
    {11001, 11002, K::Circle, 2, C::Circle},
    // arcs
    {10045, 10045, K::Arc, 3, C::Arc},
    {10890, 10893, K::Arc, 2, C::Arc},
    {10894, 10894, K::Arc, 3, C::Arc},
    // conics
    {10040, 10040, K::Conic, 5, C::Conic},
    {10920, 10923, K::Conic, 2, C::Conic},
    {10924, 10924, K::Conic, 3, C::Conic},
    {11003, 11003, K::Conic, 2, C::Conic},
    // planes
    {10050, 10050, K::Plane, 3, C::Plane},
    {10075, 10075, K::Plane, 2, C::Plane},
    {10080, 10081, K::Plane, 2, C::Plane},
    {10860, 10863, K::Plane, 2, C::Plane},
    {10864, 10864, K::Plane, 3, C::Plane},
    // polygons
    {10055, 10055, K::Polygon, kVar, C::Polygon},
    {10870, 10873, K::Polygon, 2, C::Polygon},
    {10874, 10874, K::Polygon, 3, C::Polygon},
    // regular polygons and polyhedra
    {10600, 10600, K::RegularPolygon, 2, C::RegularPolygon},
    {10700, 10700, K::RegularPolyhedron, 2, C::RegularPolyhedron},
    {10705, 10705, K::RegularPolyhedron, 2, C::RegularPolyhedron},
    {10710, 10710, K::RegularPolyhedron, 2, C::RegularPolyhedron},
    {10715, 10715, K::RegularPolyhedron, 2, C::RegularPolyhedron},
    {10720, 10720, K::RegularPolyhedron, 2, C::RegularPolyhedron},
    // spheres, cylinders, cones
    {10060, 10060, K::Sphere, 2, C::Sphere},
    {10880, 10883, K::Sphere, 2, C::Sphere},
    {10884, 10884, K::Sphere, 3, C::Sphere},
    {10061, 10061, K::Cylinder, 2, C::Cylinder},
    {10900, 10903, K::Cylinder, 2, C::Cylinder},
    {10904, 10904, K::Cylinder, 3, C::Cylinder},
    {10062, 10062, K::Cone, 3, C::Cone},
    {10910, 10913, K::Cone, 2, C::Cone},
    {10914, 10914, K::Cone, 3, C::Cone},
    // loci
    {11700, 11700, K::Curve, 2, C::Locus},
    {11800, 11800, K::Surface, 2, C::Locus},
    {11805, 11805, K::Surface, 2, C::Locus},
    {11810, 11810, K::Surface, 2, C::SurfaceLocus},
    {11815, 11815, K::Surface, 3, C::SurfaceLocus},
    // numbers
    {10305, 10305, K::Number, 1, C::NumberElement},
    {10310, 10310, K::Number, 1, C::NumberElement},
    {10315, 10315, K::Number, 1, C::NumberElement},
    {10500, 10503, K::Number, 2, C::Measure},
    {10510, 10512, K::Number, 1, C::Measure},
    {10515, 10515, K::Number, 1, C::Measure},
    {10520, 10520, K::Number, 3, C::Measure},
    {10521, 10522, K::Number, 2, C::Measure},
    {10525, 10527, K::Number, 1, C::Measure},
    {10530, 10530, K::Number, 1, C::Measure},
    {10550, 10550, K::Number, 0, C::ParameterNumber},
    {10555, 10555, K::Number, kVar, C::Calculation},
    {10725, 10734, K::Number, 1, C::Measure},
    // coordinates, iterations, texts
    {10300, 10300, K::Coordinates, 1, C::Coordinates},
    {11900, 11900, K::Iteration, kVar, C::Iteration},
    {20000, 20000, K::Text, 0, C::Text},
};

constexpr int countCodes() {
    int n = 0;
    for (const Row& r : kRows) n += r.last - r.first + 1;
    return n;
}

// The rows expanded to one entry per code and sorted, for lookup by binary search.
const std::array<TypeCodeInfo, countCodes()>& table() {
    static const auto expanded = [] {
        std::array<TypeCodeInfo, countCodes()> out{};
        std::size_t i = 0;
        for (const Row& r : kRows) {
            for (int code = r.first; code <= r.last; ++code) {
                out[i++] = TypeCodeInfo{code,
                                        r.kind,
                                        r.parentCount,
                                        r.elementClass,
                                        r.elementClass == C::Measure,
                                        r.elementClass == C::IntersectionPoint};
            }
        }
        std::sort(out.begin(), out.end(),
                  [](const TypeCodeInfo& a, const TypeCodeInfo& b) { return a.code < b.code; });
        return out;
    }();
    return expanded;
}

}  // namespace

const TypeCodeInfo* typeCodeInfo(int code) {
    const auto& t = table();
    auto it = std::lower_bound(t.begin(), t.end(), code,
                               [](const TypeCodeInfo& row, int c) { return row.code < c; });
    return (it != t.end() && it->code == code) ? &*it : nullptr;
}

std::span<const TypeCodeInfo> allTypeCodes() {
    return table();
}

ElementKind kindOfTypeCode(int code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? info->kind : ElementKind::None;
}

int parentCountOfTypeCode(int code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? info->parentCount : 0;
}

ElementClass classOfTypeCode(int code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? info->elementClass : ElementClass::None;
}

bool isMeasureCode(int code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info && info->isMeasure;
}

bool isIntersectionPointCode(int code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info && info->isIntersectionPoint;
}

bool hasVariableParentCount(int code) {
    return parentCountOfTypeCode(code) == kVariableParentCount;
}
