#include "app/help_window.h"

#include <QUrl>

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setOpenExternalLinks(false);
    resize(760, 620);
}

void HelpWindow::showPage(const std::filesystem::path& folder, const std::string& page) {
    const std::size_t hash = page.find('#');
    QUrl url = QUrl::fromLocalFile(QString::fromStdString((folder / page.substr(0, hash)).string()));
    if (hash != std::string::npos) url.setFragment(QString::fromStdString(page.substr(hash + 1)));
    setSource(url);
    show();
    raise();
    activateWindow();
}
