#include "image_scene.h"
#include "model/byte_stream.h"

namespace {

class FamilyImages : public ImageScene {
  protected:
    // What every image keeps of its source besides the mapped points.
    static void expectInvariantsKept(const Element& source, const Element& image, int t) {
        switch (source.kind()) {
            case ElementKind::Circle:
                EXPECT_EQ(static_cast<const Circle&>(image).radius,
                          static_cast<const Circle&>(source).radius);
                break;
            case ElementKind::Sphere:
                EXPECT_EQ(static_cast<const Sphere&>(image).radius,
                          static_cast<const Sphere&>(source).radius);
                break;
            case ElementKind::Cylinder:
                EXPECT_EQ(static_cast<const Cylinder&>(image).radius,
                          static_cast<const Cylinder&>(source).radius);
                break;
            case ElementKind::Cone:
                EXPECT_EQ(static_cast<const Cone&>(image).baseRadius,
                          static_cast<const Cone&>(source).baseRadius);
                break;
            case ElementKind::Arc: {
                const auto& a = static_cast<const Arc&>(image);
                const auto& s = static_cast<const Arc&>(source);
                EXPECT_NEAR(a.sweep, s.sweep, 1e-9);
                expectVecNear(a.centre, expectedImage(t, s.centre));
                break;
            }
            case ElementKind::Conic: {
                const auto& c = static_cast<const Conic&>(image);
                EXPECT_EQ(c.conicType(), static_cast<const Conic&>(source).conicType());
                Vec3 centre;
                ASSERT_EQ(c.centreInSpace(centre), 1);
                expectVecNear(centre, expectedImage(t, kOrigin));
                break;
            }
            case ElementKind::Polygon: {
                const auto& p = static_cast<const Polygon&>(image);
                EXPECT_EQ(p.vertexCount, static_cast<const Polygon&>(source).vertexCount);
                const std::array<Vec3, 3> support = source.supportPlane();
                for (std::size_t i = 0; i < 3; ++i)
                    expectVecNear(p.supportPlane()[i], expectedImage(t, support[i]));
                break;
            }
            default:
                break;
        }
    }

    // A parameter pair on the source that its pointAt accepts (inside a polygon).
    static std::pair<double, double> sampleParameters(ElementKind kind) {
        switch (kind) {
            case ElementKind::Plane:
            case ElementKind::Polygon:
                return {0.5, 0.3};
            case ElementKind::Sphere:
                return {0.4, 0.9};
            case ElementKind::Cylinder:
                return {0.8, 0.6};
            case ElementKind::Cone:
                return {0.8, 1.5};
            case ElementKind::Circle:
                return {1.1, 0};
            default:
                return {0.3, 0};
        }
    }
};

TEST_F(FamilyImages, EveryFamilyUnderEveryTransformationLiesWhereTheMapSendsItsPoints) {
    const std::vector<Element*> sources = makeSources();
    ASSERT_EQ(sources.size(), 13u);
    for (int t = 0; t < kTransformationCount; ++t) {
        const std::vector<Element*> defining = transformationParents(t);
        for (Element* source : sources) {
            SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(source->kind()) << ", t " << t);
            ASSERT_EQ(source->defined, 1);
            Element* image = imageOf(source, t, defining);
            ASSERT_EQ(image->defined, 1);
            EXPECT_EQ(image->kind(), source->kind());
            const std::vector<Vec3> from = storedPoints(*source);
            const std::vector<Vec3> to = storedPoints(*image);
            ASSERT_EQ(to.size(), from.size());
            for (std::size_t i = 0; i < from.size(); ++i) expectVecNear(to[i], expectedImage(t, from[i]));
            // An isometry keeps every distance between the stored points.
            for (std::size_t i = 0; i < from.size(); ++i) {
                for (std::size_t j = i + 1; j < from.size(); ++j)
                    EXPECT_NEAR(dist(to[i], to[j]), dist(from[i], from[j]), 1e-9);
            }
            expectInvariantsKept(*source, *image, t);
            // The symmetries undo themselves: the image of the image is the source again.
            if (t <= 2) {
                const std::vector<Vec3> back = storedPoints(*imageOf(image, t, defining));
                for (std::size_t i = 0; i < from.size(); ++i) expectVecNear(back[i], from[i]);
            }
        }
    }
}

TEST_F(FamilyImages, PointsOnImagesBehaveAsOnTheSourceKind) {
    const std::vector<Element*> sources = makeSources();
    for (int t = 0; t < kTransformationCount; ++t) {
        const std::vector<Element*> defining = transformationParents(t);
        for (Element* source : sources) {
            if (source->kind() == ElementKind::Point) continue;
            SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(source->kind()) << ", t " << t);
            Element* image = imageOf(source, t, defining);
            const auto [p1, p2] = sampleParameters(source->kind());
            Vec3 onSource;
            ASSERT_TRUE(source->pointAt(p1, p2, onSource));
            const Vec3 mapped = expectedImage(t, onSource);

            // The image of a point of the source is a point of the image, found again from its parameters.
            auto onImage = std::make_unique<PointOnObject>(kImageStyle);
            onImage->parents[0] = image;
            ASSERT_TRUE(image->parameterOf(mapped, onImage->param1, onImage->param2));
            PointOnObject* point = static_cast<PointOnObject*>(construction.append(std::move(onImage)));
            point->recompute(construction, {kDegrees, 1.0});
            ASSERT_EQ(point->defined, 1);
            expectVecNear(point->position, mapped, 1e-7);

            // Translations and rotations carry the parameters along unchanged, except
            // on a sphere, whose parameters are angles about fixed world directions.
            const bool proper = t == 3 || (t == 4 && source->kind() != ElementKind::Sphere);
            if (proper) {
                point->param1 = p1;
                point->param2 = p2;
                point->recompute(construction, {kDegrees, 1.0});
                expectVecNear(point->position, mapped, 1e-9);
            }
        }
    }
}

TEST_F(FamilyImages, RecordsOfImagesAreThoseOfTheSourceClass) {
    const std::vector<Element*> sources = makeSources();
    const std::vector<Element*> defining = transformationParents(4);
    for (Element* source : sources) {
        SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(source->kind()));
        Element* image = imageOf(source, 4, defining);
        MemoryOutputStream sourceRecord, imageRecord;
        ASSERT_EQ(source->write(sourceRecord), 1);
        ASSERT_EQ(image->write(imageRecord), 1);
        // The same class part: the records differ only in their parent keys.
        EXPECT_EQ(imageRecord.bytes().size() - 4 * image->parents.size(),
                  sourceRecord.bytes().size() - 4 * source->parents.size());

        // Read back after the type code and parent count, as the file reader does.
        ElementPtr copy = makeOfSourceClass(*source, image->typeCode());
        MemoryInputStream in(std::span(imageRecord.bytes()).subspan(8));
        ASSERT_EQ(copy->read(in, 5000), 1);
        EXPECT_EQ(in.remaining(), 0u);
        if (source->kind() == ElementKind::Polygon) {
            EXPECT_EQ(static_cast<Polygon&>(*copy).vertexCount, 4);
            EXPECT_EQ(static_cast<Polygon&>(*copy).vertices.size(), 4u);
        }
        // Linked and recomputed, the copy is the image again.
        for (std::size_t i = 0; i < image->parents.size(); ++i) copy->parents[i] = image->parents[i];
        copy->recompute(construction, {kDegrees, 1.0});
        ASSERT_EQ(copy->defined, 1);
        const std::vector<Vec3> expected = storedPoints(*image);
        const std::vector<Vec3> actual = storedPoints(*copy);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]);
    }
}

TEST_F(FamilyImages, PolygonImagesTakeTheSourcesVerticesOrStayAsTheyWere) {
    const std::vector<Element*> sources = makeSources();
    Polygon* source = static_cast<Polygon*>(sources[7]);
    ASSERT_EQ(source->kind(), ElementKind::Polygon);

    // A polygon serves as a mirror through its support points, like the plane it spans.
    Polygon* polygonMirror = add(std::make_unique<Polygon>(TypeCode::PolygonVertices, kImageStyle, 3),
                                 {free({0, 0, 1}), free({3, 1, 1}), free({-1, 2, 1})});
    Polygon* image = static_cast<Polygon*>(imageOf(source, 2, {polygonMirror}));
    ASSERT_EQ(image->defined, 1);
    ASSERT_EQ(image->vertexCount, 4);
    for (std::size_t i = 0; i < 4; ++i)
        expectVecNear(image->vertices[i], expectedImage(2, source->vertices[i]));

    // A mirror line collapsed to a point (only possible by direct edit) maps nothing:
    // the image is undefined and keeps its vertices.
    StraightElement* line = straight(TypeCode::LineTwoPoints, {1, 0, 0}, {1, 0, 5});
    Polygon* reflected = static_cast<Polygon*>(imageOf(source, 1, {line}));
    ASSERT_EQ(reflected->defined, 1);
    const std::vector<Vec3> before = reflected->vertices;
    line->pointB = line->pointA;
    reflected->recompute(construction, {kDegrees, 1.0});
    EXPECT_EQ(reflected->defined, 0);
    EXPECT_EQ(reflected->vertices, before);
    EXPECT_EQ(reflected->vertexCount, 4);

    // A vertex count read from a file gives way to the source's.
    reflected->vertexCount = 9;
    reflected->vertices.assign(9, Vec3{});
    line->pointB = {1, 0, 5};
    reflected->recompute(construction, {kDegrees, 1.0});
    EXPECT_EQ(reflected->defined, 1);
    EXPECT_EQ(reflected->vertexCount, 4);
    EXPECT_EQ(reflected->vertices.size(), 4u);
}

}  // namespace
