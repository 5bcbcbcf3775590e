#include "elements/intersection_point.h"

#include <algorithm>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/intersection_codes.h"
#include "elements/plane.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "geometry/containment.h"
#include "geometry/intersections_conics.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/intersections_quadrics.h"
#include "geometry/intersections_spheres_circles.h"
#include "geometry/linear_system.h"
#include "geometry/planes_frames.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"
#include "model/byte_stream.h"
#include "model/type_codes.h"

namespace {

// A circle or an arc as the kernel takes it.
struct Round {
    Vec3 centre;
    Vec3 axisA;
    Vec3 axisB;
    double radius = 0.0;
};

Round roundOf(const Element* e) {
    if (e->kind() == ElementKind::Arc) {
        const Arc& arc = *static_cast<const Arc*>(e);
        return {arc.centre, arc.axisA, arc.axisB, arc.radius};
    }
    const Circle& circle = *static_cast<const Circle*>(e);
    return {circle.centre, circle.axisA, circle.axisB, circle.radius};
}

const ConicCurve& curveOf(const Element* e) {
    return static_cast<const Conic*>(e)->curve;
}

const Sphere& sphereOf(const Element* e) {
    return *static_cast<const Sphere*>(e);
}

// A polygon's own test, in the frame of its support plane.
bool insidePolygon(const Vec3& x, const Element* e) {
    const Polygon& polygon = *static_cast<const Polygon*>(e);
    const std::array<Vec3, 3> s = polygon.supportPlane();
    return pointInPolygon(x, static_cast<int>(polygon.vertices.size()), polygon.vertices.data(), s[0], s[1],
                          s[2]) != 0;
}

}  // namespace

int solveIntersection(TypeCode typeCode, const Element* const* parents, Vec3& first, Vec3& second) {
    switch (typeCode) {
        case TypeCode::LinePlanePoint: {
            const StraightElement& l = asStraight(parents[0]);
            const std::array<Vec3, 3> s = parents[1]->supportPlane();
            return intersectLinePlane(l.pointA, l.pointB, s[0], s[1], s[2], first);
        }
        case TypeCode::LineLinePoint: {
            const StraightElement& l1 = asStraight(parents[0]);
            const StraightElement& l2 = asStraight(parents[1]);
            return linesMeet(l1.pointA, l1.pointB, l2.pointA, l2.pointB, first);
        }
        case TypeCode::LineSpherePoint: {
            const StraightElement& l = asStraight(parents[0]);
            const Sphere& sphere = sphereOf(parents[1]);
            return intersectLineSphere(l.pointA, l.pointB, sphere.centre, sphere.surfacePoint, first, second);
        }
        case TypeCode::CircleSpherePoint: {
            const Round c = roundOf(parents[0]);
            const Sphere& sphere = sphereOf(parents[1]);
            return intersectCircleSphere(c.centre, c.axisA, c.axisB, c.radius, sphere.centre,
                                         sphere.surfacePoint, first, second);
        }
        case TypeCode::LineCylinderPoint: {
            const StraightElement& l = asStraight(parents[0]);
            const Cylinder& cylinder = *static_cast<const Cylinder*>(parents[1]);
            return intersectLineCylinder(l.pointA, l.pointB, cylinder.baseCentre, cylinder.topCentre,
                                         cylinder.radius, first, second);
        }
        case TypeCode::LineConePoint: {
            // The base circle's axis is the cone's axis, base centre towards apex.
            const StraightElement& l = asStraight(parents[0]);
            const Cone& cone = *static_cast<const Cone*>(parents[1]);
            return intersectLineCone(l.pointA, l.pointB, cone.apex, cone.baseCentre, cone.baseCentre,
                                     cone.apex, cone.baseRadius, first, second);
        }
        case TypeCode::CirclePlanePoint: {
            const Round c = roundOf(parents[0]);
            const std::array<Vec3, 3> s = parents[1]->supportPlane();
            return intersectCirclePlane(c.centre, c.axisA, c.axisB, c.radius, s[0], s[1], s[2], first,
                                        second);
        }
        case TypeCode::CircleCirclePoint: {
            const Round c1 = roundOf(parents[0]);
            const Round c2 = roundOf(parents[1]);
            return intersectCircles(c1.centre, c1.axisA, c1.axisB, c1.radius, c2.centre, c2.axisA, c2.axisB,
                                    c2.radius, first, second);
        }
        case TypeCode::LineCirclePoint: {
            const StraightElement& l = asStraight(parents[0]);
            const Round c = roundOf(parents[1]);
            return intersectLineCircle(l.pointA, l.pointB, c.centre, c.axisA, c.axisB, c.radius, first,
                                       second);
        }
        case TypeCode::ThreePlanesPoint: {
            PlaneEquation e[3];
            for (int i = 0; i < 3; ++i) {
                const std::array<Vec3, 3> s = parents[i]->supportPlane();
                if (!planeThrough3(s[0], s[1], s[2], e[i])) return 0;
            }
            return intersectThreePlanes(e[0], e[1], e[2], first);
        }
        case TypeCode::LineConicPoint: {
            const StraightElement& l = asStraight(parents[0]);
            return intersectLineConic(l.pointA, l.pointB, curveOf(parents[1]), first, second);
        }
        case TypeCode::PlaneConicPoint: {
            const std::array<Vec3, 3> s = parents[0]->supportPlane();
            return intersectPlaneConic(s[0], s[1], s[2], curveOf(parents[1]), first, second);
        }
        default:
            return 0;
    }
}

namespace {

// ---- which points lie on an element because of how it is built

// The parents of e at the given positions, into out; their number.
int parentsAt(const Element* e, ParentPositions positions, const Element* (&out)[kMaxFixedParents]) {
    int n = 0;
    for (std::size_t i = 0; i < e->parents.size() && i < kMaxFixedParents; ++i) {
        const Element* p = e->parents[i];
        if ((positions >> i & 1u) != 0 && p != nullptr) out[n++] = p;
    }
    return n;
}

int pointsOnByConstruction(const Element* e, const Element* (&points)[kMaxFixedParents]) {
    const TypeCodeInfo* row = typeCodeInfo(e->typeCode());
    return row ? parentsAt(e, row->pointsOn, points) : 0;
}

bool liesOnByConstruction(const Element* point, const Element* element) {
    const Element* points[kMaxFixedParents];
    const int n = pointsOnByConstruction(element, points);
    if (std::find(points, points + n, point) != points + n) return true;
    const TypeCodeInfo* row = typeCodeInfo(point->typeCode());
    const Element* carriers[kMaxFixedParents];
    const int m = row ? parentsAt(point, row->liesOn, carriers) : 0;
    return std::find(carriers, carriers + m, element) != carriers + m;
}

int sharedPointCount(const Element* a, const Element* b, const Element*& shared) {
    const Element* found[2 * kMaxFixedParents];
    int count = 0;
    auto collect = [&](const Element* from, const Element* other) {
        const Element* points[kMaxFixedParents];
        const int n = pointsOnByConstruction(from, points);
        for (int i = 0; i < n; ++i) {
            if (!liesOnByConstruction(points[i], other)) continue;
            if (std::find(found, found + count, points[i]) == found + count) found[count++] = points[i];
        }
    };
    collect(a, b);
    collect(b, a);
    if (count > 0) shared = found[0];
    return count;
}

// ---- bounded parents

bool insideBoundedParents(const Vec3& x, const std::vector<Element*>& parents) {
    for (const Element* p : parents) {
        Vec3 nearest;
        switch (p->kind()) {
            case ElementKind::Vector:
            case ElementKind::Segment:
                if (!isOnSegment(x, asStraight(p).pointA, asStraight(p).pointB, nearest)) return false;
                break;
            case ElementKind::Ray:
                if (!isOnRay(x, asStraight(p).pointA, asStraight(p).pointB, nearest)) return false;
                break;
            case ElementKind::Arc: {
                const Arc& arc = *static_cast<const Arc*>(p);
                if (!isOnArc(x, arc.point1, arc.point2, arc.point3)) return false;
                break;
            }
            case ElementKind::Polygon:
                if (!insidePolygon(x, p)) return false;
                break;
            default:
                break;
        }
    }
    return true;
}

}  // namespace

// ---- IntersectionPoint

IntersectionPoint::IntersectionPoint(TypeCode typeCode, const KindStyle& style, int rootIndex)
    : Point(typeCode, style), rootIndex(rootIndex) {}

std::unique_ptr<Element> IntersectionPoint::clone() const {
    return std::unique_ptr<Element>(new IntersectionPoint(*this));
}

void IntersectionPoint::recompute(Construction&, const RecomputeContext&) {
    Vec3 first, second;
    const int n = solveIntersection(typeCode(), parents.data(), first, second);
    if (!hasTwoRoots(typeCode())) {
        if (n != 1) {
            defined = 0;
            return;
        }
        position = first;
    } else {
        if (n < 1 || (rootIndex != 0 && n < 2)) {
            defined = 0;
            return;
        }
        const Element* shared = nullptr;
        if (n == 2 && sharedPointCount(parents[0], parents[1], shared) == 1) {
            // A point both parents pass through by construction is known already:
            // this element stands for the other one, whatever its root index.
            position = distance(first, positionOf(shared)) >= kPointEps ? first : second;
        } else {
            position = rootIndex == 0 ? first : second;
        }
    }
    defined = insideBoundedParents(position, parents) ? 1 : 0;
}

int IntersectionPoint::write(OutputStream& out) const {
    return Point::write(out) && writeI32(out, rootIndex) ? 1 : 0;
}

int IntersectionPoint::read(InputStream& in, int fileVersion) {
    if (!Point::read(in, fileVersion) || !readI32(in, rootIndex)) return 0;
    if (rootIndex != 0 && rootIndex != 1) {
        in.fail("an intersection point has a root index other than 0 or 1");
        return 0;
    }
    return 1;
}
