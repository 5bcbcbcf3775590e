#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/element.h"

// Planes (kind 9): the plane through three points. The square that represents
// the plane on screen is centred on planePoint1; its corners are kept for the
// hit test, which accepts only pick rays that cross the square.
class Plane : public Element {
  public:
    Plane(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::array<Vec3, 3> supportPlane() const override;
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;

    // Takes the three points and checks that they span a plane (then the square
    // is updated); false when they do not, which leaves the plane undefined.
    bool rebuild(Vec3 p1, Vec3 p2, Vec3 p3);

    Vec3 planePoint1;
    Vec3 planePoint2;
    Vec3 planePoint3;
    // The drawn square: planePoint1 ± d·u and planePoint1 ± d·v, in drawing order.
    std::array<Vec3, 4> corners{};

  protected:
    Plane(const Plane&) = default;

  private:
    // Recomputes the square for the current size (also done on recompute, so a
    // plane can be picked before it was first drawn).
    void updateCorners();
};

// Polygons (kind 10): vertexCount vertices that lie in one plane, spanned by
// three of them (the support points).
class Polygon : public Element {
  public:
    // vertexCount is the number of vertices; for PolygonVertices also the number of parents.
    Polygon(TypeCode typeCode, const KindStyle& style, int vertexCount);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    bool mayHit(const PickRay& ray, int projection) const override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::array<Vec3, 3> supportPlane() const override;
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;
    std::size_t memoryBytes() const override;

    // Takes the vertices (and their count) and chooses three spanning ones as the
    // support points; false when they do not lie in one plane they span.
    bool rebuild(std::span<const Vec3> points);

    std::int32_t vertexCount = 0;  // always vertices.size()
    std::vector<Vec3> vertices;
    std::array<Vec3, 3> supportPoints{};

  protected:
    Polygon(const Polygon&) = default;

  private:
    bool chooseSupportPoints();
};

// Oblique coordinates in the plane of three support points O, P1, P2: a point
// X = O + s·unit(P1 − O) + u·unit(P2 − O). Returns 0 when the points span no plane.
int planeParametersOf(const std::array<Vec3, 3>& support, const Vec3& point, double& s, double& u);
Vec3 planePointAt(const std::array<Vec3, 3>& support, double s, double u);
