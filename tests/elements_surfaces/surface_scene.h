#pragma once

// Small constructions of real elements for the surface tests: free points are
// placed directly, everything else is recomputed by the construction.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

#include "elements/plane.h"
#include "elements/point.h"
#include "elements/regular_solids.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "model/byte_stream.h"
#include "model/construction.h"
#include "support/recording_canvas.h"

inline constexpr KindStyle kTestStyle{0, 0, 0, 0, 0x00ff00};

struct Scene {
    Construction c;

    Point* free(Vec3 at) {
        auto p = std::make_unique<Point>(TypeCode::FreePoint, kTestStyle);
        p->position = at;
        p->defined = 1;
        return static_cast<Point*>(c.append(std::move(p)));
    }

    template <typename T>
    T* add(std::unique_ptr<T> e, std::initializer_list<Element*> parents) {
        Element* added = c.appendOn(std::move(e), parents);
        EXPECT_NE(added, nullptr) << "parents that do not fit the element's type code";
        return static_cast<T*>(added);
    }

    StraightElement* line(Vec3 a, Vec3 b, TypeCode code = TypeCode::LineTwoPoints) {
        return add(std::make_unique<StraightElement>(code, kTestStyle), {free(a), free(b)});
    }

    // A group leader with its parts appended right after it.
    template <typename Leader>
    Leader* addWithParts(std::unique_ptr<Leader> leader, std::initializer_list<Element*> parents,
                         std::uint32_t partColour = 0x0000ff) {
        Leader* l = add(std::move(leader), parents);
        KindStyle partStyle = kTestStyle;
        partStyle.colour = partColour;
        for (ElementPtr& part : l->makeParts(partStyle, partStyle)) c.append(std::move(part));
        return l;
    }

    void recompute() { c.recomputeAll({1, 1.0}); }
};

inline void expectNear(Vec3 actual, Vec3 expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline double dist(Vec3 a, Vec3 b) {
    return norm(b - a);
}

// A pick ray that starts at `from` and heads along `direction`.
inline PickRay rayFrom(Vec3 from, Vec3 direction) {
    return {from, from + direction};
}

// The recording canvas also keeps what the surface primitives are given beyond
// what the shared one records.
class SurfaceCanvas : public RecordingCanvas {
  public:
    void cylinder(Vec3 base, Vec3 axis, double baseRadius, double topRadius, double height,
                  std::uint32_t colour) override {
        RecordingCanvas::cylinder(base, axis, baseRadius, topRadius, height, colour);
        topRadii.push_back(topRadius);
        heights.push_back(height);
    }
    std::vector<double> topRadii;
    std::vector<double> heights;
};

// The bytes of an element's record, and the same record read back into `into`
// (the reader starts after the type code and parent count, as the file reader does).
inline std::vector<std::uint8_t> recordOf(const Element& e) {
    MemoryOutputStream out;
    EXPECT_EQ(e.write(out), 1);
    return out.bytes();
}

inline int readRecord(const std::vector<std::uint8_t>& bytes, Element& into) {
    MemoryInputStream in(std::span<const std::uint8_t>(bytes).subspan(8));
    const int result = into.read(in, 5000);
    if (result == 1) {
        EXPECT_EQ(in.remaining(), 0u);
    }
    return result;
}
