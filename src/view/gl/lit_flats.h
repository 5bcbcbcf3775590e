#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "geometry/vec3.h"
#include "model/view_state.h"
#include "view/camera.h"
#include "view/gl/gl_state.h"

// Flat shapes, triangles or quads, that show small round shapes lit as the
// view's fixed lighting lights them (ball_impostors.h, tube_impostors.h): on a
// software rasteriser each triangle costs about as much as a few dozen of the
// pixels these cover, so they take as few as they can. Each corner's colour is the
// ambient light on the shape's colour; a texture lit in advance adds the rest,
// the diffuse and specular light, which do not depend on the colour. Only a
// light shining along the eye axis, without emission, can be drawn this way:
// what the shape shows then depends on its normals' eye-space z alone.
// Made and used with the context current.
class LitFlats {
  public:
    // The 3-D texture's size in texels, and how it is filtered.
    struct TextureShape {
        int width = 0;
        int height = 0;
        int depth = 0;
        bool linear = false;
    };
    // Fills the RGBA texels (width first, then height, then depth) for the lighting.
    using MakeTexels = std::function<void(const LightTerms& lighting, std::vector<std::uint8_t>& texels)>;

    // Shapes of three corners (triangles) or four (quads).
    LitFlats(int corners, TextureShape shape, MakeTexels make)
        : corners_(corners), shape_(shape), make_(std::move(make)) {}
    ~LitFlats();
    LitFlats(const LitFlats&) = delete;
    LitFlats& operator=(const LitFlats&) = delete;

    // Empties the batch, checks the lighting (making the texture anew when it
    // changed) and takes the frame's camera; false when the shapes must be
    // drawn as meshes.
    bool beginFrame(const ViewState& view);
    bool usable() const { return usable_; }
    const LightTerms& lighting() const { return lighting_; }
    // The frame's eye in model coordinates: its position (central projection)
    // and the direction towards it along its axis.
    const EyeInModel& eye() const { return eye_; }
    bool central() const { return central_; }

    bool empty() const { return positions_.empty(); }
    std::size_t vertexCount() const { return positions_.size() / 3; }
    // One corner of a shape, the corners of each in a row, with its three
    // texture coordinates; the colour is the shape's (red in the low byte).
    void corner(Vec3 position, const std::array<float, 3>& texel, std::uint32_t colour);
    // Draws the shapes gathered and empties the batch. Cut out: the texture's
    // alpha cuts the round shape out of each (alpha test); else they are
    // opaque. Fogged: the fog as it is set; else none.
    void draw(bool cutOut, bool fogged);

  private:
    void clear();
    void makeTexture();

    int corners_;
    TextureShape shape_;
    MakeTexels make_;
    unsigned texture_ = 0;
    bool usable_ = false;
    LightTerms lighting_;
    EyeInModel eye_;
    bool central_ = true;
    std::vector<float> positions_;  // x, y, z of each corner
    std::vector<float> texels_;     // s, t, r of each corner
    std::vector<std::uint8_t> colours_;
};

// The diffuse and specular light on a normal of that eye-space z, opaque.
void putShine(const LightTerms& lighting, double z, std::uint8_t* rgba);
