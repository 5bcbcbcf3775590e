#include "view/gl/level_of_detail.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();

// Sides a regular polygon needs so that a circle of r pixels stays within the
// tolerance, when the outline may stray by the given multiple of the polygon's
// half step; 0 when any polygon will do.
double sidesNeeded(double pixelRadius, double spread) {
    if (!(pixelRadius > kOutlineTolerancePixels)) return pixelRadius >= 0.0 ? 0.0 : kInfinite;
    const double halfStep = std::acos(1.0 - kOutlineTolerancePixels / pixelRadius);
    return spread * std::numbers::pi / halfStep;
}

// The first step of the ladder 8, 10, 12, 14, 16, 20, 24, 28, 32, 40, ... that
// reaches the need, or the full count when that comes first.
int ladderStep(double needed, int full) {
    if (!(needed < full)) return full;
    for (int base = kFewestSlices;; base *= 2) {
        for (const int quarters : {4, 5, 6, 7}) {
            const int step = base * quarters / 4;
            if (step >= needed) return std::min(step, full);
        }
    }
}

int ceilInt(double v) {
    return static_cast<int>(std::ceil(v));
}

}  // namespace

DetailScale::DetailScale(const ViewState& view, Viewport viewport)
    : active_(viewport.width > 0 && viewport.height > 0),
      central_(view.projection != 1),
      modelView_(modelViewMatrix(view)),
      largePixels_(std::min(viewport.width, viewport.height) / 8.0) {
    const double height = viewport.height;
    if (central_) {
        const double half = kFieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0;
        const double aspect = aspectRatio(viewport);
        pixelsAtUnitDepth_ = height / 2.0 / std::tan(half);
        nearPlane_ = nearPlane(view);
        largestSlantSquared_ = std::tan(half) * std::tan(half) * (1.0 + aspect * aspect);
    } else {
        pixelsAtUnitDepth_ = height / (2.0 * std::fabs(static_cast<double>(parallelHalfHeight(view))));
    }
}

double DetailScale::pixelsPerUnit(Vec3 centre, double radius) const {
    if (!active_) return kInfinite;
    if (!central_) return std::isfinite(pixelsAtUnitDepth_) ? pixelsAtUnitDepth_ : kInfinite;
    const double* m = modelView_.m;
    const double x = m[0] * centre.x + m[4] * centre.y + m[8] * centre.z + m[12];
    const double y = m[1] * centre.x + m[5] * centre.y + m[9] * centre.z + m[13];
    const double z = m[2] * centre.x + m[6] * centre.y + m[10] * centre.z + m[14];
    // The eye looks down -z: depth of the ball's nearest point.
    const double nearest = -z - radius;
    if (!(nearest > nearPlane_) || !std::isfinite(nearest)) return kInfinite;
    // Across the line of sight at an angle t off the eye axis, a length covers
    // sqrt(1 + tan² t) times what it covers on the axis at the same depth.
    const double slant = (std::hypot(x, y) + radius) / nearest;
    const double stretch = std::sqrt(1.0 + std::min(slant * slant, largestSlantSquared_));
    const double pixels = pixelsAtUnitDepth_ * stretch / nearest;
    return std::isfinite(pixels) ? pixels : kInfinite;
}

double DetailScale::pixelRadius(Vec3 centre, double reach, double radius) const {
    const double pixels = radius * pixelsPerUnit(centre, reach);
    return pixels < largePixels_ ? pixels : kInfinite;
}

MeshCounts sphereCounts(double pixelRadius, MeshCounts full) {
    // A face of a steps of 2 pi / n in longitude and pi / m in latitude has its
    // corners up to sqrt((pi/n)² + (pi/2m)²) from its middle; with m = n / 2 the
    // two steps are alike and each may take 1/sqrt(2) of the allowed half step.
    const int slices = ladderStep(sidesNeeded(pixelRadius, std::numbers::sqrt2), full.slices);
    if (slices == full.slices) return full;
    const int fewestStacks = std::min(kFewestStacks, full.stacks);
    return {slices, std::clamp(ceilInt(slices / 2.0), fewestStacks, full.stacks)};
}

MeshCounts roundCounts(double pixelRadius, MeshCounts full) {
    const int slices = ladderStep(sidesNeeded(pixelRadius, 1.0), full.slices);
    if (slices == full.slices) return full;
    const int fewestStacks = std::min(kFewestStacks, full.stacks);
    const int stacks = ceilInt(static_cast<double>(slices) * full.stacks / full.slices);
    return {slices, std::clamp(stacks, fewestStacks, full.stacks)};
}

int circleSides(double pixelRadius, int sides) {
    if (sides <= kFewestSlices) return sides;
    const double needed = sidesNeeded(pixelRadius, 1.0);
    if (!(needed < sides)) return sides;
    return std::max(kFewestSlices, ceilInt(needed));
}
