#include <QCoreApplication>
#include <QMessageBox>
#include <filesystem>

#include "app/main_frame.h"
#include "io/document_file.h"
#include "lang/help_files.h"
#include "lang/language_files.h"
#include "lang/text_ids.h"

void CMainFrame::showHelp(int toolNumber) {
    if (helpRoot_.empty())
        helpRoot_ = programDataFolder(QCoreApplication::applicationDirPath().toStdString(), "help");
    const std::filesystem::path folder = helpRoot_ / helpFolderName(texts_.text(TextTable::kLanguageNameId));
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        showMessageId(textid::kHelpFileMissing, MessageIcon::Warning);
        return;
    }
    if (!helpWindow_) helpWindow_ = new HelpWindow(this);
    helpWindow_->setWindowTitle(QString::fromStdString(texts_.text(textid::kItemHelpContents)));
    helpWindow_->showPage(folder, helpPageOfTool(helpRoot_, toolNumber));
}

void CMainFrame::showAbout() {
    const int major = static_cast<int>(kProgramVersion / 1000);
    const int minor = static_cast<int>(kProgramVersion / 100 % 10);
    const int patch = static_cast<int>(kProgramVersion % 100);
    const QString text = QStringLiteral(
                             "<h3>KOVA 3D %1.%2.%3</h3>"
                             "<p>Interactive three-dimensional dynamic geometry.</p>"
                             "<p>Built with: Qt %4 (LGPL 3), Mesa OpenGL, GLU and EGL (MIT and SGI Free "
                             "Software License B), nlohmann/json (MIT).</p>")
                             .arg(major)
                             .arg(minor)
                             .arg(patch)
                             .arg(QString::fromLatin1(qVersion()));
    QMessageBox::about(this, QString::fromStdString(texts_.text(textid::kItemAbout)), text);
}
