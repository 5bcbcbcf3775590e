#include "elements/point.h"

#include <algorithm>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/number_parent.h"
#include "elements/style_tables.h"
#include "elements/transformation.h"
#include "geometry/conic_analysis.h"
#include "geometry/containment.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/vectors.h"
#include "model/byte_stream.h"
#include "model/canvas.h"

namespace {

// Numbers given in the document's units become model units. The document keeps
// its scale at 0.01 or more; the floor only guards against a division by zero.
double toModelUnits(double value, double scale) {
    return value / std::max(scale, 0.01);
}

// The centre of the conic: where both partial derivatives of its equation vanish,
// mapped back to space at the plane's level. 0 when that system is singular.
int conicCentreInSpace(const Conic& conic, Vec3& centre) {
    Vec2 c;
    if (!conicCentre(conic.curve.coefficients, c)) return 0;
    centre = fromFrameCoordinates(conic.curve.frame, {c.x, c.y, conic.curve.level});
    return 1;
}

}  // namespace

// ---- Point

Point::Point(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Point::clone() const {
    return std::unique_ptr<Element>(new Point(*this));
}

void Point::recompute(Construction&, const RecomputeContext& context) {
    switch (typeCode()) {
        case TypeCode::FreePoint:
        case TypeCode::RepresentedPoint:
            defined = 1;
            return;
        case TypeCode::PointByCoordinates: {
            double x = 0.0, y = 0.0, z = 0.0;
            if (!numberValue(parents[0], x) || !numberValue(parents[1], y) || !numberValue(parents[2], z)) {
                defined = 0;
                return;
            }
            position = {toModelUnits(x, context.unitScale), toModelUnits(y, context.unitScale),
                        toModelUnits(z, context.unitScale)};
            defined = 1;
            return;
        }
        case TypeCode::MidpointTwoPoints:
            position = midpoint(positionOf(parents[0]), positionOf(parents[1]));
            defined = 1;
            return;
        case TypeCode::CircleCentre:
            position = static_cast<const Circle*>(parents[0])->centre;
            defined = 1;
            return;
        case TypeCode::ArcCentre:
            position = static_cast<const Arc*>(parents[0])->centre;
            defined = 1;
            return;
        case TypeCode::ConicCentre:
            defined = conicCentreInSpace(*static_cast<const Conic*>(parents[0]), position);
            return;
        case TypeCode::RegularPolygonVertex:
        case TypeCode::RegularPolyhedronVertex:
            // Positioned, and marked defined, by the generating polygon or polyhedron.
            return;
        case TypeCode::PointAtDistance: {
            const Vec3 a = positionOf(parents[0]);
            const Vec3 b = positionOf(parents[1]);
            double d = 0.0;
            if (!numberValue(parents[2], d) || !isDistinct(a, b)) {
                defined = 0;
                return;
            }
            position = pointTowards(a, b, toModelUnits(d, context.unitScale));
            defined = 1;
            return;
        }
        default: {
            // The images of points; any other code names no point of this class.
            Vec3 image;
            if (!isImageTypeCode(typeCode()) ||
                !imagesOf(*this, context.angleUnit, {&positionOf(parents[0]), 1}, {&image, 1})) {
                defined = 0;
                return;
            }
            position = image;
            defined = 1;
            return;
        }
    }
}

void Point::draw(std::uint32_t colour, int, Canvas& canvas) {
    canvas.dot(position, colour, size, shape);
}

void Point::drawLabel(Canvas& canvas, std::uint32_t labelColour) {
    if (!hasName()) return;
    canvas.label(canvas.towardsViewer(position, 0.5), *name(), labelColour);
}

int Point::hitTest(int, int, const PickRay& ray, int projection, Vec3& hitPoint) {
    const double k = depthFactor(distance(ray.nearPoint, position), projection);
    if (clearlyFartherFromLine(position, ray.nearPoint, ray.farPoint, pointRadius(size) * k)) return 0;
    Vec3 foot, behind;
    double gap = 0.0;
    if (!footOnLine(position, ray.nearPoint, ray.farPoint, foot, gap)) return 0;
    if (!isOnRay(foot, ray.nearPoint, ray.farPoint, behind)) return 0;
    if (!(gap < pointRadius(size) * k)) return 0;
    hitPoint = position;
    return 1;
}

int Point::write(OutputStream& out) const {
    return writeBase(out) && writeVec3(out, position) ? 1 : 0;
}

int Point::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion) && readVec3(in, position) ? 1 : 0;
}

// ---- PointOnObject

PointOnObject::PointOnObject(const KindStyle& style) : Point(TypeCode::PointOnObject, style) {}

std::unique_ptr<Element> PointOnObject::clone() const {
    return std::unique_ptr<Element>(new PointOnObject(*this));
}

void PointOnObject::recompute(Construction&, const RecomputeContext&) {
    // The object places the point from its own parameters. An object that cannot
    // evaluate them leaves the point undefined rather than at a stale place.
    defined = parents[0]->pointAt(param1, param2, position) ? 1 : 0;
}

int PointOnObject::write(OutputStream& out) const {
    return Point::write(out) && writeF64(out, param1) && writeF64(out, param2) ? 1 : 0;
}

int PointOnObject::read(InputStream& in, int fileVersion) {
    return Point::read(in, fileVersion) && readF64(in, param1) && readF64(in, param2) ? 1 : 0;
}
