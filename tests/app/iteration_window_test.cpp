// The iteration dialog in a real window: opened from its menu item (Ctrl+I), the points
// chosen with the mouse in the view while it stays open, confirmed with OK.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <cmath>

#include "elements/iteration.h"
#include "elements/point.h"
#include "view/camera.h"
#include "window_fixture.h"

namespace {

void clickAt(QWidget* view, const Document& d, Viewport viewport, Vec3 p) {
    double x = 0, y = 0, depth = 0;
    EXPECT_TRUE(projectPoint(d.view, viewport, p, x, y, depth));
    const QPoint at(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    sendMouse(view, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    sendMouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    sendMouse(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

}  // namespace

TEST_F(WindowTest, IterationDialogOpensFromTheMenuAndTakesClicksInTheView) {
    CChildFrame* view = frame->openDocument(dataFile("sample.g3d"));
    ASSERT_TRUE(shown(view));
    Document& d = view->openDocument()->document;
    const int count = d.construction().count();
    ASSERT_TRUE(frame->action(5400)->isEnabled());

    QAction* command = frame->action(5400);
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    command->trigger();
    EXPECT_EQ(frame->currentTool(), 4);
    auto* dialog = view->findChild<QDialog*>(QStringLiteral("iterationDialog"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(processEventsUntil([&] { return dialog->isVisible(); }));
    const QPointer<QDialog> face = dialog;
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("prompt"))->text().toStdString(),
              "Iteration (initial points)");

    // A is the initial point, the midpoint of A and B its image.
    clickAt(view, d, view->viewport(), positionOf(d.construction().at(0)));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("inputs"))->text().toStdString(), "1");
    dialog->findChild<QPushButton*>(QStringLiteral("branch"))->click();
    clickAt(view, d, view->viewport(), positionOf(d.construction().at(2)));
    auto* depth = dialog->findChild<QLineEdit*>(QStringLiteral("depth"));
    depth->setText(QStringLiteral("5"));
    depth->setModified(true);
    dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();

    ASSERT_EQ(d.construction().count(), count + 1);
    const auto* iteration = static_cast<const Iteration*>(d.construction().last());
    ASSERT_EQ(iteration->typeCode(), TypeCode::Iteration);
    EXPECT_EQ(iteration->depth, 5);
    EXPECT_EQ(iteration->parents.size(), 2u);
    EXPECT_EQ(frame->currentTool(), 0);
    // The window closes with the model.
    EXPECT_TRUE(processEventsUntil([&] { return !face || !face->isVisible(); }));
    frame->undo();
    EXPECT_EQ(d.construction().count(), count);
}
