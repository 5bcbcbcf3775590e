#pragma once

#include "geometry/vec3.h"
#include "model/view_state.h"
#include "view/camera.h"

// Level of detail of the view's quadrics. A sphere, cylinder, cone, ball or
// tube is cut into the fewest slices and stacks that keep its outline on
// screen within half a pixel of the true one, never fewer than 8 slices and 4
// stacks and never more than its full counts. A polygon of n sides inscribed in
// a circle of r pixels strays from it by r (1 - cos(pi / n)). A small or
// distant quadric gets a coarser mesh that looks the same: its outline within
// half a pixel, its shading within a few levels of grey. A quadric that is
// large in the picture (at least an eighth of the view across) keeps its full
// mesh, shading and highlight exactly as they were.
//
// Slice counts come from a short ladder (8, 10, 12, 14, 16, 20, 24, 28, 32, 40,
// ...: four steps an octave), so that few meshes are ever made.

struct MeshCounts {
    int slices = 0;
    int stacks = 0;
    bool operator==(const MeshCounts&) const = default;
};

inline constexpr int kFewestSlices = 8;
inline constexpr int kFewestStacks = 4;
// The largest distance, in pixels, between a coarse outline and the true one.
inline constexpr double kOutlineTolerancePixels = 0.5;

// How many pixels a world length covers where a quadric lies, from the frame's
// camera and viewport.
class DetailScale {
  public:
    // No view: every quadric is drawn at its full counts.
    DetailScale() = default;
    DetailScale(const ViewState& view, Viewport viewport);

    // The most pixels one world unit across the line of sight covers anywhere on
    // the ball of the given radius around the model point: in central
    // projection at the ball's point nearest to the eye, widened towards the
    // edges of the view where the perspective stretches shapes. Infinite (full
    // detail) when the ball reaches the near plane, without a view, or for
    // values that are not finite.
    double pixelsPerUnit(Vec3 centre, double radius) const;
    // The radius in pixels of a circle of the given radius on a quadric inside
    // the ball (centre, reach); infinite (full detail) when it is large in the
    // view.
    double pixelRadius(Vec3 centre, double reach, double radius) const;

  private:
    bool active_ = false;
    bool central_ = false;
    Matrix4 modelView_{};
    double pixelsAtUnitDepth_ = 0.0;  // central: (h / 2) / tan(fov / 2); parallel: h / box height
    double nearPlane_ = 0.0;
    double largePixels_ = 0.0;          // radii from here on are large in the view
    double largestSlantSquared_ = 0.0;  // tan² of the angle between the eye axis and a corner of the view
};

// Counts for a sphere whose outline is a circle of pixelRadius pixels. Both the
// longitude and the latitude steps count: the silhouette may cross a face
// along its diagonal.
MeshCounts sphereCounts(double pixelRadius, MeshCounts full);
// Counts for a cylinder, cone or tube whose end circles have pixelRadius
// pixels; its sides are straight, so stacks keep the full mesh's proportion.
MeshCounts roundCounts(double pixelRadius, MeshCounts full);
// Sides of a closed polygon standing for a circle of pixelRadius pixels (a
// ring), at most the given count; not quantised (rings are not cached).
int circleSides(double pixelRadius, int sides);
