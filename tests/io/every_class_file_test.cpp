// One document holding every element class, a transformation image of every family, measures, loci,
// an iteration and a macro, written and compared byte for byte with a file kept under tests/data: a
// change in how elements are made or written must not change a single byte of what is saved.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/intersection_point.h"
#include "elements/iteration.h"
#include "elements/locus.h"
#include "elements/plane.h"
#include "elements/solids.h"
#include "elements/transformation.h"
#include "expr/number_creation.h"
#include "expr/text_element.h"
#include "io/document_file.h"
#include "io/element_factory.h"
#include "io_fixtures.h"
#include "model/byte_stream.h"

namespace {

constexpr KindStyle kStyle{0, 1, 1, 0, 0x405060};

// An element of the code on these parents, made as the tools and the file reader make it.
template <typename T = Element>
T* add(Construction& c, TypeCode code, std::initializer_list<Element*> parents) {
    Element* e = appendElement(c, code, parents, kStyle);
    EXPECT_NE(e, nullptr) << code;
    return static_cast<T*>(e);
}

void appendAll(Construction& c, std::vector<ElementPtr> parts) {
    for (ElementPtr& part : parts) c.append(std::move(part));
}

void buildEveryClass(Document& doc) {
    Construction& c = doc.construction();
    const auto pt = [&](double x, double y, double z) { return addPoint(c, {x, y, z}); };
    Point* a = pt(0, 0, 0);
    a->setName("A");
    Point* b = pt(4, 0, 0);
    b->setName("B");
    Point* d = pt(0, 3, 0);
    Point* e = pt(1, 1, 2);
    Point* up = pt(0, 0, 5);
    add<Point>(c, TypeCode::MidpointTwoPoints, {a, b});
    auto* ab = add<StraightElement>(c, TypeCode::SegmentTwoPoints, {a, b});
    auto* ad = add<StraightElement>(c, TypeCode::LineTwoPoints, {a, d});
    auto* vector = add<StraightElement>(c, TypeCode::VectorTwoPoints, {a, e});
    auto* axis = add<StraightElement>(c, TypeCode::LineTwoPoints, {a, up});
    auto* ray = add<StraightElement>(c, TypeCode::RayTwoPoints, {d, e});
    auto* cross = add<StraightElement>(c, TypeCode::LineTwoPoints, {pt(2, -1, 0), pt(2, 1, 0)});
    add<IntersectionPoint>(c, TypeCode::LineLinePoint, {ab, cross});
    auto* on = add<PointOnObject>(c, TypeCode::PointOnObject, {ab});
    on->param1 = 0.25;
    auto* circle = add<Circle>(c, TypeCode::CircleThreePoints, {b, d, e});
    auto* arc = add<Arc>(c, TypeCode::ArcThreePoints, {pt(1, 0, 0), pt(0, 1, 0), pt(-1, 0, 0)});
    auto* conic = add<Conic>(c, TypeCode::ConicFivePoints,
                             {pt(2, 0, 1), pt(0, 1, 1), pt(-2, 0, 1), pt(0, -1, 1), pt(1.2, 0.8, 1)});
    auto* plane = add<Plane>(c, TypeCode::PlaneThreePoints, {a, b, d});
    auto* polygon =
        add<Polygon>(c, TypeCode::PolygonVertices, {pt(0, 0, 1), pt(1, 0, 1), pt(1, 1, 1), pt(0, 1, 1)});
    auto* regular = add<RegularPolygon>(c, TypeCode::RegularPolygon, {pt(1, 0, 3), axis});
    regular->sideCount = 5;
    appendAll(c, regular->makeParts(kStyle, kStyle));
    auto* cube = add<RegularPolyhedron>(c, TypeCode::Cube, {pt(3, 0, 0), axis});
    appendAll(c, cube->makeParts(kStyle, kStyle));
    auto* sphere = add<Sphere>(c, TypeCode::SphereCentrePoint, {a, e});
    auto* cylinder = add<Cylinder>(c, TypeCode::CylinderAboutAxis, {pt(2, 0, 1), axis});
    auto* cone = add<Cone>(c, TypeCode::ConeThroughPoint, {pt(1, 0, 1), a, up});

    Element* ends[] = {a, b};
    c.append(makeMeasure(TypeCode::PointPointDistance, ends, kStyle, NumberDefaults{}, 10, 20));
    Element* corner[] = {b, a, d};
    c.append(makeMeasure(TypeCode::ThreePointAngle, corner, kStyle, NumberDefaults{}, 10, 40));
    Element* ball[] = {sphere};
    c.append(makeMeasure(TypeCode::SphereVolume, ball, kStyle, NumberDefaults{}, 10, 60));
    Element* angle = c.append(makeParameter(30, kStyle, NumberDefaults{}, 50, 60));
    CompiledExpression compiled;
    ASSERT_EQ(compileExpression("A*2+1", 1, compiled), 1);
    Element* operands[] = {angle};
    Element* calculation = c.append(makeCalculation(compiled, operands, kStyle, NumberDefaults{}, 80, 90));
    appendAll(c, makeCoordinates(e, kStyle, NumberDefaults{}, 5, 5));
    auto* text = add<Text>(c, TypeCode::Text, {});
    text->richText = "{\\rtf1 Hello}";
    text->rectangle = {{10, 20}, {200, 80}};

    // One image of every family, the five transformations in turn.
    Element* sources[] = {e, ab, vector, ad, ray, circle, plane, polygon, sphere, arc, cylinder, cone, conic};
    Element* by[] = {d, axis, plane, vector, axis};
    for (std::size_t i = 0; i < std::size(sources); ++i) {
        const int t = static_cast<int>(i % kTransformationCount);
        const TypeCode code = imageTypeCode(*sources[i], t);
        if (t == 4)
            add(c, code, {sources[i], by[t], angle});
        else
            add(c, code, {sources[i], by[t]});
    }

    // Loci: a midpoint traced along the segment, a surface of two parameters.
    Point* traced = add<Point>(c, TypeCode::MidpointTwoPoints, {on, d});
    add<Locus>(c, TypeCode::PointLocus, {traced, on});
    Element* u = c.append(makeParameter(1, kStyle, NumberDefaults{}, 5, 90));
    Element* v = c.append(makeParameter(2, kStyle, NumberDefaults{}, 5, 110));
    Point* byCoordinates = add<Point>(c, TypeCode::PointByCoordinates, {u, v, calculation});
    add<SurfaceLocus>(c, TypeCode::ParameterSurfaceLocus, {byCoordinates, u, v});

    // An iteration halving towards A and B.
    Point* p = pt(1, 2, 0);
    Point* p1 = add<Point>(c, TypeCode::MidpointTwoPoints, {p, a});
    Point* p2 = add<Point>(c, TypeCode::MidpointTwoPoints, {p, b});
    auto* halves = add<StraightElement>(c, TypeCode::SegmentTwoPoints, {p1, p2});
    auto* iteration = add<Iteration>(c, TypeCode::Iteration, {p, p1, p2, halves});
    iteration->depth = 3;
    iteration->branchCount = 2;
    iteration->inputCount = 1;
    iteration->imageTable = {{1, 2}};

    c.animationAdd(angle);
    c.animationAdd(u);
    doc.angleUnit = kDegrees;
    doc.unitScale = 2.0;
    doc.recompute();

    // A macro: the midpoint of two points.
    Document scratch;
    Construction& m = scratch.construction();
    Point* ma = addPoint(m, {0, 0, 0});
    Point* mb = addPoint(m, {2, 0, 0});
    Point* mid = addOn(m, std::make_unique<Point>(TypeCode::MidpointTwoPoints, KindStyle{}), {ma, mb});
    scratch.recompute();
    Element* initial[] = {ma, mb};
    Element* finals[] = {mid};
    doc.macros.push_back(makeMacro(m, initial, finals, "Punto medio"));
}

std::vector<std::uint8_t> bytesOf(Document& doc) {
    MemoryOutputStream out;
    EXPECT_EQ(writeDocumentBytes(doc, false, out), 1);
    return out.bytes();
}

std::vector<std::uint8_t> referenceBytes() {
    std::ifstream file(std::string(KOVA_TEST_DATA_DIR) + "/every_class.g3d", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(EveryClassFile, IsWrittenAsTheKeptFileAndReadBackUnchanged) {
    Document doc;
    buildEveryClass(doc);
    const Construction& c = doc.construction();
    for (int i = 0; i < c.count(); ++i) EXPECT_EQ(c.at(i)->defined, 1) << "element " << i;
    const std::vector<std::uint8_t> written = bytesOf(doc);
    const std::vector<std::uint8_t> kept = referenceBytes();
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(written, kept);

    Document back;
    MemoryInputStream in(kept);
    ASSERT_EQ(readDocumentBytes(in, DocumentDefaults{}, back), kReadOk) << in.failure();
    back.recompute();
    EXPECT_EQ(back.construction().count(), c.count());
    EXPECT_EQ(bytesOf(back), kept);
}
