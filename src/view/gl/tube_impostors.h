#pragma once

#include <cstdint>

#include "geometry/vec3.h"
#include "model/view_state.h"
#include "view/gl/lit_flats.h"

// Tubes a few pixels across drawn as one flat quad each instead of a mesh.
// Seen from the eye, a thin tube is a band: its outline runs along the two
// lines where the lines of sight graze it, and between them lies its front.
// The quad spans the band at the depth of the tube's front line (the back
// half, which the front hides, is left out). Across the band, at t from -1 to
// 1, the tube's normal is sqrt(1 - t^2) f + t s, where f faces the eye and s
// lies along the band's width; lit along the eye axis, its eye-space z is
// sqrt(1 - t^2) a + t b, a and b being the eye axis' parts along f and s. A 3-D
// texture by (t, a, b) carries that light (lit_flats.h). In central projection
// the eye's direction is taken at each end.
//
// Only the fixed lighting of the view can be drawn this way: beginFrame()
// reports false when the current GL state lights otherwise, add() refuses
// every tube then and the caller draws meshes. Made and used with the context
// current.
class TubeImpostors {
  public:
    TubeImpostors();

    // Checks the lighting and takes the frame's camera; false when tubes must
    // be drawn as meshes.
    bool beginFrame(const ViewState& view) { return quads_.beginFrame(view); }
    bool empty() const { return quads_.empty(); }
    std::size_t vertexCount() const { return quads_.vertexCount(); }
    // Adds the tube of the radius from a to b; false when it cannot be drawn
    // flat (it points at the eye, or the eye is inside it).
    bool add(Vec3 a, Vec3 b, double radius, std::uint32_t colour);
    // Draws the quads gathered, fogged as the fog is set or without fog, and
    // empties the batch.
    void draw(bool fogged) { quads_.draw(false, fogged); }

  private:
    LitFlats quads_;
};
