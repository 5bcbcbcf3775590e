#include "interaction/select_fixture.h"

namespace {

TEST(SelectHistory, TheBudgetDropsTheOldestRecordsButKeepsTwenty) {
    SelectScene s;
    for (int i = 0; i < 50; ++i) s.point({(i % 7) * 0.5 - 1.5, (i / 7) * 0.5 - 1.5, 0});
    ViewSession& v = s.start();
    const std::size_t one = s.doc.construction().memoryBytes();
    EXPECT_GT(one, 50u * 256u);
    EXPECT_EQ(s.doc.history().memoryBytes(), one);

    // Camera records share the construction: it counts once.
    for (int i = 0; i < 5; ++i) {
        v.command(32803 + i % 2);
    }
    EXPECT_EQ(s.doc.history().size(), 6);
    EXPECT_EQ(s.doc.history().memoryBytes(), one);

    // Room for about six snapshots, but never fewer than twenty records.
    const History& history = s.doc.history();
    s.doc.setHistoryBudget(one * 6 + one / 2, 20);
    const Construction* firstDragged = nullptr;
    for (int i = 0; i < 30; ++i) {
        const Vec3 p = s.positionAt(i);
        s.drag(s.pixelOf(p), s.pixelOf(p + Vec3{0, 0.3, 0}));
        if (i == 0) firstDragged = history.at(6).construction.get();
    }
    EXPECT_EQ(history.size(), 20) << "the oldest records went first";
    EXPECT_EQ(history.position(), 19);
    EXPECT_NE(history.at(0).construction.get(), firstDragged);
    EXPECT_LE(history.memoryBytes(), 21 * one);

    // Every record left can be undone to, and the oldest is where undo stops.
    int undone = 0;
    while (v.commandEnabled(57643) && undone < 100) {
        v.command(57643);
        ++undone;
    }
    EXPECT_EQ(undone, 19);
    EXPECT_EQ(s.positionAt(29).y, 0.5) << "the last drag is undone";
    EXPECT_NEAR(s.positionAt(0).y, -1.2, 0.05) << "the first drag fell out of the history";

    // A wide budget keeps everything.
    s.doc.setHistoryBudget(kDefaultHistoryBudget, kMinimumHistoryRecords);
    for (int i = 0; i < 30; ++i) {
        const Vec3 p = s.positionAt(i);
        s.drag(s.pixelOf(p), s.pixelOf(p + Vec3{0.3, 0, 0}));
    }
    EXPECT_EQ(history.size(), 31) << "the redo records went, thirty drags came";
}

}  // namespace
