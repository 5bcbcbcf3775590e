#include "model/macro.h"

#include <gtest/gtest.h>

#include "model/document.h"
#include "support/test_elements.h"

TEST(Macro, MidpointMacroHoldsOneElementOnKeysZeroAndOne) {
    Document doc;
    Construction& c = doc.construction();
    TestElement* a = addFree(c, {0, 0, 0});
    TestElement* b = addFree(c, {2, 0, 0});
    TestElement* m = addBuilt(c, TypeCode::MidpointTwoPoints, {a, b});
    TestElement* unneeded =
        addBuilt(c, TypeCode::SegmentTwoPoints, {a, b});  // derived, but no final needs it
    TestElement* p = addFree(c, {10, 0, 0});
    TestElement* q = addFree(c, {20, 0, 0});
    doc.recompute();
    doc.startHistory();
    (void)unneeded;

    Element* initial[] = {a, b};
    Element* finals[] = {m};
    Macro macro = makeMacro(c, initial, finals, "mid");
    ASSERT_EQ(macro.construction->count(), 1);
    const Element* copy = macro.construction->at(0);
    EXPECT_EQ(copy->typeCode(), TypeCode::MidpointTwoPoints);
    EXPECT_EQ(copy->macroIntermediate, 0);
    EXPECT_EQ(copy->parentKeys, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(macro.initialKinds, (std::vector<ElementKind>{ElementKind::Point, ElementKind::Point}));
    EXPECT_EQ(macro.name, "mid");
    EXPECT_TRUE(macro.description.empty());

    Element* picked[] = {p, q};
    ASSERT_TRUE(applyMacro(doc, macro, picked, {}, true));
    Construction& after = doc.construction();
    ASSERT_EQ(after.count(), 7);
    auto* applied = static_cast<TestElement*>(after.last());
    EXPECT_EQ(applied->parents[0], after.at(4));
    EXPECT_EQ(applied->parents[1], after.at(5));
    EXPECT_EQ(applied->position.x, 15.0);
    EXPECT_EQ(doc.history().size(), 2);
    EXPECT_FALSE(applyMacro(doc, macro, std::span<Element* const>(picked, 1), {}, true))
        << "wrong number of picks";
}

TEST(Macro, IntermediatesAreHiddenOnlyWhenAsked) {
    Document doc;
    Construction& c = doc.construction();
    TestElement* a = addFree(c, {0, 0, 0});
    TestElement* b = addFree(c, {4, 0, 0});
    TestElement* helper = addBuilt(c, TypeCode::LineTwoPoints, {a, b});  // an auxiliary line
    TestElement* fin = addBuilt(c, TypeCode::PerpendicularToLine, {helper, a});
    doc.recompute();
    doc.startHistory();
    Element* initial[] = {a, b};
    Element* finals[] = {fin};
    Macro macro = makeMacro(c, initial, finals, "perp");
    ASSERT_EQ(macro.construction->count(), 2);
    EXPECT_EQ(macro.construction->at(0)->macroIntermediate, 1);
    EXPECT_EQ(macro.construction->at(1)->macroIntermediate, 0);
    EXPECT_EQ(macro.construction->at(1)->parentKeys, (std::vector<std::int32_t>{2, 0}));

    Element* picked[] = {doc.construction().at(0), doc.construction().at(1)};
    ASSERT_TRUE(applyMacro(doc, macro, picked, {}, true));
    EXPECT_EQ(doc.construction().at(4)->macroIntermediate, 1);
    EXPECT_EQ(doc.construction().listedCount(true), 5);

    Element* again[] = {doc.construction().at(0), doc.construction().at(1)};
    ASSERT_TRUE(applyMacro(doc, macro, again, {}, false));
    EXPECT_EQ(doc.construction().at(6)->macroIntermediate, 0);
    EXPECT_EQ(doc.construction().listedCount(true), 7);
}

TEST(Macro, PendingPicksAndTheListLimit) {
    Document doc;
    Construction& c = doc.construction();
    TestElement* a = addFree(c, {0, 0, 0});
    TestElement* b = addFree(c, {2, 0, 0});
    TestElement* m = addBuilt(c, TypeCode::MidpointTwoPoints, {a, b});
    doc.recompute();
    doc.startHistory();
    Element* initial[] = {a, b};
    Element* finals[] = {m};
    Macro macro = makeMacro(c, initial, finals, "mid");

    // The second pick was made while picking: it stands on the existing point a.
    auto pending = std::make_unique<TestElement>(TypeCode::CircleCentre, 1);
    pending->parents[0] = a;
    Element* picked[] = {b, pending.get()};
    std::vector<ElementPtr> pendingList;
    pendingList.push_back(std::move(pending));
    ASSERT_TRUE(applyMacro(doc, macro, picked, std::move(pendingList), true));
    Construction& after = doc.construction();
    ASSERT_EQ(after.count(), 5);
    EXPECT_EQ(after.at(3)->parents[0], after.at(0)) << "the pending pick follows the new copy";
    EXPECT_EQ(after.at(4)->parents[1], after.at(3));

    for (int i = 0; i < kMaxMacros; ++i) ASSERT_TRUE(addMacro(doc, copyMacro(macro)));
    EXPECT_FALSE(addMacro(doc, copyMacro(macro)));
    EXPECT_EQ(doc.macros.size(), 100u);
    removeMacro(doc, 0);
    EXPECT_EQ(doc.macros.size(), 99u);
}
