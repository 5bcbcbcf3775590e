#pragma once

#include <span>

#include "expr/number_element.h"

// What a measure's value is, which decides how the document's units apply.
enum class MeasureDimension { kLength, kArea, kVolume, kAngle };

// The dimension of a measure code; kLength for codes that are not measures.
MeasureDimension measureDimension(TypeCode typeCode);

// Measures (kind 18): lengths, distances, angles, areas and volumes of their
// parents, in the document's length factor and angle unit.
class Measure : public NumberElement {
  public:
    Measure(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    // Undefined when the parents do not give the measure (coincident points of
    // an angle, a polygon that spans no plane, a polyhedron without its vertices).
    void recompute(Construction& construction, const RecomputeContext& context) override;

  protected:
    Measure(const Measure&) = default;
};

// The area of a planar polygon by the shoelace formula in its own plane frame;
// false when the vertices span no plane or leave it.
bool planarPolygonArea(std::span<const Vec3> vertices, double& area);
