#include "model/type_codes.h"

#include <algorithm>
#include <array>
#include <string>

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
    const char* parentKinds;  // see ParentKinds in the header; kTransformation: by the family's rule
};

// Transformation images: the source, then the transformation's own parents.
constexpr const char* kTransformation = nullptr;
constexpr const char* kTransformationParents[5] = {"p", "s", "F", "v", "sN"};
constexpr char kindLetter(K kind) {
    switch (kind) {
        case K::Point:
            return 'p';
        case K::Vector:
            return 'v';
        case K::Segment:
            return 'g';
        case K::Line:
            return 'l';
        case K::Ray:
            return 'r';
        case K::Circle:
            return 'c';
        case K::Arc:
            return 'a';
        case K::Conic:
            return 'o';
        case K::Plane:
            return 'f';
        case K::Polygon:
            return 'y';
        case K::Sphere:
            return 'e';
        case K::Cylinder:
            return 'i';
        case K::Cone:
            return 'n';
        default:
            return '?';
    }
}

// Every type code, by kind. A row stands for each code from first to last.
constexpr Row kRows[] = {
    // points
    {10000, 10001, K::Point, 0, C::Point, ""},
    {10002, 10002, K::Point, 3, C::Point, "NNN"},
    {10070, 10070, K::Point, 2, C::Point, "pp"},
    {10071, 10071, K::Point, 1, C::Point, "c"},
    {10072, 10072, K::Point, 1, C::Point, "a"},
    {10073, 10073, K::Point, 1, C::Point, "o"},
    {10605, 10605, K::Point, 1, C::Point, "R"},
    {10610, 10610, K::Point, 1, C::Point, "H"},
    {10790, 10790, K::Point, 3, C::Point, "ppN"},
    {10800, 10803, K::Point, 2, C::Point, kTransformation},
    {10804, 10804, K::Point, 3, C::Point, kTransformation},
    {11100, 11100, K::Point, 2, C::IntersectionPoint, "sF"},
    {11105, 11105, K::Point, 2, C::IntersectionPoint, "se"},
    {11110, 11110, K::Point, 2, C::IntersectionPoint, "ss"},
    {11115, 11115, K::Point, 2, C::IntersectionPoint, "kF"},
    {11120, 11120, K::Point, 2, C::IntersectionPoint, "ke"},
    {11125, 11125, K::Point, 2, C::IntersectionPoint, "kk"},
    {11130, 11130, K::Point, 2, C::IntersectionPoint, "sk"},
    {11135, 11135, K::Point, 3, C::IntersectionPoint, "FFF"},
    {11140, 11140, K::Point, 2, C::IntersectionPoint, "si"},
    {11145, 11145, K::Point, 2, C::IntersectionPoint, "sn"},
    {11150, 11150, K::Point, 2, C::IntersectionPoint, "so"},
    {11155, 11155, K::Point, 2, C::IntersectionPoint, "Fo"},
    {11500, 11500, K::Point, 1, C::PointOnObject, "O"},
    // vectors
    {10010, 10010, K::Vector, 2, C::StraightElement, "pp"},
    {10110, 10110, K::Vector, 3, C::StraightElement, "vvp"},
    {10820, 10823, K::Vector, 2, C::StraightElement, kTransformation},
    {10824, 10824, K::Vector, 3, C::StraightElement, kTransformation},
    // segments
    {10015, 10015, K::Segment, 2, C::StraightElement, "pp"},
    {10810, 10813, K::Segment, 2, C::StraightElement, kTransformation},
    {10814, 10814, K::Segment, 3, C::StraightElement, kTransformation},
    // lines
    {10020, 10020, K::Line, 2, C::StraightElement, "pp"},
    {10085, 10085, K::Line, 2, C::StraightElement, "sp"},
    {10090, 10090, K::Line, 2, C::StraightElement, "sp"},
    {10091, 10091, K::Line, 2, C::StraightElement, "Fp"},
    {10830, 10833, K::Line, 2, C::StraightElement, kTransformation},
    {10834, 10834, K::Line, 3, C::StraightElement, kTransformation},
    {11000, 11000, K::Line, 2, C::StraightElement, "FF"},
    // rays
    {10025, 10025, K::Ray, 2, C::StraightElement, "pp"},
    {10840, 10843, K::Ray, 2, C::StraightElement, kTransformation},
    {10844, 10844, K::Ray, 3, C::StraightElement, kTransformation},
    // circles
    {10030, 10030, K::Circle, 3, C::Circle, "ppp"},
    {10031, 10031, K::Circle, 2, C::Circle, "ps"},
    {10850, 10853, K::Circle, 2, C::Circle, kTransformation},
    {10854, 10854, K::Circle, 3, C::Circle, kTransformation},
    {11001, 11001, K::Circle, 2, C::Circle, "ee"},
    {11002, 11002, K::Circle, 2, C::Circle, "eF"},
    // arcs
    {10045, 10045, K::Arc, 3, C::Arc, "ppp"},
    {10890, 10893, K::Arc, 2, C::Arc, kTransformation},
    {10894, 10894, K::Arc, 3, C::Arc, kTransformation},
    // conics
    {10040, 10040, K::Conic, 5, C::Conic, "ppppp"},
    {10920, 10923, K::Conic, 2, C::Conic, kTransformation},
    {10924, 10924, K::Conic, 3, C::Conic, kTransformation},
    {11003, 11003, K::Conic, 2, C::Conic, "Fq"},
    // planes
    {10050, 10050, K::Plane, 3, C::Plane, "ppp"},
    {10075, 10075, K::Plane, 2, C::Plane, "pp"},
    {10080, 10080, K::Plane, 2, C::Plane, "Fp"},
    {10081, 10081, K::Plane, 2, C::Plane, "sp"},
    {10860, 10863, K::Plane, 2, C::Plane, kTransformation},
    {10864, 10864, K::Plane, 3, C::Plane, kTransformation},
    // polygons
    {10055, 10055, K::Polygon, kVar, C::Polygon, "p"},
    {10870, 10873, K::Polygon, 2, C::Polygon, kTransformation},
    {10874, 10874, K::Polygon, 3, C::Polygon, kTransformation},
    // regular polygons and polyhedra
    {10600, 10600, K::RegularPolygon, 2, C::RegularPolygon, "ps"},
    {10700, 10700, K::RegularPolyhedron, 2, C::RegularPolyhedron, "ps"},
    {10705, 10705, K::RegularPolyhedron, 2, C::RegularPolyhedron, "ps"},
    {10710, 10710, K::RegularPolyhedron, 2, C::RegularPolyhedron, "ps"},
    {10715, 10715, K::RegularPolyhedron, 2, C::RegularPolyhedron, "ps"},
    {10720, 10720, K::RegularPolyhedron, 2, C::RegularPolyhedron, "ps"},
    // spheres, cylinders, cones
    {10060, 10060, K::Sphere, 2, C::Sphere, "pp"},
    {10880, 10883, K::Sphere, 2, C::Sphere, kTransformation},
    {10884, 10884, K::Sphere, 3, C::Sphere, kTransformation},
    {10061, 10061, K::Cylinder, 2, C::Cylinder, "ps"},
    {10900, 10903, K::Cylinder, 2, C::Cylinder, kTransformation},
    {10904, 10904, K::Cylinder, 3, C::Cylinder, kTransformation},
    {10062, 10062, K::Cone, 3, C::Cone, "ppp"},
    {10910, 10913, K::Cone, 2, C::Cone, kTransformation},
    {10914, 10914, K::Cone, 3, C::Cone, kTransformation},
    // loci
    {11700, 11700, K::Curve, 2, C::Locus, "pd"},
    {11800, 11800, K::Surface, 2, C::Locus, "cd"},
    {11805, 11805, K::Surface, 2, C::Locus, "td"},
    {11810, 11810, K::Surface, 2, C::SurfaceLocus, "pp"},
    {11815, 11815, K::Surface, 3, C::SurfaceLocus, "pNN"},
    // numbers
    {10305, 10305, K::Number, 1, C::NumberElement, "C"},
    {10310, 10310, K::Number, 1, C::NumberElement, "C"},
    {10315, 10315, K::Number, 1, C::NumberElement, "C"},
    {10500, 10500, K::Number, 2, C::Measure, "pp"},
    {10501, 10501, K::Number, 2, C::Measure, "ps"},
    {10502, 10502, K::Number, 2, C::Measure, "pF"},
    {10503, 10503, K::Number, 2, C::Measure, "ss"},
    {10510, 10510, K::Number, 1, C::Measure, "t"},
    {10511, 10511, K::Number, 1, C::Measure, "c"},
    {10512, 10512, K::Number, 1, C::Measure, "a"},
    {10515, 10515, K::Number, 1, C::Measure, "y"},
    {10520, 10520, K::Number, 3, C::Measure, "ppp"},
    {10521, 10521, K::Number, 2, C::Measure, "sF"},
    {10522, 10522, K::Number, 2, C::Measure, "FF"},
    {10525, 10525, K::Number, 1, C::Measure, "c"},
    {10526, 10526, K::Number, 1, C::Measure, "y"},
    {10527, 10527, K::Number, 1, C::Measure, "e"},
    {10530, 10530, K::Number, 1, C::Measure, "e"},
    {10550, 10550, K::Number, 0, C::ParameterNumber, ""},
    {10555, 10555, K::Number, kVar, C::Calculation, "N"},
    {10725, 10734, K::Number, 1, C::Measure, "H"},
    // coordinates, iterations, texts
    {10300, 10300, K::Coordinates, 1, C::Coordinates, "p"},
    {11900, 11900, K::Iteration, kVar, C::Iteration, "*"},
    {20000, 20000, K::Text, 0, C::Text, ""},
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
                TypeCodeInfo& info = out[i++];
                info = TypeCodeInfo{code,
                                    r.kind,
                                    r.parentCount,
                                    r.elementClass,
                                    r.elementClass == C::Measure,
                                    r.elementClass == C::IntersectionPoint,
                                    {}};
                std::string kinds = r.parentKinds ? r.parentKinds : "";
                if (!r.parentKinds)
                    kinds = kindLetter(r.kind) + std::string(kTransformationParents[code % 10]);
                std::copy(kinds.begin(), kinds.end(), info.parentKinds.begin());
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

bool acceptsParentKind(const TypeCodeInfo& info, int parentIndex, ElementKind kind) {
    if (parentIndex < 0) return false;
    // Variable-count codes take every parent of the one listed kind set.
    const bool variable = info.parentCount == kVariableParentCount;
    if (!variable && parentIndex >= info.parentCount) return false;
    const char letter = info.parentKinds[variable ? 0 : static_cast<std::size_t>(parentIndex)];
    const int k = static_cast<int>(kind);
    switch (letter) {
        case 'p':
            return k == 1;
        case 'v':
            return k == 2;
        case 'g':
            return k == 3;
        case 'l':
            return k == 4;
        case 'r':
            return k == 5;
        case 's':
            return k >= 2 && k <= 5;
        case 't':
            return k == 2 || k == 3;
        case 'c':
            return k == 6;
        case 'a':
            return k == 7;
        case 'k':
            return k == 6 || k == 7;
        case 'o':
            return k == 8;
        case 'f':
            return k == 9;
        case 'F':
            return k == 9 || k == 10;
        case 'y':
            return k == 10;
        case 'R':
            return k == 11;
        case 'H':
            return k == 12;
        case 'e':
            return k == 13;
        case 'i':
            return k == 14;
        case 'n':
            return k == 15;
        case 'q':
            return k == 14 || k == 15;
        case 'N':
            return k == 18;
        case 'C':
            return k == 19;
        case 'O':
            return (k >= 2 && k <= 10) || (k >= 13 && k <= 15);
        case 'd':
            return k == 1 || k == 18;
        case '*':
            return k >= 1 && k <= kKindCount;
        default:
            return false;
    }
}

const char* elementClassName(ElementClass elementClass) {
    static constexpr const char* kNames[] = {"",
                                             "Point",
                                             "IntersectionPoint",
                                             "PointOnObject",
                                             "StraightElement",
                                             "Circle",
                                             "Arc",
                                             "Conic",
                                             "Plane",
                                             "Polygon",
                                             "RegularPolygon",
                                             "RegularPolyhedron",
                                             "Sphere",
                                             "Cylinder",
                                             "Cone",
                                             "Locus",
                                             "SurfaceLocus",
                                             "NumberElement",
                                             "Measure",
                                             "ParameterNumber",
                                             "Calculation",
                                             "Coordinates",
                                             "Iteration",
                                             "Text"};
    const auto i = static_cast<std::size_t>(elementClass);
    return i < std::size(kNames) ? kNames[i] : "";
}
