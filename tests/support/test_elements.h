#pragma once

// Small element classes of the tests' own, standing in for the real kinds:
// each computes its position as the mean of its parents' positions, so that
// dependencies and definedness can be followed without any geometry.

#include <memory>
#include <string>

#include "model/byte_stream.h"
#include "model/canvas.h"
#include "model/construction.h"
#include "model/element.h"

class TestElement : public Element {
  public:
    TestElement(TypeCode typeCode, int parentCountGiven = 0, int generated = 0)
        : Element(typeCode, KindStyle{0, 1, 0, 0, 0x112233}, parentCountGiven), generated(generated) {}

    std::unique_ptr<Element> clone() const override {
        return std::unique_ptr<Element>(new TestElement(*this));
    }

    void recompute(Construction&, const RecomputeContext& context) override {
        ++recomputeCount;
        lastAngleUnit = context.angleUnit;
        lastScale = context.unitScale;
        if (!parents.empty()) {
            Vec3 sum;
            for (const Element* p : parents) sum = sum + static_cast<const TestElement*>(p)->position;
            position = sum * (1.0 / static_cast<double>(parents.size()));
        }
        defined = fails ? 0 : 1;
    }
    void draw(std::uint32_t c, int, Canvas& canvas) override { canvas.dot(position, c, size, shape); }
    void drawLabel(Canvas& canvas, std::uint32_t c) override { canvas.label(position, *name(), c); }
    int hitTest(int, int, const PickRay&, int, Vec3&) override { return 0; }
    int write(OutputStream& out) const override { return writeBase(out) && writeVec3(out, position) ? 1 : 0; }
    int read(InputStream& in, int version) override {
        return readBase(in, version) && readVec3(in, position);
    }
    int subElementCount() const override { return generated; }
    std::string listSuffix() const override { return suffix; }
    void setFont(const FontRecord& f) override { font = f; }

    Vec3 position;
    bool fails = false;  // recompute leaves the element undefined
    int generated = 0;
    int recomputeCount = 0;
    int lastAngleUnit = -1;
    double lastScale = 0.0;
    std::string suffix;
    FontRecord font;

  protected:
    TestElement(const TestElement&) = default;
};

inline TestElement* addFree(Construction& c, Vec3 at = {}) {
    auto e = std::make_unique<TestElement>(TypeCode::FreePoint);
    e->position = at;
    e->defined = 1;
    return static_cast<TestElement*>(c.append(std::move(e)));
}

// An element of the given code built on the given parents.
inline TestElement* addBuilt(Construction& c, TypeCode typeCode, std::initializer_list<Element*> parents,
                             int generated = 0) {
    auto e = std::make_unique<TestElement>(typeCode, static_cast<int>(parents.size()), generated);
    int i = 0;
    for (Element* p : parents) e->parents[static_cast<std::size_t>(i++)] = p;
    e->defined = 1;
    return static_cast<TestElement*>(c.append(std::move(e)));
}
