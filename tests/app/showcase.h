#pragma once

// The construction of the README's picture: a plane, a cube standing on it, a
// sphere, a circle through three points and named points, built from the
// element classes and recomputed.

#include <cstring>
#include <memory>

#include "elements/circle.h"
#include "elements/plane.h"
#include "elements/point.h"
#include "elements/regular_solids.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "expr/text_element.h"
#include "model/document.h"

namespace showcase {

// Colours are RGB with red in the low byte.
constexpr std::uint32_t kRed = 0x2020D0;
constexpr std::uint32_t kBlue = 0xC05020;
constexpr std::uint32_t kGreen = 0x30A030;
constexpr std::uint32_t kOrange = 0x1080F0;
constexpr std::uint32_t kGrey = 0xB0A090;
constexpr std::uint32_t kPurple = 0xA03090;

inline Point* point(Construction& c, Vec3 at, const char* name, std::uint32_t colour = kRed) {
    auto p = std::make_unique<Point>(TypeCode::FreePoint, KindStyle{0, 2, 0, 0, colour});
    p->position = at;
    if (name) p->setName(name);
    return static_cast<Point*>(c.append(std::move(p)));
}

template <typename T>
T* built(Construction& c, std::unique_ptr<T> e, std::initializer_list<Element*> parents) {
    return static_cast<T*>(c.appendOn(std::move(e), parents));
}

inline void build(Document& doc) {
    Construction& c = doc.construction();
    // A floor plane z = 0.
    Point* o = point(c, {0, 0, 0}, "O");
    Point* px = point(c, {1, 0, 0}, nullptr);
    Point* py = point(c, {0, 1, 0}, nullptr);
    px->visible = 0;
    py->visible = 0;
    built(c, std::make_unique<Plane>(TypeCode::PlaneThreePoints, KindStyle{0, 2, 0, 0, kGrey}), {o, px, py});

    // A cube on the floor, its first face the square about the vertical axis through (1.5, -1.5).
    Point* base = point(c, {1.5, -1.5, 0}, nullptr);
    Point* top = point(c, {1.5, -1.5, 1}, nullptr);
    base->visible = 0;
    top->visible = 0;
    auto* axis =
        built(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{0, 1, 1, 0, kBlue}),
              {base, top});
    axis->visible = 0;
    Point* v = point(c, {2.5, -1.5, 0}, "A");
    auto* cube = built(c, std::make_unique<RegularPolyhedron>(TypeCode::Cube, KindStyle{0, 1, 0, 0, kGreen}),
                       {v, axis});
    for (ElementPtr& part : cube->makeParts(KindStyle{0, 1, 0, 0, kGreen}, KindStyle{0, 1, 0, 0, kGreen}))
        c.append(std::move(part));

    // A sphere with its centre and a point on it.
    Point* centre = point(c, {-1.5, 1.5, 1.2}, "C");
    Point* onSphere = point(c, {-1.5, 1.5, 2.4}, "S");
    built(c, std::make_unique<Sphere>(TypeCode::SphereCentrePoint, KindStyle{0, 1, 0, 0, kOrange}),
          {centre, onSphere});

    // A circle through three points.
    Point* p = point(c, {1.5, 2.5, 0.5}, "P", kPurple);
    Point* q = point(c, {2.5, 1.5, 1.5}, "Q", kPurple);
    Point* r = point(c, {1.5, 2.5, 2.5}, "R", kPurple);
    built(c, std::make_unique<Circle>(TypeCode::CircleThreePoints, KindStyle{0, 2, 0, 0, kPurple}),
          {p, q, r});

    // A segment from the origin to the sphere's centre.
    built(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{0, 1, 0, 0, kBlue}),
          {o, centre});

    // A title in the window's top-left corner.
    auto title = std::make_unique<Text>(KindStyle{0, 0, 0, 0, 0x202020});
    title->resolution = 96;
    title->rectangle = {{12, 10}, {372, 74}};
    title->richText =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss DejaVu Sans;}}"
        "{\\colortbl ;\\red32\\green80\\blue192;\\red208\\green32\\blue32;}"
        "\\pard\\cf1\\b\\fs30 A cube, a sphere and a circle\\b0\\par"
        "\\cf0\\fs20 The sphere has centre \\i C\\i0  and passes through \\i S\\i0 ; "
        "the circle runs through \\cf2 P, Q\\cf0  and \\cf2 R\\cf0 .\\par}";
    c.append(std::move(title));

    // Labels a little larger than the default, in dark grey.
    std::int32_t height = -18;
    std::memcpy(doc.labelFont.bytes.data(), &height, sizeof height);
    std::int32_t weight = 600;
    std::memcpy(doc.labelFont.bytes.data() + 16, &weight, sizeof weight);
    doc.labelColour = 0x303030;
    doc.view.antialiasing = 1;
    doc.view.selectedColour = 0xFFC800;  // what a tool has picked shows in bright cyan
    doc.view.axisLength = 1.5;
    doc.view.viewDistance = -12.0f;
    doc.view.tiltX = -65.0f;
    doc.view.spinZ = -125.0f;
    doc.recompute();
}

}  // namespace showcase
