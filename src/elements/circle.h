#pragma once

#include "model/element.h"

// Circles (kind 6): a centre, a radius and an axis through the centre along the
// normal of the circle's plane. Angles on the circle are measured from refPoint
// by positive rotation about the axis (from axisA towards axisB).
class Circle : public Element {
  public:
    Circle(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    bool mayHit(const PickRay& ray, int projection) const override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::array<Vec3, 3> supportPlane() const override;
    // param1 = the angle θ in [0, 2π) from refPoint; param2 unused (0).
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;

    // Segments of the drawn ring and chords of the pick test.
    int ringSegments() const;
    int pickChords() const;

    Vec3 centre;
    Vec3 refPoint;
    double radius = 0.0;
    Vec3 axisA;
    Vec3 axisB;

  protected:
    Circle(const Circle&) = default;

  private:
    // CircleOfTwoSpheres and CircleOfSphereAndPlane: the circle where a sphere meets a sphere or a plane.
    void recomputeSection();
    // The images: the image of the source circle under the transformation.
    void recomputeImage(int angleUnit);
};

// Arcs (kind 7): the part of the circle through P1, P2, P3 swept from P1 through
// P2 to P3 by positive rotation about the axis.
class Arc : public Element {
  public:
    Arc(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    // Anchored half way along the sweep.
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::array<Vec3, 3> supportPlane() const override;
    // param1 = the fraction of the sweep from startPoint, not clamped (above 1 on
    // the rest of the circle); param2 unused (0).
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;

    // Pieces of the drawn polyline and chords of the pick test.
    int drawPieces() const;
    int pickChords() const;

    // Rebuilds the arc from P1 through P2 to P3; false (data untouched) when they
    // do not determine a circle.
    bool rebuild(Vec3 p1, Vec3 p2, Vec3 p3);

    Vec3 point1;
    Vec3 point2;
    Vec3 point3;
    Vec3 centre;
    Vec3 startPoint;
    double radius = 0.0;
    double sweep = 0.0;  // radians, in (0, 2π)
    Vec3 axisA;          // the centre
    Vec3 axisB;          // centre + unit normal of the plane P1 P2 P3

  protected:
    Arc(const Arc&) = default;
};
