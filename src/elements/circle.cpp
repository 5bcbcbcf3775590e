#include "elements/circle.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "elements/point.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "elements/style_tables.h"
#include "elements/transformation.h"
#include "geometry/angles.h"
#include "geometry/containment.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/intersections_spheres_circles.h"
#include "geometry/linear_system.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/transformations.h"
#include "geometry/vectors.h"
#include "model/canvas.h"
#include "model/construction.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Ring segments and pick chords of a circle of radius r.
constexpr int kMaxRingSegments = 1999;
constexpr int kMaxCirclePickChords = 199;
// Drawing pieces and pick chords of an arc.
constexpr int kMinArcPieces = 29;
constexpr int kMaxArcDrawPieces = 399;
constexpr int kMaxArcPickChords = 199;
// How far a circle's label sits in front of its anchor point.
constexpr double kLabelLift = 0.1;

int pieceCountFromLength(double value, int limit) {
    // trunc of a huge or non-finite value must not overflow the int conversion.
    if (!(value < static_cast<double>(limit))) return limit;
    return static_cast<int>(std::trunc(value));
}

// The circle through three points: centre and unit normal of their plane.
struct CircleThrough3 {
    Vec3 centre;
    Vec3 normal;
};

bool circleThrough3(Vec3 p1, Vec3 p2, Vec3 p3, CircleThrough3& result) {
    if (!isTriangle(p1, p2, p3)) return false;
    const Vec3 n = unitNormal(p1, p2, p3).end;
    PlaneEquation plane, bisector12, bisector13;
    if (!planeThrough3(p1, p2, p3, plane)) return false;
    if (!planeThroughPointNormal(p1, p2, midpoint(p1, p2), bisector12)) return false;
    if (!planeThroughPointNormal(p1, p3, midpoint(p1, p3), bisector13)) return false;
    Vec3 centre;
    if (!intersectThreePlanes(plane, bisector12, bisector13, centre)) return false;
    result = {centre, n};
    return true;
}

// The angle about the axis (through centre, along direction) from `from` to x, in
// [0, 2π): the unsigned angle at the centre, replaced by 2π − θ when turning `from`
// by θ does not land on x. x is first taken onto the circle through `from`, so that a
// point near the circle gets the angle of the circle point nearest it. 0 when the
// angle cannot be computed.
double angleOnCircle(Vec3 from, Vec3 centre, Vec3 direction, Vec3 x) {
    const double lengthSquared = dotProduct(direction, direction);
    if (!(lengthSquared > 0.0)) return 0.0;
    Vec3 inPlane = x - centre;
    inPlane = inPlane - direction * (dotProduct(inPlane, direction) / lengthSquared);
    const double radius = norm(from - centre);
    const double offset = norm(inPlane);
    if (offset > 0.0) x = centre + inPlane * (radius / offset);
    double theta = 0.0;
    if (!angleAtVertex(from, centre, x, theta)) return 0.0;
    Vec3 turned;
    if (!rotateAboutAxis(from, centre, centre + direction, theta, turned)) return 0.0;
    if (isDistinct(turned, x)) theta = kTwoPi - theta;
    return theta;
}

// The pick test shared by circles and arcs: chords from `start`, each turned by `step`
// about the axis, pushed back onto the curve. The first chord point within tolerance of
// the ray decides; otherwise the point nearest the ray is reported without a hit.
int hitChords(Vec3 start, Vec3 centre, Vec3 axisDirection, double radius, int chords, double step,
              double tubeRadius, const PickRay& ray, int projection, Vec3& hitPoint) {
    // Every curve point lies within radius of the centre, so a ray farther from
    // the centre than the radius and the widest tolerance misses them all.
    const double widest = tubeRadius * curveDepthFactor(distance(ray.nearPoint, centre) + radius, projection);
    if (clearlyFartherFromLine(centre, ray.nearPoint, ray.farPoint, radius + widest)) return 0;
    const Vec3 axisEnd = centre + axisDirection;
    double nearestDistance = std::numeric_limits<double>::infinity();
    Vec3 nearest = start;
    bool haveNearest = false;
    Vec3 a = start;
    for (int i = 1; i <= chords; ++i) {
        Vec3 b;
        if (!rotateAboutAxis(start, centre, axisEnd, step * i, b)) return 0;
        Vec3 onChord, onRay;
        double gap = 0.0;
        if (closestPointsOfLines(a, b, ray.nearPoint, ray.farPoint, onChord, onRay, gap)) {
            Vec3 end;
            if (!isOnSegment(onChord, a, b, end)) onChord = end;
            const Vec3 candidate = pointTowards(centre, onChord, radius);
            Vec3 foot;
            double offRay = 0.0;
            if (footOnLine(candidate, ray.nearPoint, ray.farPoint, foot, offRay)) {
                const double depth = distance(ray.nearPoint, candidate);
                if (offRay < tubeRadius * curveDepthFactor(depth, projection)) {
                    Vec3 unused;
                    if (!isOnRay(candidate, ray.nearPoint, ray.farPoint, unused)) return 0;
                    hitPoint = candidate;
                    return 1;
                }
                if (offRay < nearestDistance) {
                    nearestDistance = offRay;
                    nearest = candidate;
                    haveNearest = true;
                }
            }
        }
        a = b;
    }
    if (haveNearest) hitPoint = nearest;
    return 0;
}

}  // namespace

// ---------------------------------------------------------------- Circle

Circle::Circle(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Circle::clone() const {
    return std::unique_ptr<Element>(new Circle(*this));
}

void Circle::recompute(Construction&, const RecomputeContext& context) {
    switch (typeCode()) {
        case TypeCode::CircleThreePoints: {
            const Vec3 p1 = positionOf(parents[0]);
            CircleThrough3 c;
            if (!circleThrough3(p1, positionOf(parents[1]), positionOf(parents[2]), c)) {
                defined = 0;
                return;
            }
            centre = c.centre;
            axisA = c.centre;
            axisB = c.centre + c.normal;
            radius = distance(c.centre, positionOf(parents[1]));
            refPoint = p1;
            defined = 1;
            return;
        }
        case TypeCode::CircleAboutAxis: {
            const Vec3 p = positionOf(parents[0]);
            const StraightElement& axis = asStraight(parents[1]);
            Vec3 foot;
            double d = 0.0;
            if (!footOnLine(p, axis.pointA, axis.pointB, foot, d) || std::fabs(d) <= kPointEps) {
                defined = 0;
                return;
            }
            axisA = axis.pointA;
            axisB = axis.pointB;
            centre = foot;
            radius = d;
            refPoint = p;
            defined = 1;
            return;
        }
        case TypeCode::CircleOfTwoSpheres:
        case TypeCode::CircleOfSphereAndPlane:
            recomputeSection();
            return;
        default:
            recomputeImage(context.angleUnit);
            return;
    }
}

void Circle::recomputeImage(int angleUnit) {
    if (!isImageTypeCode(typeCode())) {
        defined = 0;
        return;
    }
    // The axis points are mapped too, so that angles on the image are measured
    // from the image of refPoint about the image of the axis.
    const Circle& source = *static_cast<const Circle*>(parents[0]);
    const std::array<Vec3, 4> points{source.centre, source.refPoint, source.axisA, source.axisB};
    std::array<Vec3, 4> images;
    if (!imagesOf(*this, angleUnit, points, images)) {
        defined = 0;
        return;
    }
    centre = images[0];
    refPoint = images[1];
    axisA = images[2];
    axisB = images[3];
    radius = source.radius;
    defined = 1;
}

void Circle::draw(std::uint32_t colour, int, Canvas& canvas) {
    const Vec3 normal = unitVector(axisA, axisB).end;
    canvas.ring(centre, normal, radius, ringSegments(), colour, size, shape);
}

int Circle::ringSegments() const {
    return pieceCountFromLength((radius + 1.0) * 25.0, kMaxRingSegments);
}

void Circle::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    if (!hasName()) return;
    Vec3 opposite;
    reflectInPoint(refPoint, centre, opposite);
    canvas.label(canvas.towardsViewer(opposite, kLabelLift), *name(), labelColour);
}

int Circle::pickChords() const {
    return std::max(1, pieceCountFromLength((radius + 1.0) * 25.0, kMaxCirclePickChords));
}

// Every point a hit reports lies on the circle within the widest tolerance of
// the ray's line. Where the line meets the circle's plane (at an angle whose sine
// is s), it is then within that tolerance times (1 + 1/s) of such a point, so
// its distance from the centre differs from the radius by no more.
bool Circle::mayHit(const PickRay& ray, int projection) const {
    const double widest =
        lineRadius(size) * curveDepthFactor(distance(ray.nearPoint, centre) + radius, projection);
    if (clearlyFartherFromLine(centre, ray.nearPoint, ray.farPoint, radius + widest)) return false;
    const Vec3 axis = axisB - axisA, along = ray.farPoint - ray.nearPoint;
    const double axisLength = norm(axis), alongLength = norm(along);
    if (!(axisLength > 0.0) || !(alongLength > 0.0)) return true;
    const Vec3 normal = axis * (1.0 / axisLength), u = along * (1.0 / alongLength);
    const double sine = std::fabs(dotProduct(normal, u));
    if (!(sine > 0.05)) return true;  // nearly along the plane: no bound worth having
    const Vec3 meet =
        ray.nearPoint + u * (dotProduct(centre - ray.nearPoint, normal) / dotProduct(u, normal));
    const double off = std::fabs(norm(meet - centre) - radius);
    return !(off > widest * (1.0 + 1.0 / sine) * (1.0 + 1e-6) + kPointEps);
}

int Circle::hitTest(int, int, const PickRay& ray, int projection, Vec3& hitPoint) {
    const int n = pickChords();
    return hitChords(refPoint, centre, axisB - axisA, radius, n, kTwoPi / n, lineRadius(size), ray,
                     projection, hitPoint);
}

int Circle::write(OutputStream& out) const {
    return writeBase(out);
}

int Circle::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion);
}

std::array<Vec3, 3> Circle::supportPlane() const {
    Vec3 points[3];
    if (!perpendicularPlanePoints(axisA, axisB, centre, points)) return {};
    return {points[0], points[1], points[2]};
}

int Circle::parameterOf(const Vec3& point, double& param1, double& param2) const {
    param1 = angleOnCircle(refPoint, centre, axisB - axisA, point);
    param2 = 0.0;
    return 1;
}

int Circle::pointAt(double param1, double, Vec3& point) const {
    return rotateAboutAxis(refPoint, centre, centre + (axisB - axisA), param1, point);
}

// ---------------------------------------------------------------- Arc

Arc::Arc(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Arc::clone() const {
    return std::unique_ptr<Element>(new Arc(*this));
}

void Arc::recompute(Construction&, const RecomputeContext& context) {
    if (typeCode() == TypeCode::ArcThreePoints) {
        defined = rebuild(positionOf(parents[0]), positionOf(parents[1]), positionOf(parents[2])) ? 1 : 0;
        return;
    }
    // An image is rebuilt from the images of the source's three points,
    // in their order, so it runs from the image of the start to the image of the end.
    if (!isImageTypeCode(typeCode())) {
        defined = 0;
        return;
    }
    const Arc& source = *static_cast<const Arc*>(parents[0]);
    const std::array<Vec3, 3> points{source.point1, source.point2, source.point3};
    std::array<Vec3, 3> images;
    defined = imagesOf(*this, context.angleUnit, points, images) && rebuild(images[0], images[1], images[2])
                  ? 1
                  : 0;
}

bool Arc::rebuild(Vec3 p1, Vec3 p2, Vec3 p3) {
    CircleThrough3 c;
    if (!circleThrough3(p1, p2, p3, c)) return false;
    double angle = 0.0;
    if (!angleAtVertex(p1, c.centre, p3, angle)) return false;
    const Vec3 end = c.centre + c.normal;
    Vec3 turned;
    if (!rotateAboutAxis(p1, c.centre, end, angle, turned)) return false;
    if (isDistinct(turned, p3)) angle = kTwoPi - angle;
    point1 = p1;
    point2 = p2;
    point3 = p3;
    centre = c.centre;
    startPoint = p1;
    radius = distance(c.centre, p2);
    sweep = angle;
    axisA = c.centre;
    axisB = end;
    return true;
}

int Arc::drawPieces() const {
    return std::clamp(10 * pieceCountFromLength(radius * sweep, kMaxArcDrawPieces), kMinArcPieces,
                      kMaxArcDrawPieces);
}

int Arc::pickChords() const {
    return std::clamp(10 * pieceCountFromLength(radius * sweep, kMaxArcPickChords), kMinArcPieces,
                      kMaxArcPickChords);
}

void Arc::draw(std::uint32_t colour, int projection, Canvas& canvas) {
    const int n = drawPieces();
    const double step = sweep / n;
    Vec3 a = startPoint;
    for (int i = 1; i <= n; ++i) {
        Vec3 b;
        if (!rotateAboutAxis(startPoint, axisA, axisB, step * i, b)) return;
        canvas.segment(a, b, colour, size, shape, projection, i < n);
        a = b;
    }
}

void Arc::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    Vec3 anchor;
    if (!hasName() || !pointAt(0.5, 0.0, anchor)) return;
    canvas.label(canvas.towardsViewer(anchor, kLabelLift), *name(), labelColour);
}

int Arc::hitTest(int, int, const PickRay& ray, int projection, Vec3& hitPoint) {
    const int n = pickChords();
    return hitChords(startPoint, centre, axisB - axisA, radius, n, sweep / n, lineRadius(size), ray,
                     projection, hitPoint);
}

int Arc::write(OutputStream& out) const {
    return writeBase(out);
}

int Arc::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion);
}

std::array<Vec3, 3> Arc::supportPlane() const {
    return {point1, point2, point3};
}

int Arc::parameterOf(const Vec3& point, double& param1, double& param2) const {
    if (!(sweep > 0.0)) return 0;
    param1 = angleOnCircle(startPoint, centre, axisB - axisA, point) / sweep;
    param2 = 0.0;
    return 1;
}

int Arc::pointAt(double param1, double, Vec3& point) const {
    return rotateAboutAxis(startPoint, axisA, axisB, param1 * sweep, point);
}

void Circle::recomputeSection() {
    const Sphere& sphere = *static_cast<const Sphere*>(parents[0]);
    Vec3 c, point, a, b;
    if (typeCode() == TypeCode::CircleOfTwoSpheres) {
        const Sphere& other = *static_cast<const Sphere*>(parents[1]);
        if (!intersectSpheres(sphere.centre, sphere.surfacePoint, other.centre, other.surfacePoint, c,
                              point)) {
            defined = 0;
            return;
        }
        a = sphere.centre;
        b = other.centre;
    } else {
        const std::array<Vec3, 3> plane = parents[1]->supportPlane();
        Vec3 normal;
        if (!intersectSpherePlane(plane[0], plane[1], plane[2], sphere.centre, sphere.surfacePoint, c, normal,
                                  point)) {
            defined = 0;
            return;
        }
        a = c;
        b = c + normal;
    }
    centre = c;
    refPoint = point;
    radius = distance(point, c);
    axisA = a;
    axisB = b;
    defined = 1;
}
