#include <QApplication>
#include <QSurfaceFormat>
#include <cstdio>
#include <exception>

#include "app/application.h"
#include "app/child_frame.h"

int main(int argc, char** argv) {
    // Events end their own exceptions (KovaApplication); this catches what is left, at start and end.
    try {
        // Every view renders with the same kind of context, and the views share their objects.
        QSurfaceFormat::setDefaultFormat(CChildFrame::viewFormat());
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        KovaApplication app(argc, argv);
        return runKova3d(app);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kova3d: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kova3d: the program stopped on an unknown error\n");
    }
    return 1;
}
