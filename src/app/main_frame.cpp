#include "app/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/child_frame.h"
#include "app/close_question.h"
#include "app/file_filters.h"
#include "lang/menu_texts.h"
#include "lang/text_ids.h"
#include "view/camera_controls.h"

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// Menu captions come from the language files, where '&' is plain text.
QString menuCaption(const std::string& text) {
    return qt(text).replace('&', QStringLiteral("&&"));
}

std::string_view shortcutOf(int commandId) {
    for (const MenuItemText& row : menuItemTexts())
        if (row.commandId == commandId) return row.shortcut;
    return {};
}

}  // namespace

CMainFrame::CMainFrame(const TextTable& texts, std::unique_ptr<UserPrompts> prompts)
    : texts_(texts), prompts_(prompts ? std::move(prompts) : std::make_unique<DialogPrompts>()) {
    setWindowTitle(QStringLiteral("KOVA 3D"));
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::subWindowActivated);
    buildMenus();
    relabelMenus();
    rebuildRecentFiles();
    updateCommandStates();

    // The tick timer only asks often; the clock decides whether 11 ms have passed.
    tickTimer_.setInterval(static_cast<int>(kMinTickMilliseconds));
    connect(&tickTimer_, &QTimer::timeout, this,
            [this] { idleTick(static_cast<std::uint32_t>(millisecondClock_.elapsed())); });
    millisecondClock_.start();
}

CMainFrame::~CMainFrame() {
    tickTimer_.stop();
    disconnect(mdi_, nullptr, this, nullptr);
    // The windows go before the documents they show.
    for (CChildFrame* child : children()) child->releaseDocument();
    delete mdi_;
    mdi_ = nullptr;
}

// ---- menus

QAction* CMainFrame::addCommand(QMenu* menu, int commandId, void (CMainFrame::*slot)()) {
    auto* action = new QAction(this);
    const std::string_view shortcut = shortcutOf(commandId);
    if (!shortcut.empty())
        action->setShortcut(QKeySequence(QString::fromUtf8(shortcut.data(), shortcut.size())));
    if (slot) connect(action, &QAction::triggered, this, slot);
    menu->addAction(action);
    actions_[commandId] = action;
    return action;
}

void CMainFrame::buildMenus() {
    QMenu* file = menuBar()->addMenu(QString());
    topMenus_[file] = textid::kMenuFile;
    connect(addCommand(file, command::kNew, nullptr), &QAction::triggered, this, [this] { newDocument(); });
    addCommand(file, command::kOpen, &CMainFrame::openWithDialog);
    recentMenu_ = file->addMenu(QString());
    actions_[command::kRecentFiles] = recentMenu_->menuAction();
    connect(addCommand(file, command::kSave, nullptr), &QAction::triggered, this,
            [this] { saveDocument(current_); });
    connect(addCommand(file, command::kSaveAs, nullptr), &QAction::triggered, this,
            [this] { saveDocumentAs(current_); });
    file->addSeparator();
    connect(addCommand(file, command::kSaveBitmap, nullptr), &QAction::triggered, this,
            [this] { onActive([](CChildFrame& c) { c.saveAsBitmap(); }); });
    connect(addCommand(file, command::kPrint, nullptr), &QAction::triggered, this,
            [this] { onActive([](CChildFrame& c) { c.print(); }); });
    file->addSeparator();
    connect(addCommand(file, command::kClose, nullptr), &QAction::triggered, this, [this] {
        if (QMdiSubWindow* w = subWindowOf(current_)) w->close();
    });
    file->addSeparator();
    connect(addCommand(file, command::kExit, nullptr), &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(QString());
    topMenus_[view] = textid::kMenuView;
    QAction* rotation = addCommand(view, command::kAutoRotation, nullptr);
    rotation->setCheckable(true);
    connect(rotation, &QAction::triggered, this, [this](bool on) { setAutoRotation(on); });
    QAction* axes = addCommand(view, command::kAxes, nullptr);
    axes->setCheckable(true);
    connect(axes, &QAction::triggered, this, [this] { onActive([](CChildFrame& c) { c.toggleAxes(); }); });
    view->addSeparator();
    projectionGroup_ = new QActionGroup(this);
    for (int projection : {0, 1}) {
        const int id = projection == 0 ? command::kCentralProjection : command::kParallelProjection;
        QAction* a = addCommand(view, id, nullptr);
        a->setCheckable(true);
        projectionGroup_->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, projection] { onActive([&](CChildFrame& c) { c.setProjection(projection); }); });
    }
    view->addSeparator();
    for (int id = kCommandCentreView; id <= kCommandYzDown; ++id)
        connect(addCommand(view, id, nullptr), &QAction::triggered, this,
                [this, id] { onActive([&](CChildFrame& c) { c.standardView(id); }); });

    QMenu* edit = menuBar()->addMenu(QString());
    topMenus_[edit] = textid::kMenuEdit;
    addCommand(edit, command::kUndo, &CMainFrame::undo);
    addCommand(edit, command::kRedo, &CMainFrame::redo);
    edit->addSeparator();
    connect(addCommand(edit, command::kCopyImage, nullptr), &QAction::triggered, this,
            [this] { onActive([](CChildFrame& c) { c.copyImage(); }); });

    QMenu* window = menuBar()->addMenu(QString());
    topMenus_[window] = textid::kMenuWindow;
    connect(addCommand(window, command::kCascade, nullptr), &QAction::triggered, mdi_,
            &QMdiArea::cascadeSubWindows);
    connect(addCommand(window, command::kTile, nullptr), &QAction::triggered, mdi_,
            &QMdiArea::tileSubWindows);
    connect(addCommand(window, command::kCloseAll, nullptr), &QAction::triggered, this,
            [this] { closeAllDocuments(); });
}

void CMainFrame::relabelMenus() {
    for (auto& [menu, textId] : topMenus_) menu->setTitle(menuCaption(texts_.text(textId)));
    for (auto& [id, action] : actions_) action->setText(menuCaption(menuItemCaption(texts_, id)));
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

void CMainFrame::updateCommandStates() {
    Document* d = current_ && current_->openDocument() ? &current_->openDocument()->document : nullptr;
    for (int id :
         {command::kSave, command::kSaveAs, command::kSaveBitmap, command::kPrint, command::kClose,
          command::kAutoRotation, command::kAxes, command::kCentralProjection, command::kParallelProjection,
          command::kCopyImage, command::kCascade, command::kTile, command::kCloseAll})
        action(id)->setEnabled(d != nullptr);
    for (int id = kCommandCentreView; id <= kCommandYzDown; ++id) action(id)->setEnabled(d != nullptr);
    action(command::kUndo)->setEnabled(d && d->canUndo());
    action(command::kRedo)->setEnabled(d && d->canRedo());
    action(command::kAutoRotation)->setChecked(d && d->view.autoRotate);
    action(command::kAxes)->setChecked(d && d->view.showAxes);
    action(command::kCentralProjection)->setChecked(d && d->view.projection == 0);
    action(command::kParallelProjection)->setChecked(d && d->view.projection == 1);
}

template <typename F>
void CMainFrame::onActive(F&& act) {
    if (current_ && current_->openDocument()) act(*current_);
}

// ---- documents and windows

void CMainFrame::showMessageId(int textId, MessageIcon icon) {
    prompts_->message(this, texts_.text(textId), icon);
}

DocumentDefaults CMainFrame::documentDefaults() const {
    // Until settings exist, what older files lack comes from a new document.
    const Document fresh;
    DocumentDefaults defaults;
    defaults.textFont = fresh.textFont;
    defaults.textColour = fresh.textColour;
    defaults.numberFont = fresh.numberFont;
    defaults.numberColour = fresh.numberColour;
    defaults.styles = fresh.styles;
    return defaults;
}

QList<CChildFrame*> CMainFrame::children() const {
    QList<CChildFrame*> list;
    if (!mdi_) return list;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(w->widget()); child && child->openDocument())
            list.push_back(child);
    return list;
}

QMdiSubWindow* CMainFrame::subWindowOf(const CChildFrame* child) const {
    if (!child || !mdi_) return nullptr;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (w->widget() == child) return w;
    return nullptr;
}

CChildFrame* CMainFrame::addChild(OpenDocument* document) {
    const bool maximised =
        children().isEmpty() || (current_ && subWindowOf(current_) && subWindowOf(current_)->isMaximized());
    auto* child = new CChildFrame(*this, *document);
    connect(child, &CChildFrame::contextFailed, this, [this] {
        prompts_->message(
            this, texts_.text(textid::kNoRenderingContext) + "\n" + texts_.text(textid::kProgramWillClose),
            MessageIcon::Error);
        QCoreApplication::exit(1);
    });
    QMdiSubWindow* window = mdi_->addSubWindow(child);
    // The menus' keys (Ctrl+F4 and the like) belong to the main window's commands.
    if (QMenu* system = window->systemMenu())
        for (QAction* a : system->actions()) a->setShortcut(QKeySequence());
    window->setWindowTitle(qt(document->title));
    window->resize(mdi_->size() * 2 / 3);
    if (maximised)
        window->showMaximized();
    else
        window->show();
    mdi_->setActiveSubWindow(window);
    activateChild(child);
    return child;
}

void CMainFrame::subWindowActivated(QMdiSubWindow* window) {
    if (window) {
        if (auto* child = qobject_cast<CChildFrame*>(window->widget()); child && child->openDocument())
            activateChild(child);
        return;
    }
    // The area also reports no window while a dialog has the focus; only an
    // area without documents leaves none current.
    if (children().isEmpty()) {
        pauseTicks();
        current_ = nullptr;
        currentTool_ = 0;
        updateCommandStates();
    }
}

void CMainFrame::activateChild(CChildFrame* child) {
    if (child == current_) return;
    pauseTicks();
    current_ = child;
    currentTool_ = 0;
    child->resetMouseAndHover();
    if (!child->openDocument()->document.view.autoRotate) child->updateHoverAtCursor();
    resumeTicksIfNeeded();
    updateCommandStates();
}

void CMainFrame::openStartDocument(const std::string& path) {
    if (!path.empty() && openDocument(path)) return;
    newDocument();
}

CChildFrame* CMainFrame::newDocument() {
    OpenDocument* document = documents_.createNew(texts_.text(textid::kNewDocumentTitle));
    if (!document) {
        showMessageId(textid::kTooManyDocuments, MessageIcon::Stop);
        return nullptr;
    }
    return addChild(document);
}

CChildFrame* CMainFrame::openDocument(const std::string& path) {
    const OpenResult result = documents_.open(path, documentDefaults());
    switch (result.status) {
        case OpenStatus::AlreadyOpen:
            for (CChildFrame* child : children()) {
                if (child->openDocument() != result.document) continue;
                mdi_->setActiveSubWindow(subWindowOf(child));
                activateChild(child);
                return child;
            }
            return nullptr;
        case OpenStatus::Failed:
            showMessageId(result.messageId, MessageIcon::Stop);
            return nullptr;
        case OpenStatus::Opened:
            break;
    }
    rebuildRecentFiles();
    return addChild(result.document);
}

void CMainFrame::openWithDialog() {
    currentTool_ = 0;
    const std::string path =
        prompts_->openFileName(this, fileDialogFilter(texts_.text(textid::kFilterConstructions), "*.g3d"));
    if (!path.empty()) openDocument(path);
}

bool CMainFrame::saveDocument(CChildFrame* child) {
    if (!child || !child->openDocument()) return false;
    OpenDocument& document = *child->openDocument();
    if (!document.everSaved()) return saveDocumentAs(child);
    // Saving starts the history afresh on a copy: nothing may point into the old construction.
    child->resetMouseAndHover();
    const bool saved = documents_.save(document) == 1;
    if (!saved) showMessageId(textid::kCannotSaveFile, MessageIcon::Stop);
    updateCommandStates();
    child->redraw();
    return saved;
}

bool CMainFrame::saveDocumentAs(CChildFrame* child) {
    if (!child || !child->openDocument()) return false;
    currentTool_ = 0;
    OpenDocument& document = *child->openDocument();
    SaveDialogRequest request;
    request.filter = fileDialogFilter(texts_.text(textid::kFilterConstructions), "*.g3d");
    request.defaultSuffix = "g3d";
    request.initialName = document.title;
    const std::string path = prompts_->saveFileName(child, request);
    if (path.empty()) return false;
    child->resetMouseAndHover();
    if (documents_.saveAs(document, path) != 1) {
        showMessageId(textid::kCannotSaveFile, MessageIcon::Stop);
        return false;
    }
    child->setWindowTitle(qt(document.title));
    if (QMdiSubWindow* w = subWindowOf(child)) w->setWindowTitle(qt(document.title));
    rebuildRecentFiles();
    updateCommandStates();
    child->redraw();
    return true;
}

bool CMainFrame::closeChild(CChildFrame* child) {
    OpenDocument* document = child->openDocument();
    if (!document) return true;
    Document& d = document->document;
    if (d.view.autoRotate) {
        setAutoRotate(d, clock_, false);
        if (child == current_) pauseTicks();
        updateCommandStates();
    }
    const bool close = mayCloseDocument(
        d.modified,
        [&] { return prompts_->askSaveChanges(child, saveChangesQuestion(texts_, document->title)); },
        [&] { return saveDocument(child); });
    if (!close) return false;
    if (child == current_) {
        pauseTicks();
        current_ = nullptr;
    }
    child->releaseDocument();
    documents_.close(document);
    updateCommandStates();
    return true;
}

bool CMainFrame::closeAllDocuments() {
    for (CChildFrame* child : children()) {
        QMdiSubWindow* window = subWindowOf(child);
        if (window && !window->close()) return false;
    }
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!closeAllDocuments()) {
        event->ignore();
        return;
    }
    pauseTicks();
    currentTool_ = 0;
    event->accept();
}

void CMainFrame::documentChanged(CChildFrame* child) {
    if (child == current_) updateCommandStates();
}

// ---- edit commands and automatic rotation

void CMainFrame::undo() {
    onActive([this](CChildFrame& c) {
        currentTool_ = 0;
        c.resetMouseAndHover();
        if (c.openDocument()->document.undo()) c.redraw();
    });
    updateCommandStates();
}

void CMainFrame::redo() {
    onActive([this](CChildFrame& c) {
        currentTool_ = 0;
        c.resetMouseAndHover();
        if (c.openDocument()->document.redo()) c.redraw();
    });
    updateCommandStates();
}

void CMainFrame::setAutoRotation(bool on) {
    onActive([&](CChildFrame& c) {
        Document& d = c.openDocument()->document;
        setAutoRotate(d, clock_, on);
        if (on) {
            currentTool_ = 0;
            resumeTicksIfNeeded();
        } else {
            pauseTicks();
        }
        c.redraw();
    });
    updateCommandStates();
}

void CMainFrame::resumeTicksIfNeeded() {
    if (!current_ || !current_->openDocument() || !current_->openDocument()->document.view.autoRotate) return;
    if (clock_.paused()) clock_.resume();
    if (!tickTimer_.isActive()) tickTimer_.start();
}

void CMainFrame::pauseTicks() {
    clock_.pause();
    tickTimer_.stop();
}

void CMainFrame::idleTick(std::uint32_t now) {
    if (clock_.paused() || !current_ || !current_->openDocument()) return;
    const std::int64_t elapsed = clock_.tick(now);
    if (elapsed < 0) return;
    if (autoRotateTick(current_->openDocument()->document.view, clock_, static_cast<std::uint32_t>(elapsed)))
        current_->redraw();
}

float CMainFrame::screenScale() const {
    const QScreen* s = screen();
    return screenScaleFor(s ? s->size().height() : 0);
}
