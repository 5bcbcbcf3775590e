#pragma once

#include <span>

#include "geometry/vec3.h"
#include "model/element.h"

// The first code of the image family of a kind (its central symmetry), or None
// for the kinds that cannot be transformed (regular polygons and polyhedra, loci,
// iterations, numbers, coordinates, texts).
TypeCode imageFamilyBase(ElementKind sourceKind);
// The type code of the image of an element of this kind under transformation
// 0 … 4 (central, axial, plane, translation, rotation), or None when there is none.
TypeCode imageTypeCode(ElementKind sourceKind, int transformation);
TypeCode imageTypeCode(const Element& source, int transformation);
// Whether the code is the image of some kind under some transformation.
bool isImageTypeCode(TypeCode code);

// One transformation with its parameters, as an image reads it from its parents.
struct Transformation {
    TransformationKind kind = TransformationKind::CentralSymmetry;
    // Central: a = the centre. Axial, translation, rotation: a, b = the straight
    // element's points (the axis A→B, the vector B − A). Plane: a, b, c.
    Vec3 a;
    Vec3 b;
    Vec3 c;
    double angle = 0.0;  // rotation, in radians

    // The transformation that `image` carries: its kind from the type code, its
    // parameters from parents 1 … (the rotation's number converted from the angle
    // unit 0 radians, 1 degrees, 2 grads). False, with t untouched, when the code
    // names no image, a parent is missing, or the rotation's number has no finite value.
    static bool ofImage(const Element& image, int angleUnit, Transformation& t);

    // The image of one point; false (out untouched) on a degenerate axis or plane.
    bool apply(Vec3 in, Vec3& out) const;
    // The images of the points in order, into out (of the same size); false at the
    // first point that cannot be mapped (or on a size mismatch).
    bool applyAll(std::span<const Vec3> in, std::span<Vec3> out) const;
};

// What each image class does first: the images of its source's stored points under
// the transformation it carries. False when that transformation cannot be read or a
// mapping fails; out is then not to be used.
bool imagesOf(const Element& image, int angleUnit, std::span<const Vec3> points, std::span<Vec3> out);
