#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "geometry/vec3.h"
#include "model/view_state.h"
#include "view/camera.h"
#include "view/gl/gl_state.h"

// Flat quads that show small round shapes lit as the view's fixed lighting
// lights them (ball_impostors.h, tube_impostors.h). Each corner's colour is the
// ambient light on the shape's colour; a texture lit in advance adds the rest,
// the diffuse and specular light, which do not depend on the colour. Only a
// light shining along the eye axis, without emission, can be drawn this way:
// what the shape shows then depends on its normals' eye-space z alone.
// Made and used with the context current.
class LitQuads {
  public:
    // The texture's size in texels (depth 0: a 2-D texture, 2 texture
    // coordinates a corner; else 3-D, 3), and how it is filtered.
    struct TextureShape {
        int width = 0;
        int height = 0;
        int depth = 0;
        bool linear = false;
    };
    // Fills the RGBA texels (width first, then height, then depth) for the lighting.
    using MakeTexels = std::function<void(const LightTerms& lighting, std::vector<std::uint8_t>& texels)>;

    LitQuads(TextureShape shape, MakeTexels make) : shape_(shape), make_(std::move(make)) {}
    ~LitQuads();
    LitQuads(const LitQuads&) = delete;
    LitQuads& operator=(const LitQuads&) = delete;

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

    bool empty() const { return quads_ == 0; }
    std::size_t vertexCount() const { return 4 * quads_; }
    // One corner of a quad, four in a row making one; texel holds 2 or 3
    // values as the texture; the colour is the shape's (red in the low byte).
    void corner(Vec3 position, const float* texel, std::uint32_t colour);
    // Draws the quads gathered and empties the batch. Cut out: the texture's
    // alpha cuts each quad's shape out (alpha test); else the quads are
    // opaque. Fogged: the fog as it is set; else none.
    void draw(bool cutOut, bool fogged);

  private:
    int texelSize() const { return shape_.depth > 0 ? 3 : 2; }
    void clear();
    void makeTexture();

    TextureShape shape_;
    MakeTexels make_;
    unsigned texture_ = 0;
    bool usable_ = false;
    LightTerms lighting_;
    EyeInModel eye_;
    bool central_ = true;
    std::size_t quads_ = 0;
    std::size_t corners_ = 0;
    std::vector<float> positions_;  // x, y, z of each corner
    std::vector<float> texels_;
    std::vector<std::uint8_t> colours_;
};

// The diffuse and specular light on a normal of that eye-space z, opaque.
void putShine(const LightTerms& lighting, double z, std::uint8_t* rgba);
