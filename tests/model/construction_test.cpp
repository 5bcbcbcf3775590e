#include "model/construction.h"

#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "support/test_elements.h"

namespace {

std::vector<Element*> order(const Construction& c) {
    std::vector<Element*> out;
    c.forEach([&](Element& e) { out.push_back(&e); });
    return out;
}

}  // namespace

TEST(Construction, DeletingAPointTakesEverythingBuiltOnItAndNothingElse) {
    Construction c;
    TestElement* a = addFree(c);
    TestElement* b = addFree(c);
    TestElement* d = addFree(c);
    TestElement* ab = addBuilt(c, TypeCode::SegmentTwoPoints, {a, b});
    TestElement* ad = addBuilt(c, TypeCode::SegmentTwoPoints, {a, d});
    TestElement* bd = addBuilt(c, TypeCode::SegmentTwoPoints, {b, d});
    TestElement* onAb = addBuilt(c, TypeCode::MidpointTwoPoints, {ab, bd});  // built on a segment that goes
    TestElement* onBd = addBuilt(c, TypeCode::CircleCentre, {bd});
    c.deleteWithDependants(a);
    EXPECT_EQ(order(c), (std::vector<Element*>{b, d, bd, onBd}));
    (void)ad;
    (void)onAb;
    EXPECT_EQ(c.indexOf(bd), 2);
    EXPECT_EQ(c.next(bd), onBd);
    EXPECT_EQ(c.predecessor(b), nullptr);
}

TEST(Construction, DeletingFirstLastAndOnly) {
    Construction c;
    TestElement* a = addFree(c);
    TestElement* b = addFree(c);
    TestElement* d = addFree(c);
    c.deleteElement(a, false);
    EXPECT_EQ(c.first(), b);
    c.deleteElement(d, false);
    EXPECT_EQ(c.last(), b);
    EXPECT_EQ(c.first(), b);
    c.deleteElement(b, false);
    EXPECT_TRUE(c.empty());
    EXPECT_EQ(c.first(), nullptr);
    EXPECT_EQ(c.last(), nullptr);
    // An element of another construction is not touched.
    Construction other;
    TestElement* x = addFree(other);
    c.deleteElement(x, true);
    EXPECT_EQ(other.count(), 1);
}

TEST(Construction, DeletingAnAnimatedElementMovesLaterEntriesUp) {
    Construction c;
    TestElement* p = addFree(c);
    TestElement* q = addFree(c);
    TestElement* r = addFree(c);
    ASSERT_TRUE(c.animationAdd(p));
    ASSERT_TRUE(c.animationAdd(q));
    ASSERT_TRUE(c.animationAdd(r));
    c.animation(2).speed = 40;
    c.animation(2).forward = 0;
    c.deleteWithDependants(q);
    ASSERT_EQ(c.animationCount(), 2);
    EXPECT_EQ(c.animation(0).element, p);
    EXPECT_EQ(c.animation(1).element, r);
    EXPECT_EQ(c.animation(1).speed, 40);
    EXPECT_EQ(c.animation(1).forward, 0);
    EXPECT_EQ(c.animationIndexOf(q), -1);
    EXPECT_EQ(c.animation(0).speed, 15);
    EXPECT_EQ(c.animation(0).forward, 1);
}

TEST(Construction, AnimationListHoldsAtMost99Entries) {
    Construction c;
    for (int i = 0; i < kMaxAnimationEntries; ++i) ASSERT_TRUE(c.animationAdd(addFree(c)));
    EXPECT_FALSE(c.animationAdd(addFree(c)));
    EXPECT_EQ(c.animationCount(), 99);
}

TEST(Construction, CopyIsIndependentAndRenumbersInOrder) {
    Construction c;
    TestElement* a = addFree(c, {0, 0, 0});
    TestElement* b = addFree(c, {2, 0, 0});
    TestElement* m = addBuilt(c, TypeCode::MidpointTwoPoints, {a, b});
    a->selected = 1;
    c.animationAdd(b);

    std::unique_ptr<Construction> copy = c.copy();
    copy->renumber();
    ASSERT_EQ(copy->count(), 3);
    for (int i = 0; i < 3; ++i) {
        Element* e = copy->at(i);
        EXPECT_EQ(e->key, i);
        EXPECT_EQ(e->typeCode(), c.at(i)->typeCode());
        EXPECT_EQ(e->selected, 0);
        for (Element* p : e->parents) EXPECT_GE(copy->indexOf(p), 0) << "parent outside the copy";
    }
    EXPECT_EQ(copy->at(2)->parents[0], copy->at(0));
    EXPECT_EQ(copy->at(2)->parents[1], copy->at(1));
    ASSERT_EQ(copy->animationCount(), 1);
    EXPECT_EQ(copy->animation(0).element, copy->at(1));

    // Moving a point of the copy leaves the source alone.
    static_cast<TestElement*>(copy->at(1))->position = {4, 0, 0};
    copy->recomputeAll({1, 1.0});
    c.recomputeAll({1, 1.0});
    EXPECT_EQ(static_cast<TestElement*>(copy->at(2))->position.x, 2.0);
    EXPECT_EQ(m->position.x, 1.0);
}

TEST(Construction, RawCopyLeavesResolvingToTheCaller) {
    Construction c;
    TestElement* a = addFree(c);
    addBuilt(c, TypeCode::CircleCentre, {a});
    c.storeParentKeys();
    std::unique_ptr<Construction> raw = c.copy(true);
    EXPECT_EQ(raw->at(1)->parents[0], a);  // still the source's element
    EXPECT_EQ(raw->animationCount(), 0);
    EXPECT_EQ(raw->resolveParentKeys(), 1);
    EXPECT_EQ(raw->at(1)->parents[0], raw->at(0));
}

TEST(Construction, ResolvingKeysWithExternalElements) {
    Construction host;
    TestElement* e0 = addFree(host);
    TestElement* e1 = addFree(host);
    Construction macro;
    TestElement* own = addBuilt(macro, TypeCode::MidpointTwoPoints, {nullptr, nullptr});
    own->parentKeys = {0, 1};
    TestElement* second = addBuilt(macro, TypeCode::MidpointTwoPoints, {nullptr, nullptr});
    second->parentKeys = {2, 1};  // key 2 = the macro's own first element
    Element* external[] = {e0, e1};
    EXPECT_EQ(macro.resolveParentKeys(external), 1);
    EXPECT_EQ(own->parents[0], e0);
    EXPECT_EQ(own->parents[1], e1);
    EXPECT_EQ(second->parents[0], own);

    // Keys outside the table name nothing: the parent stays empty and the result says so.
    second->parentKeys = {-1, 4};
    EXPECT_EQ(macro.resolveParentKeys(external), 0);
    EXPECT_EQ(second->parents[0], nullptr);
    EXPECT_EQ(second->parents[1], nullptr);
}

TEST(Construction, UndefinedPropagatesAndRecovers) {
    Construction c;
    TestElement* a = addFree(c);
    TestElement* b = addFree(c);
    TestElement* m = addBuilt(c, TypeCode::MidpointTwoPoints, {a, b});
    TestElement* n = addBuilt(c, TypeCode::CircleCentre, {m});
    TestElement* other = addBuilt(c, TypeCode::CircleCentre, {b});
    m->fails = true;
    c.recomputeAll({2, 3.5});
    EXPECT_EQ(m->defined, 0);
    EXPECT_EQ(n->defined, 0);
    EXPECT_EQ(n->recomputeCount, 0) << "an element with an undefined parent is not recomputed";
    EXPECT_EQ(other->defined, 1);
    EXPECT_EQ(other->lastAngleUnit, 2);
    EXPECT_EQ(other->lastScale, 3.5);
    m->fails = false;
    c.recomputeAll({1, 1.0});
    EXPECT_EQ(m->defined, 1);
    EXPECT_EQ(n->defined, 1);
}

TEST(Construction, LocusToleratesAnUndefinedTracedElementOnly) {
    Construction c;
    TestElement* driver = addFree(c);
    TestElement* traced = addBuilt(c, TypeCode::CircleCentre, {driver});
    TestElement* locus = addBuilt(c, TypeCode::PointLocus, {traced, driver});
    TestElement* plain = addBuilt(c, TypeCode::MidpointTwoPoints, {traced, driver});
    traced->fails = true;
    c.recomputeAll({1, 1.0});
    EXPECT_EQ(locus->recomputeCount, 1);
    EXPECT_EQ(locus->defined, 1);
    EXPECT_EQ(plain->defined, 0);
    // An undefined driver is not tolerated.
    traced->fails = false;
    driver->fails = true;
    c.recomputeAll({1, 1.0});
    EXPECT_EQ(locus->defined, 0);
    EXPECT_EQ(locus->recomputeCount, 1);
    // Recomputing marked elements never makes the exception, and skips loci.
    driver->fails = false;
    c.recomputeAll({1, 1.0});
    traced->fails = true;
    c.markDescendants(driver, true);
    const int before = locus->recomputeCount;
    c.recomputeMarked({1, 1.0});
    EXPECT_EQ(locus->recomputeCount, before);
    EXPECT_EQ(plain->defined, 0);
}

TEST(Construction, GroupLeadersRecomputeTheirGeneratedElements) {
    Construction c;
    TestElement* a = addFree(c);
    TestElement* b = addFree(c);
    TestElement* leader = addBuilt(c, TypeCode::RegularPolygon, {a, b}, 3);
    TestElement* v1 = addBuilt(c, TypeCode::RegularPolygonVertex, {leader});
    TestElement* v2 = addBuilt(c, TypeCode::RegularPolygonVertex, {leader});
    TestElement* face = addBuilt(c, TypeCode::PolygonVertices, {a, v1, v2});
    TestElement* after = addBuilt(c, TypeCode::CircleCentre, {v1});
    c.recomputeAll({1, 1.0});
    EXPECT_EQ(leader->recomputeCount, 1);
    EXPECT_EQ(v1->recomputeCount, 0);
    EXPECT_EQ(face->recomputeCount, 0);
    EXPECT_EQ(after->recomputeCount, 1);
    EXPECT_EQ(c.nextTopLevel(leader), after);

    // An undefined parent makes the leader and its whole group undefined.
    a->fails = true;
    c.recomputeAll({1, 1.0});
    EXPECT_EQ(leader->defined, 0);
    EXPECT_EQ(v1->defined, 0);
    EXPECT_EQ(v2->defined, 0);
    EXPECT_EQ(face->defined, 0);

    // Iteration-only mode touches members only and reports each group leader.
    a->fails = false;
    c.recomputeAll({1, 1.0});
    a->recomputeCount = b->recomputeCount = leader->recomputeCount = 0;
    leader->iterationMember = 1;
    int reapplied = 0;
    c.recomputeAll({1, 1.0}, true, [&] { ++reapplied; });
    EXPECT_EQ(a->recomputeCount, 0);
    EXPECT_EQ(leader->recomputeCount, 1);
    EXPECT_EQ(reapplied, 1);
}

TEST(Construction, MarkingAncestorsAndDescendants) {
    Construction c;
    TestElement* a = addFree(c);
    TestElement* b = addFree(c);
    TestElement* unrelated = addFree(c);
    TestElement* m = addBuilt(c, TypeCode::MidpointTwoPoints, {a, b});
    TestElement* n = addBuilt(c, TypeCode::CircleCentre, {m});
    c.markAncestors(n, true);
    EXPECT_EQ(n->mark, 0);
    EXPECT_EQ(m->mark, 1);
    EXPECT_EQ(a->mark, 1);
    EXPECT_EQ(b->mark, 1);
    EXPECT_EQ(unrelated->mark, 0);

    EXPECT_TRUE(c.dependsOn(n, a));
    EXPECT_FALSE(c.dependsOn(unrelated, a));
    EXPECT_FALSE(c.dependsOn(a, n));

    c.clearKeys();
    Element* external[] = {b};
    c.markAncestorsByKeyExcept(n, external);
    EXPECT_EQ(n->key, 1);
    EXPECT_EQ(m->key, 1);
    EXPECT_EQ(a->key, 1);
    EXPECT_EQ(b->key, 0);
    c.renumber();
    EXPECT_EQ(n->key, 4);
}

TEST(Construction, DerivedFromCollectsChainsInOnePass) {
    Construction c;
    TestElement* a = addFree(c);
    TestElement* b = addFree(c);
    TestElement* d = addFree(c);
    TestElement* ab = addBuilt(c, TypeCode::SegmentTwoPoints, {a, b});
    TestElement* onAb = addBuilt(c, TypeCode::CircleCentre, {ab});
    TestElement* ad = addBuilt(c, TypeCode::SegmentTwoPoints, {a, d});
    std::vector<Element*> list{a, b};
    c.derivedFrom(list);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(ab->mark, 1);
    EXPECT_EQ(onAb->mark, 1);
    EXPECT_EQ(ad->mark, 0);
    EXPECT_EQ(a->mark, 0);
    EXPECT_EQ(d->mark, 0);
}

TEST(Construction, MovingToTheEndKeepsRelativeOrder) {
    Construction c;
    TestElement* e0 = addFree(c);
    TestElement* e1 = addFree(c);
    TestElement* e2 = addFree(c);
    TestElement* e3 = addFree(c);
    e0->mark = 1;
    e2->mark = 1;
    c.moveMarkedToEnd();
    EXPECT_EQ(order(c), (std::vector<Element*>{e1, e3, e0, e2}));
    EXPECT_EQ(e0->mark, 0);
    c.moveToEnd(e1);
    EXPECT_EQ(order(c), (std::vector<Element*>{e3, e0, e2, e1}));
    EXPECT_EQ(c.indexOf(e1), 3);
    EXPECT_EQ(c.findByKey(2, true), e2);
}

TEST(Construction, ListedElementsAndSelectionQueries) {
    Construction c;
    TestElement* a = addFree(c);
    TestElement* hidden = addFree(c);
    hidden->visible = 0;
    TestElement* coords = addBuilt(c, TypeCode::Coordinates, {a}, 3);
    for (int i = 0; i < 3; ++i) addBuilt(c, static_cast<TypeCode>(10305 + 5 * i), {coords});
    TestElement* undefinedOne = addFree(c);
    undefinedOne->defined = 0;
    TestElement* intermediate = addFree(c);
    intermediate->macroIntermediate = 1;
    TestElement* text = addBuilt(c, TypeCode::Text, {});

    EXPECT_EQ(c.listedCount(false), 3);  // a, coords, text
    EXPECT_EQ(c.listedCount(true), 4);
    EXPECT_EQ(c.nthListed(2, false), coords);
    EXPECT_EQ(c.nthListed(3, false), text);
    EXPECT_EQ(c.nthListed(2, true), hidden);
    EXPECT_EQ(c.nthListed(5, true), nullptr);

    EXPECT_TRUE(c.hasSelectableOfKind(ElementKind::Point, false));
    a->selected = 1;
    EXPECT_FALSE(c.hasSelectableOfKind(ElementKind::Point, false));
    EXPECT_TRUE(c.hasSelectableOfKind(ElementKind::Point, true));
    EXPECT_FALSE(c.hasSelectableOfKind(ElementKind::Number, false)) << "generated numbers are not top-level";

    EXPECT_EQ(c.selectedCount(), 1);
    EXPECT_TRUE(c.anySelectedWithSize());
    EXPECT_FALSE(c.anySelectedNumeric());
    text->selected = 1;
    EXPECT_TRUE(c.anySelectedNumeric());
    EXPECT_FALSE(c.anySelectedWithFont());
    coords->selected = 1;
    EXPECT_TRUE(c.anySelectedWithFont());

    c.saveSelection();
    c.setSelectedAll(0, false);
    EXPECT_EQ(c.selectedCount(), 0);
    c.restoreSelection();
    EXPECT_EQ(c.firstSelected(), a);
    EXPECT_EQ(c.selectedCount(), 3);
}

TEST(Construction, DrawAllOrdersPassesChoosesColoursAndStepsOverCoordinates) {
    Construction c;
    TestElement* plane = addBuilt(c, TypeCode::PlaneThreePoints, {});  // a surface, drawn in the second pass
    TestElement* a = addFree(c, {1, 0, 0});
    a->setName("A");
    TestElement* hidden = addFree(c, {2, 0, 0});
    hidden->visible = 0;
    TestElement* hiddenSelected = addFree(c, {3, 0, 0});
    hiddenSelected->visible = 0;
    hiddenSelected->selected = 1;
    TestElement* coords = addBuilt(c, TypeCode::Coordinates, {a}, 3);
    for (int i = 0; i < 3; ++i) addBuilt(c, static_cast<TypeCode>(10305 + 5 * i), {coords});
    TestElement* unlabelled = addFree(c, {4, 0, 0});
    unlabelled->setName("B");
    unlabelled->showLabel = 0;
    (void)plane;

    DrawSettings settings{0xAA0000, 0x00BB00, 0x0000CC, false, 0};
    RecordingCanvas canvas;
    c.drawAll(canvas, settings);
    ASSERT_EQ(canvas.calls.size(), 5u);  // a, its label, coords, unlabelled, plane
    EXPECT_EQ(canvas.calls[0].colour, 0x112233u);
    EXPECT_EQ(canvas.calls[1].primitive, "label");
    EXPECT_EQ(canvas.calls[1].text, "A");
    EXPECT_EQ(canvas.calls[1].colour, 0x0000CCu);
    EXPECT_EQ(canvas.calls[4].points[0], plane->position);

    settings.showHidden = true;
    canvas.calls.clear();
    c.drawAll(canvas, settings);
    ASSERT_EQ(canvas.calls.size(), 7u);
    EXPECT_EQ(canvas.calls[2].colour, 0x00BB00u);  // hidden
    EXPECT_EQ(canvas.calls[3].colour, 0xAA0000u);  // hidden and selected
}

TEST(Construction, ListLines) {
    Construction c;
    TestElement* a = addFree(c);
    a->setName("A");
    TestElement* b = addFree(c);
    b->visible = 0;
    TestElement* gone = addFree(c);
    gone->defined = 0;
    TestElement* m = addBuilt(c, TypeCode::MidpointTwoPoints, {a, b});
    m->setName("M");
    TestElement* calc = addBuilt(c, TypeCode::Calculation, {m});
    calc->suffix = "a*2";
    TestElement* iteration = addBuilt(c, TypeCode::Iteration, {a});
    const auto text = [](int id) { return "T" + std::to_string(id); };

    const std::vector<ListLine> lines = c.listLines(text, false);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, " 1. T10000 A");
    EXPECT_EQ(lines[1].text, " 3. T10070 M [ A,_ ]");  // the hidden point keeps number 2
    EXPECT_EQ(lines[2].text, " 4. T10555 [ M ] a*2");
    EXPECT_EQ(lines[3].text, " 5. T11900");
    EXPECT_EQ(lines[3].element, iteration);

    const std::vector<ListLine> all = c.listLines(text, true);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[1].text, " 2. T10000");
    EXPECT_TRUE(all[1].hidden);
    EXPECT_FALSE(all[0].hidden);
}

TEST(Construction, ASelectedRegularPolygonShowsItsPartsSelected) {
    Construction c;
    TestElement* a = addFree(c);
    TestElement* axis = addBuilt(c, TypeCode::LineTwoPoints, {a, a});
    TestElement* leader = addBuilt(c, TypeCode::RegularPolygon, {a, axis}, 2);
    addBuilt(c, TypeCode::RegularPolygonVertex, {leader});
    addBuilt(c, TypeCode::PolygonVertices, {a, a, a});
    TestElement* after = addFree(c);
    leader->selected = 1;
    RecordingCanvas canvas;
    c.drawAll(canvas, DrawSettings{0xAA0000, 0x00BB00, 0, false, 0});
    // First pass: a, axis, the vertex, after; second pass: the leader, its polygon.
    ASSERT_EQ(canvas.calls.size(), 6u);
    EXPECT_EQ(canvas.calls[0].colour, a->colour);
    EXPECT_EQ(canvas.calls[2].colour, 0xAA0000u) << "the generated vertex";
    EXPECT_EQ(canvas.calls[3].colour, after->colour);
    EXPECT_EQ(canvas.calls[4].colour, 0xAA0000u);
    EXPECT_EQ(canvas.calls[5].colour, 0xAA0000u) << "the generated polygon";
}
