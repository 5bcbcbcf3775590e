#include "elements/plane.h"

#include <cmath>
#include <numbers>

#include "elements/point.h"
#include "elements/straight_element.h"
#include "elements/style_tables.h"
#include "elements/transformation.h"
#include "geometry/containment.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/vectors.h"
#include "model/byte_stream.h"
#include "model/canvas.h"

namespace {

// How far the plane's label sits in front of the first corner of its square.
constexpr double kLabelLift = 0.1;

}  // namespace

// ---------------------------------------------------------------- plane coordinates

int planeParametersOf(const std::array<Vec3, 3>& support, const Vec3& point, double& s, double& u) {
    const Vec3 o = support[0];
    const Vec3 p1 = support[1];
    const Vec3 p2 = support[2];
    if (!isTriangle(o, p1, p2)) return 0;
    // The line through the point parallel to one side meets the other side.
    Vec3 onParallel, onSide1, onSide2;
    double gap = 0.0;
    if (closestPointsOfLines(point, point + (p2 - o), o, p1, onParallel, onSide1, gap) != 1) return 0;
    if (closestPointsOfLines(point, point + (p1 - o), o, p2, onParallel, onSide2, gap) != 1) return 0;
    Vec3 unused;
    double first = distance(o, onSide1);
    double second = distance(o, onSide2);
    if (!isOnRay(onSide1, o, p1, unused)) first = -first;
    if (!isOnRay(onSide2, o, p2, unused)) second = -second;
    s = first;
    u = second;
    return 1;
}

Vec3 planePointAt(const std::array<Vec3, 3>& support, double s, double u) {
    return support[0] + s * unitVector(support[0], support[1]).end +
           u * unitVector(support[0], support[2]).end;
}

// ---------------------------------------------------------------- Plane

Plane::Plane(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Plane::clone() const {
    return std::unique_ptr<Element>(new Plane(*this));
}

void Plane::recompute(Construction&, const RecomputeContext& context) {
    Vec3 points[3];
    switch (typeCode()) {
        case TypeCode::PlaneThreePoints:
            for (std::size_t i = 0; i < 3; ++i) points[i] = positionOf(parents[i]);
            break;
        case TypeCode::MediatorPlane: {
            const Vec3 a = positionOf(parents[0]);
            const Vec3 b = positionOf(parents[1]);
            const Vec3 m = midpoint(a, b);
            const Vec3 w = anyPerpendicular(a, b).end;
            points[0] = m;
            points[1] = m + w;
            points[2] = m + unitCross({}, b - a, {}, w).end;
            break;
        }
        case TypeCode::ParallelPlane: {
            const std::array<Vec3, 3> q = parents[0]->supportPlane();
            if (!parallelPlanePoints(q[0], q[1], q[2], positionOf(parents[1]), points)) {
                defined = 0;
                return;
            }
            break;
        }
        case TypeCode::PerpendicularPlane: {
            const StraightElement& line = asStraight(parents[0]);
            if (!perpendicularPlanePoints(line.pointA, line.pointB, positionOf(parents[1]), points)) {
                defined = 0;
                return;
            }
            break;
        }
        default: {
            // An image: the images of the source's three points.
            if (!isImageTypeCode(typeCode())) {
                defined = 0;
                return;
            }
            const Plane& source = *static_cast<const Plane*>(parents[0]);
            const std::array<Vec3, 3> sourcePoints{source.planePoint1, source.planePoint2,
                                                   source.planePoint3};
            if (!imagesOf(*this, context.angleUnit, sourcePoints, points)) {
                defined = 0;
                return;
            }
            break;
        }
    }
    defined = rebuild(points[0], points[1], points[2]) ? 1 : 0;
}

bool Plane::rebuild(Vec3 p1, Vec3 p2, Vec3 p3) {
    planePoint1 = p1;
    planePoint2 = p2;
    planePoint3 = p3;
    if (!isTriangle(planePoint1, planePoint2, planePoint3)) return false;
    updateCorners();
    return true;
}

void Plane::updateCorners() {
    const double d = planeExtent(size) * std::numbers::sqrt2;
    const Vec3 u = unitVector(planePoint1, planePoint2).end;
    const Vec3 n = unitNormal(planePoint1, planePoint2, planePoint3).end;
    const Vec3 v = unitCross({}, u, {}, n).end;
    corners = {planePoint1 + d * u, planePoint1 + d * v, planePoint1 - d * u, planePoint1 - d * v};
}

void Plane::draw(std::uint32_t colour, int, Canvas& canvas) {
    updateCorners();
    canvas.flatPolygon(corners, colour);
}

void Plane::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    if (!hasName()) return;
    canvas.label(canvas.towardsViewer(corners[0], kLabelLift), *name(), labelColour);
}

int Plane::hitTest(int, int, const PickRay& ray, int, Vec3& hitPoint) {
    Vec3 meet;
    if (!intersectLinePlane(ray.nearPoint, ray.farPoint, planePoint1, planePoint2, planePoint3, meet))
        return 0;
    Vec3 unused;
    if (!isOnRay(meet, ray.nearPoint, ray.farPoint, unused)) return 0;
    if (!pointInPolygon(meet, 4, corners.data(), planePoint1, planePoint2, planePoint3)) return 0;
    hitPoint = meet;
    return 1;
}

int Plane::write(OutputStream& out) const {
    return writeBase(out) && writeVec3(out, planePoint1) && writeVec3(out, planePoint2) &&
                   writeVec3(out, planePoint3)
               ? 1
               : 0;
}

int Plane::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion) && readVec3(in, planePoint1) && readVec3(in, planePoint2) &&
                   readVec3(in, planePoint3)
               ? 1
               : 0;
}

std::array<Vec3, 3> Plane::supportPlane() const {
    return {planePoint1, planePoint2, planePoint3};
}

int Plane::parameterOf(const Vec3& point, double& param1, double& param2) const {
    return planeParametersOf(supportPlane(), point, param1, param2);
}

int Plane::pointAt(double param1, double param2, Vec3& point) const {
    point = planePointAt(supportPlane(), param1, param2);
    return 1;
}
