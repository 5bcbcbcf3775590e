#include "elements/transformation.h"

#include <array>
#include <cmath>
#include <numbers>

#include "elements/number_parent.h"
#include "elements/point.h"
#include "elements/straight_element.h"
#include "geometry/transformations.h"
#include "model/type_codes.h"

namespace {

// Radians per unit of the document's angle unit. An unknown unit reads as radians.
double radiansPerUnit(int angleUnit) {
    switch (angleUnit) {
        case 1:
            return std::numbers::pi / 180.0;
        case 2:
            return std::numbers::pi / 200.0;
        default:
            return 1.0;
    }
}

bool present(const Element& image, std::size_t count) {
    if (image.parents.size() < count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (image.parents[i] == nullptr) return false;
    }
    return true;
}

}  // namespace

TypeCode imageFamilyBase(ElementKind sourceKind) {
    return imageTypeCode(sourceKind, TransformationKind::CentralSymmetry);
}

TypeCode imageTypeCode(ElementKind sourceKind, int transformation) {
    if (transformation < 0 || transformation >= kTransformationCount) return TypeCode::None;
    return imageTypeCode(sourceKind, static_cast<TransformationKind>(transformation));
}

TypeCode imageTypeCode(const Element& source, int transformation) {
    return imageTypeCode(source.kind(), transformation);
}

bool isImageTypeCode(TypeCode code) {
    return transformationOf(code) != TransformationKind::None;
}

bool Transformation::ofImage(const Element& image, int angleUnit, Transformation& t) {
    Transformation read;
    read.kind = transformationOf(image.typeCode());
    if (read.kind == TransformationKind::None) return false;
    const bool rotation = read.kind == TransformationKind::Rotation;
    if (!present(image, rotation ? 3 : 2)) return false;
    const Element* p = image.parents[1];
    switch (read.kind) {
        case TransformationKind::CentralSymmetry:
            read.a = positionOf(p);
            break;
        case TransformationKind::PlaneSymmetry: {
            const std::array<Vec3, 3> s = p->supportPlane();
            read.a = s[0];
            read.b = s[1];
            read.c = s[2];
            break;
        }
        case TransformationKind::AxialSymmetry:
        case TransformationKind::Translation:
        case TransformationKind::Rotation:
            read.a = asStraight(p).pointA;
            read.b = asStraight(p).pointB;
            break;
        case TransformationKind::None:
            return false;
    }
    if (rotation) {
        double value = 0.0;
        if (!numberValue(image.parents[2], value)) return false;
        read.angle = value * radiansPerUnit(angleUnit);
        // A non-finite angle would spread NaN through every dependant.
        if (!std::isfinite(read.angle)) return false;
    }
    t = read;
    return true;
}

bool Transformation::apply(Vec3 in, Vec3& out) const {
    switch (kind) {
        case TransformationKind::CentralSymmetry:
            return reflectInPoint(in, a, out) != 0;
        case TransformationKind::AxialSymmetry:
            return reflectInLine(in, a, b, out) != 0;
        case TransformationKind::PlaneSymmetry:
            return reflectInPlane(in, a, b, c, out) != 0;
        case TransformationKind::Translation:
            return translatePoint(in, a, b, out) != 0;
        case TransformationKind::Rotation:
            return rotateAboutAxis(in, a, b, angle, out) != 0;
        case TransformationKind::None:
            return false;
    }
    return false;
}

bool Transformation::applyAll(std::span<const Vec3> in, std::span<Vec3> out) const {
    if (in.size() != out.size()) return false;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (!apply(in[i], out[i])) return false;
    }
    return true;
}

bool imagesOf(const Element& image, int angleUnit, std::span<const Vec3> points, std::span<Vec3> out) {
    Transformation t;
    return Transformation::ofImage(image, angleUnit, t) && t.applyAll(points, out);
}
