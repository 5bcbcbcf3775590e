#pragma once

#include <cstdint>
#include <vector>

#include "geometry/vec3.h"
#include "view/gl/level_of_detail.h"

enum class QuadricShape { Sphere, Cylinder, Cone };

// A quadric of unit size as indexed triangles, with the vertices, normals and
// windings GLU gives it (fill style, smooth normals pointing out): a sphere of
// radius 1 about the origin, or a cylinder (cone) of radius 1 at z = 0 and 1
// (0) at z = 1.
struct UnitMesh {
    std::vector<float> positions;  // x, y, z of each vertex
    std::vector<float> normals;
    std::vector<std::uint32_t> triangles;  // three vertex indices each
};

UnitMesh makeUnitMesh(QuadricShape shape, MeshCounts counts);
// How many triangles that mesh has (as GLU draws it, a quad being two).
long meshTriangles(QuadricShape shape, MeshCounts counts);

// Where a unit mesh goes: a vertex p lands on origin + axes (scale * p), where
// axes are the columns x, y, z of a rotation.
struct MeshPlacement {
    Vec3 origin;
    Vec3 x{1, 0, 0};
    Vec3 y{0, 1, 0};
    Vec3 z{0, 0, 1};
    Vec3 scale{1, 1, 1};
};

// The rotation that turns the z axis onto the direction (as the view turns
// quadrics onto elements): about the axis z x direction, or half a turn about
// x for a direction straight down.
MeshPlacement turnedOnto(Vec3 origin, Vec3 direction, Vec3 scale);

// Whether vertex arrays may be drawn from client memory: not while someone
// else's buffer objects are bound (array pointers would be read as offsets).
bool clientArraysUsable();

// Lit, opaque triangles of many small quadrics (balls, tubes, arrow heads,
// rings) sent to GL in one draw. On a software renderer every draw call costs about
// as much as a few hundred small triangles, and a large construction draws
// thousands of balls of a few dozen triangles each; gathering them keeps the
// order of the triangles, so the image is the same.
class MeshBatch {
  public:
    bool empty() const { return indices_.empty(); }
    std::size_t vertexCount() const { return positions_.size() / 3; }
    void clear();
    // Adds a placed copy of the mesh in one colour (red in the low byte).
    // A placement that flattens the mesh adds nothing: it covers no pixel.
    void add(const UnitMesh& mesh, const MeshPlacement& where, std::uint32_t colour);
    // One vertex as given (the normal is not renormalised); returns its index.
    std::uint32_t vertex(Vec3 position, Vec3 normal, std::uint32_t colour);
    // A quad of a GL quad strip, the pair a, b followed by the pair c, d.
    void stripQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);
    // Draws the triangles with the current GL state and empties the batch.
    void draw();

  private:
    std::vector<float> positions_;
    std::vector<float> normals_;
    std::vector<std::uint8_t> colours_;  // red, green, blue, alpha
    std::vector<std::uint32_t> indices_;
};
