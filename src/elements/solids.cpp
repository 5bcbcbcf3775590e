#include "elements/solids.h"

#include <cmath>
#include <numbers>

#include "elements/point.h"
#include "elements/straight_element.h"
#include "elements/transformation.h"
#include "geometry/angles.h"
#include "geometry/containment.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/intersections_quadrics.h"
#include "geometry/intersections_spheres_circles.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/transformations.h"
#include "geometry/vectors.h"
#include "model/canvas.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// A sphere above this radius is drawn kSphereInset smaller, so curves on it stay visible.
constexpr double kSphereInsetAbove = 0.005;
constexpr double kSphereInset = 0.001;
// How far a solid's label sits in front of its anchor point.
constexpr double kLabelLift = 0.1;

// The angle at `centre` from `from` to `to` about the axis through centre along
// direction, for a rotation in the sense of rotateAboutAxis: the unsigned angle θ,
// and whether turning `from` by θ misses `to` (then the angle is really −θ).
// Both arms are compared as directions, so the points need not be equally far.
// Returns 0 when an arm is too short to give an angle.
int angleAboutAxis(Vec3 from, Vec3 centre, Vec3 direction, Vec3 to, double& theta, bool& reversed) {
    double angle = 0.0;
    if (!angleAtVertex(from, centre, to, angle)) return 0;
    Vec3 turned;
    if (!rotateAboutAxis(from, centre, centre + direction, angle, turned)) return 0;
    reversed = isDistinct(unitVector(centre, turned).end, unitVector(centre, to).end);
    theta = angle;
    return 1;
}

// The angle about the axis A→B from the rim point to x, in [0, 2π), measured at
// the foot of x on the axis (rim point carried to the foot's level); 0 when x lies
// on the axis.
double angleAroundAxis(Vec3 rim, Vec3 base, Vec3 axisA, Vec3 axisB, Vec3 foot, Vec3 x) {
    double theta = 0.0;
    bool reversed = false;
    const Vec3 rimAtFoot = rim + (foot - base);
    if (!angleAboutAxis(rimAtFoot, foot, axisB - axisA, x, theta, reversed)) return 0.0;
    return reversed ? kTwoPi - theta : theta;
}

// The point of a surface of revolution about the segment A B nearest the ray's line:
// from the axis point nearest the line (kept on the segment) outwards, towards the
// line, by the radius that radiusAt gives there.
template <typename RadiusAt>
Vec3 nearestOnSurface(const PickRay& ray, Vec3 a, Vec3 b, Vec3 rim, RadiusAt radiusAt) {
    Vec3 onRay, onAxis;
    double gap = 0.0;
    if (!closestPointsOfLines(ray.nearPoint, ray.farPoint, a, b, onRay, onAxis, gap)) return rim;
    Vec3 outwards = onRay - onAxis;
    if (!(gap > kPointEps)) {
        // The line crosses the axis: any side will do; take the side of the ray's origin.
        Vec3 foot;
        double d = 0.0;
        outwards = footOnLine(ray.nearPoint, a, b, foot, d) && d > kPointEps ? ray.nearPoint - foot : rim - a;
    }
    Vec3 end;
    if (!isOnSegment(onAxis, a, b, end)) onAxis = end;
    return pointTowards(onAxis, onAxis + outwards, radiusAt(onAxis));
}

// Of two intersections of the ray's line with a lateral surface, the one nearest the
// ray's origin that lies in front of it and whose foot on the axis lies on the segment A B.
int frontOnSegment(const PickRay& ray, int count, const Vec3 (&found)[2], Vec3 a, Vec3 b, Vec3& hit) {
    int best = -1;
    double bestDepth = 0.0;
    for (int i = 0; i < count; ++i) {
        Vec3 unused, foot;
        double d = 0.0;
        if (!isOnRay(found[i], ray.nearPoint, ray.farPoint, unused)) continue;
        if (!footOnLine(found[i], a, b, foot, d) || !isOnSegment(foot, a, b, unused)) continue;
        const double depth = distance(ray.nearPoint, found[i]);
        if (best < 0 || depth < bestDepth) {
            best = i;
            bestDepth = depth;
        }
    }
    if (best < 0) return 0;
    hit = found[best];
    return 1;
}

}  // namespace

// ---------------------------------------------------------------- Sphere

Sphere::Sphere(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Sphere::clone() const {
    return std::unique_ptr<Element>(new Sphere(*this));
}

void Sphere::recompute(Construction&, const RecomputeContext& context) {
    if (typeCode() != TypeCode::SphereCentrePoint) {
        // An image: centre and surface point mapped, the radius kept.
        if (!isImageTypeCode(typeCode())) {
            defined = 0;
            return;
        }
        const Sphere& source = *static_cast<const Sphere*>(parents[0]);
        const std::array<Vec3, 2> points{source.centre, source.surfacePoint};
        std::array<Vec3, 2> images;
        if (!imagesOf(*this, context.angleUnit, points, images)) {
            defined = 0;
            return;
        }
        centre = images[0];
        surfacePoint = images[1];
        radius = source.radius;
        defined = 1;
        return;
    }
    centre = positionOf(parents[0]);
    surfacePoint = positionOf(parents[1]);
    radius = distance(centre, surfacePoint);
    defined = 1;
}

void Sphere::draw(std::uint32_t colour, int, Canvas& canvas) {
    canvas.sphere(centre, radius > kSphereInsetAbove ? radius - kSphereInset : radius, colour);
}

void Sphere::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    if (!hasName()) return;
    canvas.label(canvas.towardsViewer(surfacePoint, kLabelLift), *name(), labelColour);
}

int Sphere::hitTest(int, int, const PickRay& ray, int, Vec3& hitPoint) {
    Vec3 first, second;
    if (intersectLineSphere(ray.nearPoint, ray.farPoint, centre, surfacePoint, first, second) > 0) {
        Vec3 unused;
        if (!isOnRay(first, ray.nearPoint, ray.farPoint, unused)) return 0;
        hitPoint = first;
        return 1;
    }
    // The line misses: the sphere's point nearest to it, without a hit.
    Vec3 foot;
    double d = 0.0;
    if (footOnLine(centre, ray.nearPoint, ray.farPoint, foot, d))
        hitPoint = pointTowards(centre, foot, radius);
    return 0;
}

int Sphere::parameterOf(const Vec3& point, double& param1, double& param2) const {
    const Vec3 vertical{0.0, 0.0, 1.0};
    const Vec3 start = centre + Vec3{radius, 0.0, 0.0};
    // Longitude β about the vertical through the centre, from the +x side.
    double beta = 0.0;
    bool reversed = false;
    const Vec3 level{point.x, point.y, centre.z};
    if (angleAboutAxis(centre + Vec3{1.0, 0.0, 0.0}, centre, vertical, level, beta, reversed) && reversed)
        beta = kTwoPi - beta;
    Vec3 back = point;
    if (!rotateAboutAxis(point, centre, centre + vertical, -beta, back)) return 0;
    // Latitude α: the signed angle from the start point about (0, −1, 0).
    double alpha = 0.0;
    if (angleAboutAxis(start, centre, Vec3{0.0, -1.0, 0.0}, back, alpha, reversed) && reversed)
        alpha = -alpha;
    param1 = alpha;
    param2 = beta;
    return 1;
}

int Sphere::pointAt(double param1, double param2, Vec3& point) const {
    Vec3 p = centre + Vec3{radius, 0.0, 0.0};
    if (!rotateAboutAxis(p, centre, centre + Vec3{0.0, -1.0, 0.0}, param1, p)) return 0;
    if (!rotateAboutAxis(p, centre, centre + Vec3{0.0, 0.0, 1.0}, param2, p)) return 0;
    point = p;
    return 1;
}

// ---------------------------------------------------------------- Cylinder

Cylinder::Cylinder(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Cylinder::clone() const {
    return std::unique_ptr<Element>(new Cylinder(*this));
}

void Cylinder::recompute(Construction&, const RecomputeContext& context) {
    if (typeCode() != TypeCode::CylinderAboutAxis) {
        // An image: the axis ends and the rim point mapped, the radius kept.
        if (!isImageTypeCode(typeCode())) {
            defined = 0;
            return;
        }
        const Cylinder& source = *static_cast<const Cylinder*>(parents[0]);
        const std::array<Vec3, 3> points{source.baseCentre, source.topCentre, source.rimPoint};
        std::array<Vec3, 3> images;
        if (!imagesOf(*this, context.angleUnit, points, images)) {
            defined = 0;
            return;
        }
        baseCentre = images[0];
        topCentre = images[1];
        rimPoint = images[2];
        radius = source.radius;
        defined = 1;
        return;
    }
    const Vec3 p = positionOf(parents[0]);
    const StraightElement& axis = asStraight(parents[1]);
    Vec3 foot;
    double d = 0.0;
    if (!footOnLine(p, axis.pointA, axis.pointB, foot, d)) {
        defined = 0;
        return;
    }
    baseCentre = axis.pointA;
    topCentre = axis.pointB;
    radius = d;
    rimPoint = baseCentre + (p - foot);
    defined = 1;
}

void Cylinder::draw(std::uint32_t colour, int, Canvas& canvas) {
    canvas.cylinder(baseCentre, unitVector(baseCentre, topCentre).end, radius, radius,
                    distance(baseCentre, topCentre), colour);
}

void Cylinder::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    if (!hasName()) return;
    canvas.label(canvas.towardsViewer(rimPoint, kLabelLift), *name(), labelColour);
}

int Cylinder::hitTest(int, int, const PickRay& ray, int, Vec3& hitPoint) {
    Vec3 found[2];
    const int count =
        intersectLineCylinder(ray.nearPoint, ray.farPoint, baseCentre, topCentre, radius, found[0], found[1]);
    if (frontOnSegment(ray, count, found, baseCentre, topCentre, hitPoint)) return 1;
    hitPoint = nearestOnSurface(ray, baseCentre, topCentre, rimPoint, [this](Vec3) { return radius; });
    return 0;
}

int Cylinder::parameterOf(const Vec3& point, double& param1, double& param2) const {
    Vec3 foot;
    double d = 0.0;
    if (!footOnLine(point, baseCentre, topCentre, foot, d)) return 0;
    Vec3 unused;
    param1 = angleAroundAxis(rimPoint, baseCentre, baseCentre, topCentre, foot, point);
    param2 = isOnRay(foot, baseCentre, topCentre, unused) ? distance(baseCentre, foot)
                                                          : -distance(baseCentre, foot);
    return 1;
}

int Cylinder::pointAt(double param1, double param2, Vec3& point) const {
    Vec3 turned;
    if (!rotateAboutAxis(rimPoint, baseCentre, topCentre, param1, turned)) return 0;
    point = turned + param2 * unitVector(baseCentre, topCentre).end;
    return 1;
}

// ---------------------------------------------------------------- Cone

Cone::Cone(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Cone::clone() const {
    return std::unique_ptr<Element>(new Cone(*this));
}

void Cone::recompute(Construction&, const RecomputeContext& context) {
    if (typeCode() != TypeCode::ConeThroughPoint) {
        // An image: base centre, apex and rim point mapped, the base radius kept.
        if (!isImageTypeCode(typeCode())) {
            defined = 0;
            return;
        }
        const Cone& source = *static_cast<const Cone*>(parents[0]);
        const std::array<Vec3, 3> points{source.baseCentre, source.apex, source.rimPoint};
        std::array<Vec3, 3> images;
        if (!imagesOf(*this, context.angleUnit, points, images)) {
            defined = 0;
            return;
        }
        baseCentre = images[0];
        apex = images[1];
        rimPoint = images[2];
        baseRadius = source.baseRadius;
        defined = 1;
        return;
    }
    const Vec3 p = positionOf(parents[0]);
    const Vec3 q = positionOf(parents[1]);
    const Vec3 v = positionOf(parents[2]);
    Vec3 foot;
    double r = 0.0;
    if (!footOnLine(p, q, v, foot, r) || !(distance(v, foot) > 0.0) || !(r > 0.0)) {
        defined = 0;
        return;
    }
    baseCentre = q;
    apex = v;
    // The generator from the apex through P meets the base circle at this radius.
    baseRadius = r * distance(v, q) / distance(v, foot);
    rimPoint = q + baseRadius * unitVector(foot, p).end;
    defined = 1;
}

void Cone::draw(std::uint32_t colour, int, Canvas& canvas) {
    canvas.cylinder(baseCentre, unitVector(baseCentre, apex).end, baseRadius, 0.0, distance(baseCentre, apex),
                    colour);
}

void Cone::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    if (!hasName()) return;
    canvas.label(canvas.towardsViewer(apex, kLabelLift), *name(), labelColour);
}

int Cone::hitTest(int, int, const PickRay& ray, int, Vec3& hitPoint) {
    Vec3 found[2];
    const int count = intersectLineCone(ray.nearPoint, ray.farPoint, apex, baseCentre, baseCentre, apex,
                                        baseRadius, found[0], found[1]);
    if (frontOnSegment(ray, count, found, baseCentre, apex, hitPoint)) return 1;
    const double height = distance(baseCentre, apex);
    hitPoint = nearestOnSurface(ray, baseCentre, apex, rimPoint, [this, height](Vec3 onAxis) {
        return height > 0.0 ? distance(apex, onAxis) * baseRadius / height : 0.0;
    });
    return 0;
}

int Cone::parameterOf(const Vec3& point, double& param1, double& param2) const {
    Vec3 foot;
    double d = 0.0;
    if (!footOnLine(point, apex, baseCentre, foot, d)) return 0;
    Vec3 unused;
    param1 = angleAroundAxis(rimPoint, baseCentre, baseCentre, apex, foot, point);
    param2 = isOnRay(foot, apex, baseCentre, unused) ? distance(apex, foot) : -distance(apex, foot);
    return 1;
}

int Cone::pointAt(double param1, double param2, Vec3& point) const {
    const double height = distance(baseCentre, apex);
    if (!(height > 0.0)) return 0;
    Vec3 turned;
    if (!rotateAboutAxis(rimPoint, baseCentre, apex, param1, turned)) return 0;
    const Vec3 h = apex + param2 * unitVector(apex, baseCentre).end;
    point = h + (distance(h, apex) * baseRadius / height) * unitVector(baseCentre, turned).end;
    return 1;
}
