#include "app/child_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <cmath>

#include "app/document_window_host.h"
#include "app/file_filters.h"
#include "app/print_layout.h"
#include "app/user_prompts.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "view/camera_controls.h"
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

// The cursor shown while a camera gesture runs.
Qt::CursorShape gestureCursor(int gesture) {
    switch (gesture) {
        case kGesturePan:
            return Qt::SizeAllCursor;
        case kGestureZoom:
            return Qt::SizeVerCursor;
        default:
            return Qt::ClosedHandCursor;
    }
}

GestureKeys keysOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier)};
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
    // Text elements scale their rectangles to the screen's vertical pixels per inch.
    const QScreen* shownOn = screen();
    screenTexts_ = qtScreenTexts(host.texts().text(textid::kValueUndefined),
                                 shownOn ? qRound(shownOn->logicalDotsPerInchY()) : 0);
}

CChildFrame::~CChildFrame() {
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
    hover_.reset();
    mouse_.reset();
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
    RenderScene scene = documentScene(document, host_.showHidden());
    scene.screenTexts = &screenTexts_;
    if (hover_.hovered && hover_.hoveredElement) {
        const TextLookup text = [this](int id) { return host_.texts().text(id); };
        OverlayText overlay;
        overlay.x = hover_.cursorX + kHoverTextDx;
        overlay.y = hover_.cursorY + kHoverTextDy;
        overlay.text = hoverText(hover_, text);
        overlay.colour =
            hoverTextColour(*hover_.hoveredElement, host_.colouredLabels(), document.labelColour);
        scene.overlays.push_back(std::move(overlay));
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

void CChildFrame::setProjection(int projection) {
    if (!document_) return;
    Document& document = document_->document;
    document.view.projection = projection;
    document.modified = true;
    host_.documentChanged(this);
    redraw();
}

void CChildFrame::standardView(int command) {
    if (!document_ || !applyStandardView(document_->document, command)) return;
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
    QPrinter printer(QPrinter::HighResolution);
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

// ---- mouse, keys and hover

void CChildFrame::resetMouseAndHover() {
    mouse_.reset();
    hover_.reset();
}

void CChildFrame::updateHoverAt(int x, int y) {
    if (!document_) return;
    PickRules rules;
    rules.toolNumber = host_.currentTool();
    rules.showHidden = host_.showHidden();
    if (updateHover(hover_, document_->document, viewport(), x, y, rules, screenTexts_).redraw) redraw();
}

void CChildFrame::updateHoverAtCursor() {
    const QPoint p = mapFromGlobal(QCursor::pos());
    if (rect().contains(p)) updateHoverAt(devicePixels(p.x()), devicePixels(p.y()));
}

void CChildFrame::mousePressEvent(QMouseEvent* event) {
    if (!document_) return;
    const Qt::MouseButtons held = event->buttons();
    mouse_.press(held.testFlag(Qt::LeftButton), held.testFlag(Qt::RightButton),
                 devicePixels(event->position().x()), devicePixels(event->position().y()), hover_.hovered);
}

void CChildFrame::mouseMoveEvent(QMouseEvent* event) {
    if (!document_) return;
    Document& document = document_->document;
    const int x = devicePixels(event->position().x());
    const int y = devicePixels(event->position().y());
    const Qt::MouseButtons held = event->buttons();
    const bool left = held.testFlag(Qt::LeftButton);
    const bool right = held.testFlag(Qt::RightButton);
    if (left || right) {
        const ViewStep step = mouse_.move(document.view, x, y, left, right, keysOf(event->modifiers()),
                                          host_.currentTool(), host_.screenScale());
        if (step == ViewStep::CameraMoved) {
            setCursor(gestureCursor(mouse_.gesture()));
            redraw();
        }
        return;
    }
    // Picking waits while a key changes the mode, and while the view turns by itself.
    const GestureKeys keys = keysOf(event->modifiers());
    if (!keys.shift && !keys.ctrl && !document.view.autoRotate) updateHoverAt(x, y);
}

void CChildFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (!document_) return;
    Document& document = document_->document;
    const Qt::MouseButtons held = event->buttons();
    if (mouse_.release(document, held.testFlag(Qt::LeftButton), held.testFlag(Qt::RightButton)))
        host_.documentChanged(this);
    if (!mouse_.buttonsHeld()) unsetCursor();
    if (event->button() == Qt::LeftButton && !event->modifiers().testFlag(Qt::ControlModifier) &&
        !document.view.autoRotate)
        updateHoverAt(devicePixels(event->position().x()), devicePixels(event->position().y()));
}

void CChildFrame::keyReleaseEvent(QKeyEvent* event) {
    QOpenGLWidget::keyReleaseEvent(event);
    if (document_ && !mouse_.buttonsHeld() && !document_->document.view.autoRotate) updateHoverAtCursor();
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
