#pragma once

#include "model/element.h"

// Vectors, segments, lines and rays (kinds 2 to 5): two points A and B; the kind
// decides where the element is bounded, how it is drawn and parametrised.
class StraightElement : public Element {
  public:
    StraightElement(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    void drawLabel(Canvas& canvas, std::uint32_t labelColour) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    int parameterOf(const Vec3& point, double& param1, double& param2) const override;
    int pointAt(double param1, double param2, Vec3& point) const override;

    Vec3 pointA;
    Vec3 pointB;

    // Half the length of the stretch a line or ray is drawn over: 99 in central
    // projection, 499 in parallel projection.
    static double stretchHalfLength(int projection);

  protected:
    StraightElement(const StraightElement&) = default;
};

// Kinds 2 to 5.
inline bool isStraightKind(ElementKind k) {
    return k == ElementKind::Vector || k == ElementKind::Segment || k == ElementKind::Line ||
           k == ElementKind::Ray;
}

// Draws the line through A and B (distinct) as lines are drawn: a stretch of
// stretchHalfLength on either side of where it passes the view ray through the
// window's top left pixel. Conics draw their line pairs with it too.
void drawLineStretch(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int projection,
                     Canvas& canvas);

inline const StraightElement& asStraight(const Element* e) {
    return *static_cast<const StraightElement*>(e);
}
