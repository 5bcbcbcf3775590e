#include "expr/measures.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "elements/circle.h"
#include "elements/plane.h"
#include "elements/point.h"
#include "elements/regular_solids.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "expr/expression_eval.h"
#include "geometry/angles.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/projections.h"
#include "geometry/vectors.h"
#include "model/construction.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The edge of a regular polyhedron: the distance between its first two generated
// vertices, the two elements that follow it in its construction.
bool polyhedronEdge(const Construction& construction, const Element* solid, double& edge) {
    const Element* first = construction.next(solid);
    const Element* second = first ? construction.next(first) : nullptr;
    for (const Element* v : {first, second}) {
        if (v == nullptr || v->typeCode() != TypeCode::RegularPolyhedronVertex || v->parents.size() != 1 ||
            v->parents[0] != solid || !isDefined(v))
            return false;
    }
    edge = distance(positionOf(first), positionOf(second));
    return true;
}

double perimeter(std::span<const Vec3> vertices) {
    double sum = 0.0;
    for (std::size_t i = 0; i < vertices.size(); ++i)
        sum += distance(vertices[i], vertices[(i + 1) % vertices.size()]);
    return sum;
}

// Surface area and volume of the five regular solids from their edge.
double solidArea(TypeCode code, double a) {
    const double a2 = a * a;
    switch (code) {
        case TypeCode::TetrahedronArea:
            return std::sqrt(3.0) * a2;
        case TypeCode::CubeArea:
            return 6.0 * a2;
        case TypeCode::OctahedronArea:
            return 2.0 * std::sqrt(3.0) * a2;
        case TypeCode::DodecahedronArea:
            return 3.0 * std::sqrt(5.0 * (5.0 + 2.0 * std::sqrt(5.0))) * a2;
        default:
            return 5.0 * std::sqrt(3.0) * a2;  // icosahedron
    }
}

double solidVolume(TypeCode code, double a) {
    const double a3 = a * a * a;
    switch (code) {
        case TypeCode::TetrahedronVolume:
            return std::sqrt(2.0) / 12.0 * a3;
        case TypeCode::CubeVolume:
            return a3;
        case TypeCode::OctahedronVolume:
            return std::sqrt(2.0) / 3.0 * a3;
        case TypeCode::DodecahedronVolume:
            return (15.0 + 7.0 * std::sqrt(5.0)) / 4.0 * a3;
        default:
            return 5.0 * (3.0 + std::sqrt(5.0)) / 12.0 * a3;  // icosahedron
    }
}

// The formula of the measure before the document's units; false when the
// kernel cannot compute it. Parents are of the kinds the code lists.
bool rawMeasure(const Construction& construction, const Element& m, double& out) {
    const auto& p = m.parents;
    switch (m.typeCode()) {
        case TypeCode::PointPointDistance:
            out = distance(positionOf(p[0]), positionOf(p[1]));
            return true;
        case TypeCode::PointLineDistance: {
            const StraightElement& line = asStraight(p[1]);
            Vec3 foot;
            return footOnLine(positionOf(p[0]), line.pointA, line.pointB, foot, out) != 0;
        }
        case TypeCode::PointPlaneDistance: {
            const auto plane = p[1]->supportPlane();
            Vec3 foot;
            return footOnPlane(positionOf(p[0]), plane[0], plane[1], plane[2], foot, out) != 0;
        }
        case TypeCode::LineLineDistance: {
            const StraightElement& a = asStraight(p[0]);
            const StraightElement& b = asStraight(p[1]);
            Vec3 onA, onB;
            // Parallel lines (status 2) have a distance too.
            return closestPointsOfLines(a.pointA, a.pointB, b.pointA, b.pointB, onA, onB, out) != 0;
        }
        case TypeCode::SegmentLength:
            out = distance(asStraight(p[0]).pointA, asStraight(p[0]).pointB);
            return true;
        case TypeCode::CircleLength:
            out = 2.0 * kPi * static_cast<const Circle*>(p[0])->radius;
            return true;
        case TypeCode::ArcLength: {
            const auto* arc = static_cast<const Arc*>(p[0]);
            out = arc->radius * arc->sweep;
            return true;
        }
        case TypeCode::PolygonPerimeter:
            out = perimeter(static_cast<const Polygon*>(p[0])->vertices);
            return true;
        case TypeCode::ThreePointAngle:
            return angleAtVertex(positionOf(p[0]), positionOf(p[1]), positionOf(p[2]), out) != 0;
        case TypeCode::LinePlaneAngle: {
            const StraightElement& line = asStraight(p[0]);
            const auto plane = p[1]->supportPlane();
            return angleLinePlane(line.pointA, line.pointB, plane[0], plane[1], plane[2], out) != 0;
        }
        case TypeCode::PlanePlaneAngle: {
            const auto r = p[0]->supportPlane();
            const auto s = p[1]->supportPlane();
            return anglePlanePlane(r[0], r[1], r[2], s[0], s[1], s[2], out) != 0;
        }
        case TypeCode::CircleArea: {
            const double r = static_cast<const Circle*>(p[0])->radius;
            out = kPi * r * r;
            return true;
        }
        case TypeCode::PolygonArea:
            return planarPolygonArea(static_cast<const Polygon*>(p[0])->vertices, out);
        case TypeCode::SphereArea: {
            const double r = static_cast<const Sphere*>(p[0])->radius;
            out = 4.0 * kPi * r * r;
            return true;
        }
        case TypeCode::SphereVolume: {
            const double r = static_cast<const Sphere*>(p[0])->radius;
            out = 4.0 / 3.0 * kPi * r * r * r;
            return true;
        }
        default:
            break;
    }
    double edge = 0.0;
    const TypeCode code = m.typeCode();
    if (code < TypeCode::TetrahedronArea || code > TypeCode::IcosahedronVolume ||
        !polyhedronEdge(construction, p[0], edge))
        return false;
    out = code <= TypeCode::IcosahedronArea ? solidArea(code, edge) : solidVolume(code, edge);
    return true;
}

}  // namespace

MeasureDimension measureDimension(TypeCode typeCode) {
    switch (typeCode) {
        case TypeCode::ThreePointAngle:
        case TypeCode::LinePlaneAngle:
        case TypeCode::PlanePlaneAngle:
            return MeasureDimension::kAngle;
        case TypeCode::CircleArea:
        case TypeCode::PolygonArea:
        case TypeCode::SphereArea:
            return MeasureDimension::kArea;
        case TypeCode::SphereVolume:
            return MeasureDimension::kVolume;
        default:
            break;
    }
    if (typeCode >= TypeCode::TetrahedronArea && typeCode <= TypeCode::IcosahedronArea)
        return MeasureDimension::kArea;
    if (typeCode >= TypeCode::TetrahedronVolume && typeCode <= TypeCode::IcosahedronVolume)
        return MeasureDimension::kVolume;
    return MeasureDimension::kLength;
}

bool planarPolygonArea(std::span<const Vec3> vertices, double& area) {
    std::vector<Vec3> flat(vertices.begin(), vertices.end());
    const int n = static_cast<int>(flat.size());
    Vec3 span[3];
    if (!findPlaneOfPoints(n, flat.data(), span) ||
        !toPlaneFrame(n, flat.data(), span[0], span[1], span[2], flat.data()))
        return false;
    double twice = 0.0;
    for (std::size_t i = 0; i < flat.size(); ++i) {
        const Vec3& a = flat[i];
        const Vec3& b = flat[(i + 1) % flat.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    area = std::abs(twice) / 2.0;
    return true;
}

Measure::Measure(TypeCode typeCode, const KindStyle& style) : NumberElement(typeCode, style) {}

std::unique_ptr<Element> Measure::clone() const {
    return std::unique_ptr<Element>(new Measure(*this));
}

void Measure::recompute(Construction& construction, const RecomputeContext& context) {
    double raw = 0.0;
    if (!rawMeasure(construction, *this, raw)) {
        defined = 0;
        valueDefined = 0;
        return;
    }
    switch (measureDimension(typeCode())) {
        case MeasureDimension::kLength:
            raw *= context.unitScale;
            break;
        case MeasureDimension::kArea:
            raw *= context.unitScale * context.unitScale;
            break;
        case MeasureDimension::kVolume:
            raw *= context.unitScale * context.unitScale * context.unitScale;
            break;
        case MeasureDimension::kAngle:
            raw = radiansToAngle(raw, context.angleUnit);
            break;
    }
    value = snapToZero(raw);
    defined = 1;
    valueDefined = 1;
}
