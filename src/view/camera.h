#pragma once

#include "geometry/vec3.h"
#include "model/element.h"
#include "model/view_state.h"

// The camera of a document's view, computed without any graphics library: the
// same matrices and window mapping the OpenGL canvas loads, so that picking and
// drawing agree.

struct Viewport {
    int width = 0;
    int height = 0;
};

// 4x4 matrices in OpenGL's column-major order (element (row r, column c) is
// m[c * 4 + r]), ready for glLoadMatrixd.
struct Matrix4 {
    double m[16];
};

// Window depths of the two ends of a pick ray.
inline constexpr double kPickNearDepth = 0.0001;
inline constexpr double kPickFarDepth = 0.9999;

inline constexpr double kFieldOfViewDegrees = 45.0;
inline constexpr double kFarPlane = 1000.0;
inline constexpr double kParallelDepth = 1000.0;  // the parallel box runs from -this to +this

Matrix4 identityMatrix();
Matrix4 multiply(const Matrix4& a, const Matrix4& b);  // a * b
// The inverse, or false when the matrix is singular (the result is then the identity).
bool invert(const Matrix4& a, Matrix4& inverse);

// w / h, or w when the view has no height; a view with no width at all gets 1
// so that the projection stays finite.
double aspectRatio(Viewport viewport);
// min(|viewDistance| / 100, 0.1), kept above zero so that a camera sitting on
// the eye still has an invertible projection.
double nearPlane(const ViewState& view);
// Half the height of the parallel box: viewDistance * -0.4 in single precision.
float parallelHalfHeight(const ViewState& view);

// 45° perspective (central projection) or the parallel box.
Matrix4 projectionMatrix(const ViewState& view, Viewport viewport);
// translate (panX, panY, viewDistance), rotate tiltX about x, rotate spinZ about z.
Matrix4 modelViewMatrix(const ViewState& view);
// The eye in model coordinates (where the lines of sight meet in central
// projection) and the unit direction towards it along its axis; false when
// the camera gives neither.
struct EyeInModel {
    Vec3 position;
    Vec3 towards;
};
bool eyeInModel(const ViewState& view, EyeInModel& eye);

// Stereo pictures: the eyes stand this fraction of the view distance apart and
// look at the point of the line of sight at the view distance, which stays in
// place on the screen; nearer points part to either side, farther ones too.
inline constexpr double kStereoEyeSeparation = 1.0 / 30.0;
// The model-view of the left (eye -1) or right (eye +1) eye: the scene turned
// about the vertical through that point by half the eyes' angle.
Matrix4 stereoModelView(const ViewState& view, int eye);

// Window coordinates have y downwards from the top of the client area, like mouse positions.
PickRay pickRay(const ViewState& view, Viewport viewport, double x, double y);
// False when the point cannot be projected (it lies in the eye's plane).
bool projectPoint(const ViewState& view, Viewport viewport, Vec3 p, double& x, double& y, double& depth);
Vec3 unprojectPoint(const ViewState& view, Viewport viewport, double x, double y, double depth);
