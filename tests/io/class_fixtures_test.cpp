// One small document per element class: built here, written, read back,
// recomputed, checked against the original, written again and compared byte for byte.

#include <gtest/gtest.h>

#include <functional>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/intersection_point.h"
#include "elements/plane.h"
#include "elements/solids.h"
#include "expr/number_creation.h"
#include "expr/text_element.h"
#include "io/document_file.h"
#include "io_fixtures.h"
#include "model/byte_stream.h"

namespace {

struct Fixture {
    const char* name;
    std::function<void(Construction&)> build;
};

std::vector<std::uint8_t> bytesOf(Document& doc) {
    MemoryOutputStream out;
    EXPECT_EQ(writeDocumentBytes(doc, false, out), 1);
    return out.bytes();
}

Point* p(Construction& c, double x, double y, double z) {
    return addPoint(c, {x, y, z});
}

const std::vector<Fixture>& fixtures() {
    static const std::vector<Fixture> all = {
        {"Point",
         [](Construction& c) {
             addOn(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, KindStyle{}),
                   {p(c, 0, 0, 0), p(c, 2, 4, 6)});
         }},
        {"IntersectionPoint",
         [](Construction& c) {
             auto* l1 = addOn(c, std::make_unique<StraightElement>(TypeCode::LineTwoPoints, KindStyle{}),
                              {p(c, -1, 0, 0), p(c, 1, 0, 0)});
             auto* l2 = addOn(c, std::make_unique<StraightElement>(TypeCode::LineTwoPoints, KindStyle{}),
                              {p(c, 0.5, -1, 0), p(c, 0.5, 1, 0)});
             addOn(c, std::make_unique<IntersectionPoint>(TypeCode::LineLinePoint, KindStyle{}), {l1, l2});
         }},
        {"PointOnObject",
         [](Construction& c) {
             auto* s = addOn(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{}),
                             {p(c, 0, 0, 0), p(c, 4, 0, 0)});
             auto on = std::make_unique<PointOnObject>(KindStyle{});
             on->param1 = 0.25;
             addOn(c, std::move(on), {s});
         }},
        {"StraightElement",
         [](Construction& c) {
             addOn(c, std::make_unique<StraightElement>(TypeCode::VectorTwoPoints, KindStyle{}),
                   {p(c, 1, 1, 1), p(c, 1, 2, 3)});
         }},
        {"Circle",
         [](Construction& c) {
             addOn(c, std::make_unique<Circle>(TypeCode::CircleThreePoints, KindStyle{}),
                   {p(c, 1, 0, 0), p(c, 0, 1, 0), p(c, -1, 0, 0)});
         }},
        {"Arc",
         [](Construction& c) {
             addOn(c, std::make_unique<Arc>(TypeCode::ArcThreePoints, KindStyle{}),
                   {p(c, 1, 0, 0), p(c, 0, 1, 0), p(c, -1, 0, 0)});
         }},
        {"Conic",
         [](Construction& c) {
             addOn(c, std::make_unique<Conic>(TypeCode::ConicFivePoints, KindStyle{}),
                   {p(c, 2, 0, 1), p(c, 0, 1, 1), p(c, -2, 0, 1), p(c, 0, -1, 1), p(c, 1.2, 0.8, 1)});
         }},
        {"Plane",
         [](Construction& c) {
             addOn(c, std::make_unique<Plane>(TypeCode::MediatorPlane, KindStyle{}),
                   {p(c, 0, 0, 0), p(c, 0, 0, 2)});
         }},
        {"Polygon",
         [](Construction& c) {
             addOn(c, std::make_unique<Polygon>(TypeCode::PolygonVertices, KindStyle{}, 4),
                   {p(c, 0, 0, 0), p(c, 1, 0, 0), p(c, 1, 1, 0), p(c, 0, 1, 0)});
         }},
        {"RegularPolygon",
         [](Construction& c) {
             auto* axis = addOn(c, std::make_unique<StraightElement>(TypeCode::LineTwoPoints, KindStyle{}),
                                {p(c, 0, 0, 0), p(c, 0, 0, 1)});
             auto* poly = addOn(c, std::make_unique<RegularPolygon>(KindStyle{}, 5), {p(c, 1, 0, 0), axis});
             for (ElementPtr& part : poly->makeParts(KindStyle{}, KindStyle{})) c.append(std::move(part));
         }},
        {"RegularPolyhedron",
         [](Construction& c) {
             auto* axis = addOn(c, std::make_unique<StraightElement>(TypeCode::LineTwoPoints, KindStyle{}),
                                {p(c, 0, 0, 0), p(c, 0, 0, 1)});
             auto* solid = addOn(c, std::make_unique<RegularPolyhedron>(TypeCode::Icosahedron, KindStyle{}),
                                 {p(c, 1, 0, 0), axis});
             for (ElementPtr& part : solid->makeParts(KindStyle{}, KindStyle{})) c.append(std::move(part));
         }},
        {"Sphere",
         [](Construction& c) {
             addOn(c, std::make_unique<Sphere>(TypeCode::SphereCentrePoint, KindStyle{}),
                   {p(c, 0, 0, 0), p(c, 0, 3, 4)});
         }},
        {"Cylinder",
         [](Construction& c) {
             auto* axis = addOn(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{}),
                                {p(c, 0, 0, 0), p(c, 0, 0, 4)});
             addOn(c, std::make_unique<Cylinder>(TypeCode::CylinderAboutAxis, KindStyle{}),
                   {p(c, 2, 0, 1), axis});
         }},
        {"Cone",
         [](Construction& c) {
             addOn(c, std::make_unique<Cone>(TypeCode::ConeThroughPoint, KindStyle{}),
                   {p(c, 1, 0, 1), p(c, 0, 0, 0), p(c, 0, 0, 2)});
         }},
        {"Measure",
         [](Construction& c) {
             Element* ends[] = {p(c, 0, 0, 0), p(c, 3, 4, 0)};
             c.append(makeMeasure(TypeCode::PointPointDistance, ends, KindStyle{}, NumberDefaults{}, 10, 20));
         }},
        {"ParameterNumber",
         [](Construction& c) { c.append(makeParameter(2.5, KindStyle{}, NumberDefaults{}, 50, 60)); }},
        {"Calculation",
         [](Construction& c) {
             Element* operand = c.append(makeParameter(3, KindStyle{}, NumberDefaults{}, 50, 60));
             CompiledExpression compiled;
             ASSERT_EQ(compileExpression("A*2+1", 1, compiled), 1);
             Element* operands[] = {operand};
             c.append(makeCalculation(compiled, operands, KindStyle{}, NumberDefaults{}, 80, 90));
         }},
        {"Coordinates",
         [](Construction& c) {
             for (ElementPtr& e : makeCoordinates(p(c, 1, 2, 3), KindStyle{}, NumberDefaults{}, 5, 5))
                 c.append(std::move(e));
         }},
        {"Text",
         [](Construction& c) {
             auto t = std::make_unique<Text>(KindStyle{});
             t->richText = "{\\rtf1 Hello}";
             t->rectangle = {{10, 20}, {200, 80}};
             c.append(std::move(t));
         }},
    };
    return all;
}

}  // namespace

TEST(ClassFixtures, EveryClassSurvivesWriteReadRecomputeWrite) {
    for (const Fixture& f : fixtures()) {
        Document doc;
        f.build(doc.construction());
        doc.recompute();
        const auto first = bytesOf(doc);

        Document back;
        MemoryInputStream in(first);
        ASSERT_EQ(readDocumentBytes(in, DocumentDefaults{}, back), kReadOk) << f.name << ": " << in.failure();
        back.recompute();
        ASSERT_EQ(back.construction().count(), doc.construction().count()) << f.name;
        for (int i = 0; i < doc.construction().count(); ++i) {
            const Element* a = doc.construction().at(i);
            const Element* b = back.construction().at(i);
            EXPECT_EQ(a->typeCode(), b->typeCode()) << f.name << " " << i;
            EXPECT_EQ(a->defined, b->defined) << f.name << " element " << i;
            EXPECT_EQ(a->defined, 1) << f.name << " element " << i << " (code " << a->typeCode() << ")";
            double va = 0, vb = 0;
            EXPECT_EQ(a->currentValue(va), b->currentValue(vb)) << f.name;
            EXPECT_EQ(va, vb) << f.name;
            if (a->kind() == ElementKind::Point) {
                EXPECT_EQ(positionOf(a), positionOf(b)) << f.name << " " << i;
            }
        }
        EXPECT_EQ(bytesOf(back), first) << f.name;
    }
}

TEST(ClassFixtures, ValuesAfterReading) {
    // Spot checks that the records carry what the class needs, not just bytes.
    Document doc;
    fixtures()[2].build(doc.construction());  // point at a quarter of a segment
    doc.recompute();
    const auto bytes = bytesOf(doc);
    Document back;
    MemoryInputStream in(bytes);
    ASSERT_EQ(readDocumentBytes(in, DocumentDefaults{}, back), kReadOk);
    back.recompute();
    EXPECT_EQ(positionOf(back.construction().last()), (Vec3{1, 0, 0}));

    Document calc;
    fixtures()[16].build(calc.construction());
    calc.recompute();
    const auto calcBytes = bytesOf(calc);
    Document calcBack;
    MemoryInputStream calcIn(calcBytes);
    ASSERT_EQ(readDocumentBytes(calcIn, DocumentDefaults{}, calcBack), kReadOk);
    calcBack.recompute();
    double v = 0;
    ASSERT_TRUE(calcBack.construction().last()->currentValue(v));
    EXPECT_EQ(v, 7.0);
}
