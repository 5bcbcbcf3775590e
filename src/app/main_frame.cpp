#include "app/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QUrl>

#include "app/child_frame.h"
#include "app/close_question.h"
#include "app/file_filters.h"
#include "app/icons.h"
#include "app/qt_texts.h"
#include "lang/language_files.h"
#include "lang/text_ids.h"
#include "view/camera_controls.h"

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CMainFrame::CMainFrame(const TextTable& texts, std::unique_ptr<UserPrompts> prompts)
    : texts_(texts),
      languagesFolder_(languagesFolder(QCoreApplication::applicationDirPath().toStdString())),
      prompts_(prompts ? std::move(prompts) : std::make_unique<DialogPrompts>()) {
    useQtTexts(texts_.text(TextTable::kLanguageNameId));
    setWindowTitle(QStringLiteral("KOVA 3D"));
    setWindowIcon(programIcon());  // the documents' windows inside take it too
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    makeConstructionList();
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::subWindowActivated);
    buildMenus();
    buildToolBars();
    relabelMenus();
    rebuildRecentFiles();
    updateCommandStates();
    updateStatus();

    // The tick timer only asks often; the clock decides whether 11 ms have passed.
    tickTimer_.setInterval(static_cast<int>(kMinTickMilliseconds));
    connect(&tickTimer_, &QTimer::timeout, this,
            [this] { idleTick(static_cast<std::uint32_t>(millisecondClock_.elapsed())); });
    millisecondClock_.start();
}

CMainFrame::~CMainFrame() {
    tickTimer_.stop();
    disconnect(mdi_, nullptr, this, nullptr);
    // The bars and docks report their hiding while the window goes.
    disconnect(constructionList_, nullptr, this, nullptr);
    // The windows go before the documents they show.
    for (CChildFrame* child : children()) child->releaseDocument();
    delete mdi_;
    mdi_ = nullptr;
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
    return settings_.currentLook.documentDefaults();
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
    child->session()->setNumberDecimals(settings_.decimals);
    child->session()->setStepDisplayStartsAtLast(settings_.stepByStepOption != 0);
    child->session()->setHideMacroIntermediates(settings_.hideMacroIntermediates != 0);
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
        refreshConstructionList();
        showCurrentTool();
        updateStatus();
    }
}

void CMainFrame::activateChild(CChildFrame* child) {
    if (child == current_) return;
    pauseTicks();
    if (current_) current_->deactivate();
    current_ = child;
    currentTool_ = 0;
    child->activate();
    refreshConstructionList();
    resumeTicksIfNeeded();
    updateCommandStates();
    showCurrentTool();
    updateStatus();
}

void CMainFrame::openStartDocuments(const std::vector<std::string>& paths) {
    bool opened = false;
    for (const std::string& path : paths)
        if (!path.empty() && openDocument(path)) opened = true;
    if (!opened) newDocument();
}

namespace {

// The local files among the URLs a drag carries.
std::vector<std::string> droppedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    return files;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = droppedFiles(event->mimeData());
    if (files.empty()) return;
    event->acceptProposedAction();
    setTool(0);
    for (const std::string& path : files) openDocument(path);
}

CChildFrame* CMainFrame::newDocument() {
    OpenDocument* document = documents_.createNew(texts_.text(textid::kNewDocumentTitle), documentDefaults());
    if (!document) {
        showMessageId(textid::kTooManyDocuments, MessageIcon::Stop);
        return nullptr;
    }
    // A new document's view takes the colours of the current look.
    ViewState& view = document->document.view;
    view.backgroundColour = settings_.currentLook.backgroundColour;
    view.hiddenColour = settings_.currentLook.hiddenColour;
    view.selectedColour = settings_.currentLook.selectedColour;
    view.antialiasing = settings_.antialiasing;
    document->document.labelFont = settings_.currentLook.nameFont;
    document->document.labelColour = settings_.currentLook.nameColour;
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
    setTool(0);
    const std::string path = prompts_->openFileName(
        this, fileDialogFilter(texts_.text(textid::kFilterConstructions), "*.g3d"), {});
    if (!path.empty()) openDocument(path);
}

bool CMainFrame::saveDocument(CChildFrame* child) {
    if (!child || !child->openDocument()) return false;
    OpenDocument& document = *child->openDocument();
    if (!document.everSaved()) return saveDocumentAs(child);
    // Saving starts the history afresh on a copy: nothing may point into the old construction.
    child->resetSession();
    const bool saved = documents_.save(document) == 1;
    if (!saved) showMessageId(textid::kCannotSaveFile, MessageIcon::Stop);
    updateCommandStates();
    child->redraw();
    return saved;
}

bool CMainFrame::saveDocumentAs(CChildFrame* child) {
    if (!child || !child->openDocument()) return false;
    OpenDocument& document = *child->openDocument();
    SaveDialogRequest request;
    request.filter = fileDialogFilter(texts_.text(textid::kFilterConstructions), "*.g3d");
    request.defaultSuffix = "g3d";
    request.initialName = document.title;
    const std::string path = prompts_->saveFileName(child, request);
    if (path.empty()) return false;
    child->resetSession();
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

void CMainFrame::closeActiveDocument() {
    if (QMdiSubWindow* w = subWindowOf(current_)) w->close();
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
    // The bars are stored as they are outside full screen and viewer mode.
    if (viewerMode_) toggleViewerMode();
    if (fullScreen_) toggleFullScreen();
    currentTool_ = 0;
    if (settingsStore_) {
        saveSettings(currentSettings(), *settingsStore_);
        settingsStore_->sync();
    }
    event->accept();
}

void CMainFrame::documentChanged(CChildFrame* child) {
    if (child != current_) return;
    updateCommandStates();
    refreshConstructionList();
}

// ---- edit commands and automatic rotation

void CMainFrame::undo() {
    runCommand(command::kUndo);
}

void CMainFrame::redo() {
    runCommand(command::kRedo);
}

void CMainFrame::toggleShowHidden() {
    showHidden_ = !showHidden_;
    for (CChildFrame* child : children()) {
        child->session()->setShowHidden(showHidden_);
        child->redraw();
    }
}

bool CMainFrame::autoRotating() const {
    return current_ && current_->openDocument() && current_->openDocument()->document.view.autoRotate;
}

void CMainFrame::setAutoRotation(bool on) {
    onActive([&](CChildFrame& c) {
        setTool(0);
        Document& d = c.openDocument()->document;
        setAutoRotate(d, clock_, on);
        if (on) {
            resumeTicksIfNeeded();
        } else {
            pauseTicks();
        }
        c.redraw();
    });
    updateCommandStates();
}

void CMainFrame::resumeTicksIfNeeded() {
    if (!current_ || !current_->openDocument()) return;
    ViewSession* session = current_->session();
    const bool animating = session && session->animationRunning();
    if (!current_->openDocument()->document.view.autoRotate && !animating) return;
    if (clock_.paused()) {
        clock_.resume();
        // Time spent paused is no step of the animation either.
        if (session) session->restartAnimation();
    }
    if (!tickTimer_.isActive()) tickTimer_.start();
}

void CMainFrame::pauseTicks() {
    clock_.pause();
    tickTimer_.stop();
}

void CMainFrame::idleTick(std::uint32_t now) {
    if (clock_.paused() || !current_ || !current_->openDocument()) return;
    ViewSession* session = current_->session();
    Document& document = current_->openDocument()->document;
    // Nothing turns or moves any more: the ticks rest until something needs them.
    if (!document.view.autoRotate && !(session && session->animationRunning())) {
        pauseTicks();
        return;
    }
    const std::int64_t elapsed = clock_.tick(now);
    if (elapsed < 0) return;
    bool redraw = autoRotateTick(document.view, clock_, static_cast<std::uint32_t>(elapsed));
    if (session && session->animationTick(static_cast<std::uint32_t>(elapsed))) redraw = true;
    if (redraw) current_->redraw();
}

float CMainFrame::screenScale() const {
    const QScreen* s = screen();
    return screenScaleFor(s ? s->size().height() : 0);
}
