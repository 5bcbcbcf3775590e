#pragma once

#include "model/element.h"

// Points (kind 1). Every point has a position; the type code says how it is
// computed from its parents. Intersection points and points on objects are
// points with a little more state.
class Point : public Element {
  public:
    Point(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;

    Vec3 position;

  protected:
    Point(const Point&) = default;
};

// The intersection of two elements (or of three plane-like elements).
// rootIndex chooses between two solutions.
class IntersectionPoint : public Point {
  public:
    IntersectionPoint(TypeCode typeCode, const KindStyle& style, int rootIndex = 0);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;

    std::int32_t rootIndex = 0;

  protected:
    IntersectionPoint(const IntersectionPoint&) = default;
};

// A point held on its parent by the parent's own parameters, so it keeps its
// relative place when the parent moves or changes size.
class PointOnObject : public Point {
  public:
    explicit PointOnObject(const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;

    double param1 = 0.0;
    double param2 = 0.0;

  protected:
    PointOnObject(const PointOnObject&) = default;
};

// The position of a parent that is a point (any point class).
inline const Vec3& positionOf(const Element* point) {
    return static_cast<const Point*>(point)->position;
}
