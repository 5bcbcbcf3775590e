// Points that read numbers: the point at a distance from A towards B (10790).

#include <gtest/gtest.h>

#include "elements/point.h"
#include "expr/parameter.h"
#include "model/construction.h"

namespace {

struct DistanceScene {
    explicit DistanceScene(Vec3 b, double d) {
        auto pa = std::make_unique<Point>(TypeCode::FreePoint, KindStyle{});
        pa->position = {1, 1, 1};
        a = static_cast<Point*>(c.append(std::move(pa)));
        auto pb = std::make_unique<Point>(TypeCode::FreePoint, KindStyle{});
        pb->position = b;
        this->b = static_cast<Point*>(c.append(std::move(pb)));
        auto n = std::make_unique<ParameterNumber>(KindStyle{});
        n->value = d;
        number = static_cast<ParameterNumber*>(c.append(std::move(n)));
        auto p = std::make_unique<Point>(TypeCode::PointAtDistance, KindStyle{});
        p->parents = {a, this->b, number};
        point = static_cast<Point*>(c.append(std::move(p)));
    }
    Construction c;
    Point* a;
    Point* b;
    ParameterNumber* number;
    Point* point;
};

}  // namespace

TEST(NumbersAsParents, PointAtADistanceTowardsAnotherPoint) {
    DistanceScene zero({4, 5, 1}, 0.0);
    zero.c.recomputeAll({1, 1.0});
    ASSERT_EQ(zero.point->defined, 1);
    EXPECT_EQ(zero.point->position, (Vec3{1, 1, 1})) << "d = 0 gives A";

    // d beyond |AB| and negative d, in the document's length factor.
    DistanceScene far({4, 5, 1}, 10.0);
    far.c.recomputeAll({1, 2.0});
    ASSERT_EQ(far.point->defined, 1);
    EXPECT_NEAR(far.point->position.x, 1 + 5 * 0.6, 1e-12);
    EXPECT_NEAR(far.point->position.y, 1 + 5 * 0.8, 1e-12);
    far.number->value = -5.0;
    far.c.recomputeAll({1, 1.0});
    EXPECT_NEAR(far.point->position.x, 1 - 3.0, 1e-12);

    // A and B within 1e-6: undefined; just beyond: defined again.
    DistanceScene close({1 + 9e-7, 1, 1}, 1.0);
    close.c.recomputeAll({1, 1.0});
    EXPECT_EQ(close.point->defined, 0);
    close.b->position = {1 + 2e-6, 1, 1};
    close.c.recomputeAll({1, 1.0});
    EXPECT_EQ(close.point->defined, 1);
    EXPECT_NEAR(close.point->position.x, 2.0, 1e-9);
}
