// Parameters: the + and - keys, the step edit, and the keys on a selection.

#include "expr/parameter.h"
#include "numbers_fixture.h"

TEST(Parameter, KeysStepPastTheRangeBothWays) {
    Construction c;
    ParameterNumber* p = addParameter(c, 0.0);
    p->value = 9.995;
    for (int i = 0; i < 3; ++i) p->stepUp();
    EXPECT_NEAR(p->value, 10.025, 1e-12);
    EXPECT_GT(p->value, p->maximum);
    p->value = -9.99;
    p->step = 0.5;
    p->stepDown();
    EXPECT_NEAR(p->value, -10.49, 1e-12);
    EXPECT_EQ(p->minimum, -10.0);  // the range is not moved either
    p->recompute(c, {0, 1.0});
    EXPECT_NEAR(p->value, -10.49, 1e-12);
    EXPECT_EQ(p->valueDefined, 1);
}

TEST(Parameter, KeysMoveOnlySelectedParameters) {
    Construction c;
    ParameterNumber* chosen = addParameter(c, 1.0);
    ParameterNumber* other = addParameter(c, 1.0);
    Calculation* calc = addCalculation(c, "A", {chosen});
    chosen->selected = 1;
    chosen->step = 0.25;
    calc->selected = 1;
    EXPECT_EQ(stepSelectedParameters(c, 1), 1);
    EXPECT_DOUBLE_EQ(chosen->value, 1.25);
    EXPECT_DOUBLE_EQ(other->value, 1.0);
    EXPECT_EQ(stepSelectedParameters(c, -1), 1);
    EXPECT_EQ(stepSelectedParameters(c, -1), 1);
    EXPECT_DOUBLE_EQ(chosen->value, 0.75);
    chosen->selected = 0;
    EXPECT_EQ(stepSelectedParameters(c, 1), 0);
}

TEST(Parameter, EditedStepIsItsMagnitudeAndNeverZero) {
    ParameterNumber p(kNumberStyle);
    EXPECT_EQ(p.step, 0.01);
    p.setStepFromEdit(-0.5);
    EXPECT_EQ(p.step, 0.5);
    p.setStepFromEdit(0.0);
    EXPECT_EQ(p.step, 0.01);
    p.setStepFromEdit(-0.0);
    EXPECT_EQ(p.step, 0.01);
    p.setStepFromEdit(3e-7);
    EXPECT_EQ(p.step, 3e-7);
}

TEST(Parameter, NumbersDriveTheElementsBuiltOnThem) {
    Construction c;
    ParameterNumber* x = addParameter(c, 2.0);
    ParameterNumber* y = addParameter(c, 4.0);
    Calculation* z = addCalculation(c, "1/(A-4)", {y});
    Point* placed = addElement<Point>(c, {x, y, z}, TypeCode::PointByCoordinates, kNumberStyle);
    y->value = 5.0;
    c.recomputeAll({0, 2.0});
    ASSERT_EQ(placed->defined, 1);
    EXPECT_EQ(placed->position, (Vec3{1.0, 2.5, 0.5}));  // typed numbers are divided by the length factor

    // A number without a valid value leaves the point undefined.
    y->value = 4.0;
    c.recomputeAll({0, 2.0});
    EXPECT_EQ(z->defined, 1);
    EXPECT_EQ(placed->defined, 0);

    // Loci run a parameter over its range through the base class.
    Element& driver = *x;
    double low = 0.0, high = 0.0;
    ASSERT_TRUE(driver.parameterRange(low, high));
    EXPECT_EQ(low, -8.0);
    EXPECT_EQ(high, 12.0);
    driver.setParameterValue(-3.0);
    double read = 0.0;
    ASSERT_TRUE(driver.currentValue(read));
    EXPECT_EQ(read, -3.0);
    EXPECT_FALSE(static_cast<Element&>(*z).parameterRange(low, high));
}
