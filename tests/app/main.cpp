#include <gtest/gtest.h>

#include <dlfcn.h>
#include <QApplication>
#include <QSurfaceFormat>
#include <cstdlib>

#include "app/application.h"
#include "app/child_frame.h"

// Under the leak checker: the GLX driver that a window's OpenGL context loads
// and the D-Bus connection of the platform keep allocations to the end of the
// process. They are the libraries', not the program's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libGLX_mesa.so\nleak:libdbus-1.so\nleak:swrast_dri.so\nleak:libLLVM\n";
}

// The window tests need a QApplication, made once for the whole run, with the
// view's context format. Without a display (a listing of the tests at build
// time, say) the offscreen platform serves; the tests that need a rendering
// context then skip.
int main(int argc, char** argv) {
    // The driver is unloaded when the display closes, before the leak checker
    // runs; kept loaded, its allocations are named and suppressed above.
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QSurfaceFormat::setDefaultFormat(CChildFrame::viewFormat());
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    KovaApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
