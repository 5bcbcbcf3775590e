#include "surface_scene.h"

namespace {

Polygon* polygonThrough(Scene& s, std::initializer_list<Vec3> at) {
    auto polygon =
        std::make_unique<Polygon>(TypeCode::PolygonVertices, kTestStyle, static_cast<int>(at.size()));
    std::size_t i = 0;
    for (Vec3 v : at) polygon->parents[i++] = s.free(v);
    return static_cast<Polygon*>(s.c.append(std::move(polygon)));
}

}  // namespace

TEST(Polygon, VertexCountAndPlaneOfItsPoints) {
    Scene s;
    Polygon* square = polygonThrough(s, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
    Polygon* bent = polygonThrough(s, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0.01}});
    Polygon* flat = polygonThrough(s, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    s.recompute();
    EXPECT_EQ(square->parentCount(), 4);
    EXPECT_EQ(square->vertexCount, 4);
    ASSERT_EQ(square->defined, 1);
    expectNear(square->vertices[2], {1, 1, 0});
    const auto support = square->supportPlane();
    expectNear(support[0], {0, 0, 0});
    expectNear(support[1], {1, 0, 0});
    expectNear(support[2], {1, 1, 0});
    EXPECT_EQ(bent->defined, 0);
    EXPECT_EQ(flat->defined, 0);
}

TEST(Polygon, DrawnWithoutNearDuplicateVertices) {
    Scene s;
    // The repeated last vertex is dropped, a vertex 0.00005 from the previous one is
    // skipped and one 0.0002 away is kept.
    Polygon* p = polygonThrough(
        s, {{0, 0, 0}, {1, 0, 0}, {1.00005, 0, 0}, {1, 1, 0}, {1, 1.0002, 0}, {0, 1, 0}, {0, 0, 0}});
    s.recompute();
    ASSERT_EQ(p->defined, 1);
    SurfaceCanvas canvas;
    p->draw(0xabcdef, 0, canvas);
    ASSERT_EQ(canvas.count("tessellatedPolygon"), 1);
    const auto& points = canvas.calls[0].points;  // the vertices, then the normal
    ASSERT_EQ(points.size(), 6u);
    expectNear(points[1], {1, 0, 0});
    expectNear(points[2], {1, 1, 0});
    expectNear(points[3], {1, 1.0002, 0});
    expectNear(points[4], {0, 1, 0});
    expectNear(points[5], {0, 0, 1});  // unit normal of the support points
    EXPECT_EQ(canvas.calls[0].colour, 0xabcdefu);
}

TEST(Polygon, PickInsideAndNearestBoundaryPointOutside) {
    Scene s;
    Polygon* p = polygonThrough(s, {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}});
    s.recompute();
    Vec3 hit;
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({0.5, 1.5, 4}, {0, 0, -1}), 0, hit), 1);
    expectNear(hit, {0.5, 1.5, 0});
    // Outside: no hit, but the nearest point of the boundary is reported.
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({3, 1.5, 4}, {0, 0, -1}), 0, hit), 0);
    expectNear(hit, {2, 1.5, 0});
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({-1, -1, 4}, {0, 0, -1}), 0, hit), 0);
    expectNear(hit, {0, 0, 0});
    // Behind the ray's origin: nothing at all.
    hit = {7, 7, 7};
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({1, 1, -4}, {0, 0, -1}), 0, hit), 0);
    expectNear(hit, {7, 7, 7});
}

TEST(Polygon, PointsOnItRoundTripAndJumpToTheFirstEdgeOutside) {
    Scene s;
    Polygon* p = polygonThrough(s, {{0, 0, 1}, {4, 0, 1}, {4, 2, 1}, {1, 3, 1}});
    s.recompute();
    ASSERT_EQ(p->defined, 1);
    for (Vec3 x : {Vec3{1, 1, 1}, Vec3{3.5, 1.9, 1}, Vec3{0.2, 0.1, 1}}) {
        double a = 0.0, b = 0.0;
        ASSERT_EQ(p->parameterOf(x, a, b), 1);
        Vec3 back;
        ASSERT_EQ(p->pointAt(a, b, back), 1);
        expectNear(back, x);
    }
    // Parameters outside the polygon give the midpoint of its first edge.
    double a = 0.0, b = 0.0;
    ASSERT_EQ(p->parameterOf({6, 1, 1}, a, b), 1);
    Vec3 moved;
    ASSERT_EQ(p->pointAt(a, b, moved), 1);
    expectNear(moved, {2, 0, 1});
}

TEST(Polygon, RecordHoldsTheVertexCountOnly) {
    Scene s;
    Polygon* p = polygonThrough(s, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {-1, 0.5, 0}});
    const auto bytes = recordOf(*p);
    Polygon copy(TypeCode::PolygonVertices, {}, 5);
    ASSERT_EQ(readRecord(bytes, copy), 1);
    EXPECT_EQ(copy.vertexCount, 5);
    EXPECT_EQ(copy.vertices.size(), 5u);

    // The count must agree with the parents read before it: a record that claims
    // more vertices than it has parents is refused rather than trusted.
    auto wrong = bytes;
    wrong[wrong.size() - 4] = 6;
    Polygon liar(TypeCode::PolygonVertices, {}, 5);
    EXPECT_EQ(readRecord(wrong, liar), 0);
    EXPECT_EQ(liar.vertices.size(), 5u);
}
