#include "elements/point.h"

#include <gtest/gtest.h>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements_points/points_fixture.h"
#include "support/recording_canvas.h"

TEST(Point, FreeMidpointAndCentres) {
    Construction c;
    Point* a = addFreePoint(c, {1, 2, 3});
    Point* b = addFreePoint(c, {3, -2, 4});
    a->defined = 0;
    a->recompute(c, {0, 1.0});
    EXPECT_EQ(a->defined, 1);
    EXPECT_EQ(a->position, (Vec3{1, 2, 3}));

    Point* m = addElement<Point>(c, {a, b}, TypeCode::MidpointTwoPoints, kTestStyle);
    m->recompute(c, {0, 1.0});
    EXPECT_EQ(m->defined, 1);
    EXPECT_EQ(m->position, (Vec3{2, 0, 3.5}));

    Circle* circle = addElement<Circle>(c, {a, b, m}, TypeCode::CircleThreePoints, kTestStyle);
    circle->centre = {4, 5, 6};
    Point* circleCentre = addElement<Point>(c, {circle}, TypeCode::CircleCentre, kTestStyle);
    circleCentre->recompute(c, {0, 1.0});
    EXPECT_EQ(circleCentre->defined, 1);
    EXPECT_EQ(circleCentre->position, circle->centre);

    Arc* arc = addElement<Arc>(c, {a, b, m}, TypeCode::ArcThreePoints, kTestStyle);
    arc->centre = {-1, 0, 2};
    Point* arcCentre = addElement<Point>(c, {arc}, TypeCode::ArcCentre, kTestStyle);
    arcCentre->recompute(c, {0, 1.0});
    EXPECT_EQ(arcCentre->position, arc->centre);

    // Generated vertices are placed by their generator; their own recompute keeps them.
    Point* vertex = addElement<Point>(c, {circle}, TypeCode::RegularPolygonVertex, kTestStyle);
    vertex->position = {8, 8, 8};
    vertex->defined = 0;
    vertex->recompute(c, {0, 1.0});
    EXPECT_EQ(vertex->position, (Vec3{8, 8, 8}));
    EXPECT_EQ(vertex->defined, 0);

    // The image of A in the centre B.
    Point* image = addElement<Point>(c, {a, b}, TypeCode::PointCentralSymmetry, kTestStyle);
    image->recompute(c, {0, 1.0});
    EXPECT_EQ(image->defined, 1);
    EXPECT_EQ(image->position, (Vec3{5, -6, 5}));
}

TEST(Point, ConicCentreInSpaceOrUndefined) {
    Construction c;
    Conic* conic = addElement<Conic>(c, {}, TypeCode::ConicFivePoints, kTestStyle);
    // The frame lies in the plane x = 5: frame x along y, frame y along z.
    conic->curve.type = ConicType::kEllipse;
    conic->curve.frame = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    conic->curve.level = 5;
    // (x − 2)² + (y − 3)² = 1 in the frame.
    conic->curve.coefficients = {1, 0, 1, -6, -4, 12};
    Point* centre = addElement<Point>(c, {conic}, TypeCode::ConicCentre, kTestStyle);
    centre->recompute(c, {0, 1.0});
    EXPECT_EQ(centre->defined, 1);
    expectNear(centre->position, {5, 2, 3});

    // A parabola y² = x has no centre; the point keeps its place.
    conic->curve.type = ConicType::kParabola;
    conic->curve.coefficients = {1, 0, 0, 0, -1, 0};
    centre->recompute(c, {0, 1.0});
    EXPECT_EQ(centre->defined, 0);
    expectNear(centre->position, {5, 2, 3});
}

TEST(PointOnObject, FollowsItsStraightElementAndStaysInItsBounds) {
    Construction c;
    Point* a = addFreePoint(c, {0, 0, 0});
    Point* b = addFreePoint(c, {4, 0, 0});
    StraightElement* segment = addStraight(c, TypeCode::SegmentTwoPoints, {a, b});
    PointOnObject* p = addElement<PointOnObject>(c, {segment}, kTestStyle);
    EXPECT_EQ(p->typeCode(), TypeCode::PointOnObject);
    ASSERT_EQ(segment->parameterOf({1, 0, 0}, p->param1, p->param2), 1);
    c.recomputeAll({0, 1.0});
    EXPECT_EQ(p->defined, 1);

    // Dragging an end point keeps the point at a quarter of the segment.
    b->position = {0, 8, 0};
    c.recomputeAll({0, 1.0});
    EXPECT_EQ(p->defined, 1);
    expectNear(p->position, {0, 2, 0});

    // Dragged past B it stays at B.
    segment->parameterOf({0, 20, 0}, p->param1, p->param2);
    c.recomputeAll({0, 1.0});
    expectNear(p->position, b->position);

    // On a ray it cannot pass behind A, on a line it can.
    StraightElement* ray = addStraight(c, TypeCode::RayTwoPoints, {a, b});
    PointOnObject* onRay = addElement<PointOnObject>(c, {ray}, kTestStyle);
    ray->parameterOf({0, -3, 0}, onRay->param1, onRay->param2);
    StraightElement* line = addStraight(c, TypeCode::LineTwoPoints, {a, b});
    PointOnObject* onLine = addElement<PointOnObject>(c, {line}, kTestStyle);
    line->parameterOf({0, -3, 0}, onLine->param1, onLine->param2);
    c.recomputeAll({0, 1.0});
    expectNear(onRay->position, a->position);
    expectNear(onLine->position, {0, -3, 0});
}

TEST(Point, DrawsADotAndALabelHalfAUnitTowardsTheViewer) {
    RecordingCanvas canvas;
    Point p(TypeCode::FreePoint, {0, 3, 1, 0, 0x00FF00});
    p.position = {1, 2, 3};
    p.draw(0x0000FF, 0, canvas);
    p.drawLabel(canvas, 0x777777);  // no name, no label
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].primitive, "dot");
    EXPECT_EQ(canvas.calls[0].points[0], p.position);
    EXPECT_EQ(canvas.calls[0].colour, 0x0000FFu);
    EXPECT_EQ(canvas.calls[0].size, 3);
    EXPECT_EQ(canvas.calls[0].shape, 1);

    p.setName("P");
    p.drawLabel(canvas, 0x777777);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[1].primitive, "label");
    EXPECT_EQ(canvas.calls[1].text, "P");
    EXPECT_EQ(canvas.calls[1].colour, 0x777777u);
    EXPECT_EQ(canvas.calls[1].points[0], (Vec3{1, 2, 3.5}));
}

TEST(Point, HitTestUsesTheSphereRadiusTimesTheDepthFactor) {
    Point p(TypeCode::FreePoint, kTestStyle);
    const PickRay ray{{0, 0, 10}, {0, 0, -10}};
    Vec3 hit{7, 7, 7};

    // Size t1 (0.02) at depth about 10: central factor 2, parallel factor 1.
    p.position = {0.039, 0, 0};
    ASSERT_EQ(p.hitTest(0, 0, ray, 0, hit), 1);
    EXPECT_EQ(hit, p.position);
    p.position = {0.041, 0, 0};
    EXPECT_EQ(p.hitTest(0, 0, ray, 0, hit), 0);
    p.position = {0.019, 0, 0};
    EXPECT_EQ(p.hitTest(0, 0, ray, 1, hit), 1);
    p.position = {0.021, 0, 0};
    hit = {7, 7, 7};
    EXPECT_EQ(p.hitTest(0, 0, ray, 1, hit), 0);
    EXPECT_EQ(hit, (Vec3{7, 7, 7}));

    // Near the eye the factor is 1 in central projection too; size t5 is 0.06.
    const PickRay close{{0, 0, 2}, {0, 0, -10}};
    p.position = {0.021, 0, 0};
    EXPECT_EQ(p.hitTest(0, 0, close, 0, hit), 0);
    p.size = 4;
    p.position = {0.059, 0, 0};
    EXPECT_EQ(p.hitTest(0, 0, close, 0, hit), 1);
    p.position = {0.061, 0, 0};
    EXPECT_EQ(p.hitTest(0, 0, close, 0, hit), 0);

    // A point behind the eye is not hit, however close to the ray's line.
    p.position = {0, 0, 20};
    EXPECT_EQ(p.hitTest(0, 0, ray, 0, hit), 0);
}
