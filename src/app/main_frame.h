#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <map>
#include <memory>
#include <string>

#include "app/document_window_host.h"
#include "app/open_documents.h"
#include "app/user_prompts.h"
#include "lang/text_table.h"
#include "view/auto_rotation.h"

class CChildFrame;
class QAction;
class QActionGroup;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

// Command ids of the main window's menus (those shared with the language
// table's menu rows).
namespace command {
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kClose = 57602;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 32781;
inline constexpr int kSaveBitmap = 32782;
inline constexpr int kPrint = 57607;
inline constexpr int kRecentFiles = 32786;
inline constexpr int kFirstRecentFile = 32787;  // … 32796
inline constexpr int kExit = 57665;
inline constexpr int kAutoRotation = 5103;
inline constexpr int kAxes = 32801;
inline constexpr int kCentralProjection = 32809;
inline constexpr int kParallelProjection = 32810;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kCopyImage = 32780;
inline constexpr int kCascade = 57650;
inline constexpr int kTile = 57652;
inline constexpr int kCloseAll = 32779;
}  // namespace command

// The main window: a multiple-document frame holding one CChildFrame per open
// document. It owns the documents, the menus and their commands, the current
// tool and the idle ticks of automatic rotation, and routes every command to
// the active document.
class CMainFrame : public QMainWindow, public DocumentWindowHost {
    Q_OBJECT

  public:
    // The texts are those of the loaded language; prompts default to the real dialogs.
    explicit CMainFrame(const TextTable& texts, std::unique_ptr<UserPrompts> prompts = nullptr);
    ~CMainFrame() override;

    // Start-up: the file named on the command line, or (also when it cannot be
    // opened) a new empty document.
    void openStartDocument(const std::string& path);

    // File commands. Each returns the window it made or activated, or nullptr.
    CChildFrame* newDocument();
    CChildFrame* openDocument(const std::string& path);
    void openWithDialog();
    bool saveDocument(CChildFrame* child);
    bool saveDocumentAs(CChildFrame* child);
    // Closes every document window; false when the user kept one open.
    bool closeAllDocuments();

    // Called by a child window asked to close: stops its rotation, asks about
    // unsaved changes and, when it may close, destroys its document.
    bool closeChild(CChildFrame* child) override;
    // The document of the child changed in a way the menus show.
    void documentChanged(CChildFrame* child) override;

    // The document window the commands act on (the last one activated).
    CChildFrame* activeChild() const { return current_; }
    QList<CChildFrame*> children() const;
    QMdiArea* mdiArea() const { return mdi_; }
    QAction* action(int commandId) const;

    void setAutoRotation(bool on);
    void undo();
    void redo();

    // Idle ticks: they run while the current document rotates by itself.
    void resumeTicksIfNeeded() override;
    void pauseTicks();
    // One tick at the given time of the millisecond clock.
    void idleTick(std::uint32_t now);
    IdleClock& clock() { return clock_; }

    const TextTable& texts() const override { return texts_; }
    UserPrompts& prompts() override { return *prompts_; }
    DocumentList& documents() { return documents_; }
    int currentTool() const override { return currentTool_; }
    bool showHidden() const override { return showHidden_; }
    bool colouredLabels() const override { return colouredLabels_; }
    float screenScale() const override;
    DocumentDefaults documentDefaults() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    QAction* addCommand(QMenu* menu, int commandId, void (CMainFrame::*slot)());
    void relabelMenus();
    void rebuildRecentFiles();
    void updateCommandStates();
    CChildFrame* addChild(OpenDocument* document);
    QMdiSubWindow* subWindowOf(const CChildFrame* child) const;
    void activateChild(CChildFrame* child);
    void subWindowActivated(QMdiSubWindow* window);
    void showMessageId(int textId, MessageIcon icon);
    // Every command on the active document.
    template <typename F>
    void onActive(F&& act);

    const TextTable& texts_;
    std::unique_ptr<UserPrompts> prompts_;
    DocumentList documents_;
    QMdiArea* mdi_ = nullptr;
    CChildFrame* current_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<QMenu*, int> topMenus_;  // menu → its text id
    QMenu* recentMenu_ = nullptr;
    QActionGroup* projectionGroup_ = nullptr;
    int currentTool_ = 0;
    bool showHidden_ = false;
    bool colouredLabels_ = false;
    IdleClock clock_;
    QTimer tickTimer_;
    QElapsedTimer millisecondClock_;
};
