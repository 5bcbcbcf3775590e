#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "elements/plane.h"
#include "elements/point.h"
#include "elements/transformation.h"
#include "geometry/containment.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"
#include "model/byte_stream.h"
#include "model/canvas.h"

namespace {

// Consecutive vertices this close are drawn as one.
constexpr double kDuplicateVertexGap = 0.0001;
// How far the polygon's label sits in front of its first vertex.
constexpr double kLabelLift = 0.1;
// The largest vertex count accepted from a file for a polygon whose vertices are
// not its parents (an image of another polygon); a polygon of points has as many
// vertices as parents.
constexpr std::uint32_t kMaxImageVertexCount = 100000;

// The point of the segment AB nearest to X.
Vec3 nearestOnEdge(Vec3 x, Vec3 a, Vec3 b) {
    Vec3 foot;
    double d = 0.0;
    if (!footOnLine(x, a, b, foot, d)) return a;
    Vec3 end;
    return isOnSegment(foot, a, b, end) ? foot : end;
}

}  // namespace

Polygon::Polygon(TypeCode typeCode, const KindStyle& style, int count)
    : Element(typeCode, style, count), vertexCount(std::max(0, count)) {
    vertices.assign(static_cast<std::size_t>(vertexCount), Vec3{});
}

std::size_t Polygon::memoryBytes() const {
    return Element::memoryBytes() + vertices.capacity() * sizeof(Vec3);
}

std::unique_ptr<Element> Polygon::clone() const {
    return std::unique_ptr<Element>(new Polygon(*this));
}

void Polygon::recompute(Construction&, const RecomputeContext& context) {
    if (typeCode() == TypeCode::PolygonVertices) {
        if (parents.size() != vertices.size()) {
            defined = 0;
            return;
        }
        for (std::size_t i = 0; i < vertices.size(); ++i) vertices[i] = positionOf(parents[i]);
        defined = chooseSupportPoints() ? 1 : 0;
        return;
    }
    // An image has the source's vertex count and the images of its
    // vertices in order; the first vertex that cannot be mapped ends it.
    if (!isImageTypeCode(typeCode())) {
        defined = 0;
        return;
    }
    const Polygon& source = *static_cast<const Polygon*>(parents[0]);
    std::vector<Vec3> images(source.vertices.size());
    if (!imagesOf(*this, context.angleUnit, source.vertices, images)) {
        defined = 0;
        return;
    }
    defined = rebuild(images) ? 1 : 0;
}

bool Polygon::rebuild(std::span<const Vec3> points) {
    vertices.assign(points.begin(), points.end());
    vertexCount = static_cast<std::int32_t>(vertices.size());
    return chooseSupportPoints();
}

bool Polygon::chooseSupportPoints() {
    Vec3 span[3];
    if (!findPlaneOfPoints(vertexCount, vertices.data(), span)) return false;
    supportPoints = {span[0], span[1], span[2]};
    return true;
}

void Polygon::draw(std::uint32_t colour, int, Canvas& canvas) {
    std::vector<Vec3> kept;
    kept.reserve(vertices.size());
    for (const Vec3& v : vertices) {
        if (kept.empty() || distance(kept.back(), v) > kDuplicateVertexGap) kept.push_back(v);
    }
    if (kept.size() > 1 && distance(kept.back(), kept.front()) <= kDuplicateVertexGap) kept.pop_back();
    if (kept.size() < 3) return;
    const Vec3 normal = unitNormal(supportPoints[0], supportPoints[1], supportPoints[2]).end;
    canvas.tessellatedPolygon(kept, normal, colour);
}

void Polygon::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    if (!hasName() || vertices.empty()) return;
    canvas.label(canvas.towardsViewer(vertices.front(), kLabelLift), *name(), labelColour);
}

// A hit lies inside the polygon or within kPointEps (by the sum of distances to
// an edge's ends) of its boundary: within the ball about the vertices' middle
// that holds them all, widened by what that slack allows beside an edge.
bool Polygon::mayHit(const PickRay& ray, int) const {
    if (vertices.empty()) return false;
    Vec3 sum{};
    for (const Vec3& v : vertices) sum = sum + v;
    const Vec3 middle = sum * (1.0 / static_cast<double>(vertices.size()));
    double reach = 0.0;
    for (const Vec3& v : vertices) reach = std::max(reach, norm(v - middle));
    const double slack = std::sqrt(kPointEps * (2.0 * reach + kPointEps)) + kPointEps;
    return !clearlyFartherFromLine(middle, ray.nearPoint, ray.farPoint, 2.0 * (reach + slack));
}

int Polygon::hitTest(int, int, const PickRay& ray, int, Vec3& hitPoint) {
    if (vertices.empty()) return 0;
    const auto& [s0, s1, s2] = supportPoints;
    Vec3 meet;
    if (!intersectLinePlane(ray.nearPoint, ray.farPoint, s0, s1, s2, meet)) return 0;
    Vec3 unused;
    if (!isOnRay(meet, ray.nearPoint, ray.farPoint, unused)) return 0;
    if (pointInPolygon(meet, vertexCount, vertices.data(), s0, s1, s2)) {
        hitPoint = meet;
        return 1;
    }
    // Outside: report the nearest boundary point, so that a point dragged on the
    // polygon stays on it.
    double best = std::numeric_limits<double>::infinity();
    Vec3 nearest = vertices.front();
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const Vec3 candidate = nearestOnEdge(meet, vertices[i], vertices[(i + 1) % vertices.size()]);
        const double d = distance(meet, candidate);
        if (d < best) {
            best = d;
            nearest = candidate;
        }
    }
    hitPoint = nearest;
    return 0;
}

int Polygon::write(OutputStream& out) const {
    return writeBase(out) && writeU32(out, static_cast<std::uint32_t>(vertexCount)) ? 1 : 0;
}

int Polygon::read(InputStream& in, int fileVersion) {
    std::uint32_t count = 0;
    if (!readBase(in, fileVersion) || !readU32(in, count)) return 0;
    if (typeCode() == TypeCode::PolygonVertices) {
        if (count != static_cast<std::uint32_t>(parentCount())) {
            in.fail("a polygon's vertex count differs from its number of vertices");
            return 0;
        }
    } else if (count > kMaxImageVertexCount) {
        in.fail("a polygon has too many vertices");
        return 0;
    }
    vertexCount = static_cast<std::int32_t>(count);
    vertices.assign(count, Vec3{});
    return 1;
}

std::array<Vec3, 3> Polygon::supportPlane() const {
    return supportPoints;
}

int Polygon::parameterOf(const Vec3& point, double& param1, double& param2) const {
    return planeParametersOf(supportPoints, point, param1, param2);
}

int Polygon::pointAt(double param1, double param2, Vec3& point) const {
    if (vertices.size() < 2) return 0;
    const Vec3 inPlane = planePointAt(supportPoints, param1, param2);
    const auto& [s0, s1, s2] = supportPoints;
    point = pointInPolygon(inPlane, vertexCount, vertices.data(), s0, s1, s2)
                ? inPlane
                : midpoint(vertices[0], vertices[1]);
    return 1;
}
