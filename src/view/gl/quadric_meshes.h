#pragma once

#include <map>
#include <tuple>

#include "view/gl/mesh_batch.h"

struct GLUquadric;

// The GLU quadrics of the view (fill style, normals pointing out, smooth
// normals), drawn at the current model-view position along its z axis.
//
// Redrawing a sphere of 49 x 49 faces or a cylinder of 199 x 19 faces every
// frame through GLU is slow on a software renderer, so each shape of unit size
// is compiled once into a display list and scaled into place (with normals
// renormalised, so lighting is unchanged). Shapes GLU cannot scale from a unit
// one — a truncated cone — are drawn directly. setCaching(false) draws
// everything through GLU, for comparison. Made and used with the context current.
//
// The same shapes are also kept as unit meshes of triangles, for the small
// quadrics the canvas gathers into one draw (mesh_batch.h).
class QuadricMeshes {
  public:
    QuadricMeshes();
    ~QuadricMeshes();
    QuadricMeshes(const QuadricMeshes&) = delete;
    QuadricMeshes& operator=(const QuadricMeshes&) = delete;

    bool valid() const { return quadric_ != nullptr; }
    void setCaching(bool on);
    bool caching() const { return caching_; }

    void sphere(double radius, int slices, int stacks);
    // Along +z from the base circle; topRadius 0 makes a cone.
    void cylinder(double baseRadius, double topRadius, double height, int slices, int stacks);
    // Made on first use, kept while the meshes live.
    const UnitMesh& unitMesh(QuadricShape shape, MeshCounts counts);

  private:
    using Key = std::tuple<QuadricShape, int, int>;  // shape, slices, stacks
    unsigned listFor(const Key& key);
    void drawScaled(unsigned list, double sx, double sy, double sz);
    void releaseLists();

    GLUquadric* quadric_ = nullptr;
    bool caching_ = true;
    std::map<Key, unsigned> lists_;
    std::map<Key, UnitMesh> unitMeshes_;
};
