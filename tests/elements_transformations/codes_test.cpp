#include <gtest/gtest.h>

#include "elements/transformation.h"
#include "model/type_codes.h"

namespace {

constexpr ElementKind kTransformable[] = {
    ElementKind::Point, ElementKind::Vector,  ElementKind::Segment, ElementKind::Line,
    ElementKind::Ray,   ElementKind::Circle,  ElementKind::Arc,     ElementKind::Conic,
    ElementKind::Plane, ElementKind::Polygon, ElementKind::Sphere,  ElementKind::Cylinder,
    ElementKind::Cone,
};

TEST(ImageCodes, EveryFamilyAgreesWithTheTypeCodeTable) {
    EXPECT_EQ(imageTypeCode(ElementKind::Point, 0), TypeCode::PointCentralSymmetry);
    EXPECT_EQ(imageTypeCode(ElementKind::Segment, 2), TypeCode::SegmentPlaneSymmetry);
    EXPECT_EQ(imageTypeCode(ElementKind::Vector, 3), TypeCode::VectorTranslation);
    EXPECT_EQ(imageTypeCode(ElementKind::Arc, 4), TypeCode::ArcRotation);
    EXPECT_EQ(imageTypeCode(ElementKind::Cylinder, 1), TypeCode::CylinderAxialSymmetry);
    EXPECT_EQ(imageTypeCode(ElementKind::Conic, 4), TypeCode::ConicRotation);
    for (ElementKind kind : kTransformable) {
        for (int t = 0; t < kTransformationCount; ++t) {
            const TypeCode code = imageTypeCode(kind, t);
            EXPECT_EQ(kindOfTypeCode(code), kind) << code;
            EXPECT_EQ(parentCountOfTypeCode(code), t == 4 ? 3 : 2) << code;
            EXPECT_TRUE(isImageTypeCode(code)) << code;
        }
        EXPECT_EQ(imageTypeCode(kind, -1), TypeCode::None);
        EXPECT_EQ(imageTypeCode(kind, 5), TypeCode::None);
    }
    // Every image code of the table is found again from its kind and offset, and
    // nothing else is taken for an image.
    int images = 0;
    for (const TypeCodeInfo& row : allTypeCodes()) {
        if (!isImageTypeCode(row.code)) continue;
        ++images;
        EXPECT_EQ(imageTypeCode(row.kind, codeValue(row.code) % 10), row.code);
    }
    EXPECT_EQ(images, 13 * 5);
}

TEST(ImageCodes, KindsWithoutAFamily) {
    for (ElementKind kind : {ElementKind::None, ElementKind::RegularPolygon, ElementKind::RegularPolyhedron,
                             ElementKind::Curve, ElementKind::Surface, ElementKind::Number,
                             ElementKind::Coordinates, ElementKind::Iteration, ElementKind::Text}) {
        EXPECT_EQ(imageFamilyBase(kind), TypeCode::None);
        for (int t = 0; t < kTransformationCount; ++t) EXPECT_EQ(imageTypeCode(kind, t), TypeCode::None);
    }
    for (int raw : {0, -10800, 10799, 10805, 10809, 10815, 10925, 10930, 10790, 10055, 11100, 10600}) {
        const TypeCode code = static_cast<TypeCode>(raw);
        EXPECT_FALSE(isImageTypeCode(code)) << code;
    }
}

}  // namespace
