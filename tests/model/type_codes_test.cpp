#include "model/type_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

TEST(TypeCodes, KindAndParentCountRules) {
    struct Case {
        TypeCode code;
        ElementKind kind;
        int parents;
    };
    const Case cases[] = {
        {TypeCode::FreePoint, ElementKind::Point, 0},
        {TypeCode::RepresentedPoint, ElementKind::Point, 0},
        {TypeCode::PointByCoordinates, ElementKind::Point, 3},
        {TypeCode::MidpointTwoPoints, ElementKind::Point, 2},
        {TypeCode::ConicCentre, ElementKind::Point, 1},
        {TypeCode::PointRotation, ElementKind::Point, 3},
        {TypeCode::PointTranslation, ElementKind::Point, 2},
        {TypeCode::ThreePlanesPoint, ElementKind::Point, 3},
        {TypeCode::PlaneConicPoint, ElementKind::Point, 2},
        {TypeCode::PointOnObject, ElementKind::Point, 1},
        {TypeCode::VectorSum, ElementKind::Vector, 3},
        {TypeCode::SegmentRotation, ElementKind::Segment, 3},
        {TypeCode::PerpendicularToPlane, ElementKind::Line, 2},
        {TypeCode::PlanesIntersectionLine, ElementKind::Line, 2},
        {TypeCode::RayRotation, ElementKind::Ray, 3},
        {TypeCode::CircleThreePoints, ElementKind::Circle, 3},
        {TypeCode::CircleOfSphereAndPlane, ElementKind::Circle, 2},
        {TypeCode::ArcThreePoints, ElementKind::Arc, 3},
        {TypeCode::ConicFivePoints, ElementKind::Conic, 5},
        {TypeCode::ConicPlaneSection, ElementKind::Conic, 2},
        {TypeCode::PerpendicularPlane, ElementKind::Plane, 2},
        {TypeCode::PolygonRotation, ElementKind::Polygon, 3},
        {TypeCode::RegularPolygon, ElementKind::RegularPolygon, 2},
        {TypeCode::Icosahedron, ElementKind::RegularPolyhedron, 2},
        {TypeCode::SphereRotation, ElementKind::Sphere, 3},
        {TypeCode::CylinderAboutAxis, ElementKind::Cylinder, 2},
        {TypeCode::ConeThroughPoint, ElementKind::Cone, 3},
        {TypeCode::PointLocus, ElementKind::Curve, 2},
        {TypeCode::ParameterSurfaceLocus, ElementKind::Surface, 3},
        {TypeCode::ThreePointAngle, ElementKind::Number, 3},
        {TypeCode::Parameter, ElementKind::Number, 0},
        {TypeCode::IcosahedronVolume, ElementKind::Number, 1},
        {TypeCode::Coordinates, ElementKind::Coordinates, 1},
        {TypeCode::Text, ElementKind::Text, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kindOfTypeCode(c.code), c.kind) << c.code;
        EXPECT_EQ(parentCountOfTypeCode(c.code), c.parents) << c.code;
    }
    for (TypeCode code : {TypeCode::PolygonVertices, TypeCode::Calculation, TypeCode::Iteration}) {
        EXPECT_TRUE(hasVariableParentCount(code)) << code;
        EXPECT_EQ(parentCountOfTypeCode(code), kVariableParentCount);
    }
    // Codes the table does not list name no element, even inside listed ranges of numbers.
    for (int raw : {0, 9999, 10003, 10069, 10074, 10805, 11101, 11160, 10735, 19999, 20001, -10000}) {
        const TypeCode code = static_cast<TypeCode>(raw);
        EXPECT_EQ(kindOfTypeCode(code), ElementKind::None) << code;
        EXPECT_EQ(typeCodeInfo(code), nullptr) << code;
        EXPECT_FALSE(isIntersectionPointCode(code)) << code;
    }
}

TEST(TypeCodes, ClassesMeasuresAndIntersections) {
    EXPECT_EQ(classOfTypeCode(TypeCode::LinePlanePoint), ElementClass::IntersectionPoint);
    EXPECT_EQ(classOfTypeCode(TypeCode::PointOnObject), ElementClass::PointOnObject);
    EXPECT_EQ(classOfTypeCode(TypeCode::RegularPolygonVertex), ElementClass::Point);
    EXPECT_EQ(classOfTypeCode(TypeCode::RayTwoPoints), ElementClass::StraightElement);
    EXPECT_EQ(classOfTypeCode(TypeCode::SegmentLocus), ElementClass::Locus);
    EXPECT_EQ(classOfTypeCode(TypeCode::PolygonSurfaceLocus), ElementClass::SurfaceLocus);
    EXPECT_EQ(classOfTypeCode(TypeCode::Parameter), ElementClass::ParameterNumber);
    EXPECT_EQ(classOfTypeCode(TypeCode::Calculation), ElementClass::Calculation);
    EXPECT_EQ(classOfTypeCode(TypeCode::CoordinateY), ElementClass::NumberElement);

    int intersections = 0;
    int measures = 0;
    for (const TypeCodeInfo& row : allTypeCodes()) {
        intersections += row.isIntersectionPoint() ? 1 : 0;
        measures += row.isMeasure() ? 1 : 0;
        EXPECT_EQ(row.isMeasure(), isMeasureCode(row.code));
    }
    EXPECT_EQ(intersections, 12);
    // 10500-10503, 10510-10512, 10515, 10520-10522, 10525-10527, 10530, 10725-10734
    EXPECT_EQ(measures, 4 + 3 + 1 + 3 + 3 + 1 + 10);
    EXPECT_TRUE(isMeasureCode(TypeCode::LinePlaneAngle));
    EXPECT_FALSE(isMeasureCode(TypeCode::Parameter));
    EXPECT_FALSE(isMeasureCode(TypeCode::CoordinateX));
}

TEST(TypeCodes, TableIsSortedAndEveryTransformationFamilyIsComplete) {
    std::set<TypeCode> codes;
    TypeCode previous = TypeCode::None;
    for (const TypeCodeInfo& row : allTypeCodes()) {
        EXPECT_GT(row.code, previous);
        previous = row.code;
        codes.insert(row.code);
    }
    // Thirteen transformable kinds, five transformations each: two parents, rotation three.
    for (int family = 10800; family <= 10920; family += 10) {
        for (int t = 0; t < 5; ++t) {
            const TypeCode code = static_cast<TypeCode>(family + t);
            ASSERT_TRUE(codes.count(code)) << code;
            EXPECT_EQ(parentCountOfTypeCode(code), t == 4 ? 3 : 2);
        }
    }
}

TEST(TypeCodes, KindGroups) {
    for (int k = 1; k <= kKindCount; ++k) {
        const auto kind = static_cast<ElementKind>(k);
        EXPECT_EQ(isSurfaceKind(kind), (k >= 9 && k <= 15) || k == 17) << k;
        EXPECT_EQ(hasSize(kind), (k >= 1 && k <= 9) || k == 16 || k == 20) << k;
        EXPECT_EQ(hasShape(kind), (k >= 1 && k <= 8) || k == 16 || k == 20) << k;
        EXPECT_EQ(isNumericKind(kind), k == 18 || k == 19 || k == 21) << k;
        EXPECT_EQ(isGroupLeadingKind(kind), k == 11 || k == 12 || k == 19) << k;
    }
}

TEST(TypeCodes, ParentKindsCoverEveryParent) {
    for (const TypeCodeInfo& row : allTypeCodes()) {
        const auto kinds = static_cast<std::size_t>(std::count_if(
            row.parentKinds.begin(), row.parentKinds.end(), [](KindSet k) { return !k.empty(); }));
        if (row.parentCount == kVariableParentCount)
            EXPECT_EQ(kinds, 1u) << row.code;
        else
            EXPECT_EQ(static_cast<int>(kinds), row.parentCount) << row.code;
        for (int i = 0; i < static_cast<int>(kinds); ++i) {
            bool some = false;
            for (int k = 1; k <= kKindCount; ++k)
                some = some || acceptsParentKind(row, i, static_cast<ElementKind>(k));
            EXPECT_TRUE(some) << row.code << " parent " << i;
        }
    }
    const auto accepts = [](TypeCode code, int index, ElementKind kind) {
        return acceptsParentKind(*typeCodeInfo(code), index, kind);
    };
    // A midpoint of a sphere is refused; a midpoint of two points accepted.
    EXPECT_FALSE(accepts(TypeCode::MidpointTwoPoints, 0, ElementKind::Sphere));
    EXPECT_TRUE(accepts(TypeCode::MidpointTwoPoints, 1, ElementKind::Point));
    EXPECT_FALSE(accepts(TypeCode::MidpointTwoPoints, 2, ElementKind::Point));
    // Transformation images: the family's own kind, then the transformation's parents.
    EXPECT_TRUE(accepts(TypeCode::CircleRotation, 0, ElementKind::Circle));
    EXPECT_FALSE(accepts(TypeCode::CircleRotation, 0, ElementKind::Arc));
    EXPECT_TRUE(accepts(TypeCode::CircleRotation, 1, ElementKind::Ray));
    EXPECT_TRUE(accepts(TypeCode::CircleRotation, 2, ElementKind::Number));
    EXPECT_TRUE(accepts(TypeCode::PlanePlaneSymmetry, 1, ElementKind::Polygon));
    EXPECT_TRUE(accepts(TypeCode::SegmentTranslation, 1, ElementKind::Vector));
    EXPECT_FALSE(accepts(TypeCode::SegmentTranslation, 1, ElementKind::Segment));
    EXPECT_TRUE(accepts(TypeCode::PointCentralSymmetry, 1, ElementKind::Point));
    // Variable counts: every vertex a point, every operand a number.
    EXPECT_TRUE(accepts(TypeCode::PolygonVertices, 40, ElementKind::Point));
    EXPECT_FALSE(accepts(TypeCode::Calculation, 3, ElementKind::Point));
    EXPECT_TRUE(accepts(TypeCode::Iteration, 7, ElementKind::Text));
    EXPECT_FALSE(accepts(TypeCode::Iteration, 7, ElementKind::None));
    EXPECT_TRUE(accepts(TypeCode::PointOnObject, 0, ElementKind::Cone));
    EXPECT_FALSE(accepts(TypeCode::PointOnObject, 0, ElementKind::RegularPolygon));
}

TEST(TypeCodes, ClassNames) {
    EXPECT_STREQ(elementClassName(ElementClass::Point), "Point");
    EXPECT_STREQ(elementClassName(ElementClass::RegularPolyhedron), "RegularPolyhedron");
    EXPECT_STREQ(elementClassName(ElementClass::SurfaceLocus), "SurfaceLocus");
    EXPECT_STREQ(elementClassName(ElementClass::Text), "Text");
    EXPECT_STREQ(elementClassName(classOfTypeCode(TypeCode::Calculation)), "Calculation");
}

TEST(TypeCodes, GroupLeadersNameWhatTheyGenerate) {
    EXPECT_EQ(generatedPartsOf(TypeCode::RegularPolygon).vertex, TypeCode::RegularPolygonVertex);
    EXPECT_EQ(generatedPartsOf(TypeCode::Dodecahedron).face, TypeCode::PolygonVertices);
    EXPECT_EQ(generatedPartsOf(TypeCode::Coordinates).numbers[2], TypeCode::CoordinateZ);
    EXPECT_EQ(generatedPartsOf(TypeCode::PolygonVertices).vertex, TypeCode::None);
    // Vertices and coordinate numbers exist only inside their group; a face is an ordinary polygon too.
    for (TypeCode code : {TypeCode::RegularPolygonVertex, TypeCode::RegularPolyhedronVertex,
                          TypeCode::CoordinateX, TypeCode::CoordinateY, TypeCode::CoordinateZ})
        EXPECT_TRUE(isGeneratedPartCode(code)) << code;
    for (TypeCode code : {TypeCode::PolygonVertices, TypeCode::FreePoint, TypeCode::None})
        EXPECT_FALSE(isGeneratedPartCode(code)) << code;
}
