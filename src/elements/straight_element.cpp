#include "elements/straight_element.h"

#include <algorithm>

#include "elements/point.h"
#include "elements/style_tables.h"
#include "elements/transformation.h"
#include "geometry/bound_vector.h"
#include "geometry/containment.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"
#include "model/byte_stream.h"
#include "model/canvas.h"

namespace {

// Vectors and segments stop at both ends, rays at A, lines nowhere.
double clampParameter(ElementKind kind, double t) {
    switch (kind) {
        case ElementKind::Vector:
        case ElementKind::Segment:
            return std::clamp(t, 0.0, 1.0);
        case ElementKind::Ray:
            return std::max(t, 0.0);
        default:
            return t;
    }
}

}  // namespace

StraightElement::StraightElement(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> StraightElement::clone() const {
    return std::unique_ptr<Element>(new StraightElement(*this));
}

void StraightElement::recompute(Construction&, const RecomputeContext& context) {
    defined = 1;
    switch (typeCode()) {
        case TypeCode::VectorTwoPoints:
        case TypeCode::SegmentTwoPoints:
        case TypeCode::LineTwoPoints:
        case TypeCode::RayTwoPoints:
            pointA = positionOf(parents[0]);
            pointB = positionOf(parents[1]);
            break;
        case TypeCode::ParallelLine: {
            const StraightElement& l = asStraight(parents[0]);
            const BoundVector placed = placeVector(l.pointA, l.pointB, positionOf(parents[1]));
            pointA = placed.start;
            pointB = placed.end;
            break;
        }
        case TypeCode::PerpendicularToLine: {
            const StraightElement& l = asStraight(parents[0]);
            const Vec3 p = positionOf(parents[1]);
            Vec3 foot;
            double d = 0.0;
            if (!footOnLine(p, l.pointA, l.pointB, foot, d)) {
                defined = 0;
                return;
            }
            pointA = p;
            pointB = foot;
            break;
        }
        case TypeCode::PerpendicularToPlane: {
            const std::array<Vec3, 3> s = parents[0]->supportPlane();
            const Vec3 p = positionOf(parents[1]);
            pointA = p;
            pointB = p + unitNormal(s[0], s[1], s[2]).end;
            break;
        }
        case TypeCode::VectorSum: {
            const StraightElement& v1 = asStraight(parents[0]);
            const StraightElement& v2 = asStraight(parents[1]);
            const BoundVector sum = vectorSum({v1.pointA, v1.pointB}, {v2.pointA, v2.pointB});
            const BoundVector placed = placeVector(sum.start, sum.end, positionOf(parents[2]));
            pointA = placed.start;
            pointB = placed.end;
            break;
        }
        case TypeCode::PlanesIntersectionLine: {
            const std::array<Vec3, 3> s1 = parents[0]->supportPlane();
            const std::array<Vec3, 3> s2 = parents[1]->supportPlane();
            PlaneEquation e1, e2;
            Vec3 p, q;
            if (!planeThrough3(s1[0], s1[1], s1[2], e1) || !planeThrough3(s2[0], s2[1], s2[2], e2) ||
                !intersectPlanes(e1, e2, p, q)) {
                defined = 0;
                return;
            }
            pointA = p;
            pointB = q;
            break;
        }
        default: {
            // The images 108x0 … 108x4; any other code names no straight element.
            if (!isImageTypeCode(typeCode())) {
                defined = 0;
                return;
            }
            const StraightElement& source = asStraight(parents[0]);
            const std::array<Vec3, 2> points{source.pointA, source.pointB};
            std::array<Vec3, 2> images;
            if (!imagesOf(*this, context.angleUnit, points, images)) {
                defined = 0;
                return;
            }
            pointA = images[0];
            pointB = images[1];
            break;
        }
    }
    defined = isDistinct(pointA, pointB);
}

namespace {

// Where the drawn stretch of the line AB is centred: where the line passes the
// view ray through the window's top left pixel, so the stretch reaches out of
// the visible region on both sides.
Vec3 stretchCentre(Vec3 a, Vec3 b, int projection, const Canvas& canvas) {
    const Vec3 nearPoint = canvas.unproject(0, 0, 0.0003);
    const Vec3 farPoint = canvas.unproject(0, 0, 0.9999);
    Vec3 r = a;
    double d = 0.0;
    if (projection == 1) {
        Vec3 onView;
        if (closestPointsOfLines(nearPoint, farPoint, a, b, onView, r, d)) return r;
    }
    footOnLine(nearPoint, a, b, r, d);
    return r;
}

}  // namespace

double StraightElement::stretchHalfLength(int projection) {
    return projection == 1 ? 499.0 : 99.0;
}

void drawLineStretch(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int projection,
                     Canvas& canvas) {
    const Vec3 u = unitVector(a, b).end;
    const double e = StraightElement::stretchHalfLength(projection);
    const Vec3 r = stretchCentre(a, b, projection, canvas);
    canvas.segment(r - e * u, r + e * u, colour, size, shape, projection, false);
}

void StraightElement::draw(std::uint32_t colour, int projection, Canvas& canvas) {
    switch (kind()) {
        case ElementKind::Vector:
            canvas.arrow(pointA, pointB, colour, size, shape, projection);
            return;
        case ElementKind::Segment:
            canvas.segment(pointA, pointB, colour, size, shape, projection, false);
            return;
        case ElementKind::Line:
            drawLineStretch(pointA, pointB, colour, size, shape, projection, canvas);
            return;
        case ElementKind::Ray: {
            const Vec3 u = unitVector(pointA, pointB).end;
            const double e = stretchHalfLength(projection);
            const Vec3 r = stretchCentre(pointA, pointB, projection, canvas);
            Vec3 behind;
            const Vec3 end = isOnRay(r, pointA, pointB, behind) ? r + e * u : pointA + e * u;
            canvas.segment(pointA, end, colour, size, shape, projection, false);
            return;
        }
        default:
            return;
    }
}

void StraightElement::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    if (!hasName()) return;
    canvas.label(canvas.towardsViewer(pointB, 0.1), *name(), labelColour);
}

int StraightElement::hitTest(int, int, const PickRay& ray, int projection, Vec3& hitPoint) {
    Vec3 onRay, onElement;
    double gap = 0.0;
    if (!closestPointsOfLines(ray.nearPoint, ray.farPoint, pointA, pointB, onRay, onElement, gap)) return 0;
    Vec3 nearest;
    if (!isOnRay(onElement, ray.nearPoint, ray.farPoint, nearest)) return 0;
    if ((kind() == ElementKind::Vector || kind() == ElementKind::Segment) &&
        !isOnSegment(onElement, pointA, pointB, nearest)) {
        hitPoint = nearest;
        return 0;
    }
    // Thin lines stay as easy to pick as size t2.
    const double radius = std::max(lineRadius(size), lineRadius(1));
    const double k = depthFactor(distance(ray.nearPoint, onElement), projection);
    if (!(radius * k > gap)) return 0;
    hitPoint = onElement;
    return 1;
}

int StraightElement::write(OutputStream& out) const {
    return writeBase(out) && writeVec3(out, pointA) && writeVec3(out, pointB) ? 1 : 0;
}

int StraightElement::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion) && readVec3(in, pointA) && readVec3(in, pointB) ? 1 : 0;
}

int StraightElement::parameterOf(const Vec3& point, double& param1, double& param2) const {
    const double length = distance(pointA, pointB);
    if (length == 0.0) return 0;
    double t = distance(pointA, point) / length;
    if (dotProduct(pointA - point, pointB - pointA) > kPointEps) t = -t;
    param1 = clampParameter(kind(), t);
    param2 = 0.0;
    return 1;
}

int StraightElement::pointAt(double param1, double, Vec3& point) const {
    const double t = clampParameter(kind(), param1);
    point = pointTowards(pointA, pointB, t * distance(pointA, pointB));
    return 1;
}
