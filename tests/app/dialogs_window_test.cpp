// The element, point coordinates and parameter dialogs in a real window:
// opened by the menu item, a double click and a right click, changed through
// their widgets and confirmed, each as one undo step.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>

#include "elements/point.h"
#include "expr/parameter.h"
#include "io/element_factory.h"
#include "lang/text_ids.h"
#include "view/camera.h"
#include "window_fixture.h"

namespace {

void moveMouse(QWidget* widget, QPoint at) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

// Runs `act` on the modal dialog as soon as it shows; the gesture that opens
// it returns once the dialog has closed.
void onNextDialog(std::function<void(QDialog&)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
    });
    poll->start(20);
}

void type(QDialog& dialog, const char* field, const QString& text) {
    auto* line = dialog.findChild<QLineEdit*>(field);
    ASSERT_NE(line, nullptr) << field;
    line->selectAll();
    QTest::keyClicks(line, text);
}

void clickButton(QDialog& dialog, const QString& name) {
    QPushButton* button = dialog.findChild<QPushButton*>(name);
    if (button == nullptr) {  // the standard buttons carry no object name
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text().remove('&') == name) button = b;
    }
    ASSERT_NE(button, nullptr) << name.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

QPoint onScreen(const ViewState& view, Viewport viewport, Vec3 p) {
    double x = 0, y = 0, depth = 0;
    EXPECT_TRUE(projectPoint(view, viewport, p, x, y, depth));
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

}  // namespace

TEST_F(WindowTest, DialogsOpenFromTheMenuAndTheMouseAndConfirm) {
    CChildFrame* child = frame->newDocument();
    ASSERT_TRUE(shown(child));
    Document& d = child->openDocument()->document;
    const Viewport viewport = child->viewport();
    const int records = d.history().size();

    // "Represent points...": two points typed in, one undo step.
    QString title;
    onNextDialog([&](QDialog& dialog) {
        title = dialog.windowTitle();
        EXPECT_FALSE(dialog.findChild<QPushButton*>("ok")->isEnabled());
        type(dialog, "x", "1");
        type(dialog, "y", "2");
        type(dialog, "z", "0");
        clickButton(dialog, "apply");
        type(dialog, "x", "-1");
        clickButton(dialog, "apply");
        clickButton(dialog, "ok");
    });
    frame->action(5011)->trigger();
    EXPECT_EQ(title.toStdString(), englishTexts().text(textid::kToolRepresentPoints));
    ASSERT_EQ(d.construction().count(), 2);
    EXPECT_EQ(d.history().size(), records + 1);
    EXPECT_EQ(frame->currentTool(), 0);

    // A double click on the first point edits it.
    const QPoint point = onScreen(d.view, viewport, {1, 2, 0});
    onNextDialog([&](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("x")->text(), "1.0");
        type(dialog, "z", "3");
        clickButton(dialog, "apply");
        clickButton(dialog, "ok");
    });
    moveMouse(child, point);
    sendMouse(child, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    sendMouse(child, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
    sendMouse(child, QEvent::MouseButtonDblClick, point, Qt::LeftButton, Qt::LeftButton);
    sendMouse(child, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(static_cast<Point*>(d.construction().at(0))->position.z, 3.0);
    EXPECT_EQ(d.history().size(), records + 2);

    // A right click on it opens the element dialog: a name and a size.
    const QPoint raised = onScreen(d.view, viewport, {1, 2, 3});
    onNextDialog([&](QDialog& dialog) {
        type(dialog, "name", "P");
        dialog.findChild<QComboBox*>("size")->setCurrentIndex(4);
        // With KOVA_SHOWCASE_OUT naming a folder, a picture of the dialog for the README.
        if (const char* out = std::getenv("KOVA_SHOWCASE_OUT"))
            dialog.grab().save(QString::fromUtf8(out) + QStringLiteral("/element-dialog.png"));
        clickButton(dialog, "OK");
    });
    moveMouse(child, raised);
    sendMouse(child, QEvent::MouseButtonPress, raised, Qt::RightButton, Qt::RightButton);
    sendMouse(child, QEvent::MouseButtonRelease, raised, Qt::RightButton, Qt::NoButton);
    ASSERT_TRUE(d.construction().at(0)->hasName());
    EXPECT_EQ(*d.construction().at(0)->name(), "P");
    EXPECT_EQ(d.construction().at(0)->size, 4);
    EXPECT_EQ(d.history().size(), records + 3);

    // A parameter, double-clicked: the slider's end sets its maximum.
    auto withParameter = d.construction().copy();
    Element* made = appendElement(*withParameter, TypeCode::Parameter, {}, d.styles[18]);
    ASSERT_NE(made, nullptr);
    auto& parameter = static_cast<ParameterNumber&>(*made);
    parameter.position = {20, 20};
    parameter.minimum = -10;
    parameter.maximum = 10;
    d.commit(std::move(withParameter));
    child->update();
    onNextDialog([&](QDialog& dialog) {
        auto* slider = dialog.findChild<QSlider*>("slider");
        EXPECT_EQ(slider->value(), 250);
        slider->setValue(500);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("value")->text(), "10.00");
        clickButton(dialog, "ok");
    });
    const QPoint number(24, 24);
    moveMouse(child, number);
    sendMouse(child, QEvent::MouseButtonDblClick, number, Qt::LeftButton, Qt::LeftButton);
    sendMouse(child, QEvent::MouseButtonRelease, number, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(static_cast<ParameterNumber*>(d.construction().at(2))->value, 10.0);
    EXPECT_EQ(d.history().size(), records + 5);
}
