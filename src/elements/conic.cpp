#include "elements/conic.h"

#include "elements/point.h"
#include "elements/solids.h"
#include "elements/transformation.h"
#include "geometry/conic_analysis.h"
#include "geometry/conic_point.h"
#include "geometry/intersections_quadrics.h"
#include "geometry/planes_frames.h"
#include "model/canvas.h"
#include "model/construction.h"

namespace {

// Where the label sits: on the curve, lifted towards the viewer.
constexpr double kLabelParameter = 0.25;
constexpr double kLabelLift = 0.1;

}  // namespace

Conic::Conic(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Conic::clone() const {
    return std::unique_ptr<Element>(new Conic(*this));
}

void Conic::recompute(Construction&, const RecomputeContext& context) {
    Vec3 points[5];
    switch (typeCode()) {
        case TypeCode::ConicFivePoints:
            for (int i = 0; i < 5; ++i) points[i] = positionOf(parents[static_cast<std::size_t>(i)]);
            break;
        case TypeCode::ConicPlaneSection:
            if (!sectionPoints(points)) {
                defined = 0;
                return;
            }
            break;
        default:
            // An image: the images of the source's five points, in order.
            if (!isImageTypeCode(typeCode()) ||
                !imagesOf(*this, context.angleUnit, static_cast<const Conic*>(parents[0])->definingPoints,
                          points)) {
                defined = 0;
                return;
            }
            break;
    }
    defined = rebuild(points) ? 1 : 0;
}

bool Conic::rebuild(const Vec3 (&points)[5]) {
    ConicCurve fitted;
    if (!analyseConic(points, fitted)) return false;
    for (int i = 0; i < 5; ++i) definingPoints[i] = points[i];
    curve = fitted;
    return true;
}

void Conic::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    Vec3 anchor;
    if (!hasName() || !pointAt(kLabelParameter, 0.0, anchor)) return;
    canvas.label(canvas.towardsViewer(anchor, kLabelLift), *name(), labelColour);
}

int Conic::write(OutputStream& out) const {
    return writeBase(out);
}

int Conic::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion);
}

std::array<Vec3, 3> Conic::supportPlane() const {
    return {curve.planePoints[0], curve.planePoints[1], curve.planePoints[2]};
}

int Conic::parameterOf(const Vec3& point, double& param1, double& param2) const {
    double t = 0.0;
    if (!conicParameter(curve, point, t)) return 0;
    param1 = t;
    param2 = 0.0;
    return 1;
}

int Conic::pointAt(double param1, double, Vec3& point) const {
    return conicPoint(curve, param1, point);
}

int Conic::centreInSpace(Vec3& centre) const {
    if (curve.type == ConicType::kNone) return 0;
    Vec2 c;
    if (!conicCentre(curve.coefficients, c)) return 0;
    centre = fromFrameCoordinates(curve.frame, {c.x, c.y, curve.level});
    return 1;
}

std::array<Vec3, 4> Conic::linePoints() const {
    std::array<Vec3, 4> points;
    for (std::size_t i = 0; i < 4; ++i) {
        points[i] = fromFrameCoordinates(curve.frame, {curve.lines[i].x, curve.lines[i].y, curve.level});
    }
    return points;
}

namespace {

// Five points on a pair of lines, three on the first, so that the fitted conic is
// that line pair: P0, P0 + u, P0 + 2u on the first line, Q0, Q0 + v on the second.
void pointsOnLines(Vec3 p0, Vec3 u, Vec3 q0, Vec3 v, Vec3 (&points)[5]) {
    points[0] = p0;
    points[1] = p0 + u;
    points[2] = p0 + 2.0 * u;
    points[3] = q0;
    points[4] = q0 + v;
}

}  // namespace

// A section made of two lines (a plane along a cylinder's axis, or through a cone's
// apex) is handed to the fit as five points on those lines, which gives a line pair.
bool Conic::sectionPoints(Vec3 (&points)[5]) const {
    const std::array<Vec3, 3> plane = parents[0]->supportPlane();
    PlaneSection section;
    if (parents[1]->kind() == ElementKind::Cylinder) {
        const Cylinder& cylinder = *static_cast<const Cylinder*>(parents[1]);
        if (!sectionPlaneCylinder(cylinder.baseCentre, cylinder.topCentre, cylinder.rimPoint, cylinder.radius,
                                  plane[0], plane[1], plane[2], section)) {
            return false;
        }
        if (section.shape == SectionShape::kParallelLines) {
            const Vec3 along = cylinder.topCentre - cylinder.baseCentre;
            pointsOnLines(section.points[0], along, section.points[1], along, points);
            return true;
        }
    } else {
        const Cone& cone = *static_cast<const Cone*>(parents[1]);
        if (!sectionPlaneCone(cone.baseCentre, cone.apex, cone.rimPoint, cone.baseRadius, plane[0], plane[1],
                              plane[2], section)) {
            return false;
        }
        if (section.shape == SectionShape::kLinesThroughApex) {
            const Vec3 apex = section.points[2];
            pointsOnLines(section.points[0], section.points[0] - apex, section.points[1],
                          section.points[1] - apex, points);
            return true;
        }
    }
    for (int i = 0; i < 5; ++i) points[i] = section.points[i];
    return true;
}
