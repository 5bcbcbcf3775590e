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

struct ImageFamily {
    ElementKind kind;
    int base;
};

constexpr std::array<ImageFamily, 13> kImageFamilies{{
    {ElementKind::Point, 10800},
    {ElementKind::Segment, 10810},
    {ElementKind::Vector, 10820},
    {ElementKind::Line, 10830},
    {ElementKind::Ray, 10840},
    {ElementKind::Circle, 10850},
    {ElementKind::Plane, 10860},
    {ElementKind::Polygon, 10870},
    {ElementKind::Sphere, 10880},
    {ElementKind::Arc, 10890},
    {ElementKind::Cylinder, 10900},
    {ElementKind::Cone, 10910},
    {ElementKind::Conic, 10920},
}};

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

int imageFamilyBase(ElementKind sourceKind) {
    for (const ImageFamily& family : kImageFamilies) {
        if (family.kind == sourceKind) return family.base;
    }
    return 0;
}

int imageTypeCode(ElementKind sourceKind, int transformation) {
    const int base = imageFamilyBase(sourceKind);
    if (base == 0 || transformation < 0 || transformation >= kTransformationCount) return 0;
    return base + transformation;
}

int imageTypeCode(const Element& source, int transformation) {
    return imageTypeCode(source.kind(), transformation);
}

bool isImageTypeCode(int code) {
    if (code < kImageFamilies.front().base) return false;
    const int offset = code % 10;
    return offset < kTransformationCount && imageFamilyBase(kindOfTypeCode(code)) == code - offset;
}

bool Transformation::ofImage(const Element& image, int angleUnit, Transformation& t) {
    const int code = image.typeCode();
    if (!isImageTypeCode(code)) return false;
    Transformation read;
    read.kind = static_cast<TransformationKind>(code % 10);
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
