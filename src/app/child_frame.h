#pragma once

#include <QOpenGLWidget>
#include <QSurfaceFormat>
#include <memory>

#include "app/open_documents.h"
#include "interaction/view_mouse.h"
#include "model/screen_text_context.h"
#include "view/camera.h"
#include "view/gl/bitmap_output.h"
#include "view/gl/gl_canvas.h"
#include "view/hover.h"

class DocumentWindowHost;
class Renderer;

// The window of one document, which is its 3-D view: it renders the document
// with OpenGL, turns mouse input into camera gestures and hover states, and
// runs the document's view and image commands. The main window owns the
// document; this window only shows it, and asks its host for the rest.
class CChildFrame : public QOpenGLWidget {
    Q_OBJECT

  public:
    CChildFrame(DocumentWindowHost& host, OpenDocument& document);
    ~CChildFrame() override;

    // RGB colour, 24 depth bits, 8 stencil bits, the compatibility profile
    // (the view draws with OpenGL 1.1 and GLU).
    static QSurfaceFormat viewFormat();

    // nullptr once the document has been closed.
    OpenDocument* openDocument() const { return document_; }
    // The document is going: nothing more is drawn or picked.
    void releaseDocument();
    void redraw() { update(); }

    // View commands.
    void toggleAxes();
    void setProjection(int projection);
    void standardView(int command);
    void copyImage();
    void saveAsBitmap();
    void print();

    // Renders the view into its framebuffer at the window's size and reads the
    // colour buffer back; an empty image when the view has no context yet.
    BgrImage renderImage(bool forClipboard = false);
    // The size the view renders at, in device pixels.
    Viewport viewport() const;
    // Names are drawn with the label character set while the window is
    // maximised (the view then draws into a window of its own) and as screen
    // text while it is restored, and always when printed.
    LabelPath labelPath() const;

    // How this view measures and shows numbers and texts.
    const ScreenTextContext& screenTexts() const { return screenTexts_; }
    HoverState& hover() { return hover_; }
    const ViewMouse& mouse() const { return mouse_; }
    void resetMouseAndHover();
    // Picks at the cursor's current position (when it is over the view).
    void updateHoverAtCursor();
    void updateHoverAt(int x, int y);

  signals:
    // No rendering context could be made for the view.
    void contextFailed();

  protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void releaseGl();
    // Mouse positions in device pixels, as the camera and picking count them.
    int devicePixels(double logical) const;

    DocumentWindowHost& host_;
    OpenDocument* document_;
    ScreenTextContext screenTexts_;
    std::unique_ptr<Renderer> renderer_;
    bool printing_ = false;
    QMetaObject::Connection contextConnection_;
    HoverState hover_;
    ViewMouse mouse_;
};
