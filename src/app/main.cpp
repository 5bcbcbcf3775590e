#include <QApplication>
#include <QSurfaceFormat>
#include <cstdio>
#include <exception>

#include "app/application.h"
#include "app/child_frame.h"
#include "app/command_line.h"

int main(int argc, char** argv) {
    const ProgramArguments arguments = parseProgramArguments(argc, argv);
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "kova3d: %s\n%s", arguments.error.c_str(), programUsage().c_str());
        return 1;
    }
    if (arguments.help || arguments.version) {
        std::printf("%s\n", (arguments.help ? programUsage() : programVersionLine()).c_str());
        return 0;
    }
    // Events end their own exceptions (KovaApplication); this catches what is left, at start and end.
    try {
        // Every view renders with the same kind of context, and the views share their objects.
        QSurfaceFormat::setDefaultFormat(CChildFrame::viewFormat());
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        KovaApplication app(argc, argv);
        return runKova3d(app, arguments.files);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kova3d: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kova3d: the program stopped on an unknown error\n");
    }
    return 1;
}
