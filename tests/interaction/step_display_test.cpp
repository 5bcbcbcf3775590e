#include <sstream>

#include "interaction/step_display.h"
#include "lang/text_ids.h"
#include "tools_fixture.h"

namespace {

class StepDisplayTest : public ToolsTest {
  protected:
    StepDisplayTest() {
        std::istringstream lines(
            "60100=first step\n60110=last step\n60120=Cut?\n50502=Segment\n50500=Point\n50600=free\n");
        texts.read(lines, "test.lng");
        session.setTexts(&texts);
    }

    // Three listed elements: two points and the segment between them, with a
    // hidden point between the second point and the segment.
    void buildThree() {
        p = addFree({0, 0, 0});
        q = addFree({1, 0, 0});
        hidden = addFree({2, 0, 0});
        hidden->visible = 0;
        seg = add(TypeCode::SegmentTwoPoints, {p, q});
        start();
        before = document.sharedConstruction();
    }

    StepDisplay* display() { return dynamic_cast<StepDisplay*>(session.openDialog()); }
    int selectedIndex() {
        Element* s = construction().firstSelected();
        return s ? construction().indexOf(s) : -1;
    }

    TextTable texts;
    Point* p = nullptr;
    Point* q = nullptr;
    Point* hidden = nullptr;
    Element* seg = nullptr;
    std::shared_ptr<Construction> before;
    std::string error;
};

}  // namespace

TEST_F(StepDisplayTest, StepsShowTheConstructionUpToEachListedElement) {
    buildThree();
    session.setTool(5);
    session.command(32818);
    EXPECT_EQ(session.toolNumber(), 0);
    StepDisplay* d = display();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->stepCount(), 3);
    EXPECT_EQ(d->step(), 1);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(selectedIndex(), 0);
    EXPECT_TRUE(d->title().ends_with(" (first step)")) << d->title();
    // The recorded construction is not touched.
    EXPECT_NE(document.sharedConstruction(), before);
    EXPECT_EQ(before->count(), 4);
    EXPECT_EQ(before->selectedCount(), 0);

    // The hidden point is no step of its own but shows with the step after it.
    ASSERT_TRUE(d->press("next", error));
    EXPECT_EQ(count(), 2);
    ASSERT_TRUE(d->press("next", error));
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(selectedIndex(), 3);
    EXPECT_EQ(d->title(), "Segment (last step)");
    ASSERT_TRUE(d->press("next", error));
    EXPECT_EQ(d->step(), 3);
    ASSERT_TRUE(d->setSlider(2, error));
    EXPECT_EQ(d->title().find("step"), std::string::npos);
    EXPECT_FALSE(d->setSlider(4, error));
    EXPECT_FALSE(d->setSlider(0, error));
    ASSERT_TRUE(d->press("first", error));
    ASSERT_TRUE(d->press("previous", error));
    EXPECT_EQ(d->step(), 1);

    // Playback at 100 ms reaches the last step and stays there.
    ASSERT_TRUE(d->setField("period", "100", error));
    EXPECT_FALSE(d->setField("period", "150", error));
    ASSERT_TRUE(d->press("play", error));
    d->elapse(99);
    EXPECT_EQ(d->step(), 1);
    d->elapse(1);
    EXPECT_EQ(d->step(), 2);
    d->elapse(1000);
    EXPECT_EQ(d->step(), 3);
    d->playbackTick();
    EXPECT_EQ(d->step(), 3);

    // Cancelling puts the recorded construction back, unchanged.
    ASSERT_TRUE(d->press("cancel", error));
    EXPECT_EQ(session.openDialog(), nullptr);
    EXPECT_EQ(document.sharedConstruction(), before);
    EXPECT_EQ(document.history().size(), 1);
}

TEST_F(StepDisplayTest, ConfirmingOnAnEarlierStepCutsAsOneUndoStep) {
    buildThree();
    session.command(32818);
    // On the last step confirming asks nothing and keeps everything.
    ASSERT_TRUE(display()->press("last", error));
    ASSERT_TRUE(display()->press("ok", error));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(document.sharedConstruction(), before);

    // No and Cancel keep everything too.
    for (YesNoCancel answer : {YesNoCancel::No, YesNoCancel::Cancel}) {
        session.command(32818);
        ASSERT_TRUE(display()->setSlider(2, error));
        host.yesNoCancel.push_back(answer);
        ASSERT_TRUE(display()->press("ok", error));
        EXPECT_EQ(document.sharedConstruction(), before);
    }
    EXPECT_EQ(host.questions,
              (std::vector<int>{textid::kCutConstructionQuestion, textid::kCutConstructionQuestion}));

    // Yes at step 2 of 3 keeps the two points; the hidden point after them
    // belongs to the segment's step and goes with it.
    session.command(32818);
    ASSERT_TRUE(display()->setSlider(2, error));
    host.yesNoCancel.push_back(YesNoCancel::Yes);
    ASSERT_TRUE(display()->press("ok", error));
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(construction().selectedCount(), 0);
    EXPECT_EQ(document.history().size(), 2);
    session.command(57643);
    EXPECT_EQ(document.sharedConstruction(), before);
    EXPECT_EQ(count(), 4);
}

TEST_F(StepDisplayTest, NothingToShowIsAMessage) {
    Point* only = addFree({0, 0, 0});
    only->visible = 0;
    start();
    session.command(32818);
    EXPECT_EQ(session.openDialog(), nullptr);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, textid::kNoStepsToShow);
    EXPECT_EQ(host.messages[0].second, MessageIcon::Error);
    // With hidden elements shown, the hidden point is a step.
    session.setShowHidden(true);
    session.openStepDisplay(true);
    ASSERT_NE(display(), nullptr);
    EXPECT_EQ(display()->stepCount(), 1);
    EXPECT_EQ(display()->title(), "Point (free) (first step) (last step)");
}
