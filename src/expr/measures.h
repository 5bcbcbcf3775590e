#pragma once

#include <span>

#include "expr/number_element.h"

// The measure type codes.
inline constexpr int kCodePointPointDistance = 10500;
inline constexpr int kCodePointLineDistance = 10501;
inline constexpr int kCodePointPlaneDistance = 10502;
inline constexpr int kCodeLineLineDistance = 10503;
inline constexpr int kCodeSegmentLength = 10510;
inline constexpr int kCodeCircleLength = 10511;
inline constexpr int kCodeArcLength = 10512;
inline constexpr int kCodePolygonPerimeter = 10515;
inline constexpr int kCodeThreePointAngle = 10520;
inline constexpr int kCodeLinePlaneAngle = 10521;
inline constexpr int kCodePlanePlaneAngle = 10522;
inline constexpr int kCodeCircleArea = 10525;
inline constexpr int kCodePolygonArea = 10526;
inline constexpr int kCodeSphereArea = 10527;
inline constexpr int kCodeSphereVolume = 10530;
inline constexpr int kCodeTetrahedronArea = 10725;
inline constexpr int kCodeCubeArea = 10726;
inline constexpr int kCodeOctahedronArea = 10727;
inline constexpr int kCodeDodecahedronArea = 10728;
inline constexpr int kCodeIcosahedronArea = 10729;
inline constexpr int kCodeTetrahedronVolume = 10730;
inline constexpr int kCodeCubeVolume = 10731;
inline constexpr int kCodeOctahedronVolume = 10732;
inline constexpr int kCodeDodecahedronVolume = 10733;
inline constexpr int kCodeIcosahedronVolume = 10734;

// What a measure's value is, which decides how the document's units apply.
enum class MeasureDimension { kLength, kArea, kVolume, kAngle };

// The dimension of a measure code; kLength for codes that are not measures.
MeasureDimension measureDimension(int typeCode);

// Measures (kind 18): lengths, distances, angles, areas and volumes of their
// parents, in the document's length factor and angle unit.
class Measure : public NumberElement {
  public:
    Measure(int typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    // Undefined when the parents do not give the measure (coincident points of
    // an angle, a polygon that spans no plane, a polyhedron without its vertices).
    void recompute(Construction& construction, int angleUnit, double scale) override;

  protected:
    Measure(const Measure&) = default;
};

// The area of a planar polygon by the shoelace formula in its own plane frame;
// false when the vertices span no plane or leave it.
bool planarPolygonArea(std::span<const Vec3> vertices, double& area);
