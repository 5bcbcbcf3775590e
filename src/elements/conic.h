#pragma once

#include <array>
#include <vector>

#include "geometry/conic_curve.h"
#include "model/element.h"

// Conics (kind 8): the curve through five coplanar points, held in the frame of
// its plane. `curve` carries everything the kernel's conic routines read: the
// three points spanning the plane and its frame, the five points in frame
// coordinates, the equation coefficients, the type, the centre, the axes and,
// for types 4 and 5, the two lines.
class Conic : public Element {
  public:
    Conic(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    // Anchored at the curve point of parameter 0.25 (a hyperbola's vertex, the
    // middle of a line pair's first line).
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::array<Vec3, 3> supportPlane() const override;
    // param1 = t in [0, 1] over the whole conic (as conicPoint); param2 unused (0).
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;

    // 0 none, 1 ellipse, 2 hyperbola, 3 parabola, 4 and 5 two lines.
    ConicType conicType() const { return curve.type; }
    // The centre in space, for a centre point: the point where the gradient of the
    // equation vanishes, on the conic's plane. 0 when that system is singular (a
    // parabola, parallel lines) or the conic has no equation.
    int centreInSpace(Vec3& centre) const;

    // What the curve is drawn and picked as, for types 1 to 3: polylines through
    // points of the curve in space, one per connected piece (a hyperbola has one
    // per branch). The open curves are cut where they leave the drawing reach of
    // the projection around their centre or vertex.
    std::vector<std::vector<Vec3>> polylines(int projection) const;
    // Types 4 and 5: the two lines, two points each, in space.
    std::array<Vec3, 4> linePoints() const;

    // Fits and classifies the conic through the five points; false (data untouched)
    // when they give no conic.
    bool rebuild(const Vec3 (&points)[5]);

    Vec3 definingPoints[5];  // in parent order (or the section / image points)
    ConicCurve curve;

  protected:
    Conic(const Conic&) = default;

  private:
    Vec3 nearestToRay(Vec3 a, Vec3 b, const PickRay& ray, Vec3 fallback) const;
    // ConicPlaneSection: five points of the section of a cylinder or cone by a plane.
    bool sectionPoints(Vec3 (&points)[5]) const;
};
