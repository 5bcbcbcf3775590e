#pragma once

#include <cstdint>

#include "geometry/vec3.h"
#include "model/view_state.h"
#include "view/gl/lit_flats.h"

// Balls a few pixels across drawn as one flat triangle each instead of a mesh.
// A ball of radius r whose centre lies D from the eye shows the eye a disc:
// the triangle faces the eye, stands at the ball's nearest point, holds the
// disc shrunk by (D - r) / D, so that it covers the same disc on screen, and
// hides what the ball's front hides. A texture cuts the disc out of the
// triangle (alpha test) and carries the light the view's fixed lighting puts
// on a ball at each point of it (diffuse and specular; the ambient part, which
// is the ball's colour scaled, comes with each triangle's colour). The light
// shines along the eye axis, so what a ball shows depends on the angle between
// the eye axis and the line to the ball; the texture holds one tile per two
// degrees of it.
//
// Only the fixed lighting of the view can be drawn this way: beginFrame()
// reports false when the current GL state lights otherwise, add() refuses
// every ball then and the caller draws meshes instead. Made and used with the
// context current.
class BallImpostors {
  public:
    BallImpostors();

    // Checks the lighting and takes the frame's camera; false when balls must
    // be drawn as meshes.
    bool beginFrame(const ViewState& view) { return triangles_.beginFrame(view); }
    bool empty() const { return triangles_.empty(); }
    std::size_t vertexCount() const { return triangles_.vertexCount(); }
    // Adds a ball; false when it cannot be drawn flat (the eye inside it).
    bool add(Vec3 centre, double radius, std::uint32_t colour);
    // Draws the triangles gathered and empties the batch.
    void draw() { triangles_.draw(true, false); }  // the texture's alpha cuts the disc out

  private:
    LitFlats triangles_;
};
