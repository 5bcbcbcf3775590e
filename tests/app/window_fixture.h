#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/child_frame.h"
#include "app/main_frame.h"
#include "fake_prompts.h"
#include "lang/text_table.h"

inline const TextTable& englishTexts() {
    static const TextTable texts = [] {
        TextTable t;
        t.load(std::filesystem::path(KOVA_SOURCE_DIR) / "Languages" / "English.lng");
        return t;
    }();
    return texts;
}

inline std::string dataFile(const char* name) {
    return std::string(KOVA_TEST_DATA_DIR) + "/" + name;
}

// Lets the event loop run until the condition holds or a second has passed.
template <typename Condition>
bool processEventsUntil(Condition done, int milliseconds = 1000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// A shown main window with scripted prompts. Documents left modified are
// dropped without a question when the window goes.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!renderingContextAvailable()) GTEST_SKIP() << "no OpenGL context on this display";
        auto p = std::make_unique<FakePrompts>();
        prompts = p.get();
        frame = std::make_unique<CMainFrame>(englishTexts(), std::move(p));
        frame->resize(900, 700);
        frame->show();
        processEventsUntil([&] { return frame->isVisible(); });
        tempDir = std::filesystem::temp_directory_path() /
                  ("kova_app_" + std::to_string(QCoreApplication::applicationPid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(tempDir);
    }
    void TearDown() override {
        frame.reset();
        std::error_code ignored;
        if (!tempDir.empty()) std::filesystem::remove_all(tempDir, ignored);
    }

    // Waits until the child's view has its context and has drawn once.
    bool shown(CChildFrame* child) {
        return child && processEventsUntil([&] { return child->isValid() && child->isVisible(); });
    }
    QMdiSubWindow* windowOf(CChildFrame* child) const {
        for (QMdiSubWindow* w : frame->mdiArea()->subWindowList())
            if (w->widget() == child) return w;
        return nullptr;
    }
    std::string temp(const char* name) const { return (tempDir / name).string(); }

    FakePrompts* prompts = nullptr;
    std::unique_ptr<CMainFrame> frame;
    std::filesystem::path tempDir;
};

// Mouse events as the window system delivers them to the view.
inline void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(w, &event);
}
