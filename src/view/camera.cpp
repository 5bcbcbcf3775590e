#include "view/camera.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kMinNearPlane = 1e-6;
constexpr float kMinParallelHalfHeight = 1e-6f;

double& at(Matrix4& a, int row, int column) {
    return a.m[column * 4 + row];
}
double at(const Matrix4& a, int row, int column) {
    return a.m[column * 4 + row];
}

Matrix4 translation(double x, double y, double z) {
    Matrix4 t = identityMatrix();
    at(t, 0, 3) = x;
    at(t, 1, 3) = y;
    at(t, 2, 3) = z;
    return t;
}

// glRotated about a coordinate axis (0 x, 1 y, 2 z).
Matrix4 rotation(double degrees, int axis) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int i = (axis + 1) % 3;
    const int j = (axis + 2) % 3;
    Matrix4 r = identityMatrix();
    at(r, i, i) = c;
    at(r, i, j) = -s;
    at(r, j, i) = s;
    at(r, j, j) = c;
    return r;
}

// Mapping a viewport never divides by zero: an empty view is treated as one pixel.
double extent(int size) {
    return size > 0 ? static_cast<double>(size) : 1.0;
}

void transform(const Matrix4& a, const double in[4], double out[4]) {
    for (int r = 0; r < 4; ++r) {
        out[r] = at(a, r, 0) * in[0] + at(a, r, 1) * in[1] + at(a, r, 2) * in[2] + at(a, r, 3) * in[3];
    }
}

}  // namespace

Matrix4 identityMatrix() {
    Matrix4 a{};
    for (int i = 0; i < 4; ++i) at(a, i, i) = 1.0;
    return a;
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 p{};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += at(a, r, k) * at(b, k, c);
            at(p, r, c) = sum;
        }
    }
    return p;
}

bool invert(const Matrix4& a, Matrix4& inverse) {
    // Gauss-Jordan with partial pivoting on [a | I].
    double w[4][8];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            w[r][c] = at(a, r, c);
            w[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r) {
            if (std::fabs(w[r][c]) > std::fabs(w[pivot][c])) pivot = r;
        }
        if (!(std::fabs(w[pivot][c]) > 0.0) || !std::isfinite(w[pivot][c])) {
            inverse = identityMatrix();
            return false;
        }
        if (pivot != c) {
            for (int k = 0; k < 8; ++k) std::swap(w[c][k], w[pivot][k]);
        }
        const double scale = 1.0 / w[c][c];
        for (int k = 0; k < 8; ++k) w[c][k] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            const double f = w[r][c];
            if (f == 0.0) continue;
            for (int k = 0; k < 8; ++k) w[r][k] -= f * w[c][k];
        }
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) at(inverse, r, c) = w[r][c + 4];
    }
    return true;
}

double aspectRatio(Viewport viewport) {
    const double aspect = viewport.height == 0 ? static_cast<double>(viewport.width)
                                               : static_cast<double>(viewport.width) / viewport.height;
    return aspect > 0.0 ? aspect : 1.0;
}

double nearPlane(const ViewState& view) {
    const double n = std::fmin(std::fabs(static_cast<double>(view.viewDistance)) / 100.0, 0.1);
    return n > kMinNearPlane ? n : kMinNearPlane;
}

float parallelHalfHeight(const ViewState& view) {
    const float e = view.viewDistance * -0.4f;
    return std::fabs(e) > kMinParallelHalfHeight ? e : kMinParallelHalfHeight;
}

Matrix4 projectionMatrix(const ViewState& view, Viewport viewport) {
    const double aspect = aspectRatio(viewport);
    Matrix4 p{};
    if (view.projection == 1) {
        // glOrtho(-e·aspect, e·aspect, -e, e, -1000, 1000)
        const double e = parallelHalfHeight(view);
        const double left = -e * aspect, right = e * aspect, bottom = -e, top = e;
        const double nearZ = -kParallelDepth, farZ = kParallelDepth;
        at(p, 0, 0) = 2.0 / (right - left);
        at(p, 1, 1) = 2.0 / (top - bottom);
        at(p, 2, 2) = -2.0 / (farZ - nearZ);
        at(p, 0, 3) = -(right + left) / (right - left);
        at(p, 1, 3) = -(top + bottom) / (top - bottom);
        at(p, 2, 3) = -(farZ + nearZ) / (farZ - nearZ);
        at(p, 3, 3) = 1.0;
        return p;
    }
    // gluPerspective(45, aspect, near, 1000)
    const double nearZ = nearPlane(view), farZ = kFarPlane;
    const double half = kFieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0;
    const double cotangent = std::cos(half) / std::sin(half);
    at(p, 0, 0) = cotangent / aspect;
    at(p, 1, 1) = cotangent;
    at(p, 2, 2) = -(farZ + nearZ) / (farZ - nearZ);
    at(p, 3, 2) = -1.0;
    at(p, 2, 3) = -2.0 * nearZ * farZ / (farZ - nearZ);
    return p;
}

bool eyeInModel(const ViewState& view, EyeInModel& eye) {
    Matrix4 toModel{};
    if (!invert(modelViewMatrix(view), toModel) || toModel.m[15] == 0.0) return false;
    const double* m = toModel.m;
    eye.position = {m[12] / m[15], m[13] / m[15], m[14] / m[15]};
    const Vec3 axis{m[8], m[9], m[10]};
    const double length = norm(axis);
    if (!(length > 0.0) || !std::isfinite(length)) return false;
    eye.towards = axis * (1.0 / length);
    return true;
}

Matrix4 modelViewMatrix(const ViewState& view) {
    Matrix4 m = translation(view.panX, view.panY, view.viewDistance);
    m = multiply(m, rotation(view.tiltX, 0));
    return multiply(m, rotation(view.spinZ, 2));
}

Matrix4 stereoModelView(const ViewState& view, int eye) {
    const double degrees = 2.0 * std::atan(0.5 * kStereoEyeSeparation) * 180.0 / std::numbers::pi;
    Matrix4 m = translation(0.0, 0.0, view.viewDistance);
    m = multiply(m, rotation(-0.5 * eye * degrees, 1));
    m = multiply(m, translation(0.0, 0.0, -view.viewDistance));
    return multiply(m, modelViewMatrix(view));
}

bool projectPoint(const ViewState& view, Viewport viewport, Vec3 p, double& x, double& y, double& depth) {
    const Matrix4 all = multiply(projectionMatrix(view, viewport), modelViewMatrix(view));
    const double in[4] = {p.x, p.y, p.z, 1.0};
    double clip[4];
    transform(all, in, clip);
    if (clip[3] == 0.0 || !std::isfinite(clip[3])) return false;
    const double w = extent(viewport.width), h = extent(viewport.height);
    x = (clip[0] / clip[3] + 1.0) * w / 2.0;
    y = h - (clip[1] / clip[3] + 1.0) * h / 2.0;
    depth = (clip[2] / clip[3] + 1.0) / 2.0;
    return true;
}

Vec3 unprojectPoint(const ViewState& view, Viewport viewport, double x, double y, double depth) {
    const Matrix4 all = multiply(projectionMatrix(view, viewport), modelViewMatrix(view));
    Matrix4 inverse;
    invert(all, inverse);
    const double w = extent(viewport.width), h = extent(viewport.height);
    const double in[4] = {x / w * 2.0 - 1.0, (h - y) / h * 2.0 - 1.0, depth * 2.0 - 1.0, 1.0};
    double out[4];
    transform(inverse, in, out);
    if (out[3] == 0.0 || !std::isfinite(out[3])) return {};
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

PickRay pickRay(const ViewState& view, Viewport viewport, double x, double y) {
    return {unprojectPoint(view, viewport, x, y, kPickNearDepth),
            unprojectPoint(view, viewport, x, y, kPickFarDepth)};
}
