#include "view/gl/renderer.h"

#include <GL/gl.h>

#include "model/document.h"
#include "model/element.h"
#include "view/gl/screen_text_drawing.h"

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;

void vertex(double x, double y, double z) {
    glVertex3d(x, y, z);
}

void lineAxes(double l) {
    glDisable(GL_LIGHTING);
    glLineWidth(1.0f);
    glBegin(GL_LINES);
    glColor3ub(255, 0, 0);
    vertex(0, 0, 0), vertex(l, 0, 0);
    vertex(1.1 * l, 0.05 * l, 0), vertex(1.2 * l, -0.05 * l, 0);  // the letter x
    vertex(1.2 * l, 0.05 * l, 0), vertex(1.1 * l, -0.05 * l, 0);
    vertex(l, 0, 0), vertex(0.9 * l, 0.1 * l, 0);  // the head
    vertex(l, 0, 0), vertex(0.9 * l, -0.1 * l, 0);

    glColor3ub(0, 255, 0);
    vertex(0, 0, 0), vertex(0, l, 0);
    vertex(-0.05 * l, 1.2 * l, 0), vertex(0, 1.15 * l, 0);  // the letter y
    vertex(0.05 * l, 1.2 * l, 0), vertex(0, 1.15 * l, 0);
    vertex(0, 1.15 * l, 0), vertex(0, 1.1 * l, 0);
    vertex(0, l, 0), vertex(0.1 * l, 0.9 * l, 0);
    vertex(0, l, 0), vertex(-0.1 * l, 0.9 * l, 0);

    glColor3ub(0, 0, 255);
    vertex(0, 0, 0), vertex(0, 0, l);
    vertex(0, -0.05 * l, 1.2 * l), vertex(0, 0.05 * l, 1.2 * l);  // the letter z
    vertex(0, 0.05 * l, 1.2 * l), vertex(0, -0.05 * l, 1.1 * l);
    vertex(0, -0.05 * l, 1.1 * l), vertex(0, 0.05 * l, 1.1 * l);
    vertex(0, 0, l), vertex(0, 0.1 * l, 0.9 * l);
    vertex(0, 0, l), vertex(0, -0.1 * l, 0.9 * l);
    glEnd();
    glEnable(GL_LIGHTING);
}

}  // namespace

RenderScene documentScene(Document& document, bool showHidden) {
    RenderScene scene;
    scene.view = &document.view;
    scene.unitScale = document.unitScale;
    scene.construction = &document.construction();
    scene.settings.selectedColour = document.view.selectedColour;
    scene.settings.hiddenColour = document.view.hiddenColour;
    scene.settings.labelColour = document.labelColour;
    scene.settings.showHidden = showHidden;
    scene.settings.projection = document.view.projection;
    scene.labelFont = document.labelFont;
    return scene;
}

void applyProjection(const ViewState& view, Viewport viewport) {
    glViewport(0, 0, viewport.width, viewport.height);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(projectionMatrix(view, viewport).m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (view.antialiasing) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_POINT_SMOOTH);
        glEnable(GL_LINE_SMOOTH);
    } else {
        glDisable(GL_BLEND);
        glDisable(GL_POINT_SMOOTH);
        glDisable(GL_LINE_SMOOTH);
    }
}

void Renderer::drawAxes(const ViewState& view, double unitScale) {
    const double l = view.axisLength / unitScale;
    if (!view.arrowAxes) {
        lineAxes(l);
        return;
    }
    canvas_.arrow({0, 0, 0}, {l, 0, 0}, kRed, -1, 0, view.projection);
    canvas_.arrow({0, 0, 0}, {0, l, 0}, kGreen, -1, 0, view.projection);
    canvas_.arrow({0, 0, 0}, {0, 0, l}, kBlue, -1, 0, view.projection);
}

void Renderer::render(const RenderScene& scene, Viewport viewport) {
    if (!scene.view || viewport.width < 1 || viewport.height < 1) return;
    const ViewState& view = *scene.view;
    if (charsetStale_ || charset_.font() != scene.labelFont) {
        charset_.build(scene.labelFont);
        charsetStale_ = false;
    }
    canvas_.setLabelCharset(&charset_);
    canvas_.setLabelFont(scene.labelFont);
    canvas_.setScreenTexts(scene.screenTexts);
    canvas_.beginFrame(view, viewport);

    applyProjection(view, viewport);
    const std::uint32_t bg = view.backgroundColour;
    glClearColor((bg & 0xFF) / 255.0f, ((bg >> 8) & 0xFF) / 255.0f, ((bg >> 16) & 0xFF) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glMultMatrixd(modelViewMatrix(view).m);

    if (view.showAxes) drawAxes(view, scene.unitScale);
    for (Element* e : scene.highlighted)
        if (e) e->draw(view.selectedColour, view.projection, canvas_);
    if (scene.ghost) scene.ghost(canvas_);
    if (scene.construction) scene.construction->drawAll(canvas_, scene.settings);
    canvas_.flush();
    for (const OverlayText& t : scene.overlays)
        drawScreenText(t.x, t.y, t.colour, bg, t.text, scene.labelFont, viewport.width, viewport.height,
                       t.depth);

    glPopMatrix();
    glFlush();
    canvas_.setScreenTexts(nullptr);  // the scene's context need not outlive the frame
}
