#include "app/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QSplashScreen>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "app/child_frame.h"
#include "app/command_line.h"
#include "app/icons.h"
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
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("kova3d"));  // its desktop entry, kova3d.desktop
    // The start-up screen: the name and the version, for a second.
    QPixmap picture(360, 140);
    picture.fill(QColor(0x20, 0x40, 0xA0));
    {
        QPainter painter(&picture);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(34);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(0, 20, 360, 60), Qt::AlignCenter, QStringLiteral("KOVA 3D"));
        font.setPixelSize(16);
        font.setBold(false);
        painter.setFont(font);
        painter.drawText(QRect(0, 80, 360, 30), Qt::AlignCenter,
                         QString::fromStdString(programVersionLine()));
    }
    auto* splash = new QSplashScreen(picture);
    splash->show();
    QTimer::singleShot(1000, splash, [splash] { splash->deleteLater(); });

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
        delete splash;
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromUtf8(kNoLanguageFilesMessage));
        return 1;
    }
    if (!renderingContextAvailable()) {
        delete splash;
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
