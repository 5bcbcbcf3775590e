// The macro dialog in a real window: opened from the Macros menu (Ctrl+M),
// it stays beside the view while the mouse picks the initial and final
// elements and the elements a macro is applied to.

#include <QDialog>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "elements/point.h"
#include "io/element_factory.h"
#include "view/camera.h"
#include "window_fixture.h"

namespace {

QPoint onScreen(const ViewState& view, Viewport viewport, Vec3 p) {
    double x = 0, y = 0, depth = 0;
    EXPECT_TRUE(projectPoint(view, viewport, p, x, y, depth));
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

void clickView(CChildFrame* view, QPoint at) {
    sendMouse(view, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    sendMouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    sendMouse(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void clickButton(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

TEST_F(WindowTest, MacroDialogMakesAndAppliesAMacroWithTheMouse) {
    CChildFrame* child = frame->newDocument();
    ASSERT_TRUE(shown(child));
    Document& d = child->openDocument()->document;
    const Viewport viewport = child->viewport();
    auto scene = d.construction().copy();
    const Vec3 places[] = {{-2, 0, 0}, {2, 0, 0}, {-2, 3, 0}, {2, 3, 0}};
    for (Vec3 at : places) {
        Element* p = appendElement(*scene, TypeCode::FreePoint, {}, d.styles[1]);
        ASSERT_NE(p, nullptr);
        static_cast<Point*>(p)->position = at;
    }
    ASSERT_NE(appendElement(*scene, TypeCode::MidpointTwoPoints, {scene->at(0), scene->at(1)}, d.styles[1]),
              nullptr);
    d.commit(std::move(scene));
    child->update();

    QAction* macros = frame->action(5300);
    ASSERT_NE(macros, nullptr);
    EXPECT_EQ(macros->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
    ASSERT_TRUE(macros->isEnabled());
    macros->trigger();
    auto* face = child->findChild<QDialog*>(QStringLiteral("macroDialog"));
    ASSERT_NE(face, nullptr);
    ASSERT_TRUE(processEventsUntil([&] { return face->isVisible(); }));
    EXPECT_EQ(face->windowTitle().toStdString(), "Macro options");

    clickButton(*face, "start");
    clickView(child, onScreen(d.view, viewport, places[0]));
    clickView(child, onScreen(d.view, viewport, places[1]));
    clickButton(*face, "final");
    clickView(child, onScreen(d.view, viewport, {0, 0, 0}));
    prompts->texts.push_back("Mitte");
    clickButton(*face, "make");
    ASSERT_EQ(d.macros.size(), 1u);
    ASSERT_EQ(prompts->textPrompts.size(), 1u);
    EXPECT_EQ(prompts->textPrompts[0], "Macro name:");
    auto* list = face->findChild<QListWidget*>(QStringLiteral("macros"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text().toStdString(), "Mitte (point, point)");
    EXPECT_EQ(list->currentRow(), 0);

    // Applied with the dialog still open: one new midpoint of C and D.
    const int before = d.construction().count();
    clickButton(*face, "apply");
    clickView(child, onScreen(d.view, viewport, places[2]));
    clickView(child, onScreen(d.view, viewport, places[3]));
    ASSERT_EQ(d.construction().count(), before + 1);
    EXPECT_EQ(d.construction().last()->typeCode(), TypeCode::MidpointTwoPoints);
    EXPECT_NEAR(static_cast<Point*>(d.construction().last())->position.y, 3.0, 1e-9);
    EXPECT_TRUE(face->isVisible());

    clickButton(*face, "close");
    EXPECT_FALSE(face->isVisible());
    EXPECT_EQ(child->session()->openDialog(), nullptr);
}
