// The view's commands through the window: mouse gestures and their undo
// steps, the hover text, standard views and projections, automatic rotation
// and the image outputs.

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "lang/text_ids.h"
#include "view/camera.h"
#include "view/camera_controls.h"
#include "window_fixture.h"

namespace {

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

class ViewTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped()) return;
        child = frame->newDocument();
        ASSERT_TRUE(shown(child));
        view = &child->openDocument()->document.view;
        s = frame->screenScale();
    }
    Document& document() { return child->openDocument()->document; }
    // A drag from `from` to `to` with the buttons held, as press, moves and release.
    void drag(QPoint from, QPoint to, Qt::MouseButtons held,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const Qt::MouseButton first = held.testFlag(Qt::LeftButton) ? Qt::LeftButton : Qt::RightButton;
        sendMouse(child, QEvent::MouseButtonPress, from, first, first, modifiers);
        if (held != first) sendMouse(child, QEvent::MouseButtonPress, from, Qt::RightButton, held, modifiers);
        const QPoint middle = (from + to) / 2;
        sendMouse(child, QEvent::MouseMove, middle, Qt::NoButton, held, modifiers);
        sendMouse(child, QEvent::MouseMove, to, Qt::NoButton, held, modifiers);
        if (held != first)
            sendMouse(child, QEvent::MouseButtonRelease, to, Qt::RightButton, first, modifiers);
        sendMouse(child, QEvent::MouseButtonRelease, to, first, Qt::NoButton, modifiers);
    }

    CChildFrame* child = nullptr;
    ViewState* view = nullptr;
    float s = 1.0f;
};

TEST_F(ViewTest, MouseGesturesMoveTheCameraAndLeaveOneUndoStepEach) {
    ASSERT_GT(s, 0.0f);
    const int records = document().history().size();

    drag({100, 100}, {140, 200}, Qt::LeftButton);  // rotate
    EXPECT_NEAR(view->tiltX, -60.0 + 100 * 180.0 / (s * 400), 1e-3);
    EXPECT_NEAR(view->spinZ, -135.0 + 40 * 180.0 / (s * 400), 1e-3);
    EXPECT_EQ(document().history().size(), records + 1);
    EXPECT_TRUE(frame->action(command::kUndo)->isEnabled());

    drag({100, 100}, {180, 60}, Qt::RightButton);  // pan, following the mouse
    EXPECT_NEAR(view->panX, 15.0 * 80 / (s * 800), 1e-5);
    EXPECT_NEAR(view->panY, 15.0 * 40 / (s * 800), 1e-5);
    EXPECT_EQ(document().history().size(), records + 2);

    drag({100, 100}, {140, 200}, Qt::LeftButton | Qt::RightButton);  // zoom: moving down goes away
    EXPECT_NEAR(view->viewDistance, -15.0 * (1 + 50.0 / (s * 500)) * (1 + 50.0 / (s * 500)), 1e-3);
    EXPECT_EQ(document().history().size(), records + 3);

    const float tilt = view->tiltX;
    drag({100, 100}, {100, 220}, Qt::LeftButton, Qt::ShiftModifier);  // Shift turns slower
    EXPECT_NEAR(view->tiltX, tilt + 120 * 180.0 / (s * 1200), 1e-3);

    // Undo walks the camera back gesture by gesture.
    frame->undo();
    EXPECT_FLOAT_EQ(view->tiltX, tilt);
    frame->undo();
    frame->undo();
    frame->undo();
    EXPECT_FLOAT_EQ(view->tiltX, -60.0f);
    EXPECT_FLOAT_EQ(view->spinZ, -135.0f);
    EXPECT_FLOAT_EQ(view->panX, 0.0f);
    EXPECT_FALSE(frame->action(command::kUndo)->isEnabled());
    frame->redo();
    EXPECT_NEAR(view->tiltX, -60.0 + 100 * 180.0 / (s * 400), 1e-3);
    EXPECT_TRUE(frame->action(command::kRedo)->isEnabled());
}

TEST_F(ViewTest, HoveredPointShowsItsNameAndBlocksTheGesture) {
    ASSERT_NE(frame->openDocument(dataFile("sample.g3d")), nullptr);
    child = frame->activeChild();
    ASSERT_TRUE(shown(child));
    view = &document().view;
    // Point A sits at the origin.
    double x = 0, y = 0, depth = 0;
    ASSERT_TRUE(projectPoint(*view, child->viewport(), {0, 0, 0}, x, y, depth));
    const QPoint a(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    sendMouse(child, QEvent::MouseMove, a, Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(child->session()->hover().hovered);
    EXPECT_EQ(child->session()->hover().hoveredElement, document().construction().at(0));
    const TextLookup text = [](int id) { return englishTexts().text(id); };
    EXPECT_EQ(hoverText(child->session()->hover(), text), englishTexts().text(textid::kKindPoint) + " A");

    // With Shift held picking waits.
    sendMouse(child, QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
    EXPECT_TRUE(child->session()->hover().hovered);

    // A drag that starts on the point moves the point, as one undo step, and
    // leaves the camera alone.
    const int records = document().history().size();
    drag(a, a + QPoint(60, 90), Qt::LeftButton);
    EXPECT_FLOAT_EQ(view->tiltX, -60.0f);
    EXPECT_EQ(document().history().size(), records + 1);

    // Off the construction nothing is hovered.
    sendMouse(child, QEvent::MouseMove, {2, 2}, Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(child->session()->hover().hovered);
}

TEST_F(ViewTest, AxesProjectionsAndStandardViews) {
    QAction* axes = frame->action(command::kAxes);
    EXPECT_TRUE(axes->isChecked());
    axes->trigger();
    EXPECT_EQ(view->showAxes, 0);
    EXPECT_FALSE(axes->isChecked());
    EXPECT_TRUE(document().modified);

    frame->action(command::kParallelProjection)->trigger();
    EXPECT_EQ(view->projection, 1);
    EXPECT_TRUE(frame->action(command::kParallelProjection)->isChecked());
    EXPECT_FALSE(frame->action(command::kCentralProjection)->isChecked());
    frame->action(command::kCentralProjection)->trigger();
    EXPECT_EQ(view->projection, 0);

    const int records = document().history().size();
    view->panX = 2.0f;
    frame->action(kCommandYzDown)->trigger();
    EXPECT_FLOAT_EQ(view->tiltX, -90.0f);
    EXPECT_FLOAT_EQ(view->spinZ, 90.0f);
    EXPECT_FLOAT_EQ(view->panX, 0.0f);
    EXPECT_EQ(document().history().size(), records + 1);
    frame->action(kCommandCentreView)->trigger();
    EXPECT_FLOAT_EQ(view->tiltX, -60.0f);
    EXPECT_FLOAT_EQ(view->spinZ, -135.0f);
    frame->undo();
    EXPECT_FLOAT_EQ(view->tiltX, -90.0f);

    // Each view remembers its own options: the menus follow the active one.
    CChildFrame* other = frame->newDocument();
    ASSERT_TRUE(shown(other));
    EXPECT_TRUE(axes->isChecked());
}

TEST_F(ViewTest, AutomaticRotationTicks) {
    QAction* f5 = frame->action(command::kAutoRotation);
    EXPECT_EQ(f5->shortcut(), QKeySequence(Qt::Key_F5));
    f5->trigger();
    ASSERT_EQ(view->autoRotate, 1);
    EXPECT_TRUE(f5->isChecked());
    const float start = view->spinZ;
    frame->idleTick(100000);  // the first tick after the start turns nothing
    EXPECT_FLOAT_EQ(view->spinZ, start);
    frame->idleTick(100250);  // 250 ms at speed 2: 10°
    EXPECT_NEAR(view->spinZ, start + 10.0f, 1e-4);
    frame->idleTick(100260);  // under 11 ms: nothing
    EXPECT_NEAR(view->spinZ, start + 10.0f, 1e-4);
    frame->idleTick(100285);  // 35 ms since the last tick that turned
    EXPECT_NEAR(view->spinZ, start + 11.4f, 1e-4);

    // No camera records while rotating; switching off records where it stopped.
    const int records = document().history().size();
    drag({50, 50}, {50, 90}, Qt::LeftButton);
    EXPECT_EQ(document().history().size(), records);
    f5->trigger();
    EXPECT_EQ(view->autoRotate, 0);
    EXPECT_TRUE(frame->clock().paused());
    EXPECT_EQ(document().history().size(), records + 1);
    const float stopped = view->spinZ;
    frame->idleTick(101000);
    EXPECT_FLOAT_EQ(view->spinZ, stopped);

    // On again: the first tick after the restart turns 0° however long it was off.
    f5->trigger();
    frame->idleTick(105000);
    EXPECT_FLOAT_EQ(view->spinZ, stopped);
    // Another window becoming current pauses the ticks.
    CChildFrame* other = frame->newDocument();
    ASSERT_TRUE(shown(other));
    EXPECT_TRUE(frame->clock().paused());
    frame->idleTick(106000);
    EXPECT_FLOAT_EQ(view->spinZ, stopped);
}

TEST_F(ViewTest, NamesUseTheCharsetOnlyWhileTheWindowIsMaximised) {
    QMdiSubWindow* window = windowOf(child);
    window->showMaximized();
    processEventsUntil([&] { return window->isMaximized(); });
    EXPECT_EQ(child->labelPath(), LabelPath::Charset);
    window->showNormal();
    processEventsUntil([&] { return !window->isMaximized(); });
    EXPECT_EQ(child->labelPath(), LabelPath::ScreenText);
}

TEST_F(ViewTest, ImageOutputs) {
    // A view 101 pixels wide: a 100-pixel clipboard image, a 101-pixel bitmap with 304-byte rows.
    QMdiSubWindow* window = windowOf(child);
    window->showNormal();
    child->setFixedSize(101, 60);
    processEventsUntil([&] { return child->width() == 101 && child->height() == 60; });
    ASSERT_EQ(child->viewport().width, 101);

    child->copyImage();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.width(), 100);
    EXPECT_EQ(copied.height(), 60);

    prompts->savePath = temp("view.bmp");
    frame->action(command::kSaveBitmap)->trigger();
    ASSERT_EQ(prompts->saveRequests.size(), 1u);
    EXPECT_EQ(prompts->saveRequests[0].filter, "Bitmaps (*.bmp)");
    EXPECT_EQ(prompts->saveRequests[0].initialName, "Construction 1");
    const std::vector<std::uint8_t> bmp = fileBytes(temp("view.bmp"));
    ASSERT_EQ(bmp.size(), 54u + 304u * 60u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(u32(bmp, 18), 101u);
    EXPECT_EQ(u32(bmp, 22), 60u);
    EXPECT_TRUE(prompts->messages.empty());

    prompts->savePath = temp("no-folder/view.bmp");
    frame->action(command::kSaveBitmap)->trigger();
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].first, kCannotCreateFileMessage);

    // Printing keeps the page that Print options chose: here a landscape one.
    const auto printedPage = [&](const char* name) {
        prompts->pdfPath = temp(name);
        frame->action(command::kPrint)->trigger();
        const std::vector<std::uint8_t> bytes = fileBytes(temp(name));
        const std::string pdf(bytes.begin(), bytes.end());
        EXPECT_EQ(pdf.substr(0, 4), "%PDF");
        const std::size_t box = pdf.find("/MediaBox [");
        double x = 0, y = 0, width = 0, height = 0;
        if (box == std::string::npos ||
            std::sscanf(pdf.c_str() + box + 11, "%lf %lf %lf %lf", &x, &y, &width, &height) != 4)
            return QSizeF();
        return QSizeF(width - x, height - y);
    };
    const QSizeF portrait = printedPage("view.pdf");
    EXPECT_GT(portrait.height(), portrait.width());
    prompts->pageOrientation = QPageLayout::Landscape;
    frame->runCommand(32783);  // Print options
    const QSizeF landscape = printedPage("landscape.pdf");
    EXPECT_EQ(landscape, portrait.transposed());
}
