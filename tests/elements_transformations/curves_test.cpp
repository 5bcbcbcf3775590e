#include <functional>

#include "image_scene.h"

namespace {

class CurveImages : public ImageScene {
  protected:
    // The linear part of transformation t applied to a direction.
    static Vec3 mappedDirection(int t, Vec3 d) { return expectedImage(t, d) - expectedImage(t, {}); }

    // Where transformation t came from: its inverse.
    static Vec3 preimage(int t, Vec3 p) {
        if (t == 3) return p - Vec3{1, -2, 0.5};
        if (t == 4) return {p.y + 1, 1 - p.x, p.z};
        return expectedImage(t, p);  // the symmetries undo themselves
    }

    // The point at angle φ of the circle of radius r about kOrigin in the tilted plane.
    static Vec3 onCircle(double r, double degrees) {
        const double phi = degrees * kPi / 180;
        return inPlane(r * std::cos(phi), r * std::sin(phi));
    }
};

TEST_F(CurveImages, CircleInACentreKeepsTheSourcesRadius) {
    Circle* source = through<Circle>(TypeCode::CircleThreePoints, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    ASSERT_EQ(source->defined, 1);
    Circle* image = static_cast<Circle*>(imageOf(source, 0, {free({2, 2, 2})}));
    ASSERT_EQ(image->defined, 1);
    EXPECT_EQ(image->radius, source->radius);
    EXPECT_NEAR(image->radius, std::sqrt(2.0 / 3.0), 1e-12);
    expectVecNear(image->centre, Vec3{4, 4, 4} - source->centre);
    expectVecNear(image->refPoint, {3, 4, 4});
    EXPECT_NEAR(dist(image->refPoint, image->centre), image->radius, 1e-12);
    // The axis points are mapped as points: the normal turns round.
    expectVecNear(image->axisB - image->axisA, source->axisA - source->axisB);

    // The radius is taken over, not measured again.
    source->radius = 5.0;
    image->recompute(construction, {kDegrees, 1.0});
    EXPECT_EQ(image->radius, 5.0);
}

TEST_F(CurveImages, AReflectedArcRunsFromTheImageOfItsStartToTheImageOfItsEnd) {
    // A short arc (P2 between P1 and P3 the short way) and a long one.
    for (double middle : {50.0, 200.0}) {
        Arc* source =
            through<Arc>(TypeCode::ArcThreePoints, {onCircle(2, 0), onCircle(2, middle), onCircle(2, 120)});
        ASSERT_EQ(source->defined, 1);
        EXPECT_NEAR(source->sweep, middle < 120 ? 2 * kPi / 3 : 4 * kPi / 3, 1e-9);
        const Vec3 normal = source->axisB - source->axisA;
        // Central symmetry and plane symmetry reverse orientation; the axial one does not.
        for (int t : {0, 1, 2}) {
            Arc* image = static_cast<Arc*>(imageOf(source, t, transformationParents(t)));
            ASSERT_EQ(image->defined, 1) << t;
            EXPECT_NEAR(image->sweep, source->sweep, 1e-9);
            EXPECT_NEAR(image->radius, source->radius, 1e-9);
            expectVecNear(image->centre, expectedImage(t, source->centre));
            expectVecNear(image->startPoint, expectedImage(t, source->point1));
            for (double f : {0.0, 0.25, 0.5, 0.75, 1.0}) {
                Vec3 on, from;
                ASSERT_TRUE(image->pointAt(f, 0, on) && source->pointAt(f, 0, from));
                expectVecNear(on, expectedImage(t, from));
            }
            const double sense = t == 1 ? 1.0 : -1.0;
            expectVecNear(image->axisB - image->axisA, sense * mappedDirection(t, normal));
        }
    }
}

TEST_F(CurveImages, APointOnAReflectedCircleMeasuresFromTheImageOfRefPoint) {
    Circle* source = through<Circle>(TypeCode::CircleThreePoints,
                                     {onCircle(1.5, 30), onCircle(1.5, 100), onCircle(1.5, 250)});
    Circle* image = static_cast<Circle*>(imageOf(source, 2, transformationParents(2)));
    ASSERT_EQ(image->defined, 1);
    auto onImage = std::make_unique<PointOnObject>(kImageStyle);
    onImage->parents[0] = image;
    PointOnObject* point = static_cast<PointOnObject*>(construction.append(std::move(onImage)));
    for (double theta : {0.0, 0.4, 2.0, 4.5}) {
        point->param1 = theta;
        point->recompute(construction, {kDegrees, 1.0});
        ASSERT_EQ(point->defined, 1);
        // A mirror turns the sense of angles round: θ on the image is the mirror of −θ on the source.
        Vec3 from;
        ASSERT_TRUE(source->pointAt(-theta, 0, from));
        expectVecNear(point->position, expectedImage(2, from));
        // And the mirror of the source's point at θ sits at 2π − θ on the image.
        ASSERT_TRUE(source->pointAt(theta, 0, from));
        double param = -1, unused = -1;
        ASSERT_TRUE(image->parameterOf(expectedImage(2, from), param, unused));
        EXPECT_NEAR(std::remainder(param - (2 * kPi - theta), 2 * kPi), 0.0, 1e-9) << theta;
    }
}

TEST_F(CurveImages, ConicImagesAreRefittedAndClassifiedLikeTheirSources) {
    struct Shape {
        ConicType type;
        std::function<Vec3(double)> at;                  // a point of the conic in the tilted plane
        std::function<double(double, double)> equation;  // zero on the conic, in plane coordinates
    };
    const Shape shapes[] = {
        {ConicType::kEllipse, [](double s) { return inPlane(2 * std::cos(s), std::sin(s)); },
         [](double a, double b) { return a * a / 4 + b * b - 1; }},
        {ConicType::kHyperbola,
         [](double s) { return inPlane(s < 0 ? -std::cosh(s) : std::cosh(s), std::sinh(s)); },
         [](double a, double b) { return a * a - b * b - 1; }},
        {ConicType::kParabola, [](double s) { return inPlane(s, s * s); },
         [](double a, double b) { return b - a * a; }},
    };
    const double samples[5] = {-1.2, -0.4, 0.3, 0.9, 1.6};
    const Vec3 normal = crossProduct(kU, kV);
    for (const Shape& shape : shapes) {
        std::vector<Vec3> points;
        for (const double sample : samples) points.push_back(shape.at(sample));
        Conic* source = through<Conic>(TypeCode::ConicFivePoints, points);
        ASSERT_EQ(source->defined, 1);
        ASSERT_EQ(source->conicType(), shape.type);
        for (int t : {2, 4}) {
            Conic* image = static_cast<Conic*>(imageOf(source, t, transformationParents(t)));
            ASSERT_EQ(image->defined, 1);
            EXPECT_EQ(image->conicType(), shape.type) << t;
            for (std::size_t i = 0; i < 5; ++i)
                expectVecNear(image->definingPoints[i], expectedImage(t, source->definingPoints[i]));
            // The image curve, taken back, lies on the source's curve.
            for (double f = 0.05; f < 1.0; f += 0.1) {
                Vec3 on;
                if (!image->pointAt(f, 0, on)) continue;
                const Vec3 back = preimage(t, on) - kOrigin;
                EXPECT_NEAR(dotProduct(back, normal), 0.0, 1e-9);
                EXPECT_NEAR(shape.equation(dotProduct(back, kU), dotProduct(back, kV)), 0.0, 1e-6) << f;
            }
            Vec3 centre;
            if (shape.type == ConicType::kParabola) {
                EXPECT_EQ(image->centreInSpace(centre), 0);
            } else {
                ASSERT_EQ(image->centreInSpace(centre), 1);
                expectVecNear(centre, expectedImage(t, kOrigin));
            }
        }
    }
}

TEST_F(CurveImages, AConicWhoseMappingFailsKeepsItsLastCurve) {
    std::vector<Element*> sources = makeSources();
    Conic* source = static_cast<Conic*>(sources.back());
    StraightElement* axis = straight(TypeCode::LineTwoPoints, {0, 0, 0}, {0, 0, 1});
    TestNumber* number = add(std::make_unique<TestNumber>(30.0), {});
    Conic* image = static_cast<Conic*>(imageOf(source, 4, {axis, number}));
    ASSERT_EQ(image->defined, 1);
    const Vec3 first = image->definingPoints[0];
    // An axis collapsed to a point (only possible by direct edit) maps nothing.
    axis->pointB = axis->pointA;
    image->recompute(construction, {kDegrees, 1.0});
    EXPECT_EQ(image->defined, 0);
    EXPECT_EQ(image->definingPoints[0], first);
    EXPECT_EQ(image->conicType(), ConicType::kEllipse);
}

}  // namespace
