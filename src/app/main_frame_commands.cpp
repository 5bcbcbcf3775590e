// The main window's menus, tool bars and status bar, all built from the menu
// table, and the routing of their commands to the main window, the active
// view's session or its tools.

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/child_frame.h"
#include "app/icons.h"
#include "app/main_frame.h"
#include "interaction/tool_table.h"
#include "lang/text_ids.h"
#include "view/camera_controls.h"

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Menu captions come from the language files, where '&' is plain text.
QString menuCaption(const std::string& text) {
    return QString::fromStdString(text).replace('&', QStringLiteral("&&"));
}

// A tool whose clicks the program handles yet.
bool usableTool(int id) {
    const ToolRow* tool = toolRowOfCommand(id);
    return tool && tool->action != ToolAction::Later;
}

constexpr int kButtonIconPixels = 24;  // in a 30 × 30 button

}  // namespace

// ---- menus

QAction* CMainFrame::makeAction(const MenuRow& row) {
    auto* action = new QAction(this);
    const int id = row.commandId;
    if (!row.shortcut.empty()) action->setShortcut(QKeySequence(fromView(row.shortcut)));
    if (!row.icon.empty()) action->setIcon(commandIcon(fromView(row.icon)));
    if (toolRowOfCommand(id)) {
        action->setCheckable(true);
        toolGroup_->addAction(action);
    } else if (row.has(kToggle)) {
        action->setCheckable(true);
    }
    if (id == command::kCentralProjection || id == command::kParallelProjection)
        projectionGroup_->addAction(action);
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    actions_[id] = action;
    return action;
}

void CMainFrame::buildMenus() {
    toolGroup_ = new QActionGroup(this);
    toolGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    projectionGroup_ = new QActionGroup(this);
    QMenu* menu = nullptr;
    QMenu* subMenu = nullptr;
    for (const MenuRow& row : menuRows()) {
        if (row.level == 0) {
            menu = menuBar()->addMenu(QString());
            menus_[menu] = row.textId;
            if (row.textId == textid::kMenuWindow) {
                windowMenu_ = menu;
                connect(menu, &QMenu::aboutToShow, this, &CMainFrame::listWindows);
            }
            continue;
        }
        QMenu* into = row.level == 2 ? subMenu : menu;
        if (!into) continue;
        if (row.commandId == 0 && row.textId == 0) {
            into->addSeparator();
        } else if (row.commandId == 0 || row.commandId == command::kRecentFiles) {
            subMenu = into->addMenu(QString());
            menus_[subMenu] = row.textId;
            if (row.commandId == command::kRecentFiles) {
                recentMenu_ = subMenu;
                actions_[command::kRecentFiles] = subMenu->menuAction();
            }
        } else {
            into->addAction(makeAction(row));
        }
    }
}

// After its commands, the Window menu lists the documents' windows, the
// active one checked; the first nine take the digits as their keys.
void CMainFrame::listWindows() {
    for (QAction* item : windowItems_) delete item;
    windowItems_.clear();
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (windows.isEmpty()) return;
    windowItems_.push_back(windowMenu_->addSeparator());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = windowMenu_->addAction(
            (number <= 9 ? QStringLiteral("&%1 ").arg(number) : QStringLiteral("%1 ").arg(number)) + title);
        item->setCheckable(true);
        item->setChecked(window == mdi_->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (window) mdi_->setActiveSubWindow(window);
        });
        windowItems_.push_back(item);
    }
}

void CMainFrame::relabelMenus() {
    for (auto& [menu, textId] : menus_) menu->setTitle(menuCaption(texts_.text(textId)));
    for (auto& [id, action] : actions_) {
        const MenuRow* row = menuRow(id);
        if (!row || id == command::kRecentFiles) continue;
        action->setText(menuCaption(menuItemCaption(texts_, *row)));
        action->setToolTip(QString::fromStdString(texts_.text(row->textId)));
    }
}

void CMainFrame::rebuildRecentFiles() {
    recentMenu_->clear();
    const auto& entries = documents_.recentFiles().entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string path = entries[i];
        QAction* a = recentMenu_->addAction(QStringLiteral("&%1 ").arg(i + 1) + menuCaption(path));
        a->setData(command::kFirstRecentFile + static_cast<int>(i));
        connect(a, &QAction::triggered, this, [this, path] { openDocument(path); });
    }
    recentMenu_->setEnabled(!entries.empty());
}

QAction* CMainFrame::action(int commandId) const {
    auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

// ---- tool bars

QToolBar* CMainFrame::makeToolBar(std::span<const int> commands, bool flyouts) {
    auto* bar = new QToolBar(this);
    bar->setIconSize(QSize(kButtonIconPixels, kButtonIconPixels));
    bar->setMovable(false);
    for (const int id : commands) {
        QAction* a = action(id);
        if (id == 0) {
            bar->addSeparator();
        } else if (!a) {
            continue;
        } else if (const std::span<const int> group = flyouts ? flyoutTools(id) : std::span<const int>();
                   !group.empty()) {
            // The button shows the group's last chosen tool; its arrow opens the others.
            auto* button = new QToolButton(bar);
            button->setIconSize(bar->iconSize());
            button->setPopupMode(QToolButton::MenuButtonPopup);
            auto* tools = new QMenu(button);
            for (const int tool : group)
                if (QAction* t = action(tool)) tools->addAction(t);
            button->setMenu(tools);
            button->setDefaultAction(a);
            bar->addWidget(button);
            flyoutButtons_[id] = button;
        } else {
            bar->addAction(a);
        }
    }
    return bar;
}

void CMainFrame::buildToolBars() {
    mainBar_ = makeToolBar(mainToolBar(), false);
    addToolBar(Qt::TopToolBarArea, mainBar_);
    addToolBarBreak(Qt::TopToolBarArea);
    flyoutBar_ = makeToolBar(flyoutConstructionBar(), true);
    longBar_ = makeToolBar(longConstructionBar(), false);
    addToolBar(Qt::TopToolBarArea, flyoutBar_);
    addToolBar(Qt::TopToolBarArea, longBar_);
    viewerBar_ = makeToolBar(viewerToolBar(), false);
    addToolBar(Qt::TopToolBarArea, viewerBar_);
    viewerBar_->hide();
    longBar_->setVisible(false);

    toolPane_ = new QLabel(this);
    statusBar()->addWidget(toolPane_, 1);
}

QToolButton* CMainFrame::flyoutButton(int commandId) const {
    auto it = flyoutButtons_.find(commandId);
    return it == flyoutButtons_.end() ? nullptr : it->second;
}

void CMainFrame::toggleBar(int commandId) {
    switch (commandId) {
        case command::kToolbar:
            mainBar_->setVisible(mainBar_->isHidden());
            break;
        case command::kToolbar2:
            constructionBarShown_ = !constructionBarShown_;
            break;
        case command::kFlyoutButtons:
            flyouts_ = !flyouts_;
            break;
        case command::kStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        default:
            break;
    }
    flyoutBar_->setVisible(constructionBarShown_ && flyouts_);
    longBar_->setVisible(constructionBarShown_ && !flyouts_);
}

// ---- commands

void CMainFrame::runCommand(int commandId) {
    const MenuRow* row = menuRow(commandId);
    if (row && row->run) {
        row->run(*this);
    } else if (current_ && current_->session()) {
        ViewSession& session = *current_->session();
        if (!session.command(commandId)) {
            if (const ToolRow* tool = toolRowOfCommand(commandId)) session.setTool(tool->number);
        }
        current_->showSession();
    }
    updateCommandStates();
    showCurrentTool();
    updateStatus();
}

void CMainFrame::setTool(int toolNumber) {
    if (!current_ || !current_->session()) return;
    current_->session()->setTool(toolNumber);
    current_->showSession();
}

void CMainFrame::toolChanged(CChildFrame* child, int toolNumber) {
    if (child != current_) return;
    currentTool_ = toolNumber;
    // Any tool but the selection stops automatic rotation; a running animation goes on.
    if (toolNumber != 0) {
        pauseTicks();
        resumeTicksIfNeeded();
    }
    showCurrentTool();
    updateStatus();
}

void CMainFrame::showCurrentTool() {
    const ToolRow* row = current_ ? toolRow(currentTool_) : nullptr;
    QAction* pressed = row ? action(row->commandId) : nullptr;
    if (pressed) {
        pressed->setChecked(true);
    } else if (QAction* checked = toolGroup_->checkedAction()) {
        checked->setChecked(false);
    }
    if (!pressed) return;
    for (auto& [first, button] : flyoutButtons_)
        for (const int tool : flyoutTools(first))
            if (action(tool) == pressed && button->defaultAction() != pressed)
                button->setDefaultAction(pressed);
}

QString CMainFrame::toolPaneText() const {
    if (!current_ || !current_->session()) return QString::fromStdString(texts_.text(textid::kNoDocument));
    return QString::fromStdString(current_->session()->statusText(texts_));
}

void CMainFrame::updateStatus() {
    const QString text = toolPaneText();
    if (toolPane_->text() != text) toolPane_->setText(text);
}

void CMainFrame::viewChanged(CChildFrame* child) {
    if (child != current_) return;
    updateStatus();
    // The list shows what the selection tool selected in the view.
    if (constructionList_ && !constructionList_->isHidden() && current_->openDocument() &&
        current_->session()->toolNumber() == 0)
        constructionList_->showSelection(&current_->openDocument()->document.construction());
}

void CMainFrame::updateCommandStates() {
    Document* d = current_ && current_->openDocument() ? &current_->openDocument()->document : nullptr;
    const ViewSession* session = d ? current_->session() : nullptr;
    for (auto& [id, a] : actions_) {
        if (id == command::kRecentFiles) continue;
        const MenuRow* row = menuRow(id);
        if (row && row->run)
            a->setEnabled(row->has(kWithSelection) ? d && d->construction().selectedCount() > 0
                                                   : d != nullptr || row->has(kWithoutDocument));
        else
            a->setEnabled(session && (session->commandEnabled(id) || usableTool(id)));
    }
    action(command::kViewHidden)->setChecked(showHidden_);
    action(command::kAutoRotation)->setChecked(d && d->view.autoRotate);
    action(command::kAxes)->setChecked(d && d->view.showAxes);
    action(command::kAnaglyph)->setChecked(d && current_->anaglyph());
    action(command::kCentralProjection)->setChecked(d && d->view.projection == 0);
    action(command::kParallelProjection)->setChecked(d && d->view.projection == 1);
    action(command::kToolbar)->setChecked(!mainBar_->isHidden());
    action(command::kToolbar2)->setChecked(constructionBarShown_);
    action(command::kStatusBar)->setChecked(!statusBar()->isHidden());
    action(command::kFlyoutButtons)->setChecked(flyouts_);
    action(command::kConstructionList)->setChecked(!constructionList_->isHidden());
    action(command::kFullScreen)->setChecked(fullScreen_);
    action(command::kViewerMode)->setChecked(viewerMode_);
}
