#include "model/document.h"

#include <gtest/gtest.h>

#include "model/clipboard.h"
#include "model/selection_commands.h"
#include "support/test_elements.h"

namespace {

// A document whose construction is two free points and a segment between them.
struct SegmentDocument {
    SegmentDocument() {
        Construction& c = doc.construction();
        a = addFree(c, {0, 0, 0});
        b = addFree(c, {2, 0, 0});
        segment = addBuilt(c, TypeCode::SegmentTwoPoints, {a, b});
        doc.recompute();
        doc.startHistory();
    }
    Document doc;
    TestElement* a;
    TestElement* b;
    TestElement* segment;
};

TestElement* elementAt(Document& doc, int i) {
    return static_cast<TestElement*>(doc.construction().at(i));
}

}  // namespace

TEST(History, UndoRedoAndANewChangeDiscardsRedo) {
    SegmentDocument s;
    Document& doc = s.doc;
    EXPECT_EQ(doc.history().size(), 1);
    EXPECT_FALSE(doc.modified);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.undo()) << "undo right after opening does nothing";
    Construction* opened = &doc.construction();

    s.a->selected = 1;
    ASSERT_TRUE(toggleVisibleOfSelected(doc));
    EXPECT_TRUE(doc.modified);
    Construction* changed = &doc.construction();
    EXPECT_NE(changed, opened);
    EXPECT_EQ(elementAt(doc, 0)->visible, 0);
    EXPECT_TRUE(doc.canUndo());
    EXPECT_FALSE(doc.canRedo());

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(&doc.construction(), opened);
    EXPECT_TRUE(doc.canRedo());
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(&doc.construction(), changed);
    EXPECT_FALSE(doc.redo());

    doc.undo();
    s.b->selected = 1;
    ASSERT_TRUE(setSizeOfSelected(doc, 4));
    EXPECT_EQ(doc.history().size(), 2);
    EXPECT_FALSE(doc.canRedo()) << "the hide step was discarded";
    EXPECT_EQ(elementAt(doc, 0)->visible, 1);
    EXPECT_EQ(elementAt(doc, 1)->size, 4);
}

TEST(History, HideThenUndoKeepsTheSelectionAsItWas) {
    SegmentDocument s;
    s.segment->selected = 1;
    ASSERT_TRUE(toggleVisibleOfSelected(s.doc));
    EXPECT_EQ(elementAt(s.doc, 2)->visible, 0);
    EXPECT_EQ(s.doc.construction().selectedCount(), 0) << "the changed copy carries no selection";
    s.doc.undo();
    EXPECT_EQ(elementAt(s.doc, 2)->visible, 1);
    EXPECT_EQ(elementAt(s.doc, 2)->selected, 1);
}

TEST(History, RecordingRules) {
    SegmentDocument s;
    Document& doc = s.doc;
    // A view record equal to the current one is dropped, and so is a repeated snapshot.
    EXPECT_FALSE(doc.record(kRecordView));
    EXPECT_FALSE(doc.record(kRecordBoth));
    EXPECT_FALSE(doc.modified);

    doc.view.spinZ = 10.0f;
    EXPECT_TRUE(doc.record(kRecordView));
    EXPECT_EQ(doc.history().size(), 2);
    // While the view turns by itself, camera steps are not recorded.
    doc.view.autoRotate = 1;
    doc.view.spinZ = 20.0f;
    EXPECT_FALSE(doc.record(kRecordView));
    EXPECT_TRUE(doc.record(kRecordConstruction));
    doc.view.autoRotate = 0;

    // Undo restores the camera with the construction.
    doc.undo();
    EXPECT_EQ(doc.view.spinZ, 10.0f);
    doc.undo();
    EXPECT_EQ(doc.view.spinZ, -135.0f);
}

TEST(History, RestartAfterSaveLeavesOneRecord) {
    SegmentDocument s;
    s.a->selected = 1;
    toggleVisibleOfSelected(s.doc);
    std::weak_ptr<Construction> old = s.doc.sharedConstruction();
    s.doc.restartHistory();
    EXPECT_EQ(s.doc.history().size(), 1);
    EXPECT_FALSE(s.doc.canUndo());
    EXPECT_FALSE(s.doc.modified);
    EXPECT_TRUE(old.expired()) << "the old history's constructions are released";
    EXPECT_EQ(elementAt(s.doc, 0)->visible, 0);
}

TEST(SelectionCommands, ActOnlyOnTheKindsTheyConcern) {
    Document doc;
    Construction& c = doc.construction();
    TestElement* point = addFree(c);
    TestElement* circle = addBuilt(c, TypeCode::CircleAboutAxis, {point, point});
    TestElement* sphere = addBuilt(c, TypeCode::SphereCentrePoint, {point, point});
    TestElement* plane = addBuilt(c, TypeCode::MediatorPlane, {point, point});
    TestElement* text = addBuilt(c, TypeCode::Text, {});
    TestElement* number = addBuilt(c, TypeCode::Parameter, {});
    doc.recompute();
    doc.startHistory();
    const auto selectAll = [&] { doc.construction().setSelectedAll(1, false); };

    selectAll();
    ASSERT_TRUE(setColourOfSelected(doc, 0x00FF00));
    for (int i = 0; i < 6; ++i) {
        if (i == 4)
            EXPECT_EQ(elementAt(doc, i)->colour, text->colour);
        else
            EXPECT_EQ(elementAt(doc, i)->colour, 0x00FF00u) << i;
    }

    selectAll();
    ASSERT_TRUE(setSizeOfSelected(doc, 2));  // "t3"
    EXPECT_EQ(elementAt(doc, 1)->size, 2);
    EXPECT_EQ(elementAt(doc, 2)->size, sphere->size);
    EXPECT_EQ(elementAt(doc, 3)->size, 2) << "planes have a size";

    selectAll();
    ASSERT_TRUE(setShapeOfSelected(doc, 1));  // "f2"
    EXPECT_EQ(elementAt(doc, 0)->shape, 1);
    EXPECT_EQ(elementAt(doc, 3)->shape, plane->shape);

    FontRecord font;
    font.bytes[0] = 42;
    selectAll();
    ASSERT_TRUE(setFontOfSelected(doc, font));
    EXPECT_EQ(elementAt(doc, 5)->font, font);
    EXPECT_NE(elementAt(doc, 0)->font, font);

    EXPECT_FALSE(setColourOfSelected(doc, 0)) << "nothing selected";
    EXPECT_EQ(doc.history().size(), 5);
    (void)circle;
    (void)number;
}

TEST(SelectionCommands, DeleteWithDependantsIsOneUndoStep) {
    SegmentDocument s;
    s.a->selected = 1;
    ASSERT_TRUE(deleteSelectedWithDependants(s.doc));
    ASSERT_EQ(s.doc.construction().count(), 1);
    EXPECT_EQ(elementAt(s.doc, 0)->position, s.b->position);
    s.doc.undo();
    EXPECT_EQ(s.doc.construction().count(), 3);
}

TEST(Clipboard, PastedElementsAreIndependentAndSelected) {
    SegmentDocument s;
    Clipboard clipboard;
    EXPECT_TRUE(clipboard.empty());
    EXPECT_FALSE(clipboard.pasteInto(s.doc));

    s.segment->selected = 1;
    ASSERT_TRUE(clipboard.copyFrom(s.doc));
    ASSERT_EQ(clipboard.content()->count(), 3) << "the segment and the points it is built from";
    ASSERT_TRUE(clipboard.pasteInto(s.doc));
    Construction& c = s.doc.construction();
    ASSERT_EQ(c.count(), 6);
    EXPECT_EQ(c.selectedCount(), 3);
    for (int i = 3; i < 6; ++i) EXPECT_EQ(c.at(i)->selected, 1);
    EXPECT_EQ(c.at(5)->parents[0], c.at(3));

    // Moving an endpoint of the first segment does not move the pasted one.
    elementAt(s.doc, 0)->position = {10, 0, 0};
    s.doc.recompute();
    EXPECT_EQ(elementAt(s.doc, 2)->position.x, 6.0);
    EXPECT_EQ(elementAt(s.doc, 5)->position.x, 1.0);

    // The clipboard outlives the document and pastes into another one.
    Document other;
    other.startHistory();
    ASSERT_TRUE(clipboard.pasteInto(other));
    EXPECT_EQ(other.construction().count(), 3);
}

TEST(Clipboard, CopyKeepsGroupsWholeAndCutDeletes) {
    Document doc;
    Construction& c = doc.construction();
    TestElement* a = addFree(c);
    TestElement* b = addFree(c);
    TestElement* leader = addBuilt(c, TypeCode::RegularPolygon, {a, b}, 2);
    TestElement* vertex = addBuilt(c, TypeCode::RegularPolygonVertex, {leader});
    addBuilt(c, TypeCode::PolygonVertices, {a, b, vertex});
    TestElement* unrelated = addFree(c);
    TestElement* onVertex = addBuilt(c, TypeCode::CircleCentre, {vertex});
    doc.recompute();
    doc.startHistory();
    onVertex->selected = 1;
    Clipboard clipboard;
    ASSERT_TRUE(clipboard.copyFrom(doc));
    // a, b, the regular polygon with its two generated elements, the selected point.
    EXPECT_EQ(clipboard.content()->count(), 6);
    (void)unrelated;

    ASSERT_TRUE(clipboard.cutFrom(doc));
    EXPECT_EQ(doc.construction().count(), 6);
    EXPECT_EQ(doc.history().size(), 2);
}
