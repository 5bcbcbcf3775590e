#include <QApplication>
#include <QSurfaceFormat>

#include "app/application.h"
#include "app/child_frame.h"

int main(int argc, char** argv) {
    // Every view renders with the same kind of context, and the views share their objects.
    QSurfaceFormat::setDefaultFormat(CChildFrame::viewFormat());
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return runKova3d(app);
}
