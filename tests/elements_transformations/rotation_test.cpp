#include <limits>

#include "image_scene.h"

namespace {

class Rotation : public ImageScene {
  protected:
    // The segment (1,0,0)–(2,0,1) turned about the z axis (or the reversed axis) by a number.
    StraightElement* rotatedSegment(TestNumber* number, bool reversedAxis = false) {
        StraightElement* segment = straight(TypeCode::SegmentTwoPoints, {1, 0, 0}, {2, 0, 1});
        StraightElement* axis = reversedAxis ? straight(TypeCode::LineTwoPoints, {0, 0, 1}, {0, 0, -1})
                                             : straight(TypeCode::LineTwoPoints, {0, 0, -1}, {0, 0, 1});
        auto image = std::make_unique<StraightElement>(TypeCode::SegmentRotation, kImageStyle);
        image->parents = {segment, axis, number};
        return static_cast<StraightElement*>(construction.append(std::move(image)));
    }
};

TEST_F(Rotation, TheAngleIsReadInTheDocumentsUnit) {
    TestNumber* degrees = add(std::make_unique<TestNumber>(90.0), {});
    TestNumber* radians = add(std::make_unique<TestNumber>(kPi / 2), {});
    TestNumber* grads = add(std::make_unique<TestNumber>(100.0), {});
    StraightElement* byDegrees = rotatedSegment(degrees);
    StraightElement* byRadians = rotatedSegment(radians);
    StraightElement* byGrads = rotatedSegment(grads);
    byDegrees->recompute(construction, {1, 1.0});
    byRadians->recompute(construction, {0, 1.0});
    byGrads->recompute(construction, {2, 1.0});
    for (StraightElement* image : {byDegrees, byRadians, byGrads}) {
        ASSERT_EQ(image->defined, 1);
        // Right-handed about the axis direction: +x turns to +y.
        expectVecNear(image->pointA, {0, 1, 0}, 1e-12);
        expectVecNear(image->pointB, {0, 2, 1}, 1e-12);
    }
    expectVecNear(byDegrees->pointB, byRadians->pointB, 1e-15);

    // 90 read as radians is another turn altogether.
    byDegrees->recompute(construction, {0, 1.0});
    expectVecNear(byDegrees->pointA, {std::cos(90.0), std::sin(90.0), 0}, 1e-12);

    // The sense follows the axis from its A to its B.
    StraightElement* reversed = rotatedSegment(degrees, true);
    reversed->recompute(construction, {1, 1.0});
    expectVecNear(reversed->pointA, {0, -1, 0}, 1e-12);
}

TEST_F(Rotation, AnUndefinedNumberLeavesTheImageUndefinedUntilItIsDefinedAgain) {
    TestNumber* number = add(std::make_unique<TestNumber>(90.0), {});
    StraightElement* image = rotatedSegment(number);
    construction.recomputeAll({kDegrees, 1.0});
    ASSERT_EQ(image->defined, 1);

    // The number element is defined but holds no value: the image itself refuses.
    number->valid = false;
    image->pointA = {7, 7, 7};
    image->recompute(construction, {kDegrees, 1.0});
    EXPECT_EQ(image->defined, 0);
    EXPECT_EQ(image->pointA, (Vec3{7, 7, 7}));  // the old data stays
    number->valid = true;
    number->value = 180.0;
    image->recompute(construction, {kDegrees, 1.0});
    ASSERT_EQ(image->defined, 1);
    expectVecNear(image->pointA, {-1, 0, 0}, 1e-12);

    // A value that is not finite turns nothing.
    for (double bad : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        number->value = bad;
        image->recompute(construction, {kDegrees, 1.0});
        EXPECT_EQ(image->defined, 0) << bad;
    }

    // Through the construction: the image follows the number's own definedness.
    number->value = 90.0;
    number->valid = false;
    construction.recomputeAll({kDegrees, 1.0});
    EXPECT_EQ(image->defined, 0);
    number->valid = true;
    construction.recomputeAll({kDegrees, 1.0});
    EXPECT_EQ(image->defined, 1);
    expectVecNear(image->pointA, {0, 1, 0}, 1e-12);
}

TEST(TransformationValue, MapsPointsAndStopsAtTheFirstFailure) {
    Transformation t;
    t.kind = TransformationKind::AxialSymmetry;
    t.a = {0, 0, 0};
    t.b = {0, 0, 1};
    Vec3 out;
    ASSERT_TRUE(t.apply({1, 2, 3}, out));
    expectVecNear(out, {-1, -2, 3}, 1e-12);
    const Vec3 in[2] = {{1, 0, 0}, {0, 1, 0}};
    Vec3 mapped[2];
    Vec3 tooFew[1];
    EXPECT_FALSE(t.applyAll(in, tooFew));
    ASSERT_TRUE(t.applyAll(in, mapped));
    expectVecNear(mapped[1], {0, -1, 0}, 1e-12);

    // A degenerate axis maps nothing and leaves the output as it was.
    t.b = t.a;
    out = {9, 9, 9};
    EXPECT_FALSE(t.apply({1, 2, 3}, out));
    EXPECT_EQ(out, (Vec3{9, 9, 9}));
    mapped[0] = {5, 5, 5};
    EXPECT_FALSE(t.applyAll(in, mapped));
    EXPECT_EQ(mapped[0], (Vec3{5, 5, 5}));

    // An element that is no image carries no transformation.
    Point free(TypeCode::FreePoint, kImageStyle);
    EXPECT_FALSE(Transformation::ofImage(free, 0, t));
    EXPECT_FALSE(imagesOf(free, 0, in, mapped));
}

}  // namespace
