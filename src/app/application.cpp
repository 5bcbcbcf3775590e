#include "app/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QScreen>
#include <QSettings>
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

    // The settings of the user's configuration folder: ~/.config/KOVA/KOVA 3D 5.conf
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("KOVA"),
                    QStringLiteral("KOVA 3D 5"));
    AppSettings settings;
    loadSettings(store, settings);

    TextTable texts;
    const std::filesystem::path programDirectory = QCoreApplication::applicationDirPath().toStdString();
    const std::string language =
        loadStartLanguage(texts, languagesFolder(programDirectory), settings.language);
    if (language.empty()) {
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
    settings.language = language;
    frame.restoreSettings(settings, &store);
    frame.openStartDocuments(files);
    frame.showAsStored();
    return app.exec();
}
