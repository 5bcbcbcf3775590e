#include "app/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QScreen>
#include <cstdio>
#include <exception>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/start_language.h"
#include "lang/language_files.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"

bool KovaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kova3d: an action was stopped: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kova3d: an action was stopped\n");
    }
    return false;
}

bool renderingContextAvailable() {
    QOpenGLContext context;
    context.setFormat(CChildFrame::viewFormat());
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
    context.doneCurrent();
    return true;
}

std::string noRenderingContextMessage(const TextTable& texts) {
    return texts.text(textid::kNoRenderingContext) + "\n" + texts.text(textid::kProgramWillClose);
}

int runKova3d(QApplication& app, const std::vector<std::string>& files) {
    QApplication::setApplicationName(QStringLiteral("KOVA 3D"));

    TextTable texts;
    const std::filesystem::path programDirectory = QCoreApplication::applicationDirPath().toStdString();
    // No settings are kept yet, so no language is named: English, else the first file.
    if (loadStartLanguage(texts, languagesFolder(programDirectory), std::string()).empty()) {
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromUtf8(kNoLanguageFilesMessage));
        return 1;
    }
    if (!renderingContextAvailable()) {
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromStdString(noRenderingContextMessage(texts)));
        return 1;
    }

    CMainFrame frame(texts);
    // The placement of a first start: 690 × 490 at (10, 10), shown maximised.
    frame.setGeometry(10, 10, 690, 490);
    frame.openStartDocuments(files);
    frame.showMaximized();
    return app.exec();
}
