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
#include "io_fixtures.h"
#include "model/byte_stream.h"

namespace {

constexpr KindStyle kStyle{0, 1, 1, 0, 0x405060};

template <typename T>
T* add(Construction& c, std::unique_ptr<T> e, std::initializer_list<Element*> parents = {}) {
    return addOn(c, std::move(e), parents);
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
    add(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, kStyle), {a, b});
    auto* ab = add(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, kStyle), {a, b});
    auto* ad = add(c, std::make_unique<StraightElement>(TypeCode::LineTwoPoints, kStyle), {a, d});
    auto* vector = add(c, std::make_unique<StraightElement>(TypeCode::VectorTwoPoints, kStyle), {a, e});
    auto* axis = add(c, std::make_unique<StraightElement>(TypeCode::LineTwoPoints, kStyle), {a, up});
    auto* ray = add(c, std::make_unique<StraightElement>(TypeCode::RayTwoPoints, kStyle), {d, e});
    auto* cross = add(c, std::make_unique<StraightElement>(TypeCode::LineTwoPoints, kStyle),
                      {pt(2, -1, 0), pt(2, 1, 0)});
    add(c, std::make_unique<IntersectionPoint>(TypeCode::LineLinePoint, kStyle), {ab, cross});
    auto onSegment = std::make_unique<PointOnObject>(kStyle);
    onSegment->param1 = 0.25;
    Point* on = add(c, std::move(onSegment), {ab});
    auto* circle = add(c, std::make_unique<Circle>(TypeCode::CircleThreePoints, kStyle), {b, d, e});
    auto* arc = add(c, std::make_unique<Arc>(TypeCode::ArcThreePoints, kStyle),
                    {pt(1, 0, 0), pt(0, 1, 0), pt(-1, 0, 0)});
    auto* conic = add(c, std::make_unique<Conic>(TypeCode::ConicFivePoints, kStyle),
                      {pt(2, 0, 1), pt(0, 1, 1), pt(-2, 0, 1), pt(0, -1, 1), pt(1.2, 0.8, 1)});
    auto* plane = add(c, std::make_unique<Plane>(TypeCode::PlaneThreePoints, kStyle), {a, b, d});
    auto* polygon = add(c, std::make_unique<Polygon>(TypeCode::PolygonVertices, kStyle, 4),
                        {pt(0, 0, 1), pt(1, 0, 1), pt(1, 1, 1), pt(0, 1, 1)});
    auto* regular = add(c, std::make_unique<RegularPolygon>(kStyle, 5), {pt(1, 0, 3), axis});
    appendAll(c, regular->makeParts(kStyle, kStyle));
    auto* cube = add(c, std::make_unique<RegularPolyhedron>(TypeCode::Cube, kStyle), {pt(3, 0, 0), axis});
    appendAll(c, cube->makeParts(kStyle, kStyle));
    auto* sphere = add(c, std::make_unique<Sphere>(TypeCode::SphereCentrePoint, kStyle), {a, e});
    auto* cylinder =
        add(c, std::make_unique<Cylinder>(TypeCode::CylinderAboutAxis, kStyle), {pt(2, 0, 1), axis});
    auto* cone = add(c, std::make_unique<Cone>(TypeCode::ConeThroughPoint, kStyle), {pt(1, 0, 1), a, up});

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
    auto text = std::make_unique<Text>(kStyle);
    text->richText = "{\\rtf1 Hello}";
    text->rectangle = {{10, 20}, {200, 80}};
    c.append(std::move(text));

    // One image of every family, the five transformations in turn.
    Element* sources[] = {e, ab, vector, ad, ray, circle, plane, polygon, sphere, arc, cylinder, cone, conic};
    Element* by[] = {d, axis, plane, vector, axis};
    for (std::size_t i = 0; i < std::size(sources); ++i) {
        const int t = static_cast<int>(i % kTransformationCount);
        const TypeCode code = imageTypeCode(*sources[i], t);
        ElementPtr image;
        switch (sources[i]->kind()) {
            case ElementKind::Point:
                image = std::make_unique<Point>(code, kStyle);
                break;
            case ElementKind::Circle:
                image = std::make_unique<Circle>(code, kStyle);
                break;
            case ElementKind::Plane:
                image = std::make_unique<Plane>(code, kStyle);
                break;
            case ElementKind::Polygon:
                image = std::make_unique<Polygon>(code, kStyle, 0);
                break;
            case ElementKind::Sphere:
                image = std::make_unique<Sphere>(code, kStyle);
                break;
            case ElementKind::Arc:
                image = std::make_unique<Arc>(code, kStyle);
                break;
            case ElementKind::Cylinder:
                image = std::make_unique<Cylinder>(code, kStyle);
                break;
            case ElementKind::Cone:
                image = std::make_unique<Cone>(code, kStyle);
                break;
            case ElementKind::Conic:
                image = std::make_unique<Conic>(code, kStyle);
                break;
            default:
                image = std::make_unique<StraightElement>(code, kStyle);
                break;
        }
        image->parents[0] = sources[i];
        image->parents[1] = by[t];
        if (t == 4) image->parents[2] = angle;
        c.append(std::move(image));
    }

    // Loci: a midpoint traced along the segment, a surface of two parameters.
    Point* traced = add(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, kStyle), {on, d});
    add(c, std::make_unique<Locus>(TypeCode::PointLocus, kStyle), {traced, on});
    Element* u = c.append(makeParameter(1, kStyle, NumberDefaults{}, 5, 90));
    Element* v = c.append(makeParameter(2, kStyle, NumberDefaults{}, 5, 110));
    Point* byCoordinates =
        add(c, std::make_unique<Point>(TypeCode::PointByCoordinates, kStyle), {u, v, calculation});
    add(c, std::make_unique<SurfaceLocus>(TypeCode::ParameterSurfaceLocus, kStyle), {byCoordinates, u, v});

    // An iteration halving towards A and B.
    Point* p = pt(1, 2, 0);
    Point* p1 = add(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, kStyle), {p, a});
    Point* p2 = add(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, kStyle), {p, b});
    auto* halves = add(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, kStyle), {p1, p2});
    auto iteration = std::make_unique<Iteration>(kStyle, 4);
    iteration->depth = 3;
    iteration->branchCount = 2;
    iteration->inputCount = 1;
    iteration->imageTable = {{1, 2}};
    add(c, std::move(iteration), {p, p1, p2, halves});

    c.animationAdd(angle);
    c.animationAdd(u);
    doc.angleUnit = kDegrees;
    doc.view.unitScale = 2.0;
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
