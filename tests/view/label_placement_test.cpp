#include <cmath>

#include <gtest/gtest.h>

#include "geometry/vectors.h"
#include "view/label_placement.h"

namespace {

constexpr Viewport kView{640, 480};

ViewState topView(int projection) {
    ViewState v;
    v.tiltX = 0.0f;
    v.spinZ = 0.0f;
    v.projection = projection;
    return v;
}

}  // namespace

TEST(LabelPlacement, TowardsTheViewerAlongTheLineOfSight) {
    // The eye of the top view sits at (0, 0, 15).
    const Vec3 p{1.0, 2.0, 0.0};
    const Vec3 moved = towardsViewer(topView(0), kView, p, 0.5);
    const Vec3 toEye = Vec3{0, 0, 15} - p;
    const Vec3 expected = p + toEye * (0.5 / norm(toEye));
    EXPECT_LT(distance(moved, expected), 1e-9);
    // In parallel projection every line of sight is the eye axis.
    const Vec3 flat = towardsViewer(topView(1), kView, p, 0.5);
    EXPECT_LT(distance(flat, {1.0, 2.0, 0.5}), 1e-9);
    // A point in the eye's plane cannot be moved.
    EXPECT_EQ(towardsViewer(topView(0), kView, {1, 0, 15}, 0.5), (Vec3{1, 0, 15}));
}

TEST(LabelPlacement, LabelStartsAtTheAnchorInFrontOfIt) {
    for (int projection = 0; projection < 2; ++projection) {
        ViewState view;
        view.projection = projection;
        const Vec3 anchor{0.5, -1.0, 0.75};
        const LabelPlacement label = placeLabel(view, kView, anchor);
        ASSERT_TRUE(label.visible);
        double ax, ay, ad, rx, ry, rd;
        ASSERT_TRUE(projectPoint(view, kView, anchor, ax, ay, ad));
        EXPECT_NEAR(label.windowX, ax, 1e-9);
        EXPECT_NEAR(label.windowY, ay, 1e-9);
        ASSERT_TRUE(projectPoint(view, kView, label.raster, rx, ry, rd));
        EXPECT_NEAR(rx, ax, 1e-6);  // same pixel as the anchor
        EXPECT_NEAR(ry, ay, 1e-6);
        EXPECT_LT(rd, ad);  // nearer than the element it names
        EXPECT_GT(rd, 0.0);
        // Midway between the anchor and the near plane.
        const Vec3 nearPoint = unprojectPoint(view, kView, ax, ay, 0.0);
        EXPECT_NEAR(distance(label.raster, nearPoint), distance(label.raster, anchor), 1e-9);
    }
    EXPECT_FALSE(placeLabel(topView(0), kView, {0, 0, 15}).visible);
}

TEST(LabelPlacement, ScreenTextPositions) {
    EXPECT_EQ(hoverTextPosition(100, 50, false), (ScreenPoint{112, 68}));
    EXPECT_EQ(hoverTextPosition(100, 50, true), (ScreenPoint{108, 58}));
    const ScreenBox box{{30, 40}, {90, 70}};
    EXPECT_EQ(calculatorLetterPosition(box, false), (ScreenPoint{90, 40}));
    EXPECT_EQ(calculatorLetterPosition(box, true), (ScreenPoint{50, 67}));
}
