#include <gtest/gtest.h>

#include "view/auto_rotation.h"

TEST(AutoRotation, DegreesPerSecondBySpeed) {
    ViewState v;
    v.rotationSpeed = 2;
    EXPECT_DOUBLE_EQ(rotationDegrees(v, 1000.0), 40.0);
    v.rotationSpeed = 1;
    EXPECT_DOUBLE_EQ(rotationDegrees(v, 1000.0), 20.0);
    v.rotationSpeed = 3;
    EXPECT_DOUBLE_EQ(rotationDegrees(v, 1000.0), 60.0);
    v.rotationSpeed = 7;  // any other speed turns as speed 3
    EXPECT_DOUBLE_EQ(rotationDegrees(v, 1000.0), 60.0);
    v.rotationReverse = 1;
    EXPECT_DOUBLE_EQ(rotationDegrees(v, 500.0), -30.0);
}

TEST(AutoRotation, StepWrapsSpinBeforeAdding) {
    ViewState v;
    v.spinZ = 359.0f;
    autoRotateStep(v, 50.0);  // 2°: 361 stays until the next step
    EXPECT_FLOAT_EQ(v.spinZ, 361.0f);
    autoRotateStep(v, 50.0);
    EXPECT_FLOAT_EQ(v.spinZ, 3.0f);
    v.rotationReverse = 1;
    v.spinZ = -361.0f;
    autoRotateStep(v, 25.0);
    EXPECT_FLOAT_EQ(v.spinZ, -2.0f);
}

TEST(AutoRotation, IdleClockTicks) {
    IdleClock clock;
    EXPECT_EQ(clock.tick(1000), -1);  // paused until resumed
    clock.resume();
    EXPECT_EQ(clock.tick(1000), 0);   // the first tick sets the clock
    EXPECT_EQ(clock.tick(1010), -1);  // 10 ms: too soon
    EXPECT_EQ(clock.tick(1011), 11);
    EXPECT_EQ(clock.tick(1021), -1);
    EXPECT_EQ(clock.tick(1040), 29);
    clock.pause();
    EXPECT_EQ(clock.tick(2000), -1);
    // The millisecond counter wraps around after 49 days.
    IdleClock wrapping;
    wrapping.resume();
    wrapping.tick(0xFFFFFFF0u);
    EXPECT_EQ(wrapping.tick(0x00000010u), 0x20);
}

TEST(AutoRotation, FirstTickAfterAStartTurnsNothing) {
    Document d;
    d.startHistory();
    IdleClock clock;
    clock.resume();
    clock.tick(0);
    d.view.spinZ = 0.0f;
    setAutoRotate(d, clock, true);
    std::int64_t dt = clock.tick(500);
    ASSERT_EQ(dt, 500);
    EXPECT_TRUE(autoRotateTick(d.view, clock, static_cast<std::uint32_t>(dt)));
    EXPECT_EQ(d.view.spinZ, 0.0f);
    dt = clock.tick(1500);
    autoRotateTick(d.view, clock, static_cast<std::uint32_t>(dt));
    EXPECT_FLOAT_EQ(d.view.spinZ, 40.0f);
    // Pausing and resuming restarts the rotation too.
    clock.pause();
    clock.resume();
    dt = clock.tick(9000);
    autoRotateTick(d.view, clock, static_cast<std::uint32_t>(dt));
    EXPECT_FLOAT_EQ(d.view.spinZ, 40.0f);
    // While rotating no camera records; switching off records where it stopped.
    EXPECT_FALSE(d.record(kRecordView));
    setAutoRotate(d, clock, false);
    EXPECT_EQ(d.view.autoRotate, 0);
    ASSERT_EQ(d.history().size(), 2);
    EXPECT_FLOAT_EQ(d.history().at(1).view[5], 40.0f);
    // A view that does not rotate is left alone.
    EXPECT_FALSE(autoRotateTick(d.view, clock, 100));
    EXPECT_FLOAT_EQ(d.view.spinZ, 40.0f);
}
