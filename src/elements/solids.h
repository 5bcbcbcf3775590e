#pragma once

#include "model/element.h"

// Spheres (kind 13): centre and a point on the surface.
class Sphere : public Element {
  public:
    Sphere(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    // Latitude α (about the direction (0, −1, 0)) and longitude β (about (0, 0, 1)).
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;

    Vec3 centre;
    Vec3 surfacePoint;
    double radius = 0.0;

  protected:
    Sphere(const Sphere&) = default;
};

// Cylinders (kind 14): the finite cylinder between the planes through baseCentre
// and topCentre perpendicular to its axis.
class Cylinder : public Element {
  public:
    Cylinder(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    // Angle about the axis from rimPoint, and height along the axis from baseCentre.
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;

    Vec3 baseCentre;
    Vec3 topCentre;
    Vec3 rimPoint;  // on the circle around baseCentre; angles are measured from it
    double radius = 0.0;

  protected:
    Cylinder(const Cylinder&) = default;
};

// Cones (kind 15): base circle around baseCentre through rimPoint, and the apex.
class Cone : public Element {
  public:
    Cone(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    // Angle about the axis from rimPoint, and signed distance from the apex
    // towards baseCentre along the axis.
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;

    Vec3 baseCentre;
    Vec3 apex;
    Vec3 rimPoint;
    double baseRadius = 0.0;

  protected:
    Cone(const Cone&) = default;
};
