#include <algorithm>
#include <map>
#include <numbers>
#include <set>
#include <utility>

#include "surface_scene.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct PolygonScene {
    Scene s;
    Point* v0 = nullptr;
    RegularPolygon* leader = nullptr;

    explicit PolygonScene(int sides, Vec3 first = {1, 0, 0}) {
        v0 = s.free(first);
        StraightElement* axis = s.line({0, 0, 0}, {0, 0, 1});
        leader = s.addWithParts(std::make_unique<RegularPolygon>(kTestStyle, sides), {v0, axis});
        s.recompute();
    }
    Point* vertex(int i) const {
        return static_cast<Point*>(leader->parts()[static_cast<std::size_t>(i - 1)]);
    }
};

struct SolidScene {
    Scene s;
    Point* v0 = nullptr;
    RegularPolyhedron* solid = nullptr;

    SolidScene(TypeCode code, Vec3 first, Vec3 axisA = {0, 0, 0}, Vec3 axisB = {0, 0, 1}) {
        v0 = s.free(first);
        StraightElement* axis = s.line(axisA, axisB);
        auto leader = std::make_unique<RegularPolyhedron>(code, kTestStyle);
        leader->colour = 0x3366cc;
        solid = s.addWithParts(std::move(leader), {v0, axis});
        s.recompute();
    }
    // Vertex 0 is the defining point.
    Vec3 vertex(int k) const {
        return k == 0 ? v0->position
                      : static_cast<Point*>(solid->parts()[static_cast<std::size_t>(k - 1)])->position;
    }
    const Polygon& face(int f) const {
        return *static_cast<Polygon*>(
            solid->parts()[static_cast<std::size_t>(solid->generatedVertexCount + f)]);
    }
};

}  // namespace

TEST(RegularPolygon, PentagonVerticesAreTurnsOfTheFirstVertex) {
    PolygonScene p(5);
    ASSERT_EQ(p.leader->defined, 1);
    EXPECT_EQ(p.leader->subElementCount(), 5);
    ASSERT_EQ(p.leader->parts().size(), 5u);
    for (int i = 1; i < 5; ++i) {
        const double angle = i * 72.0 * kPi / 180.0;
        EXPECT_EQ(p.vertex(i)->defined, 1);
        expectNear(p.vertex(i)->position, {std::cos(angle), std::sin(angle), 0});
    }
    Polygon* polygon = p.leader->polygon();
    ASSERT_NE(polygon, nullptr);
    ASSERT_EQ(polygon->defined, 1);
    ASSERT_EQ(polygon->vertexCount, 5);
    expectNear(polygon->vertices[0], {1, 0, 0});
    expectNear(polygon->vertices[4], p.vertex(4)->position);

    // Moving V0 towards the axis shrinks it.
    p.v0->position = {0.5, 0, 0};
    p.s.recompute();
    EXPECT_NEAR(dist(p.vertex(2)->position, {0, 0, 0}), 0.5, 1e-12);
    EXPECT_NEAR(dist(p.vertex(1)->position, p.v0->position), 2 * 0.5 * std::sin(kPi / 5), 1e-12);

    // V0 on the axis: the figure stays defined, its polygon does not.
    p.v0->position = {0, 0, 2};
    p.s.recompute();
    EXPECT_EQ(p.leader->defined, 1);
    EXPECT_EQ(polygon->defined, 0);
    expectNear(p.vertex(3)->position, {0, 0, 2});
}

TEST(RegularPolygon, PartsAreWiredAndSkippedByTheTopLevelWalk) {
    PolygonScene p(4);
    Point* after = p.s.free({5, 5, 5});
    const auto parts = p.leader->parts();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(parts[i]->typeCode(), TypeCode::RegularPolygonVertex);
        ASSERT_EQ(parts[i]->parents.size(), 1u);
        EXPECT_EQ(parts[i]->parents[0], p.leader);
    }
    Polygon* polygon = p.leader->polygon();
    EXPECT_EQ(polygon->typeCode(), TypeCode::PolygonVertices);
    EXPECT_EQ(polygon->parents[0], p.v0);
    EXPECT_EQ(polygon->parents[3], parts[2]);
    EXPECT_EQ(p.s.c.nextTopLevel(p.leader), after);
    // A regular polygon is picked through its polygon.
    Vec3 hit;
    EXPECT_EQ(p.leader->hitTest(0, 0, rayFrom({0.1, 0.2, 3}, {0, 0, -1}), 0, hit), 1);
    expectNear(hit, {0.1, 0.2, 0});
    EXPECT_EQ(p.leader->hitTest(0, 0, rayFrom({0.9, 0.9, 3}, {0, 0, -1}), 0, hit), 0);
}

TEST(RegularPolygon, BrokenOrMissingPartsLeaveItUndefined) {
    Scene s;
    Point* v0 = s.free({1, 0, 0});
    StraightElement* axis = s.line({0, 0, 0}, {0, 0, 1});
    RegularPolygon* alone = s.add(std::make_unique<RegularPolygon>(kTestStyle, 3), {v0, axis});
    s.free({2, 0, 0});  // where its first vertex should be
    s.recompute();
    EXPECT_EQ(alone->defined, 0);
    EXPECT_TRUE(alone->parts().empty());
    Vec3 hit;
    EXPECT_EQ(alone->hitTest(0, 0, rayFrom({0, 0, 3}, {0, 0, -1}), 0, hit), 0);
    EXPECT_TRUE(RegularPolygon(kTestStyle, 2).makeParts(kTestStyle, kTestStyle).empty());
}

TEST(RegularPolygon, SelectionHighlightReachesItsParts) {
    PolygonScene p(3);
    DrawSettings settings;
    settings.selectedColour = 0xff00ff;
    {
        SurfaceCanvas canvas;
        p.s.c.drawAll(canvas, settings);
        for (const auto& call : canvas.calls) EXPECT_NE(call.colour, 0xff00ffu);
    }
    p.leader->selected = 1;
    SurfaceCanvas canvas;
    p.s.c.drawAll(canvas, settings);
    int highlightedDots = 0, highlightedPolygons = 0;
    for (const auto& call : canvas.calls) {
        if (call.colour != 0xff00ffu) continue;
        highlightedDots += call.primitive == "dot";
        highlightedPolygons += call.primitive == "tessellatedPolygon";
    }
    EXPECT_EQ(highlightedDots, 2);
    EXPECT_EQ(highlightedPolygons, 1);
}

TEST(RegularPolygon, RecordAndCopies) {
    PolygonScene p(7);
    const auto bytes = recordOf(*p.leader);
    const auto baseOnly = recordOf(Sphere(TypeCode::SphereCentrePoint, kTestStyle));
    ASSERT_EQ(bytes.size(), baseOnly.size() + 8);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 4, bytes.end()), std::vector<std::uint8_t>(4, 0));
    RegularPolygon read(kTestStyle, 0);
    ASSERT_EQ(readRecord(bytes, read), 1);
    EXPECT_EQ(read.sideCount, 7);
    auto tooFew = bytes;
    tooFew[tooFew.size() - 8] = 2;
    EXPECT_EQ(readRecord(tooFew, read), 0);

    // A copy finds its own parts: moving the original leaves it alone.
    auto copy = p.s.c.copy();
    auto* copiedLeader = static_cast<RegularPolygon*>(copy->at(p.s.c.indexOf(p.leader)));
    EXPECT_TRUE(copiedLeader->parts().empty());
    copy->recomputeAll({1, 1.0});
    ASSERT_EQ(copiedLeader->parts().size(), 7u);
    EXPECT_EQ(copy->indexOf(copiedLeader->parts()[0]), p.s.c.indexOf(p.leader->parts()[0]));
    p.v0->position = {3, 0, 0};
    p.s.recompute();
    expectNear(static_cast<Point*>(copiedLeader->parts()[0])->position,
               {std::cos(2 * kPi / 7), std::sin(2 * kPi / 7), 0});
}

TEST(RegularPolyhedron, CubeEdgeFromTheDistanceToTheAxis) {
    const double r = 2.0;
    SolidScene cube(TypeCode::Cube, {r, 0, 0});
    ASSERT_EQ(cube.solid->defined, 1);
    EXPECT_EQ(cube.solid->subElementCount(), 13);
    EXPECT_NEAR(dist(cube.vertex(0), cube.vertex(1)), r * std::numbers::sqrt2, 1e-12);
    EXPECT_NEAR(dist(cube.vertex(0), cube.vertex(7)), r * std::numbers::sqrt2, 1e-12);
    // The opposite face lies one edge above or below the first one.
    EXPECT_NEAR(std::fabs(cube.vertex(4).z), r * std::numbers::sqrt2, 1e-12);
}

TEST(RegularPolyhedron, EveryFaceIsAPlaneRegularPolygonOfAConvexClosedSolid) {
    for (const auto& [code, vertices, faces, perFace] :
         {std::tuple{TypeCode::Tetrahedron, 4, 4, 3}, std::tuple{TypeCode::Cube, 8, 6, 4},
          std::tuple{TypeCode::Octahedron, 6, 8, 3}, std::tuple{TypeCode::Dodecahedron, 20, 12, 5},
          std::tuple{TypeCode::Icosahedron, 12, 20, 3}}) {
        SCOPED_TRACE(code);
        SolidScene solid(code, {1.5, 0.5, 2}, {0.5, 0.5, 0}, {0.7, 1.0, 3});
        ASSERT_EQ(solid.solid->defined, 1);
        ASSERT_EQ(solid.solid->generatedVertexCount + 1, vertices);
        ASSERT_EQ(solid.solid->faceCount, faces);
        ASSERT_EQ(solid.solid->verticesPerFace, perFace);
        ASSERT_EQ(solid.solid->parts().size(), static_cast<std::size_t>(vertices - 1 + faces));

        const double edge = dist(solid.face(0).vertices[0], solid.face(0).vertices[1]);
        Vec3 centroid;
        for (int k = 0; k < vertices; ++k) centroid = centroid + solid.vertex(k) * (1.0 / vertices);
        const double circumradius = dist(centroid, solid.vertex(0));
        std::map<std::pair<const Element*, const Element*>, int> edgeUses;
        for (int f = 0; f < faces; ++f) {
            const Polygon& face = solid.face(f);
            ASSERT_EQ(face.defined, 1) << "face " << f;
            EXPECT_EQ(face.colour, 0x3366ccu);
            const auto support = face.supportPlane();
            const Vec3 n = crossProduct(support[1] - support[0], support[2] - support[0]);
            const Vec3 unit = n * (1.0 / norm(n));
            for (int k = 0; k < perFace; ++k) {
                const Vec3 a = face.vertices[k];
                const Vec3 b = face.vertices[(k + 1) % perFace];
                EXPECT_NEAR(dist(a, b), edge, 1e-9) << "face " << f << " edge " << k;
                EXPECT_NEAR(dotProduct(a - support[0], unit), 0.0, 1e-9);
                const Element* pa = face.parents[k];
                const Element* pb = face.parents[(k + 1) % perFace];
                ++edgeUses[std::minmax(pa, pb)];
            }
            // Every other vertex lies on one side of the face: the solid is convex.
            double above = 0.0, below = 0.0;
            for (int k = 0; k < vertices; ++k) {
                const double side = dotProduct(solid.vertex(k) - support[0], unit);
                above = std::max(above, side);
                below = std::min(below, side);
            }
            EXPECT_TRUE(above < 1e-9 || below > -1e-9) << "face " << f;
        }
        for (int k = 0; k < vertices; ++k) EXPECT_NEAR(dist(centroid, solid.vertex(k)), circumradius, 1e-9);
        // Closed: every edge bounds exactly two faces; Euler's V − E + F = 2.
        for (const auto& [e, uses] : edgeUses) EXPECT_EQ(uses, 2);
        EXPECT_EQ(vertices - static_cast<int>(edgeUses.size()) + faces, 2);
    }
}

TEST(RegularPolyhedron, DegenerateAxisDistances) {
    SolidScene onAxis(TypeCode::Octahedron, {0, 0, 5});
    EXPECT_EQ(onAxis.solid->defined, 1);
    for (int k = 1; k < 6; ++k) expectNear(onAxis.vertex(k), {0, 0, 5});
    for (int f = 0; f < 8; ++f) EXPECT_EQ(onAxis.face(f).defined, 0);
    // Moved off the axis again, it is whole again.
    onAxis.v0->position = {1, 0, 5};
    onAxis.s.recompute();
    for (int f = 0; f < 8; ++f) EXPECT_EQ(onAxis.face(f).defined, 1);
}

TEST(RegularPolyhedron, PickedOnItsNearestFaceAndHighlightedWhole) {
    SolidScene cube(TypeCode::Cube, {1, 0, 0});
    const double topZ = std::max(0.0, cube.vertex(4).z);
    Vec3 hit;
    ASSERT_EQ(cube.solid->hitTest(0, 0, rayFrom({0.1, 0.2, 10}, {0, 0, -1}), 0, hit), 1);
    expectNear(hit, {0.1, 0.2, topZ});
    ASSERT_EQ(cube.solid->hitTest(0, 0, rayFrom({0.1, 0.2, -10}, {0, 0, 1}), 0, hit), 1);
    expectNear(hit, {0.1, 0.2, std::min(0.0, cube.vertex(4).z)});
    EXPECT_EQ(cube.solid->hitTest(0, 0, rayFrom({3, 3, 10}, {0, 0, -1}), 0, hit), 0);

    // Drawn in a highlight colour (a tool's pick), it draws its vertices and faces in it.
    SurfaceCanvas canvas;
    cube.solid->draw(0xff00ff, 0, canvas);
    EXPECT_EQ(canvas.count("dot"), 7);
    EXPECT_EQ(canvas.count("tessellatedPolygon"), 6);
    for (const auto& call : canvas.calls) EXPECT_EQ(call.colour, 0xff00ffu);
    SurfaceCanvas plain;
    cube.solid->draw(cube.solid->colour, 0, plain);
    EXPECT_TRUE(plain.calls.empty());

    // Recolouring the solid recolours its faces.
    cube.solid->colour = 0x010203;
    cube.solid->colourFaces();
    EXPECT_EQ(cube.face(5).colour, 0x010203u);
}

TEST(RegularPolyhedron, FaceWiringFollowsTheTable) {
    SolidScene cube(TypeCode::Cube, {1, 0, 0});
    const auto parts = cube.solid->parts();
    // Face 2 of the cube is (V0, V1, V4, V7).
    const Polygon& second = cube.face(1);
    EXPECT_EQ(second.parents[0], cube.v0);
    EXPECT_EQ(second.parents[1], parts[0]);
    EXPECT_EQ(second.parents[2], parts[3]);
    EXPECT_EQ(second.parents[3], parts[6]);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(parts[static_cast<std::size_t>(k)]->parents[0], cube.solid);
}

TEST(RegularPolyhedron, RecordKeepsTheCountsInOverlappingWindows) {
    SolidScene dodecahedron(TypeCode::Dodecahedron, {1, 0, 0});
    const auto bytes = recordOf(*dodecahedron.solid);
    const auto baseOnly = recordOf(Sphere(TypeCode::SphereCentrePoint, kTestStyle));
    ASSERT_EQ(bytes.size(), baseOnly.size() + 24);
    const std::size_t at = baseOnly.size();
    auto word = [&](const std::vector<std::uint8_t>& b, std::size_t i) {
        return b[at + 4 * i] | b[at + 4 * i + 1] << 8 | b[at + 4 * i + 2] << 16 | b[at + 4 * i + 3] << 24;
    };
    EXPECT_EQ(word(bytes, 0), 19);
    EXPECT_EQ(word(bytes, 1), 12);
    EXPECT_EQ(word(bytes, 2), 12);
    EXPECT_EQ(word(bytes, 3), 5);
    EXPECT_EQ(word(bytes, 4), 5);
    EXPECT_EQ(word(bytes, 5), 0);

    RegularPolyhedron read(TypeCode::Dodecahedron, {});
    read.generatedVertexCount = read.faceCount = read.verticesPerFace = 0;
    ASSERT_EQ(readRecord(bytes, read), 1);
    EXPECT_EQ(read.generatedVertexCount, 19);
    EXPECT_EQ(read.faceCount, 12);
    EXPECT_EQ(read.verticesPerFace, 5);

    // Bytes 4-7, 12-15 and 20-23 are not read; counts that do not fit the solid are refused.
    auto ignored = bytes;
    for (std::size_t i : {1u, 3u, 5u}) ignored[at + 4 * i] = 99;
    ASSERT_EQ(readRecord(ignored, read), 1);
    EXPECT_EQ(read.faceCount, 12);
    auto wrong = bytes;
    wrong[at + 8] = 13;
    EXPECT_EQ(readRecord(wrong, read), 0);
}
