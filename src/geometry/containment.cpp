#include "geometry/containment.h"

#include <cmath>

#include "geometry/geometry2d.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"

int isOnSegment(Vec3 x, Vec3 a, Vec3 b, Vec3& nearest) {
    if (dotProduct(a - x, b - x) <= kPointEps) return 1;
    nearest = distance(x, b) > distance(x, a) ? a : b;
    return 0;
}

int isOnRay(Vec3 x, Vec3 a, Vec3 b, Vec3& nearest) {
    if (dotProduct(a - x, b - a) <= kPointEps) return 1;
    nearest = a;
    return 0;
}

int isOnArc(Vec3 x, Vec3 a, Vec3 m, Vec3 b) {
    if (distance(x, a) <= kSnapEps || distance(x, b) <= kSnapEps) return 1;
    Vec3 y;
    if (!linesMeet(x, m, a, b, y)) return 1;
    Vec3 nearest;
    return isOnSegment(y, a, b, nearest) ? 0 : 1;
}

namespace {

// The two-pass test over any vertex source, so the spatial version needs no copy.
template <typename VertexAt>
int pointInPolygonOf(Vec2 x, int n, VertexAt vertexAt) {
    if (n < 1) return 0;
    for (int i = 0; i < n; ++i) {
        const Vec2 v = vertexAt(i);
        const Vec2 w = vertexAt(i + 1 < n ? i + 1 : 0);
        if (std::fabs(distance2d(x, v) + distance2d(x, w) - distance2d(v, w)) < kPointEps) return 1;
    }
    int crossings = 0;
    for (int l = 0; l < n; ++l) {
        const Vec2 vl = vertexAt(l);
        const Vec2 vm = vertexAt(l + 1 < n ? l + 1 : 0);
        if (vm.x == vl.x) continue;
        const double yCross = (x.x - vl.x) * (vm.y - vl.y) / (vm.x - vl.x) + vl.y;
        const bool spans = (vl.x <= x.x && x.x < vm.x) || (vm.x <= x.x && x.x < vl.x);
        if (spans && yCross > x.y) ++crossings;
    }
    return crossings % 2 == 1 ? 1 : 0;
}

}  // namespace

int pointInPolygon2d(Vec2 x, int n, const Vec2* vertices) {
    if (vertices == nullptr) return 0;
    return pointInPolygonOf(x, n, [vertices](int i) { return vertices[i]; });
}

int pointInPolygon(Vec3 x, int n, const Vec3* vertices, Vec3 p0, Vec3 p1, Vec3 p2) {
    PlaneFrame frame;
    if (vertices == nullptr || !planeFrameOf(p0, p1, p2, frame)) return 0;
    const Vec3 mapped = toFrameCoordinates(frame, x);
    return pointInPolygonOf({mapped.x, mapped.y}, n, [&frame, vertices](int i) {
        const Vec3 v = toFrameCoordinates(frame, vertices[i]);
        return Vec2{v.x, v.y};
    });
}
