#include <gtest/gtest.h>

#include "view/camera.h"

TEST(Camera, NearPlaneFollowsDistance) {
    ViewState view;
    EXPECT_DOUBLE_EQ(nearPlane(view), 0.1);
    view.viewDistance = -5.0f;
    EXPECT_DOUBLE_EQ(nearPlane(view), 0.05);
}
