#pragma once

#include <QTextBrowser>
#include <filesystem>

// The program's help: its HTML pages in a window of their own, with the
// links between them followed inside it.
class HelpWindow : public QTextBrowser {
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows a page of a language folder, "page.html" or "page.html#anchor".
    void showPage(const std::filesystem::path& folder, const std::string& page);
};
