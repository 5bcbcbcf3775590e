#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/vec3.h"
#include "model/view_state.h"
#include "view/gl/gl_state.h"

// Balls a few pixels across drawn as one flat square each instead of a mesh.
// A ball of radius r whose centre lies D from the eye shows the eye a disc:
// the square faces the eye, stands at the ball's nearest point and is shrunk
// by (D - r) / D, so that it covers the same disc on screen and hides what
// the ball's front hides. A texture cuts the disc out of the square (alpha
// test) and carries the light the view's fixed lighting puts on a ball at
// each point of it (diffuse and specular; the ambient part, which is the
// ball's colour scaled, comes with each square's colour). The light shines
// along the eye axis, so what a ball shows depends on the angle between the
// eye axis and the line to the ball; the texture holds one tile per two
// degrees of it.
//
// Only the fixed lighting of the view can be drawn this way: draw() reports
// false (and draws nothing) when the current GL state lights otherwise, and
// the caller draws meshes instead. Made and used with the context current.
class BallImpostors {
  public:
    BallImpostors() = default;
    ~BallImpostors();
    BallImpostors(const BallImpostors&) = delete;
    BallImpostors& operator=(const BallImpostors&) = delete;

    // Checks the lighting and takes the frame's camera; false when balls must
    // be drawn as meshes.
    bool beginFrame(const ViewState& view);
    bool empty() const { return squares_ == 0; }
    std::size_t vertexCount() const { return 4 * squares_; }
    // Adds a ball; false when it cannot be drawn flat (the eye inside it).
    bool add(Vec3 centre, double radius, std::uint32_t colour);
    // Draws the squares gathered and empties the batch.
    void draw();

  private:
    static bool readLighting(LightTerms& lighting);
    void makeTexture();

    bool usable_ = false;
    LightTerms lighting_;
    unsigned texture_ = 0;
    bool central_ = true;
    Vec3 eye_;      // the eye in model coordinates (central projection)
    Vec3 eyeAxis_;  // the direction towards the eye along its axis, in model coordinates
    std::size_t squares_ = 0;
    std::vector<float> positions_;  // x, y, z of each corner
    std::vector<float> texels_;     // s, t of each corner
    std::vector<std::uint8_t> colours_;
};
