#include <gtest/gtest.h>

#include <QApplication>
#include <QSurfaceFormat>
#include <cstdlib>

#include "app/child_frame.h"
#include "view/gl/qt_text.h"

// The window tests need a QApplication, made once for the whole run, with the
// view's context format. Without a display (a listing of the tests at build
// time, say) the offscreen platform serves; the tests that need a rendering
// context then skip.
int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QSurfaceFormat::setDefaultFormat(CChildFrame::viewFormat());
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    installQtTextMeasure();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
