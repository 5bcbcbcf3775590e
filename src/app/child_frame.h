#pragma once

#include <QOpenGLWidget>
#include <QSurfaceFormat>
#include <memory>

#include "app/open_documents.h"
#include "interaction/session_host.h"
#include "interaction/view_session.h"
#include "view/camera.h"
#include "view/gl/bitmap_output.h"
#include "view/gl/gl_canvas.h"

class DocumentWindowHost;
class Renderer;

// The window of one document, which is its 3-D view: it renders the document
// with OpenGL and hands its mouse and key events, in device pixels, to the
// document's ViewSession (tools, selection, dragging, camera gestures, hover),
// then shows what the session says: the redraw, the cursor, the picked
// elements, the ghost point and the hover text. It answers the session's
// questions with dialogs, and runs the document's image commands. The main
// window owns the document; this window only shows it, and asks its host for
// the rest.
class CChildFrame : public QOpenGLWidget, private SessionHost {
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

    // What the user does to the document through this view; there is none
    // once the document has been closed.
    ViewSession* session() { return session_.get(); }
    // The editing dialog of an element (a double click in the construction list).
    void openElementDialog(Element& element);
    // The document's window became the active one: the selection tool, and
    // no mouse or hover state left from before.
    void activate();
    // Another document's window became the active one: the view gives back
    // what it kept to draw drags quickly (it makes it anew when needed).
    void deactivate();
    // The bytes the view keeps for that.
    std::size_t keptLayerBytes() const;
    // After each event or command the session saw: redraw, cursor and status as it says.
    void showSession();

    // View commands.
    void toggleAxes();
    void copyImage();
    void saveAsBitmap();
    // Vector pictures, 3-D models and stereo (child_frame_export.cpp).
    void saveVectorPicture();
    void exportModel();
    void toggleAnaglyph();
    bool anaglyph() const { return anaglyph_; }
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
    // The document is about to change under the session (saving starts its
    // history afresh): nothing may keep pointing into it.
    void resetSession();

  signals:
    // No rendering context could be made for the view.
    void contextFailed();

  protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // SessionHost: the session's questions and reports.
    void message(int textId, MessageIcon icon) override;
    int askRegularPolygonSides() override;
    TypeCode askRegularPolyhedron() override;
    void setClipboardText(const std::string& text) override;
    std::optional<std::uint32_t> askColour(std::uint32_t initial) override;
    void constructionChanged() override;
    void toolChanged(int toolNumber) override;
    void showDialog(DialogModel& dialog) override;
    std::string text(int textId) const override;
    YesNoCancel askYesNoCancel(int textId) override;
    void animationChanged() override;
    void messageText(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> askText(int promptId) override;
    std::optional<std::string> askSaveFile(const FileQuestion& question) override;
    std::optional<std::string> askOpenFile(const FileQuestion& question) override;
    std::string macroDirectory() const override;
    void setMacroDirectory(const std::string& directory) override;

    void releaseGl();
    // Mouse positions in device pixels, as the camera and picking count them.
    int devicePixels(double logical) const;
    DocumentWindowHost& host_;
    OpenDocument* document_;
    ScreenTextContext screenTexts_;
    std::unique_ptr<ViewSession> session_;
    std::unique_ptr<Renderer> renderer_;
    bool printing_ = false;
    bool anaglyph_ = false;
    QMetaObject::Connection contextConnection_;
    ToolCursor shownCursor_ = ToolCursor::Arrow;
};
