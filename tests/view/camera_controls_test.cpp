#include <cmath>

#include <gtest/gtest.h>

#include "model/document.h"
#include "view/camera_controls.h"

TEST(CameraControls, StandardViews) {
    struct Row {
        int command;
        float tiltX;
        float spinZ;
    };
    const Row rows[] = {{32802, -60, -135}, {32803, 0, 0},   {32804, 180, 0}, {32805, 90, 0},
                        {32806, -90, 0},    {32807, 90, 90}, {32808, -90, 90}};
    for (const Row& r : rows) {
        ViewState v;
        v.panX = 3.0f;
        v.panY = -2.0f;
        v.viewDistance = -40.0f;
        v.tiltY = 7.0f;
        v.tiltX = 11.0f;
        v.spinZ = 13.0f;
        ASSERT_TRUE(setStandardView(v, r.command)) << r.command;
        EXPECT_EQ(v.panX, 0.0f);
        EXPECT_EQ(v.panY, 0.0f);
        EXPECT_EQ(v.viewDistance, -15.0f);
        EXPECT_EQ(v.tiltY, 0.0f);
        EXPECT_EQ(v.tiltX, r.tiltX) << r.command;
        EXPECT_EQ(v.spinZ, r.spinZ) << r.command;
    }
    ViewState v;
    v.tiltX = 5.0f;
    EXPECT_FALSE(setStandardView(v, 32801));
    EXPECT_FALSE(setStandardView(v, 32809));
    EXPECT_EQ(v.tiltX, 5.0f);
}

TEST(CameraControls, AnglesWrapOnce) {
    EXPECT_FLOAT_EQ(wrapAngle(361.0f), 1.0f);
    EXPECT_FLOAT_EQ(wrapAngle(-370.0f), -10.0f);
    EXPECT_EQ(wrapAngle(360.0f), 360.0f);  // only above 360
    EXPECT_EQ(wrapAngle(-360.0f), -360.0f);
    EXPECT_FLOAT_EQ(wrapAngle(800.0f), 440.0f);  // once, not all the way
    EXPECT_EQ(wrapAngle(-45.0f), -45.0f);
}

TEST(CameraControls, RotateGesture) {
    const float s = screenScaleFor(600);
    EXPECT_EQ(s, 1.0f);
    ViewState v;
    v.tiltX = 0.0f;
    v.spinZ = 0.0f;
    EXPECT_EQ(mouseViewStep(v, kGestureRotate, {}, 100, 100, 100, 500, s), ViewStep::CameraMoved);
    EXPECT_EQ(v.tiltX, 180.0f);
    EXPECT_EQ(v.spinZ, 0.0f);
    // Horizontal drags spin; Shift turns three times slower.
    mouseViewStep(v, kGestureRotate, {true, false}, 0, 400, 0, 0, s);
    EXPECT_FLOAT_EQ(v.spinZ, 60.0f);
    // On a 1200-pixel screen the same drag turns half as far.
    ViewState big;
    big.tiltX = 0.0f;
    mouseViewStep(big, kGestureRotate, {}, 0, 0, 0, 400, screenScaleFor(1200));
    EXPECT_FLOAT_EQ(big.tiltX, 90.0f);
    // Going past a full turn brings the angle back.
    v.tiltX = 350.0f;
    mouseViewStep(v, kGestureRotate, {}, 0, 0, 0, 40, s);
    EXPECT_FLOAT_EQ(v.tiltX, 8.0f);
    v.spinZ = -350.0f;
    mouseViewStep(v, kGestureRotate, {}, 40, 0, 0, 0, s);
    EXPECT_FLOAT_EQ(v.spinZ, -8.0f);
}

TEST(CameraControls, ZoomNeverChangesTheSign) {
    const float s = 1.0f;
    ViewState v;
    mouseViewStep(v, kGestureZoom, {}, 0, 0, 100, 50, s);  // up 50: closer by a tenth
    EXPECT_FLOAT_EQ(v.viewDistance, -13.5f);
    mouseViewStep(v, kGestureZoom, {}, 0, 0, 0, 150, s);  // down 150: farther by 0.3
    EXPECT_FLOAT_EQ(v.viewDistance, -13.5f * 1.3f);
    ViewState shift;
    mouseViewStep(shift, kGestureZoom, {true, false}, 0, 0, 150, 0, s);  // Shift: 1500
    EXPECT_FLOAT_EQ(shift.viewDistance, -13.5f);
    // A jump of more than 500 pixels up takes |1 - f|: still on the same side.
    for (int dy : {-499, -500, -501, -750, -1000, -1500, -5000}) {
        ViewState w;
        mouseViewStep(w, kGestureZoom, {}, 0, 0, 0, dy, s);
        EXPECT_LT(w.viewDistance, 0.0f) << dy;
    }
    // Exactly 500 pixels would collapse the camera onto the eye: not taken.
    ViewState w;
    EXPECT_EQ(mouseViewStep(w, kGestureZoom, {}, 0, 0, 500, 0, s), ViewStep::Nothing);
    EXPECT_EQ(w.viewDistance, -15.0f);
    ViewState positive;
    positive.viewDistance = 4.0f;
    mouseViewStep(positive, kGestureZoom, {}, 0, 0, 0, -900, s);
    EXPECT_GT(positive.viewDistance, 0.0f);
}

TEST(CameraControls, PanGesture) {
    ViewState v;
    // The scene follows the mouse: |distance|·d / 800 per pixel, y upwards.
    EXPECT_EQ(mouseViewStep(v, kGesturePan, {}, 0, 80, 0, 40, 1.0f), ViewStep::CameraMoved);
    EXPECT_FLOAT_EQ(v.panX, 1.5f);
    EXPECT_FLOAT_EQ(v.panY, -0.75f);
    ViewState shift;
    mouseViewStep(shift, kGesturePan, {true, false}, 0, 50, 0, -20, 2.0f);
    EXPECT_FLOAT_EQ(shift.panX, 0.25f);
    EXPECT_FLOAT_EQ(shift.panY, 0.1f);
    // Ctrl leaves the camera and hands the move to the screen elements.
    ViewState ctrl;
    EXPECT_EQ(mouseViewStep(ctrl, kGesturePan, {false, true}, 0, 50, 0, 50, 1.0f),
              ViewStep::MoveScreenElements);
    EXPECT_EQ(ctrl.panX, 0.0f);
    EXPECT_EQ(mouseViewStep(ctrl, kGestureNone, {}, 0, 50, 0, 50, 1.0f), ViewStep::Nothing);
}

TEST(CameraControls, WhichGestureADragMakes) {
    EXPECT_EQ(gestureForDrag(0, true, false), kGestureRotate);
    EXPECT_EQ(gestureForDrag(46, true, false), kGesturePan);
    EXPECT_EQ(gestureForDrag(47, true, false), kGestureZoom);
    EXPECT_EQ(gestureForDrag(48, true, false), kGestureRotate);
    for (int tool : {1, 20, 45, 49, 50, 52})
        EXPECT_EQ(gestureForDrag(tool, true, false), kGestureNone) << tool;
    for (int tool : {0, 43, 44, 48}) EXPECT_EQ(gestureForDrag(tool, false, true), kGesturePan) << tool;
    for (int tool : {1, 42, 45, 46, 47, 49})
        EXPECT_EQ(gestureForDrag(tool, false, true), kGestureRotate) << tool;
    EXPECT_EQ(gestureForDrag(5, true, true), kGestureZoom);
    EXPECT_EQ(gestureForDrag(0, false, false), kGestureNone);
}

TEST(CameraControls, CameraUndoRecords) {
    Document d;
    d.startHistory();
    mouseViewStep(d.view, kGestureRotate, {}, 0, 0, 0, 100, 1.0f);
    EXPECT_TRUE(recordCameraGesture(d, false));
    EXPECT_FALSE(recordCameraGesture(d, false));  // the same camera again adds nothing
    mouseViewStep(d.view, kGestureRotate, {}, 0, 0, 0, 100, 1.0f);
    EXPECT_FALSE(recordCameraGesture(d, true));  // the drag has recorded already
    EXPECT_EQ(d.history().size(), 2);
    ASSERT_TRUE(applyStandardView(d, kCommandXzUp));
    EXPECT_EQ(d.history().size(), 3);
    ASSERT_TRUE(d.undo());
    EXPECT_FLOAT_EQ(d.view.tiltX, -60.0f + 45.0f);
    ASSERT_TRUE(d.undo());
    EXPECT_FLOAT_EQ(d.view.tiltX, -60.0f);
    ASSERT_TRUE(d.redo());
    ASSERT_TRUE(d.redo());
    EXPECT_FLOAT_EQ(d.view.tiltX, 90.0f);
    // While the view rotates by itself, camera moves leave no record.
    d.view.autoRotate = 1;
    mouseViewStep(d.view, kGestureRotate, {}, 0, 0, 0, 100, 1.0f);
    EXPECT_FALSE(recordCameraGesture(d, false));
    EXPECT_TRUE(applyStandardView(d, kCommandXyUp));
    EXPECT_EQ(d.history().size(), 3);
    EXPECT_FALSE(applyStandardView(d, 12345));
}

TEST(CameraControls, ScreenScale) {
    EXPECT_FLOAT_EQ(screenScaleFor(1080), 1.8f);
    EXPECT_EQ(screenScaleFor(0), 1.0f);
    ViewState v;
    v.tiltX = 0.0f;
    // A scale that is not positive is read as 1 rather than dividing by zero.
    mouseViewStep(v, kGestureRotate, {}, 0, 0, 0, 400, 0.0f);
    EXPECT_EQ(v.tiltX, 180.0f);
}
