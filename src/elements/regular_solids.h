#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/element.h"

class Polygon;

// Regular polygons: an n-gon with vertex V0 (parent 0)
// turned about the axis of a straight element (parent 1). It is followed in its
// construction by its n − 1 generated vertices and one polygon (V0, then the
// generated vertices), which it positions itself.
class RegularPolygon : public Element {
  public:
    RegularPolygon(const KindStyle& style, int sideCount);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    GroupLayout groupLayout() const override;

    // The generated elements, wired to this element and its parents (which must
    // be set), for the caller to append directly after it: the vertices, then the polygon.
    std::vector<ElementPtr> makeParts(const KindStyle& vertexStyle, const KindStyle& polygonStyle);
    // The parts found by the last recompute (vertices, then the polygon); empty
    // on a fresh copy and when the elements after this one are not its parts.
    std::span<Element* const> parts() const { return parts_; }
    Polygon* polygon() const;

    std::int32_t sideCount = 0;

  protected:
    RegularPolygon(const RegularPolygon& other);

  private:
    std::vector<Element*> parts_;
};

// Regular polyhedra (tetrahedron, cube, octahedron, dodecahedron, icosahedron): the solid whose first face
// is the regular polygon with vertex V0 about the axis. It is followed by its
// generated vertices and its face polygons.
class RegularPolyhedron : public Element {
  public:
    RegularPolyhedron(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    GroupLayout groupLayout() const override;

    // The generated vertices, then the faces wired by the solid's face table and
    // coloured with the solid's colour, for the caller to append directly after
    // this element (whose parents must be set).
    std::vector<ElementPtr> makeParts(const KindStyle& vertexStyle, const KindStyle& faceStyle);
    // The parts found by the last recompute (vertices, then faces); empty on a
    // fresh copy and when the elements after this one are not its parts.
    std::span<Element* const> parts() const { return parts_; }
    // Gives every face the solid's colour (on creation and after editing).
    void colourFaces();

    std::int32_t generatedVertexCount = 0;
    std::int32_t faceCount = 0;
    std::int32_t verticesPerFace = 0;

  protected:
    RegularPolyhedron(const RegularPolyhedron& other);

  private:
    std::vector<Element*> parts_;
};
