#include <algorithm>
#include <limits>

#include "elements/iteration.h"
#include "elements/locus.h"
#include "elements/regular_solids.h"
#include "loci_fixture.h"

namespace {

// Input P; its images P1 = midpoint(P, A) and P2 = midpoint(P, B), joined by S.
// U and the segment U A have nothing to do with P.
struct HalvingScene {
    LociScene s;
    Point* a;
    Point* b;
    Point* p;
    Point* p1;
    Point* p2;
    StraightElement* segment;
    Point* u;
    StraightElement* unrelated;
    StandInParameter* depthNumber = nullptr;
    Iteration* iteration;

    // depthValue, when given, becomes the last parent and sets the depth.
    explicit HalvingScene(int depth, const double* depthValue = nullptr) {
        a = s.free({0, 0, 0});
        b = s.free({4, 0, 0});
        p = s.free({1, 2, 0});
        u = s.free({0, 5, 5});
        p1 = s.add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kLociStyle), {p, a});
        p2 = s.add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kLociStyle), {p, b});
        segment = s.straight(TypeCode::SegmentTwoPoints, p1, p2);
        segment->colour = 0x0000aa;
        unrelated = s.straight(TypeCode::SegmentTwoPoints, u, a);
        if (depthValue) depthNumber = s.parameter(*depthValue, -100, 100);
        auto it = std::make_unique<Iteration>(KindStyle{0, 2, 1, 0, 0xcc0000}, depthValue ? 5 : 4);
        it->depth = depth;
        it->useDepthNumber = depthValue ? 1 : 0;
        it->branchCount = 2;
        it->inputCount = 1;
        it->imageTable = {{1, 2}};
        iteration = it.get();
        if (depthValue)
            s.add(std::move(it), {p, p1, p2, segment, depthNumber});
        else
            s.add(std::move(it), {p, p1, p2, segment});
        s.recompute();
    }

    Element* inCopy(const Element* e) const { return iteration->privateCopy()->at(s.c.indexOf(e)); }
};

}  // namespace

TEST(Iteration, ThePrivateCopyRunsWhatIsBuiltOnTheInputsAndShowsTheFurtherParents) {
    HalvingScene scene(3);
    ASSERT_EQ(scene.iteration->defined, 1);
    const Construction* copy = scene.iteration->privateCopy();
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->count(), scene.s.c.count());
    EXPECT_EQ(scene.inCopy(scene.p)->iterationMember, 0);  // the steps place the input
    for (Element* member :
         std::initializer_list<Element*>{scene.a, scene.b, scene.p1, scene.p2, scene.segment})
        EXPECT_EQ(scene.inCopy(member)->iterationMember, 1) << scene.s.c.indexOf(member);
    EXPECT_EQ(scene.inCopy(scene.u)->iterationMember, 0);
    EXPECT_EQ(scene.inCopy(scene.unrelated)->iterationMember, 0);
    EXPECT_EQ(scene.inCopy(scene.iteration)->iterationMember, 0);
    for (int k = 0; k < copy->count(); ++k) {
        const Element* e = copy->at(k);
        const bool drawn =
            e == scene.inCopy(scene.p1) || e == scene.inCopy(scene.p2) || e == scene.inCopy(scene.segment);
        EXPECT_EQ(e->visible, drawn ? 1 : 0) << k;
        EXPECT_EQ(e->key, k);  // keys repaired after borrowing them as flags
    }
    // The document is untouched: nothing hidden, nothing flagged.
    scene.s.c.forEach([](const Element& e) {
        EXPECT_EQ(e.visible, 1);
        EXPECT_EQ(e.iterationMember, 0);
    });
    // A fresh copy of the document builds its own private copy when recomputed.
    std::unique_ptr<Construction> again = scene.s.c.copy();
    const auto* copied = static_cast<const Iteration*>(again->at(scene.s.c.indexOf(scene.iteration)));
    EXPECT_EQ(copied->privateCopy(), nullptr);
    again->recomputeAll({1, 1.0});
    EXPECT_NE(copied->privateCopy(), nullptr);
}

TEST(Iteration, LociRunInsideAStepOnlyWhenAllTheyAreBuiltFromDoes) {
    LociScene s;
    Point* a = s.free({0, 0, 0});
    Point* p = s.free({1, 1, 0});
    StraightElement* path = s.straight(TypeCode::SegmentTwoPoints, a, s.free({2, 0, 0}));
    PointOnObject* d = s.pointOn(path, 0.5);
    Point* q = s.add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kLociStyle), {p, d});
    Locus* ofQ = s.add(std::make_unique<Locus>(TypeCode::PointLocus, kLociStyle), {q, d});
    Locus* ofP = s.add(std::make_unique<Locus>(TypeCode::PointLocus, kLociStyle), {p, d});
    auto it = std::make_unique<Iteration>(kLociStyle, 4);
    it->inputCount = 1;
    it->imageTable = {{1}};
    Iteration* iteration = s.add(std::move(it), {p, q, ofQ, ofP});
    s.recompute();
    ASSERT_EQ(iteration->defined, 1);
    const Construction& copy = *iteration->privateCopy();
    EXPECT_EQ(copy.at(s.c.indexOf(ofQ))->iterationMember, 1);
    EXPECT_EQ(copy.at(s.c.indexOf(ofP))->iterationMember, 0);  // built on the input itself
    EXPECT_EQ(copy.at(s.c.indexOf(d))->iterationMember, 1);
}

TEST(Iteration, TwoBranchesOfDepthTenDrawTwoToTheTenCopiesAtTheLastLevel) {
    HalvingScene scene(10);
    scene.iteration->lastOnly = 1;
    RecordingCanvas canvas;
    scene.iteration->draw(0xcc0000, 0, canvas);
    EXPECT_EQ(canvas.count("segment"), 1024);
    EXPECT_EQ(canvas.count("dot"), 2048);

    scene.iteration->lastOnly = 0;
    scene.iteration->drawPoints = 0;
    RecordingCanvas every;
    scene.iteration->draw(0xcc0000, 0, every);
    EXPECT_EQ(every.count("segment"), 2046);  // levels 9 … 0; the first step is the document's own
    EXPECT_EQ(every.count("dot"), 0);
}

TEST(Iteration, StepsFeedTheImagesBackWithTheIterationsStyle) {
    HalvingScene scene(1);
    RecordingCanvas canvas;
    scene.iteration->draw(0xcc0000, 1, canvas);
    // Depth 1 draws the two copies whose inputs are P1 = (0.5, 1) and P2 = (2.5, 1).
    ASSERT_EQ(canvas.count("segment"), 2);
    std::vector<RecordingCanvas::Call> segments;
    for (const auto& call : canvas.calls)
        if (call.primitive == "segment") segments.push_back(call);
    expectNear(segments[0].points[0], {0.25, 0.5, 0});
    expectNear(segments[0].points[1], {2.25, 0.5, 0});
    expectNear(segments[1].points[0], {1.25, 0.5, 0});
    expectNear(segments[1].points[1], {3.25, 0.5, 0});
    for (const auto& call : canvas.calls) {
        EXPECT_EQ(call.colour, 0xcc0000u);
        EXPECT_EQ(call.size, 2);
        EXPECT_EQ(call.shape, 1);
    }
    // The copy's elements keep their own style.
    EXPECT_EQ(scene.inCopy(scene.segment)->size, kLociStyle.size);
    EXPECT_EQ(scene.inCopy(scene.segment)->shape, kLociStyle.shape);

    // Own colours unless the iteration is selected.
    scene.iteration->useIterationColour = 0;
    RecordingCanvas own;
    scene.iteration->draw(0xcc0000, 1, own);
    for (const auto& call : own.calls)
        EXPECT_EQ(call.colour, call.primitive == "segment" ? 0x0000aau : kLociStyle.colour);
    scene.iteration->selected = 1;
    RecordingCanvas selected;
    scene.iteration->draw(0xffaaaa, 1, selected);
    for (const auto& call : selected.calls) EXPECT_EQ(call.colour, 0xffaaaau);

    // The document's own configuration is not drawn again: depth 0 draws nothing.
    HalvingScene none(0);
    RecordingCanvas empty;
    none.iteration->draw(1, 0, empty);
    EXPECT_TRUE(empty.calls.empty());
}

TEST(Iteration, ADepthNumberIsTruncatedAndNeverNegative) {
    for (const auto& [value, depth] :
         std::initializer_list<std::pair<double, int>>{{-3.0, 0}, {-0.5, 0}, {2.9, 2}, {3.0, 3}}) {
        HalvingScene scene(7, &value);
        ASSERT_EQ(scene.iteration->defined, 1);
        EXPECT_EQ(scene.iteration->depth, depth) << value;
        scene.iteration->lastOnly = 1;
        RecordingCanvas canvas;
        scene.iteration->draw(1, 0, canvas);
        EXPECT_EQ(canvas.count("segment"), depth == 0 ? 0 : 1 << depth) << value;
    }
}

TEST(Iteration, ABranchStopsAtItsFirstUndefinedInput) {
    // Images of an input X: X1 = midpoint(X, A) and X2 = the point 3 from X towards
    // C = P1, which does not exist once X is C itself, on the first branch's first step.
    LociScene s;
    Point* p = s.free({1, 1, 0});
    Point* a = s.free({0, 0, 0});
    Point* c = s.free({0.5, 0.5, 0});
    Point* x1 = s.add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kLociStyle), {p, a});
    Point* x2 =
        s.add(std::make_unique<Point>(TypeCode::PointAtDistance, kLociStyle), {p, c, s.parameter(3, 0, 3)});
    StraightElement* marker = s.straight(TypeCode::SegmentTwoPoints, x1, a);
    auto it = std::make_unique<Iteration>(kLociStyle, 4);
    it->depth = 2;
    it->branchCount = 2;
    it->inputCount = 1;
    it->lastOnly = 1;
    it->imageTable = {{1, 2}};
    Iteration* iteration = s.add(std::move(it), {p, x1, x2, marker});
    s.recompute();
    ASSERT_EQ(iteration->defined, 1);
    RecordingCanvas canvas;
    iteration->draw(1, 0, canvas);
    // Four copies at the last level, less the one whose input would be that missing point.
    EXPECT_EQ(canvas.count("segment"), 3);
    const auto first = std::find_if(canvas.calls.begin(), canvas.calls.end(),
                                    [](const auto& call) { return call.primitive == "segment"; });
    ASSERT_NE(first, canvas.calls.end());
    expectNear(first->points[0], {0.125, 0.125, 0});
}

TEST(Iteration, TheDrawingIsBoundedWhateverTheDepth) {
    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(Iteration::drawnDepth(-3, 2), 0);
    EXPECT_EQ(Iteration::drawnDepth(10, 2), 10);
    // 1 + 2 + … + 2^19 = 2^20 − 1 steps fit; one level more does not.
    EXPECT_EQ(Iteration::drawnDepth(19, 2), 19);
    EXPECT_EQ(Iteration::drawnDepth(20, 2), 19);
    EXPECT_EQ(Iteration::drawnDepth(kMax, 2), 19);
    // 1 + 3 + … + 3^12 = 797161 fit, 3^13 more do not.
    EXPECT_EQ(Iteration::drawnDepth(kMax, 3), 12);
    EXPECT_EQ(Iteration::drawnDepth(kMax, 100), 3);
    EXPECT_EQ(Iteration::drawnDepth(kMax, 1), (1 << 20) - 1);
    EXPECT_EQ(Iteration::drawnDepth(5, 1), 5);

    // A depth number of a trillion: the drawing stops at 2^19 copies of the last level.
    const double huge = 1e12;
    HalvingScene scene(0, &huge);
    scene.depthNumber->maximum = 1e13;
    ASSERT_EQ(scene.iteration->defined, 1);
    EXPECT_EQ(scene.iteration->depth, kMax);
    scene.iteration->lastOnly = 1;
    scene.iteration->drawPoints = 0;
    CountingCanvas canvas;
    scene.iteration->draw(1, 0, canvas);
    EXPECT_EQ(canvas.segments, 1L << 19);
}

TEST(Iteration, InputsThatAGroupLeaderPlacesAreSetAgainAfterIt) {
    // The input is a generated vertex of a square; the square is recomputed at
    // every step (the image is built on it), which would put the vertex back.
    LociScene s;
    Point* v0 = s.free({1, 0, 0});
    StraightElement* axis = s.straight(TypeCode::LineTwoPoints, s.free({0, 0, 0}), s.free({0, 0, 1}));
    RegularPolygon* square = s.add(std::make_unique<RegularPolygon>(kLociStyle, 4), {v0, axis});
    for (ElementPtr& part : square->makeParts(kLociStyle, kLociStyle)) s.c.append(std::move(part));
    s.recompute();
    ASSERT_EQ(square->parts().size(), 4u);
    Point* vertex = static_cast<Point*>(square->parts()[0]);
    expectNear(vertex->position, {0, 1, 0}, 1e-12);
    Point* a = s.free({0, 5, 0});
    Point* image = s.add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kLociStyle), {vertex, a});
    auto it = std::make_unique<Iteration>(kLociStyle, 2);
    it->depth = 3;
    it->inputCount = 1;
    it->imageTable = {{1}};
    Iteration* iteration = s.add(std::move(it), {vertex, image});
    s.recompute();
    ASSERT_EQ(iteration->defined, 1);
    ASSERT_EQ(iteration->privateCopy()->at(s.c.indexOf(square))->iterationMember, 1);
    RecordingCanvas canvas;
    iteration->draw(1, 0, canvas);
    ASSERT_EQ(canvas.count("dot"), 3);
    // Each step halves the way to A from where the step before ended.
    expectNear(canvas.calls[0].points[0], {0, 4, 0}, 1e-12);
    expectNear(canvas.calls[1].points[0], {0, 4.5, 0}, 1e-12);
    expectNear(canvas.calls[2].points[0], {0, 4.75, 0}, 1e-12);
}
