#pragma once

#include <array>
#include <vector>

#include "geometry/vec3.h"
#include "view/camera.h"

// The tiles of the view (16 pixels a side) that the lines and points drawn
// live may cover, marked as the canvas draws them: the kept surfaces are
// blended again over the live pixels of these tiles only. A ball or tube is
// marked by the pixels its bounds may reach (with a margin, and no smaller
// than its flat forms); anything else drawn marks the whole view. No GL calls.
class LiveTiles {
  public:
    static constexpr int kTile = 16;

    // Nothing marked; points go to the window through the matrix (projection
    // times model-view) and the viewport (x, y, width, height).
    void begin(const Matrix4& clipFromModel, const std::array<int, 4>& viewport);
    void markAll() { all_ = true; }
    // A ball of the radius about the centre, or a tube (or cone) of at most
    // that radius from a to b.
    void markBall(Vec3 centre, double radius) { markTube(centre, centre, radius); }
    void markTube(Vec3 a, Vec3 b, double radius);
    bool all() const { return all_; }
    // The marked tiles in normalised device coordinates, x0, y0, x1, y1 each,
    // the tiles next to each other in a row as one; the whole view when all
    // are marked.
    std::vector<std::array<float, 4>> rectangles() const;
    // The share of the view's tiles marked, from 0 to 1.
    double share() const;

  private:
    // The window box of a cube about the centre; false when part of it lies
    // behind the eye.
    struct Box {
        double x0, y0, x1, y1;
    };
    bool windowBox(Vec3 centre, double half, Box& box) const;

    Matrix4 clip_{};
    std::array<int, 4> viewport_{};
    int columns_ = 0;
    int rows_ = 0;
    bool all_ = false;
    std::vector<unsigned char> marked_;  // row by row from the bottom
};
