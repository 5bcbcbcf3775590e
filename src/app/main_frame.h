#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPrinter>
#include <QTimer>
#include <map>
#include <memory>
#include <string>

#include "app/construction_list.h"
#include "app/document_window_host.h"
#include "app/help_window.h"
#include "app/menu_table.h"
#include "app/open_documents.h"
#include "app/settings.h"
#include "app/user_prompts.h"
#include "lang/text_table.h"
#include "model/clipboard.h"
#include "view/auto_rotation.h"

class CChildFrame;
class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;

// The main window: a multiple-document frame holding one CChildFrame per open
// document. It owns the documents, the program's clipboard, the menus and tool
// bars (built from the menu table), the status bar, the current tool and the
// idle ticks of automatic rotation, and routes every command to the active
// document.
class CMainFrame : public QMainWindow, public DocumentWindowHost {
    Q_OBJECT

  public:
    // The texts are those of the loaded language (the window keeps its own
    // copy, which a language switch replaces); prompts default to the real dialogs.
    explicit CMainFrame(const TextTable& texts, std::unique_ptr<UserPrompts> prompts = nullptr);
    ~CMainFrame() override;

    // Start-up: the file named on the command line, or (also when it cannot be
    // opened) a new empty document.
    // Each file in a window of its own, in order; a new document when none opens.
    void openStartDocuments(const std::vector<std::string>& paths);

    // File commands. Each returns the window it made or activated, or nullptr.
    CChildFrame* newDocument();
    CChildFrame* openDocument(const std::string& path);
    void openWithDialog();
    bool saveDocument(CChildFrame* child);
    bool saveDocumentAs(CChildFrame* child);
    // Closes every document window; false when the user kept one open.
    bool closeAllDocuments();
    void closeActiveDocument();

    // Runs a menu command as choosing it does.
    void runCommand(int commandId);
    // Makes a tool current on the active document (no document: nothing).
    void setTool(int toolNumber);

    // Called by a child window asked to close: stops its rotation, asks about
    // unsaved changes and, when it may close, destroys its document.
    bool closeChild(CChildFrame* child) override;
    // The document of the child changed in a way the menus show.
    void documentChanged(CChildFrame* child) override;
    void viewChanged(CChildFrame* child) override;
    void toolChanged(CChildFrame* child, int toolNumber) override;

    // The document window the commands act on (the last one activated).
    CChildFrame* activeChild() const { return current_; }
    QList<CChildFrame*> children() const;
    QMdiArea* mdiArea() const { return mdi_; }
    QAction* action(int commandId) const;
    // The tool bars: the main bar and the construction bar with and without flyouts.
    QToolBar* mainBar() const { return mainBar_; }
    QToolBar* flyoutBar() const { return flyoutBar_; }
    QToolBar* longBar() const { return longBar_; }
    // The flyout button of a group, by the command of its first tool.
    QToolButton* flyoutButton(int commandId) const;
    // The status bar's tool pane.
    QString toolPaneText() const;

    void setAutoRotation(bool on);
    bool autoRotating() const;
    void undo();
    void redo();
    void toggleShowHidden();
    // The tool bars' and status bar's visibility, and the flyout buttons.
    void toggleBar(int commandId);

    // Idle ticks: they run while the current document rotates by itself.
    void resumeTicksIfNeeded() override;
    void pauseTicks();
    // One tick at the given time of the millisecond clock.
    void idleTick(std::uint32_t now);
    IdleClock& clock() { return clock_; }

    const TextTable& texts() const override { return texts_; }
    UserPrompts& prompts() override { return *prompts_; }
    Clipboard& clipboard() override { return clipboard_; }
    QPrinter& printer() override;
    DocumentList& documents() { return documents_; }
    int currentTool() const { return currentTool_; }
    bool showHidden() const override { return showHidden_; }
    // The hover text takes the hovered element's colour with the cursor-message option.
    bool colouredLabels() const override { return settings_.cursorMessageOption != 0; }
    float screenScale() const override;
    std::string macroDirectory() const override;
    void setMacroDirectory(const std::string& directory) override {
        settings_.lastMacroDirectory = directory;
    }
    DocumentDefaults documentDefaults() const;

    // main_frame_list.cpp: the construction list of the active document.
    ConstructionList* constructionList() const { return constructionList_; }
    void toggleConstructionList();
    void makeConstructionList();
    void refreshConstructionList();

    // main_frame_help.cpp: help on a tool's page (a negative number: the
    // contents) in the help window, and the About box.
    void showHelp(int toolNumber);
    void showAbout();
    void printOptions();
    // Where the help pages are looked for; the program's own folder rule by default.
    void setHelpRoot(const std::filesystem::path& root) { helpRoot_ = root; }
    HelpWindow* helpWindow() const { return helpWindow_; }

    // main_frame_modes.cpp: full screen and viewer mode.
    void toggleFullScreen();
    void toggleViewerMode();
    bool fullScreen() const { return fullScreen_; }
    bool viewerMode() const { return viewerMode_; }
    QToolBar* viewerBar() const { return viewerBar_; }

    // main_frame_settings.cpp: the program-wide settings. Restores the window,
    // the bars, the recent files and the decimals from them; with a store,
    // the settings are written back to it when the window closes.
    void restoreSettings(const AppSettings& settings, QSettings* store);
    // Shows the window in the stored show state.
    void showAsStored();
    // The settings as the window stands now.
    AppSettings currentSettings() const;
    void setLanguageFile(const std::string& fileName) { settings_.language = fileName; }

    // main_frame_options.cpp: the options, and the language switch they use.
    // Loads a language file of the languages folder and re-labels at once the
    // menus, the tool bars' tips, the status bar and the construction list;
    // false, with the texts as they were, when it cannot be loaded.
    bool switchLanguage(const std::string& fileName);
    void setLanguagesFolder(const std::filesystem::path& folder) { languagesFolder_ = folder; }
    // Opens the options over the current settings and the active document,
    // and applies what they confirm.
    void showOptions();
    // Applies confirmed options: the language, the list's look, the decimals
    // and flags of every view, and redraws.
    void applyOptions(const OptionsDialog& options, const ProgramOptions& program);
    // "Font": a font for the selected numbers and coordinates, one undo step.
    void chooseSelectionFont();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Construction files dropped on the window open as from the Open command.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // main_frame_commands.cpp: menus, tool bars, status bar.
    void buildMenus();
    QAction* makeAction(const MenuRow& row);
    void buildToolBars();
    QToolBar* makeToolBar(std::span<const int> commands, bool flyouts);
    void relabelMenus();
    void rebuildRecentFiles();
    void listWindows();  // the Window menu's list of the documents' windows
    void updateCommandStates();
    void showCurrentTool();
    void updateStatus();
    CChildFrame* addChild(OpenDocument* document);
    QMdiSubWindow* subWindowOf(const CChildFrame* child) const;
    void activateChild(CChildFrame* child);
    void subWindowActivated(QMdiSubWindow* window);
    void showMessageId(int textId, MessageIcon icon);
    // Every command on the active document.
    template <typename F>
    void onActive(F&& act);

    TextTable texts_;
    std::filesystem::path languagesFolder_;
    std::unique_ptr<UserPrompts> prompts_;
    DocumentList documents_;
    QMdiArea* mdi_ = nullptr;
    CChildFrame* current_ = nullptr;
    Clipboard clipboard_;
    std::unique_ptr<QPrinter> printer_;  // made at its first use
    std::map<int, QAction*> actions_;
    std::map<QMenu*, int> menus_;  // menu or sub-menu → its text id
    QMenu* recentMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    std::vector<QAction*> windowItems_;  // the windows listed at the end of the Window menu
    QActionGroup* projectionGroup_ = nullptr;
    QActionGroup* toolGroup_ = nullptr;
    QToolBar* mainBar_ = nullptr;
    QToolBar* flyoutBar_ = nullptr;
    QToolBar* longBar_ = nullptr;
    std::map<int, QToolButton*> flyoutButtons_;  // by the group's first command
    QLabel* toolPane_ = nullptr;
    bool flyouts_ = true;
    bool constructionBarShown_ = true;
    int currentTool_ = 0;
    bool showHidden_ = false;
    IdleClock clock_;
    QTimer tickTimer_;
    QElapsedTimer millisecondClock_;
    ConstructionList* constructionList_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    QToolBar* viewerBar_ = nullptr;
    bool fullScreen_ = false;
    bool viewerMode_ = false;
    // What full screen and viewer mode hide, to show again when they end.
    bool statusBarBeforeFullScreen_ = true;
    struct BarsBeforeViewer {
        bool main = true;
        bool construction = true;
        bool status = true;
    } barsBeforeViewer_;
    std::filesystem::path helpRoot_;
    AppSettings settings_;
    QSettings* settingsStore_ = nullptr;
};
