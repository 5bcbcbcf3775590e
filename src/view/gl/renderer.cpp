#include "view/gl/renderer.h"

#include <GL/gl.h>

#include "model/document.h"
#include "model/element.h"
#include "view/axes.h"
#include "view/gl/screen_text_drawing.h"

namespace {

// The line axes as plain 1-pixel lines, unlit.
void drawLineAxes(double length) {
    glDisable(GL_LIGHTING);
    glLineWidth(1.0f);
    glBegin(GL_LINES);
    for (const AxisLine& line : lineAxes(length)) {
        glColor3ub(static_cast<GLubyte>(line.colour & 0xFF), static_cast<GLubyte>((line.colour >> 8) & 0xFF),
                   static_cast<GLubyte>((line.colour >> 16) & 0xFF));
        glVertex3d(line.a.x, line.a.y, line.a.z);
        glVertex3d(line.b.x, line.b.y, line.b.z);
    }
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
    if (view.arrowAxes)
        ::drawAxes(canvas_, view, unitScale);
    else
        drawLineAxes(axisModelLength(view, unitScale));
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
    const auto drawScene = [&](const Matrix4& modelView) {
        glPushMatrix();
        glMultMatrixd(modelView.m);
        if (view.showAxes) drawAxes(view, scene.unitScale);
        for (Element* e : scene.highlighted)
            if (e) e->draw(view.selectedColour, view.projection, canvas_);
        if (scene.ghost) scene.ghost(canvas_);
        if (scene.construction) scene.construction->drawAll(canvas_, scene.settings);
        canvas_.flush();
        glPopMatrix();
    };
    if (scene.anaglyph) {
        for (const int eye : {-1, 1}) {
            glColorMask(eye<0, eye> 0, eye > 0, GL_TRUE);
            glClear(GL_DEPTH_BUFFER_BIT);
            drawScene(stereoModelView(view, eye));
        }
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    } else {
        drawScene(modelViewMatrix(view));
    }
    for (const OverlayText& t : scene.overlays)
        drawScreenText(t.x, t.y, t.colour, bg, t.text, scene.labelFont, viewport.width, viewport.height,
                       t.depth);

    glFlush();
    canvas_.setScreenTexts(nullptr);  // the scene's context need not outlive the frame
}
