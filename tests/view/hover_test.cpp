#include <string>

#include <gtest/gtest.h>

#include "elements/circle.h"
#include "expr/coordinates.h"
#include "expr/number_creation.h"
#include "expr/text_element.h"
#include "lang/composed_texts.h"
#include "view/hover.h"
#include "view_fixture.h"

namespace {

std::string textOf(int id) {
    return "T" + std::to_string(id);
}

HoverUpdate hoverAt(HoverState& s, Document& d, Vec3 p, const PickRules& rules = {}, int dx = 0, int dy = 0) {
    const Pixel px = pixelOf(d, p);
    return updateHover(s, d, kTestViewport, px.x + dx, px.y + dy, rules, kTestScreen);
}

// The rules of the segment tool waiting for its first point: points are
// accepted, and points are made on elements or at crossings.
PickRules segmentToolRules() {
    PickRules r;
    r.toolNumber = 6;
    r.acceptTable.fill(false);
    r.acceptTable[1] = true;
    r.canMakePoints = true;
    r.acceptsPointOnElement = [](const Element& e) {
        const int k = static_cast<int>(e.kind());
        return (k >= 2 && k <= 10) || (k >= 13 && k <= 15);
    };
    return r;
}

double depthOfHit(Element& e, const Document& d, Pixel px) {
    const PickRay ray = pickRay(d.view, kTestViewport, px.x, px.y);
    Vec3 hit;
    EXPECT_EQ(e.hitTest(px.x, px.y, ray, d.view.projection, hit), 1);
    return distance(ray.nearPoint, hit);
}

}  // namespace

TEST(Hover, PointOnAPlaneBeatsThePlane) {
    Document d;
    Point* free = addFreePoint(d, {0.5, 0.5, 0.0});
    Plane* plane = addPlane(d, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});  // later than the point
    PointOnObject* on = addElement<PointOnObject>(d, {plane}, kViewTestStyle);
    ASSERT_TRUE(plane->parameterOf({-0.5, 0.3, 0.0}, on->param1, on->param2));
    on->recompute(d.construction(), d.recomputeContext());
    ASSERT_TRUE(on->defined);
    HoverState s;
    // A few pixels off the points the ray meets the plane nearer than the point lies.
    bool planeNearer = false;
    for (int dy : {-2, 0, 2}) {
        const Pixel px = pixelOf(d, free->position);
        const Pixel off{px.x, px.y + dy};
        planeNearer = planeNearer || depthOfHit(*plane, d, off) < depthOfHit(*free, d, off);
        updateHover(s, d, kTestViewport, off.x, off.y, {}, kTestScreen);
        EXPECT_EQ(s.hoveredElement, free) << dy;
        EXPECT_EQ(s.hitPoint, free->position);
        const Pixel onPx = pixelOf(d, on->position);
        updateHover(s, d, kTestViewport, onPx.x, onPx.y + dy, {}, kTestScreen);
        EXPECT_EQ(s.hoveredElement, on) << dy;
    }
    EXPECT_TRUE(planeNearer);
    // Away from the points the plane itself is hovered.
    hoverAt(s, d, {-0.4, -0.4, 0.0});
    EXPECT_EQ(s.hoveredElement, plane);
}

TEST(Hover, SegmentBeatsPlaneInFrontOrBehind) {
    Document d;
    // The camera looks at the origin from above (+z side) in the default view.
    StraightElement* front = addStraight(d, TypeCode::SegmentTwoPoints, {-0.5, 0.3, 0.5}, {0.5, 0.3, 0.5});
    StraightElement* behind =
        addStraight(d, TypeCode::SegmentTwoPoints, {-0.5, -0.3, -0.5}, {0.5, -0.3, -0.5});
    Plane* plane = addPlane(d, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    HoverState s;
    const Pixel pf = pixelOf(d, {0.0, 0.3, 0.5});
    const Pixel pb = pixelOf(d, {0.0, -0.3, -0.5});
    ASSERT_LT(depthOfHit(*plane, d, pb), depthOfHit(*behind, d, pb));
    updateHover(s, d, kTestViewport, pf.x, pf.y, {}, kTestScreen);
    EXPECT_EQ(s.hoveredElement, front);
    updateHover(s, d, kTestViewport, pb.x, pb.y, {}, kTestScreen);
    EXPECT_EQ(s.hoveredElement, behind);
    // A line given no place in the accept table lets the plane through.
    PickRules noSegments;
    noSegments.acceptTable[3] = false;
    updateHover(s, d, kTestViewport, pb.x, pb.y, noSegments, kTestScreen);
    EXPECT_EQ(s.hoveredElement, plane);
}

TEST(Hover, LaterPointWinsTiesNearerPointWinsOtherwise) {
    Document d;
    Point* first = addFreePoint(d, {1.0, 1.0, 1.0});
    Point* second = addFreePoint(d, {1.0, 1.0, 1.0});
    HoverState s;
    hoverAt(s, d, first->position);
    EXPECT_EQ(s.hoveredElement, second);
    // Along one line of sight: the earlier, nearer point beats a later one behind it.
    const Pixel px = pixelOf(d, first->position);
    const PickRay ray = pickRay(d.view, kTestViewport, px.x, px.y);
    const Vec3 dir = (ray.farPoint - ray.nearPoint) * (1.0 / distance(ray.nearPoint, ray.farPoint));
    Document line;
    Point* nearer = addFreePoint(line, ray.nearPoint + dir * 15.0);
    Point* farther = addFreePoint(line, ray.nearPoint + dir * 15.001);
    updateHover(s, line, kTestViewport, px.x, px.y, {}, kTestScreen);
    EXPECT_EQ(s.hoveredElement, nearer);
    // Within 1e-6 the later one counts as level and wins.
    farther->position = ray.nearPoint + dir * (15.0 + 0.5e-6);
    updateHover(s, line, kTestViewport, px.x, px.y, {}, kTestScreen);
    EXPECT_EQ(s.hoveredElement, farther);
    farther->position = ray.nearPoint + dir * (15.0 + 2e-6);
    updateHover(s, line, kTestViewport, px.x, px.y, {}, kTestScreen);
    EXPECT_EQ(s.hoveredElement, nearer);
}

TEST(Hover, PointOnElementGivesWayOnlyToItsLike) {
    Document d;
    StraightElement* seg = addStraight(d, TypeCode::LineTwoPoints, {-1, 0, 0}, {1, 0, 0});
    PointOnObject* on = addElement<PointOnObject>(d, {seg}, kViewTestStyle);
    ASSERT_TRUE(seg->parameterOf({0.25, 0, 0}, on->param1, on->param2));
    on->recompute(d.construction(), d.recomputeContext());
    Point* free = addFreePoint(d, on->position);  // later, same depth
    HoverState s;
    hoverAt(s, d, on->position);
    EXPECT_EQ(s.hoveredElement, on);
    PointOnObject* other = addElement<PointOnObject>(d, {seg}, kViewTestStyle);
    other->param1 = on->param1;
    other->param2 = on->param2;
    other->recompute(d.construction(), d.recomputeContext());
    hoverAt(s, d, on->position);
    EXPECT_EQ(s.hoveredElement, other);
    EXPECT_NE(s.hoveredElement, free);
}

TEST(Hover, CandidateAtTheCrossingOfTwoLines) {
    Document d;
    StraightElement* g = addStraight(d, TypeCode::LineTwoPoints, {-2, 0, 0}, {-1, 0, 0});
    StraightElement* h = addStraight(d, TypeCode::LineTwoPoints, {0, -2, 0}, {0, -1, 0});
    g->setName("g");
    h->setName("h");
    HoverState s;
    const HoverUpdate u = hoverAt(s, d, {0, 0, 0}, segmentToolRules());
    EXPECT_TRUE(u.redraw);
    ASSERT_TRUE(s.hovered);
    ASSERT_TRUE(s.isCandidate());
    EXPECT_EQ(s.hoveredElement, s.candidatePoint.get());
    EXPECT_EQ(s.hoveredElement->typeCode(), TypeCode::LineLinePoint);
    EXPECT_EQ(s.hoveredElement->parents[0], g);
    EXPECT_EQ(s.hoveredElement->parents[1], h);
    EXPECT_LT(norm(s.hitPoint), 1e-9);
    EXPECT_EQ(d.construction().count(), 6);  // the candidate stays out of the construction
    EXPECT_EQ(hoverText(s, textOf), "T50850");
    // A tool taking the candidate keeps the hover text until the next pick.
    std::unique_ptr<Element> taken = s.takeCandidate();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(hoverText(s, textOf), "T50850");

    // Without a point-making tool the later line is hovered and named.
    hoverAt(s, d, {0, 0, 0});
    EXPECT_EQ(s.hoveredElement, h);
    EXPECT_FALSE(s.isCandidate());
    EXPECT_EQ(s.candidatePoint, nullptr);
    EXPECT_EQ(hoverText(s, textOf), "T" + std::to_string(kindNameTextId(4)) + " h");
    // A name is stored as Windows-1252 and shown as UTF-8.
    h->setName("\xF1\x80");
    EXPECT_EQ(hoverText(s, textOf), "T" + std::to_string(kindNameTextId(4)) + " ñ€");
    h->setName("h");

    // An existing point at the crossing is hovered rather than a new candidate.
    Point* there = addFreePoint(d, {0, 0, 0});
    hoverAt(s, d, {0, 0, 0}, segmentToolRules());
    EXPECT_EQ(s.hoveredElement, there);
    EXPECT_EQ(s.candidatePoint, nullptr);
    EXPECT_EQ(hoverText(s, textOf), "T" + std::to_string(kindNameTextId(1)));
    // Over one line alone nothing is made; the line is hovered for a point on it.
    hoverAt(s, d, {-0.5, 0, 0}, segmentToolRules());
    EXPECT_EQ(s.hoveredElement, g);
    EXPECT_FALSE(s.isCandidate());
}

TEST(Hover, CandidateOfThreePlanesAndOfALineAndAPlane) {
    Document d;
    // Their squares cover the origin, where none of their points lies.
    addPlane(d, {0.3, 0, 0}, {1, 0, 0}, {0, 1, 0});
    addPlane(d, {0, 0.3, 0}, {0, 1, 0}, {0, 0, 1});
    addPlane(d, {0, 0, 0.3}, {1, 0, 0}, {0, 0, 1});
    HoverState s;
    hoverAt(s, d, {0, 0, 0}, segmentToolRules());
    ASSERT_TRUE(s.isCandidate());
    EXPECT_EQ(s.hoveredElement->typeCode(), TypeCode::ThreePlanesPoint);
    EXPECT_LT(norm(s.hitPoint), 1e-9);

    Document e;
    StraightElement* line = addStraight(e, TypeCode::LineTwoPoints, {0.3, 0.2, 2}, {0.3, 0.2, 1});
    addPlane(e, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    hoverAt(s, e, {0.3, 0.2, 0}, segmentToolRules());
    ASSERT_TRUE(s.isCandidate());
    EXPECT_EQ(s.hoveredElement->typeCode(), TypeCode::LinePlanePoint);
    EXPECT_EQ(s.hoveredElement->parents[0], line);
    EXPECT_LT(distance(s.hitPoint, {0.3, 0.2, 0}), 1e-9);
}

TEST(Hover, HiddenUndefinedAndExcludedElements) {
    Document d;
    Point* p = addFreePoint(d, {1, 0, 0});
    p->visible = 0;
    HoverState s;
    HoverUpdate u = hoverAt(s, d, p->position);
    EXPECT_FALSE(s.hovered);
    EXPECT_EQ(s.hoveredElement, nullptr);
    EXPECT_FALSE(u.redraw);  // nothing before, nothing now
    PickRules showHidden;
    showHidden.showHidden = true;
    u = hoverAt(s, d, p->position, showHidden);
    EXPECT_EQ(s.hoveredElement, p);
    EXPECT_TRUE(u.redraw);
    u = hoverAt(s, d, p->position);
    EXPECT_FALSE(s.hovered);
    EXPECT_TRUE(u.redraw);  // something was hovered before
    p->visible = 1;
    p->defined = 0;
    hoverAt(s, d, p->position);
    EXPECT_FALSE(s.hovered);
    p->defined = 1;
    p->macroIntermediate = 1;
    hoverAt(s, d, p->position);
    EXPECT_FALSE(s.hovered);
    p->macroIntermediate = 0;
    PickRules excluding;
    excluding.excluded = [p](const Element& e) { return &e == p; };
    hoverAt(s, d, p->position, excluding);
    EXPECT_FALSE(s.hovered);
    hoverAt(s, d, p->position);
    EXPECT_TRUE(s.hovered);
    EXPECT_EQ(s.cursorX, pixelOf(d, p->position).x);
}

TEST(Hover, GrabPointOnlyWithoutATool) {
    Document d;
    Point* p = addFreePoint(d, {0.2, 0.4, 0.6});
    HoverState s;
    HoverUpdate u = hoverAt(s, d, p->position);
    EXPECT_TRUE(u.grabbed);
    EXPECT_EQ(u.grabPoint, p->position);
    PickRules tool;
    tool.toolNumber = 3;
    u = hoverAt(s, d, p->position, tool);
    EXPECT_TRUE(s.hovered);
    EXPECT_FALSE(u.grabbed);
}

TEST(Hover, WalkStepsOverPartsUnlessTheToolEntersThem) {
    Document d;
    StubElement* coords = addStub(d, TypeCode::Coordinates, 3);
    StubElement* x = addStub(d, TypeCode::CoordinateX);
    addStub(d, TypeCode::CoordinateX);
    addStub(d, TypeCode::CoordinateX);
    StubElement* figure = addStub(d, TypeCode::RegularPolygon, 1);
    StubElement* vertex = addStub(d, TypeCode::RegularPolygonVertex);
    StubElement* after = addStub(d, TypeCode::CoordinateX);
    EXPECT_EQ(pickWalk(d.construction(), {}), (std::vector<Element*>{coords, figure, after}));
    PickRules parts;
    parts.pickCoordinateParts = true;
    EXPECT_EQ(pickWalk(d.construction(), parts).size(), 6u);
    parts.pickFigureParts = true;
    EXPECT_EQ(pickWalk(d.construction(), parts).size(), 7u);

    // Numbers are hit near the ray's start; with no tool the later one wins.
    HoverState s;
    updateHover(s, d, kTestViewport, 10, 10, {}, kTestScreen);
    EXPECT_EQ(s.hoveredElement, after);
    EXPECT_EQ(x->hitTests, 0);  // never tested: stepped over
    EXPECT_EQ(vertex->hitTests, 0);
    updateHover(s, d, kTestViewport, 10, 10, parts, kTestScreen);
    EXPECT_GT(x->hitTests, 0);

    // The polygon tool's picks come after the construction and end the search.
    Point pick(TypeCode::FreePoint, kViewTestStyle);
    pick.defined = 1;
    const PickRay ray = pickRay(d.view, kTestViewport, 10, 10);
    pick.position = ray.nearPoint + (ray.farPoint - ray.nearPoint) * 0.5;
    Element* picks[] = {&pick};
    PickRules polygon;
    polygon.closingPicks = picks;
    polygon.canMakePoints = true;
    updateHover(s, d, kTestViewport, 10, 10, polygon, kTestScreen);
    EXPECT_EQ(s.hoveredElement, &pick);
    EXPECT_FALSE(s.isCandidate());
}

TEST(Hover, NumbersAndTextsNeverDrawnArePickedInTheBoxesOfTheScreenGiven) {
    Document d;
    Point* origin = addFreePoint(d, {0, 0, 0});
    auto made = makeParameter(2.5, kViewTestStyle, NumberDefaults{}, 0, 0);
    made->decimals = 1;
    made->position = {20, 20};
    Element* number = d.construction().append(std::move(made));
    Coordinates* coords = addElement<Coordinates>(d, {origin}, kViewTestStyle);
    coords->position = {20, 60};
    for (ElementPtr& part : coords->makeParts(1)) d.construction().append(std::move(part));
    Text* text = addElement<Text>(d, {}, kViewTestStyle);
    text->resolution = 96;
    text->rectangle = {{20, 100}, {120, 150}};
    d.recompute();
    ASSERT_EQ(coords->parts().size(), 3u);

    ScreenTextContext wide;  // 10 pixels a character, 12 high, twice the pixels per inch
    wide.measure = [](std::string_view t, const FontRecord&) {
        return TextExtent{10 * static_cast<int>(t.size()), 12};
    };
    wide.pixelsPerInch = 192;
    HoverState s;
    const auto hovered = [&](int x, int y, const ScreenTextContext& screen, const PickRules& rules = {}) {
        updateHover(s, d, kTestViewport, x, y, rules, screen);
        return s.hoveredElement;
    };
    // "2.5": 24 pixels wide and 16 high estimated, 30 by 12 measured.
    EXPECT_EQ(hovered(44, 36, kTestScreen), number);
    EXPECT_EQ(hovered(50, 30, kTestScreen), nullptr);
    EXPECT_EQ(hovered(50, 30, wide), number);
    EXPECT_EQ(hovered(50, 33, wide), nullptr);
    // "(0.0,0.0,0.0)": 104 pixels estimated, 130 measured, in thirds at 20, 63, 106, 150.
    EXPECT_EQ(hovered(140, 65, kTestScreen), nullptr);
    EXPECT_EQ(hovered(140, 65, wide), coords);
    PickRules parts;
    parts.pickCoordinateParts = true;
    EXPECT_EQ(hovered(70, 65, wide, parts), coords->parts()[1]);
    EXPECT_EQ(hovered(150, 65, wide, parts), coords->parts()[2]);
    // The text's rectangle at 96 and at 192 pixels per inch.
    EXPECT_EQ(hovered(120, 150, kTestScreen), text);
    EXPECT_EQ(hovered(200, 190, kTestScreen), nullptr);
    EXPECT_EQ(hovered(200, 190, wide), text);
}

TEST(Hover, ReplacementRules) {
    StubElement plane(TypeCode::PlaneThreePoints, 3), segment(TypeCode::SegmentTwoPoints, 2),
        point(TypeCode::FreePoint), onObject(TypeCode::PointOnObject, 1);
    EXPECT_TRUE(replacesBest(segment, 5.0, &plane, 1.0));  // a surface gives way to anything else
    EXPECT_FALSE(replacesBest(plane, 0.5, &segment, 1.0));
    EXPECT_TRUE(replacesBest(point, 5.0, &segment, 1.0));
    EXPECT_FALSE(replacesBest(segment, 0.5, &point, 1.0));
    EXPECT_TRUE(replacesBest(segment, 1.0 + 0.9e-6, &segment, 1.0));
    EXPECT_FALSE(replacesBest(segment, 1.0 + 1e-6, &segment, 1.0));
    EXPECT_TRUE(replacesBest(segment, 9.0, &segment, 0.0));  // b = 0: no depth yet
    EXPECT_FALSE(replacesBest(point, 0.5, &onObject, 1.0));
    EXPECT_TRUE(replacesBest(onObject, 1.0, &onObject, 1.0));
    EXPECT_TRUE(replacesBest(plane, 3.0, nullptr, 0.0));
}

TEST(Hover, TextColour) {
    Point p(TypeCode::FreePoint, kViewTestStyle);
    EXPECT_EQ(hoverTextColour(p, true, 0x111111), 0x3366CCu);
    EXPECT_EQ(hoverTextColour(p, false, 0x111111), 0x111111u);
    p.colour = 0xFFFFFFFFu;
    EXPECT_EQ(hoverTextColour(p, true, 0x111111), 0x111111u);
    HoverState none;
    EXPECT_EQ(hoverText(none, textOf), "");
}

// The quick tests the hover makes before a hit test turn away rays that miss,
// never one the hit test would take: circles seen from aside and nearly edge on,
// convex and hollow polygons, in both projections, under a grid of window points.
TEST(Hover, QuickTestsNeverTurnAwayAHit) {
    for (const int projection : {0, 1}) {
        Document d;
        d.view.projection = projection;
        const KindStyle thick{0, 4, 0, 0, 0x3366CC};
        const auto point = [&](Vec3 p) { return static_cast<Element*>(addFreePoint(d, p)); };
        std::vector<Element*> shapes;
        shapes.push_back(addElement<Circle>(d, {point({1, 0, 0}), point({0, 1, 0}), point({-1, 0, 0})},
                                            TypeCode::CircleThreePoints, thick));
        shapes.push_back(addElement<Circle>(d, {point({2, 2, -1}), point({2, 3, 0.5}), point({2, 1.5, 1})},
                                            TypeCode::CircleThreePoints, thick));
        shapes.push_back(addElement<Circle>(d,
                                            {point({-3, 0, 0}), point({-2, 0.5, 0.05}), point({-2.5, 1, 0})},
                                            TypeCode::CircleThreePoints, thick));
        shapes.push_back(addElement<Polygon>(d, {point({0, -3, 0}), point({2, -3, 0.5}), point({1, -1, 1})},
                                             TypeCode::PolygonVertices, kViewTestStyle, 3));
        shapes.push_back(addElement<Polygon>(d,
                                             {point({-4, -2, 0}), point({-2, -2, 0}), point({-3, -1.5, 0}),
                                              point({-2, -1, 0}), point({-4, -1, 0})},
                                             TypeCode::PolygonVertices, kViewTestStyle, 5));
        int hits = 0, turnedAway = 0;
        for (int y = 0; y < kTestViewport.height; y += 5) {
            for (int x = 0; x < kTestViewport.width; x += 5) {
                const PickRay ray = pickRay(d.view, kTestViewport, x, y);
                for (Element* e : shapes) {
                    Vec3 hit;
                    const bool hitIt = e->hitTest(x, y, ray, projection, hit) != 0;
                    const bool may = e->mayHit(ray, projection);
                    hits += hitIt ? 1 : 0;
                    turnedAway += may ? 0 : 1;
                    if (hitIt) EXPECT_TRUE(may) << projection << ": " << x << ", " << y;
                }
            }
        }
        EXPECT_GT(hits, 300) << projection;
        EXPECT_GT(turnedAway, 5 * 19200 / 2) << projection;  // most of the 19,200 rays, for most shapes
    }
}
