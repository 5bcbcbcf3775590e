// The step-by-step display and the animation window in a real window: each
// opened from its menu item, driven through its widgets and the view's mouse,
// and confirmed.

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <cmath>

#include "elements/point.h"
#include "expr/parameter.h"
#include "interaction/animation_window.h"
#include "view/camera.h"
#include "window_fixture.h"

namespace {

QPoint onScreen(const Document& d, Viewport viewport, Vec3 p) {
    double x = 0, y = 0, depth = 0;
    EXPECT_TRUE(projectPoint(d.view, viewport, p, x, y, depth));
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

void clickAt(QWidget* view, QPoint at) {
    sendMouse(view, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    sendMouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    sendMouse(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

template <typename T>
T* child(QWidget* parent, const char* name) {
    return parent ? parent->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

}  // namespace

TEST_F(WindowTest, StepDisplayCutsTheConstructionBackFromItsWindow) {
    CChildFrame* view = frame->openDocument(dataFile("animation.g3d"));
    ASSERT_TRUE(shown(view));
    Document& d = view->openDocument()->document;
    ASSERT_EQ(d.construction().count(), 7);
    const int records = d.history().size();

    // The window is modal: it is driven from the event loop it runs.
    std::string firstTitle;
    std::string stepTitle;
    int shownCount = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        firstTitle = dialog->windowTitle().toStdString();
        child<QPushButton>(dialog, "next")->click();
        child<QSlider>(dialog, "slider")->setValue(5);
        stepTitle = dialog->windowTitle().toStdString();
        shownCount = d.construction().count();
        prompts->answers = {SaveAnswer::Yes};
        auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ok->click();
    });
    frame->action(32818)->trigger();

    EXPECT_EQ(firstTitle, "Parameter (first step)");
    EXPECT_EQ(stepTitle, "Circle (three points)");
    EXPECT_EQ(shownCount, 5);
    ASSERT_EQ(prompts->questions.size(), 1u);
    EXPECT_EQ(prompts->questions[0], englishTexts().text(60120));
    EXPECT_EQ(d.construction().count(), 5);
    EXPECT_EQ(d.history().size(), records + 1);
    frame->undo();
    EXPECT_EQ(d.construction().count(), 7);
}

TEST_F(WindowTest, AnimationWindowRunsThePointTheToolClicked) {
    CChildFrame* view = frame->openDocument(dataFile("animation.g3d"));
    ASSERT_TRUE(shown(view));
    Document& d = view->openDocument()->document;

    frame->action(5095)->trigger();
    EXPECT_EQ(frame->currentTool(), 49);
    auto* window = view->findChild<QDialog*>(QStringLiteral("animationWindow"));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(processEventsUntil([&] { return window->isVisible(); }));

    // The tool's click on P puts it in the list; the window shows its row.
    const Vec3 p = positionOf(d.construction().at(5));
    clickAt(view, onScreen(d, view->viewport(), p));
    ASSERT_EQ(d.construction().animationCount(), 1);
    auto* table = child<QTableWidget>(window, "entries");
    ASSERT_TRUE(processEventsUntil([&] { return table->rowCount() == 1; }));
    EXPECT_EQ(table->item(0, 0)->text().toStdString(), "P");

    // A faster speed in its row, and the idle ticks move P round its circle.
    auto* speed = qobject_cast<QSpinBox*>(table->cellWidget(0, 2));
    ASSERT_NE(speed, nullptr);
    speed->setValue(60);
    EXPECT_EQ(d.construction().animation(0).speed, 60);
    const double start = static_cast<PointOnObject*>(d.construction().at(5))->param1;
    EXPECT_TRUE(processEventsUntil([&] {
        return std::fabs(static_cast<PointOnObject*>(d.construction().at(5))->param1 - start) > 0.05;
    }));

    // Paused it stays; closing the window ends the animation.
    child<QPushButton>(window, "pause")->click();
    EXPECT_FALSE(view->session()->animationRunning());
    const double paused = static_cast<PointOnObject*>(d.construction().at(5))->param1;
    processEventsUntil([] { return false; }, 100);
    EXPECT_EQ(static_cast<PointOnObject*>(d.construction().at(5))->param1, paused);
    child<QPushButton>(window, "close")->click();
    EXPECT_EQ(view->session()->animationWindow(), nullptr);
    EXPECT_TRUE(processEventsUntil([&] { return !window->isVisible(); }));
}
