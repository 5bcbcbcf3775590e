#pragma once

// A document of 10,000 mixed elements, built in code: clusters of free points,
// each carrying a segment, line, circle, plane, polygon or sphere, and a few
// midpoints; the first point, the "dragged" one, has 2,000 dependants (segments
// and midpoints to other points). Shared by the selection and drag benchmarks.

#include <cstdint>
#include <vector>

#include "elements/point.h"
#include "io/element_factory.h"
#include "model/document.h"

namespace bench_scene {

inline constexpr int kElements = 10000;
inline constexpr int kDependants = 2000;

// A fixed pseudo-random sequence, so every run builds the same scene.
class Sequence {
  public:
    double between(double low, double high) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 53);
    }

  private:
    std::uint64_t state_ = 20240611;
};

inline Element* add(Document& document, TypeCode typeCode, std::vector<Element*> parents, int shape = 0) {
    Element* e =
        appendElement(document.construction(), typeCode, parents, KindStyle{0, 1, shape, 0, 0x2060C0});
    if (e) e->defined = 1;
    return e;
}

inline Point* addPoint(Document& document, Vec3 at) {
    auto* p = static_cast<Point*>(add(document, TypeCode::FreePoint, {}));
    p->position = at;
    return p;
}

// Returns the dragged point (the first element). Without surfaces, segments
// stand for the planes, polygons and spheres.
inline Point* fillMixedScene(Document& document, bool surfaces = true) {
    Sequence random;
    Point* dragged = addPoint(document, {0.0, 0.0, 0.5});
    std::vector<Point*> points;
    int figure = 0;
    const int others = kElements - 1 - kDependants;
    while (document.construction().count() + 4 <= others) {
        const Vec3 centre{random.between(-5, 5), random.between(-5, 5), random.between(-2, 2)};
        Point* c[3];
        for (Point*& p : c) {
            p = addPoint(document, centre + Vec3{random.between(-0.6, 0.6), random.between(-0.6, 0.6),
                                                 random.between(-0.6, 0.6)});
            points.push_back(p);
        }
        const int kind = figure++ % 8;
        switch (!surfaces && kind >= 3 && kind <= 5 ? 0 : kind) {
            case 0:
                add(document, TypeCode::SegmentTwoPoints, {c[0], c[1]});
                break;
            case 1:
                add(document, TypeCode::LineTwoPoints, {c[1], c[2]}, 1);
                break;
            case 2:
                add(document, TypeCode::CircleThreePoints, {c[0], c[1], c[2]});
                break;
            case 3:
                add(document, TypeCode::PlaneThreePoints, {c[0], c[1], c[2]});
                break;
            case 4:
                add(document, TypeCode::PolygonVertices, {c[0], c[1], c[2]});
                break;
            case 5:
                add(document, TypeCode::SphereCentrePoint, {c[0], c[1]});
                break;
            default:
                add(document, TypeCode::MidpointTwoPoints, {c[0], c[2]});
                break;
        }
    }
    while (document.construction().count() < others) points.push_back(addPoint(document, {1, 1, 1}));
    for (int i = 0; document.construction().count() < kElements; ++i) {
        Point* other = points[static_cast<std::size_t>(i) % points.size()];
        add(document, i % 2 == 0 ? TypeCode::SegmentTwoPoints : TypeCode::MidpointTwoPoints,
            {dragged, other});
    }
    document.recompute();
    document.startHistory();
    return dragged;
}

}  // namespace bench_scene
