#include "app/child_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <cmath>
#include <iterator>

#include "app/document_window_host.h"
#include "app/file_filters.h"
#include "app/print_layout.h"
#include "app/tool_cursors.h"
#include "app/user_prompts.h"
#include "dialogs/dialog_faces.h"
#include "interaction/calculator_dialog.h"
#include "interaction/iteration_dialog.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "view/gl/gl_state.h"
#include "view/gl/renderer.h"

namespace {

// The hover text sits this far right of and below the cursor (the selection cursor).
constexpr int kHoverTextDx = 12;
constexpr int kHoverTextDy = 18;

// GL_RGB8: the view's framebuffer keeps no alpha. Translucent surfaces leave
// alpha below 1 in the colour buffer, which the window composition would
// otherwise blend with whatever lies under the view.
constexpr unsigned kOpaqueTextureFormat = 0x8051;

// The solids a regular polyhedron can be, in the chooser's order, with their names.
struct SolidChoice {
    TypeCode typeCode;
    int textId;
};
constexpr SolidChoice kSolids[] = {{TypeCode::Tetrahedron, textid::kQualTetrahedron},
                                   {TypeCode::Cube, textid::kQualCube},
                                   {TypeCode::Octahedron, textid::kQualOctahedron},
                                   {TypeCode::Dodecahedron, textid::kQualDodecahedron},
                                   {TypeCode::Icosahedron, textid::kQualIcosahedron}};

SessionKeys keysOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier)};
}

MouseButtons buttonsOf(Qt::MouseButtons buttons) {
    return {buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton)};
}

SessionKey sessionKey(int key) {
    switch (key) {
        case Qt::Key_Left:
            return SessionKey::Left;
        case Qt::Key_Right:
            return SessionKey::Right;
        case Qt::Key_Up:
            return SessionKey::Up;
        case Qt::Key_Down:
            return SessionKey::Down;
        case Qt::Key_Plus:
            return SessionKey::Plus;
        case Qt::Key_Minus:
            return SessionKey::Minus;
        case Qt::Key_Delete:
            return SessionKey::Delete;
        case Qt::Key_Escape:
            return SessionKey::Escape;
        case Qt::Key_Shift:
            return SessionKey::Shift;
        case Qt::Key_Control:
            return SessionKey::Ctrl;
        default:
            return SessionKey::Other;
    }
}

// Shows the wait cursor while it lives.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CChildFrame::CChildFrame(DocumentWindowHost& host, OpenDocument& document)
    : host_(host), document_(&document) {
    setFormat(viewFormat());
    setTextureFormat(kOpaqueTextureFormat);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QString::fromStdString(document.title));
    setMinimumSize(64, 48);
    SessionHost& asHost = *this;
    session_ = std::make_unique<ViewSession>(document.document, asHost, host.clipboard());
    // Text elements scale their rectangles to the screen's vertical pixels per inch.
    const QScreen* shownOn = screen();
    screenTexts_ = qtScreenTexts(host.texts().text(textid::kValueUndefined),
                                 shownOn ? qRound(shownOn->logicalDotsPerInchY()) : 0);
    session_->setScreenTexts(screenTexts_);
    session_->setTexts(&host.texts());
    session_->setShowHidden(host.showHidden());
    session_->setScreenScale(host.screenScale());
    setCursor(toolCursor(shownCursor_));
}

CChildFrame::~CChildFrame() {
    // The dialog windows over this view go while it and its session still
    // exist: their faces let go of their models as they close.
    qDeleteAll(findChildren<QDialog*>(Qt::FindDirectChildrenOnly));
    // The base class destroys the context after this object is gone: no call back here then.
    disconnect(contextConnection_);
    releaseGl();
}

QSurfaceFormat CChildFrame::viewFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

void CChildFrame::releaseDocument() {
    session_.reset();
    document_ = nullptr;
}

void CChildFrame::releaseGl() {
    if (!renderer_) return;
    // The renderer's GL objects belong to this context: delete them while it is current.
    makeCurrent();
    renderer_.reset();
    doneCurrent();
}

void CChildFrame::initializeGL() {
    if (!context() || !context()->isValid()) {
        emit contextFailed();
        return;
    }
    setFixedGlState();
    renderer_ = std::make_unique<Renderer>();
    // A widget moved to another top-level window gets a new context; the old
    // one's objects go with it.
    disconnect(contextConnection_);
    contextConnection_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
                                 &CChildFrame::releaseGl, Qt::DirectConnection);
}

Viewport CChildFrame::viewport() const {
    const double ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio))};
}

LabelPath CChildFrame::labelPath() const {
    if (printing_) return LabelPath::ScreenText;
    const QWidget* window = parentWidget();  // the document's sub-window in the main window
    return window && window->isMaximized() ? LabelPath::Charset : LabelPath::ScreenText;
}

int CChildFrame::devicePixels(double logical) const {
    return static_cast<int>(std::lround(logical * devicePixelRatioF()));
}

void CChildFrame::paintGL() {
    if (!document_ || !renderer_) return;
    Document& document = document_->document;
    ViewSession& session = *session_;
    session.setViewport(viewport());
    RenderScene scene = documentScene(document, host_.showHidden());
    scene.screenTexts = &screenTexts_;
    scene.anaglyph = anaglyph_;
    if (!printing_) {
        scene.highlighted = session.highlighted();
        if (session.toolNumber() == kSelectionTool || session.ghostRequested()) session.updateMousePoint();
        if (session.ghostRequested()) scene.ghost = [&session](Canvas& canvas) { session.drawGhost(canvas); };
        const HoverState& hover = session.hover();
        if (hover.hovered && hover.hoveredElement) {
            const TextLookup text = [this](int id) { return host_.texts().text(id); };
            OverlayText overlay;
            overlay.x = hover.cursorX + kHoverTextDx;
            overlay.y = hover.cursorY + kHoverTextDy;
            overlay.text = hoverText(hover, text);
            overlay.colour =
                hoverTextColour(*hover.hoveredElement, host_.colouredLabels(), document.labelColour);
            scene.overlays.push_back(std::move(overlay));
        }
        // The letters of the numbers the calculator lists.
        if (const CalculatorDialog* calculator = openCalculator(session)) {
            for (const CalculatorLetter& letter : calculator->letters())
                scene.overlays.push_back(
                    {letter.at.x, letter.at.y, std::string(1, letter.letter), document.view.selectedColour});
        }
        // The ordinals of the points the iteration tool is choosing.
        if (const IterationDialog* iteration = openIterationDialog(session)) {
            for (const IterationOrdinal& ordinal : iteration->ordinals())
                scene.overlays.push_back(
                    {ordinal.at.x, ordinal.at.y, ordinal.text, document.view.selectedColour});
        }
    }
    renderer_->setLabelPath(labelPath());
    renderer_->render(scene, viewport());
}

BgrImage CChildFrame::renderImage(bool forClipboard) {
    if (!document_ || !context()) return {};
    makeCurrent();  // also binds the view's framebuffer
    paintGL();
    const Viewport v = viewport();
    BgrImage image =
        forClipboard ? readClipboardImage(v.width, v.height) : readColourBuffer(v.width, v.height);
    doneCurrent();
    return image;
}

// ---- commands

void CChildFrame::toggleAxes() {
    if (!document_) return;
    Document& document = document_->document;
    document.view.showAxes = document.view.showAxes ? 0 : 1;
    document.modified = true;
    host_.documentChanged(this);
    redraw();
}

void CChildFrame::copyImage() {
    WaitCursor wait;
    const BgrImage image = renderImage(true);
    if (image.bytes.empty()) return;
    QGuiApplication::clipboard()->setImage(toQImage(image));
}

void CChildFrame::saveAsBitmap() {
    if (!document_) return;
    const TextTable& texts = host_.texts();
    SaveDialogRequest request;
    request.filter = fileDialogFilter(texts.text(textid::kFilterBitmaps), "*.bmp");
    request.defaultSuffix = "bmp";
    request.initialName = document_->title;
    const std::string path = host_.prompts().saveFileName(this, request);
    if (path.empty()) return;
    const BgrImage image = renderImage();
    const int result = image.bytes.empty() ? kImageNoSurface : writeBmpFile(path, image);
    if (result == kImageNoSurface)
        host_.prompts().message(this, kNoSurfaceMessage, MessageIcon::Error);
    else if (result == kImageCannotCreateFile)
        host_.prompts().message(this, kCannotCreateFileMessage, MessageIcon::Error);
}

void CChildFrame::print() {
    if (!document_) return;
    QPrinter& printer = host_.printer();
    printer.setDocName(QString::fromStdString(document_->title));
    printer.setFullPage(true);  // page coordinates from the paper's corner
    if (!host_.prompts().choosePrinter(this, printer)) return;
    printing_ = true;
    const BgrImage image = renderImage();
    printing_ = false;
    if (image.bytes.empty()) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const double pageWidth = printer.paperRect(QPrinter::DevicePixel).width();
    const PrintLayout layout = printLayout(pageWidth, image.width, image.height);
    painter.drawImage(QRectF(layout.imageX, layout.imageY, layout.imageWidth, layout.imageHeight),
                      toQImage(image));
    painter.drawText(QRectF(layout.titleX, layout.titleY, layout.imageWidth, pageWidth),
                     Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(document_->title));
    painter.end();
}

// ---- the session's questions and reports

void CChildFrame::message(int textId, MessageIcon icon) {
    host_.prompts().message(this, host_.texts().text(textId), icon);
}

int CChildFrame::askRegularPolygonSides() {
    const std::optional<int> sides =
        host_.prompts().askNumber(this, host_.texts().text(textid::kToolRegularPolygon),
                                  kMinRegularPolygonSides, kMaxRegularPolygonSides);
    return sides.value_or(0);
}

TypeCode CChildFrame::askRegularPolyhedron() {
    std::vector<std::string> names;
    for (const SolidChoice& solid : kSolids) names.push_back(host_.texts().text(solid.textId));
    const std::optional<int> chosen =
        host_.prompts().askChoice(this, host_.texts().text(textid::kToolRegularPolyhedron), names);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(std::size(kSolids))) return TypeCode::None;
    return kSolids[*chosen].typeCode;
}

void CChildFrame::setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::optional<std::uint32_t> CChildFrame::askColour(std::uint32_t initial) {
    return host_.prompts().askColour(this, initial);
}

void CChildFrame::constructionChanged() {
    host_.documentChanged(this);
}

void CChildFrame::openElementDialog(Element& element) {
    session_->openElementDialog(element);
    showSession();
}

void CChildFrame::showDialog(DialogModel& dialog) {
    showDialogFace(this, dialog, host_.texts());
}

std::string CChildFrame::text(int textId) const {
    return host_.texts().text(textId);
}

YesNoCancel CChildFrame::askYesNoCancel(int textId) {
    switch (host_.prompts().askSaveChanges(this, host_.texts().text(textId))) {
        case SaveAnswer::Yes:
            return YesNoCancel::Yes;
        case SaveAnswer::No:
            return YesNoCancel::No;
        default:
            return YesNoCancel::Cancel;
    }
}

void CChildFrame::messageText(const std::string& text, MessageIcon icon) {
    host_.prompts().message(this, text, icon);
}

std::optional<std::string> CChildFrame::askText(int promptId) {
    return host_.prompts().askText(this, host_.texts().text(promptId));
}

namespace {

// The file dialog's filters, one after the other as Qt lists them.
std::string filtersOf(const FileQuestion& question) {
    std::string filter;
    for (const auto& [text, pattern] : question.filters) {
        if (!filter.empty()) filter += ";;";
        filter += fileDialogFilter(text, pattern);
    }
    return filter;
}

std::optional<std::string> chosen(std::string path) {
    if (path.empty()) return std::nullopt;
    return path;
}

}  // namespace

std::optional<std::string> CChildFrame::askSaveFile(const FileQuestion& question) {
    SaveDialogRequest request;
    request.filter = filtersOf(question);
    request.defaultSuffix = question.defaultExtension;
    request.initialName = question.proposedName;
    request.directory = question.directory;
    return chosen(host_.prompts().saveFileName(this, request));
}

std::optional<std::string> CChildFrame::askOpenFile(const FileQuestion& question) {
    return chosen(host_.prompts().openFileName(this, filtersOf(question), question.directory));
}

std::string CChildFrame::macroDirectory() const {
    return host_.macroDirectory();
}

void CChildFrame::setMacroDirectory(const std::string& directory) {
    host_.setMacroDirectory(directory);
}

void CChildFrame::animationChanged() {
    host_.resumeTicksIfNeeded();
}

void CChildFrame::toolChanged(int toolNumber) {
    host_.toolChanged(this, toolNumber);
}

// ---- mouse and keys

void CChildFrame::deactivate() {
    if (!renderer_ || !context()) return;
    makeCurrent();
    renderer_->releaseKeptLayers();
    doneCurrent();
}

std::size_t CChildFrame::keptLayerBytes() const {
    return renderer_ ? renderer_->keptLayerBytes() : 0;
}

void CChildFrame::activate() {
    if (!document_) return;
    session_->activate();
    session_->setShowHidden(host_.showHidden());
    if (document_ && !document_->document.view.autoRotate) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        if (rect().contains(p))
            session_->mouseMove(devicePixels(p.x()), devicePixels(p.y()), {},
                                keysOf(QGuiApplication::keyboardModifiers()));
    }
    showSession();
}

void CChildFrame::resetSession() {
    if (!document_) return;
    session_->activate();
    showSession();
}

void CChildFrame::showSession() {
    if (!document_) return;
    if (session_->takeRedraw()) redraw();
    if (const ToolCursor cursor = session_->cursor(); cursor != shownCursor_) {
        shownCursor_ = cursor;
        setCursor(toolCursor(cursor));
    }
    host_.viewChanged(this);
}

void CChildFrame::mousePressEvent(QMouseEvent* event) {
    if (!document_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
    session_->setViewport(viewport());
    session_->setScreenScale(host_.screenScale());
    session_->mousePress(event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right,
                         devicePixels(event->position().x()), devicePixels(event->position().y()),
                         keysOf(event->modifiers()));
    showSession();
}

void CChildFrame::mouseMoveEvent(QMouseEvent* event) {
    if (!document_) return;
    session_->setViewport(viewport());
    session_->mouseMove(devicePixels(event->position().x()), devicePixels(event->position().y()),
                        buttonsOf(event->buttons()), keysOf(event->modifiers()));
    showSession();
}

void CChildFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (!document_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
    session_->mouseRelease(event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right,
                           devicePixels(event->position().x()), devicePixels(event->position().y()),
                           buttonsOf(event->buttons()), keysOf(event->modifiers()));
    showSession();
}

void CChildFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!document_) return;
    // The second press of a double click arrives as this event alone; only
    // the selection tool gives it a meaning of its own.
    if (event->button() != Qt::LeftButton || session_->toolNumber() != kSelectionTool) {
        mousePressEvent(event);
        return;
    }
    session_->doubleClick(devicePixels(event->position().x()), devicePixels(event->position().y()),
                          keysOf(event->modifiers()));
    showSession();
}

void CChildFrame::keyPressEvent(QKeyEvent* event) {
    if (!document_) {
        QOpenGLWidget::keyPressEvent(event);
        return;
    }
    session_->keyDown(sessionKey(event->key()), keysOf(event->modifiers()));
    showSession();
}

void CChildFrame::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its press; the sequence ends with the real release.
    if (!document_ || event->isAutoRepeat()) {
        QOpenGLWidget::keyReleaseEvent(event);
        return;
    }
    session_->keyUp(sessionKey(event->key()), keysOf(event->modifiers()));
    showSession();
}

void CChildFrame::focusInEvent(QFocusEvent* event) {
    QOpenGLWidget::focusInEvent(event);
    host_.resumeTicksIfNeeded();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (host_.closeChild(this))
        event->accept();
    else
        event->ignore();
}
