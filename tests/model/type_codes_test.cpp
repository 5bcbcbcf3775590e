#include "model/type_codes.h"

#include <gtest/gtest.h>

#include <set>

TEST(TypeCodes, KindAndParentCountRules) {
    struct Case {
        int code;
        ElementKind kind;
        int parents;
    };
    const Case cases[] = {
        {10000, ElementKind::Point, 0},
        {10001, ElementKind::Point, 0},
        {10002, ElementKind::Point, 3},
        {10070, ElementKind::Point, 2},
        {10073, ElementKind::Point, 1},
        {10804, ElementKind::Point, 3},
        {10803, ElementKind::Point, 2},
        {11135, ElementKind::Point, 3},
        {11155, ElementKind::Point, 2},
        {11500, ElementKind::Point, 1},
        {10110, ElementKind::Vector, 3},
        {10814, ElementKind::Segment, 3},
        {10091, ElementKind::Line, 2},
        {11000, ElementKind::Line, 2},
        {10844, ElementKind::Ray, 3},
        {10030, ElementKind::Circle, 3},
        {11002, ElementKind::Circle, 2},
        {10045, ElementKind::Arc, 3},
        {10040, ElementKind::Conic, 5},
        {11003, ElementKind::Conic, 2},
        {10081, ElementKind::Plane, 2},
        {10874, ElementKind::Polygon, 3},
        {10600, ElementKind::RegularPolygon, 2},
        {10720, ElementKind::RegularPolyhedron, 2},
        {10884, ElementKind::Sphere, 3},
        {10061, ElementKind::Cylinder, 2},
        {10062, ElementKind::Cone, 3},
        {11700, ElementKind::Curve, 2},
        {11815, ElementKind::Surface, 3},
        {10520, ElementKind::Number, 3},
        {10550, ElementKind::Number, 0},
        {10734, ElementKind::Number, 1},
        {10300, ElementKind::Coordinates, 1},
        {20000, ElementKind::Text, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kindOfTypeCode(c.code), c.kind) << c.code;
        EXPECT_EQ(parentCountOfTypeCode(c.code), c.parents) << c.code;
    }
    for (int code : {10055, 10555, 11900}) {
        EXPECT_TRUE(hasVariableParentCount(code)) << code;
        EXPECT_EQ(parentCountOfTypeCode(code), kVariableParentCount);
    }
    // Codes the table does not list name no element, even inside listed ranges of numbers.
    for (int code : {0, 9999, 10003, 10069, 10074, 10805, 11101, 11160, 10735, 19999, 20001, -10000}) {
        EXPECT_EQ(kindOfTypeCode(code), ElementKind::None) << code;
        EXPECT_EQ(typeCodeInfo(code), nullptr) << code;
        EXPECT_FALSE(isIntersectionPointCode(code)) << code;
    }
}

TEST(TypeCodes, ClassesMeasuresAndIntersections) {
    EXPECT_EQ(classOfTypeCode(11100), ElementClass::IntersectionPoint);
    EXPECT_EQ(classOfTypeCode(11500), ElementClass::PointOnObject);
    EXPECT_EQ(classOfTypeCode(10605), ElementClass::Point);
    EXPECT_EQ(classOfTypeCode(10025), ElementClass::StraightElement);
    EXPECT_EQ(classOfTypeCode(11805), ElementClass::Locus);
    EXPECT_EQ(classOfTypeCode(11810), ElementClass::SurfaceLocus);
    EXPECT_EQ(classOfTypeCode(10550), ElementClass::ParameterNumber);
    EXPECT_EQ(classOfTypeCode(10555), ElementClass::Calculation);
    EXPECT_EQ(classOfTypeCode(10310), ElementClass::NumberElement);

    int intersections = 0;
    int measures = 0;
    for (const TypeCodeInfo& row : allTypeCodes()) {
        intersections += row.isIntersectionPoint ? 1 : 0;
        measures += row.isMeasure ? 1 : 0;
        EXPECT_EQ(row.isMeasure, isMeasureCode(row.code));
    }
    EXPECT_EQ(intersections, 12);
    // 10500-10503, 10510-10512, 10515, 10520-10522, 10525-10527, 10530, 10725-10734
    EXPECT_EQ(measures, 4 + 3 + 1 + 3 + 3 + 1 + 10);
    EXPECT_TRUE(isMeasureCode(10521));
    EXPECT_FALSE(isMeasureCode(10550));
    EXPECT_FALSE(isMeasureCode(10305));
}

TEST(TypeCodes, TableIsSortedAndEveryTransformationFamilyIsComplete) {
    std::set<int> codes;
    int previous = 0;
    for (const TypeCodeInfo& row : allTypeCodes()) {
        EXPECT_GT(row.code, previous);
        previous = row.code;
        codes.insert(row.code);
    }
    // Thirteen transformable kinds, five transformations each: two parents, rotation three.
    for (int family = 10800; family <= 10920; family += 10) {
        for (int t = 0; t < 5; ++t) {
            ASSERT_TRUE(codes.count(family + t)) << family + t;
            EXPECT_EQ(parentCountOfTypeCode(family + t), t == 4 ? 3 : 2);
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
        const std::string kinds(row.parentKinds.data());
        if (row.parentCount == kVariableParentCount)
            EXPECT_EQ(kinds.size(), 1u) << row.code;
        else
            EXPECT_EQ(static_cast<int>(kinds.size()), row.parentCount) << row.code;
        for (int i = 0; i < static_cast<int>(kinds.size()); ++i) {
            bool some = false;
            for (int k = 1; k <= kKindCount; ++k)
                some = some || acceptsParentKind(row, i, static_cast<ElementKind>(k));
            EXPECT_TRUE(some) << row.code << " parent " << i;
        }
    }
    const auto accepts = [](int code, int index, ElementKind kind) {
        return acceptsParentKind(*typeCodeInfo(code), index, kind);
    };
    // A midpoint of a sphere is refused; a midpoint of two points accepted.
    EXPECT_FALSE(accepts(10070, 0, ElementKind::Sphere));
    EXPECT_TRUE(accepts(10070, 1, ElementKind::Point));
    EXPECT_FALSE(accepts(10070, 2, ElementKind::Point));
    // Transformation images: the family's own kind, then the transformation's parents.
    EXPECT_TRUE(accepts(10854, 0, ElementKind::Circle));
    EXPECT_FALSE(accepts(10854, 0, ElementKind::Arc));
    EXPECT_TRUE(accepts(10854, 1, ElementKind::Ray));
    EXPECT_TRUE(accepts(10854, 2, ElementKind::Number));
    EXPECT_TRUE(accepts(10862, 1, ElementKind::Polygon));
    EXPECT_TRUE(accepts(10813, 1, ElementKind::Vector));
    EXPECT_FALSE(accepts(10813, 1, ElementKind::Segment));
    EXPECT_TRUE(accepts(10800, 1, ElementKind::Point));
    // Variable counts: every vertex a point, every operand a number.
    EXPECT_TRUE(accepts(10055, 40, ElementKind::Point));
    EXPECT_FALSE(accepts(10555, 3, ElementKind::Point));
    EXPECT_TRUE(accepts(11900, 7, ElementKind::Text));
    EXPECT_FALSE(accepts(11900, 7, ElementKind::None));
    EXPECT_TRUE(accepts(11500, 0, ElementKind::Cone));
    EXPECT_FALSE(accepts(11500, 0, ElementKind::RegularPolygon));
}

TEST(TypeCodes, ClassNames) {
    EXPECT_STREQ(elementClassName(ElementClass::Point), "Point");
    EXPECT_STREQ(elementClassName(ElementClass::RegularPolyhedron), "RegularPolyhedron");
    EXPECT_STREQ(elementClassName(ElementClass::SurfaceLocus), "SurfaceLocus");
    EXPECT_STREQ(elementClassName(ElementClass::Text), "Text");
    EXPECT_STREQ(elementClassName(classOfTypeCode(10555)), "Calculation");
}
