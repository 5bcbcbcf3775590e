#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "geometry/vectors.h"
#include "view/camera.h"

namespace {

constexpr Viewport kView{800, 600};

ViewState topView() {
    ViewState v;
    v.tiltX = 0.0f;
    v.spinZ = 0.0f;
    return v;
}

bool finite(Vec3 p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Distance of a point from the line through a pick ray.
double offRay(const PickRay& ray, Vec3 p) {
    const Vec3 d = ray.farPoint - ray.nearPoint;
    return norm(crossProduct(p - ray.nearPoint, d)) / norm(d);
}

}  // namespace

TEST(Camera, NearPlaneAspectAndPerspectiveMatrix) {
    ViewState view;
    EXPECT_DOUBLE_EQ(nearPlane(view), 0.1);  // |-15| / 100 = 0.15 is cut to 0.1
    view.viewDistance = -5.0f;
    EXPECT_DOUBLE_EQ(nearPlane(view), 0.05);
    view.viewDistance = 5.0f;  // the sign does not matter
    EXPECT_DOUBLE_EQ(nearPlane(view), 0.05);

    EXPECT_DOUBLE_EQ(aspectRatio({800, 600}), 800.0 / 600.0);
    EXPECT_DOUBLE_EQ(aspectRatio({300, 0}), 300.0);  // no height: the width

    view.viewDistance = -15.0f;
    const double cot = 1.0 / std::tan(22.5 * std::numbers::pi / 180.0);
    const Matrix4 p = projectionMatrix(view, kView);
    EXPECT_NEAR(p.m[0], cot * 600.0 / 800.0, 1e-12);
    EXPECT_NEAR(p.m[5], cot, 1e-12);
    EXPECT_NEAR(p.m[10], -(1000.0 + 0.1) / (1000.0 - 0.1), 1e-12);
    EXPECT_NEAR(p.m[14], -2.0 * 0.1 * 1000.0 / (1000.0 - 0.1), 1e-12);
    EXPECT_EQ(p.m[11], -1.0);  // column-major: row 3 of column 2
    EXPECT_EQ(p.m[15], 0.0);
    const Matrix4 flat = projectionMatrix(view, {300, 0});
    EXPECT_NEAR(flat.m[0], cot / 300.0, 1e-12);
}

TEST(Camera, ParallelBoxFollowsDistance) {
    ViewState view;
    view.projection = 1;
    EXPECT_FLOAT_EQ(parallelHalfHeight(view), 6.0f);
    const Matrix4 p = projectionMatrix(view, kView);
    EXPECT_NEAR(p.m[5], 1.0 / 6.0, 1e-7);
    EXPECT_NEAR(p.m[0], 1.0 / (6.0 * 800.0 / 600.0), 1e-7);
    EXPECT_NEAR(p.m[10], -2.0 / 2000.0, 1e-15);
    EXPECT_EQ(p.m[11], 0.0);
    EXPECT_EQ(p.m[15], 1.0);
    // The box's top edge is 6 units above the eye axis, whatever the depth.
    view.tiltX = 0.0f;
    view.spinZ = 0.0f;
    double x, y, depth;
    ASSERT_TRUE(projectPoint(view, kView, {0.0, 6.0, 3.0}, x, y, depth));
    EXPECT_NEAR(x, 400.0, 1e-9);
    EXPECT_NEAR(y, 0.0, 1e-9);
}

TEST(Camera, ModelViewSpinsFirstThenTilts) {
    ViewState view;
    view.tiltX = 90.0f;
    view.spinZ = 90.0f;
    view.panX = 0.5f;
    // (1,0,0): spin 90° about z gives (0,1,0), tilt 90° about x gives (0,0,1),
    // then the translation: the eye sees it at (0.5, 0, -14).
    const Matrix4 m = modelViewMatrix(view);
    EXPECT_NEAR(m.m[0] * 1 + m.m[12], 0.5, 1e-12);
    EXPECT_NEAR(m.m[1] * 1 + m.m[13], 0.0, 1e-12);
    EXPECT_NEAR(m.m[2] * 1 + m.m[14], -14.0, 1e-12);

    // Window y runs downwards: in the top view +y is above the centre.
    const ViewState top = topView();
    double x, y, depth, x0, y0, depth0;
    ASSERT_TRUE(projectPoint(top, kView, {0.0, 0.0, 0.0}, x0, y0, depth0));
    EXPECT_NEAR(x0, 400.0, 1e-9);
    EXPECT_NEAR(y0, 300.0, 1e-9);
    ASSERT_TRUE(projectPoint(top, kView, {1.0, 1.0, 0.0}, x, y, depth));
    EXPECT_GT(x, 400.0);
    EXPECT_LT(y, 300.0);
    ASSERT_TRUE(projectPoint(top, kView, {0.0, 0.0, 1.0}, x, y, depth));
    EXPECT_LT(depth, depth0);  // +z comes towards the viewer
}

TEST(Camera, PickRayAndProjectionRoundTrips) {
    for (int projection = 0; projection < 2; ++projection) {
        ViewState view;
        view.projection = projection;
        view.panX = 0.7f;
        view.panY = -0.3f;
        view.tiltX = -47.0f;
        view.spinZ = 212.0f;
        const Vec3 points[] = {{0, 0, 0}, {1.5, -2.0, 0.25}, {-3, 4, 2}, {0.001, 0.002, -4}};
        for (Vec3 p : points) {
            double x, y, depth;
            ASSERT_TRUE(projectPoint(view, kView, p, x, y, depth));
            EXPECT_GT(depth, 0.0);
            EXPECT_LT(depth, 1.0);
            const Vec3 back = unprojectPoint(view, kView, x, y, depth);
            EXPECT_LT(distance(back, p), 1e-8) << projection;
            // The ray under the point's pixel passes through the point.
            const PickRay ray = pickRay(view, kView, x, y);
            EXPECT_LT(offRay(ray, p), 1e-8) << projection;
            double nx, ny, nd, fx, fy, fd;
            ASSERT_TRUE(projectPoint(view, kView, ray.nearPoint, nx, ny, nd));
            ASSERT_TRUE(projectPoint(view, kView, ray.farPoint, fx, fy, fd));
            EXPECT_NEAR(nd, kPickNearDepth, 1e-9);
            EXPECT_NEAR(fd, kPickFarDepth, 1e-9);
            EXPECT_NEAR(nx, x, 1e-6);
            EXPECT_NEAR(fy, y, 1e-6);
            // The point lies between the ray's two ends.
            EXPECT_NEAR(distance(ray.nearPoint, p) + distance(p, ray.farPoint),
                        distance(ray.nearPoint, ray.farPoint), 1e-6);
        }
    }
}

TEST(Camera, UnprojectingAtDepthZeroMeetsTheNearPlane) {
    ViewState view = topView();
    EXPECT_NEAR(unprojectPoint(view, kView, 400, 300, 0.0).z, 15.0 - 0.1, 1e-9);
    view.viewDistance = -5.0f;
    EXPECT_NEAR(unprojectPoint(view, kView, 400, 300, 0.0).z, 5.0 - 0.05, 1e-9);
    // The near plane's top edge lies at near·tan(22.5°) above the axis.
    const Vec3 top = unprojectPoint(view, kView, 400, 0, 0.0);
    EXPECT_NEAR(top.y, 0.05 * std::tan(22.5 * std::numbers::pi / 180.0), 1e-12);
}

TEST(Camera, DegenerateCamerasAndViewportsStayFinite) {
    ViewState onEye;
    onEye.viewDistance = 0.0f;
    for (int projection = 0; projection < 2; ++projection) {
        onEye.projection = projection;
        const PickRay ray = pickRay(onEye, kView, 10, 20);
        EXPECT_TRUE(finite(ray.nearPoint));
        EXPECT_TRUE(finite(ray.farPoint));
        EXPECT_FALSE(ray.nearPoint == ray.farPoint);
    }
    const ViewState view;
    const PickRay empty = pickRay(view, {0, 0}, 0, 0);
    EXPECT_TRUE(finite(empty.nearPoint));
    EXPECT_TRUE(finite(empty.farPoint));
    double x, y, depth;
    // A point in the eye's own plane has no window position.
    const ViewState top = topView();
    EXPECT_FALSE(projectPoint(top, kView, {1.0, 0.0, 15.0}, x, y, depth));
}

TEST(Camera, MatrixInverse) {
    ViewState view;
    const Matrix4 all = multiply(projectionMatrix(view, kView), modelViewMatrix(view));
    Matrix4 inverse;
    ASSERT_TRUE(invert(all, inverse));
    const Matrix4 product = multiply(all, inverse);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(product.m[i], i % 5 == 0 ? 1.0 : 0.0, 1e-9) << i;
    Matrix4 singular = identityMatrix();
    singular.m[10] = 0.0;
    EXPECT_FALSE(invert(singular, inverse));
}
