#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/vec3.h"

class SurfaceFragments;

// Spheres and balls drawn as one square each, cast by a small shader: the
// square faces the eye and covers the sphere's outline, and each of its pixels
// intersects its line of sight with the sphere, writes the depth of the
// intersection and is lit there as the fixed lighting would light a vertex
// with that normal (ambient from the colour, diffuse and specular from the
// material and light 0; a back face lit with its normal reversed, as two-sided
// lighting does). Pixels outside the outline are discarded. Both projections:
// the lines of sight meet at the eye in central projection and run along the
// eye axis in parallel projection, which the shader reads from the projection
// matrix; the model-view matrix is read at the draw, so both eyes of an
// anaglyph see the sphere from where they are.
//
// A translucent sphere is drawn as its mesh is, far side then near side, so
// that the near side blends over the far one: its two squares follow each
// other in the batch. Translucency comes from the material's diffuse alpha, as
// for a lit mesh.
//
// The outline is the true circle (a mesh's is the inscribed polygon, within
// half a pixel of it); the shading is per pixel instead of between vertices,
// within a few levels of grey of the mesh's.
//
// Needs OpenGL 2 shaders and the view's lighting (one directional light, the
// colour tracking the ambient material, no fog): beginFrame() reports false
// otherwise, and the caller draws meshes. Made and used with the context
// current.
class SphereImpostors {
  public:
    SphereImpostors() = default;
    ~SphereImpostors();
    SphereImpostors(const SphereImpostors&) = delete;
    SphereImpostors& operator=(const SphereImpostors&) = delete;

    // Empties the batch and checks the context and its lighting; false when
    // spheres must be drawn as meshes. The shader is compiled on first use.
    bool beginFrame();
    bool usable() const { return usable_; }
    bool empty() const { return corners_.empty(); }
    std::size_t vertexCount() const { return corners_.size() / 4; }
    // The near side of an opaque ball, or both sides of a translucent sphere.
    // False (nothing added) when the sphere cannot be drawn this way.
    bool add(Vec3 centre, double radius, std::uint32_t colour, bool bothSides);
    // Draws the squares gathered with the current blending and material, and
    // empties the batch; with keeping, the fragments that pass the depth test
    // are kept too, under the key of its surface being drawn (marked in the
    // stencil's top bit meanwhile).
    void draw(SurfaceFragments* keeping = nullptr);

  private:
    struct Shader {
        bool tried = false;
        unsigned program = 0;
        int corner = -1;                // the corner attribute
        std::array<int, 7> uniforms{};  // locations of the lighting uniforms
        int key = -1;                   // of the surface kept
        int keeping = -1;               // whether the fragments drawn are kept
    };
    static Shader compile(bool keep, bool early);
    // The squares of the vertices first, ..., first + count - 1.
    void drawSquares(const Shader& shader, int first, int count, bool keep = false, unsigned key = 0);
    void addSquare(Vec3 centre, float radius, const std::uint8_t* rgba, float farSide);

    Shader plain_;
    Shader drawing_;  // when keeping: the drawing, marking the stencil where it passes
    Shader keeping_;  // and the keeping there
    bool usable_ = false;
    std::vector<float> centres_;  // x, y, z of each corner's sphere
    std::vector<float> corners_;  // u, v (-1 or 1), radius, far side (0 or 1) of each corner
    std::vector<std::uint8_t> colours_;
};
