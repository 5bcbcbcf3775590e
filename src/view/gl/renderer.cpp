#include "view/gl/renderer.h"

#include <GL/gl.h>

#include <array>

#include "model/document.h"
#include "model/element.h"
#include "view/axes.h"
#include "view/gl/screen_text_drawing.h"

namespace {

void clearColour(std::uint32_t bg) {
    glClearColor((bg & 0xFF) / 255.0f, ((bg >> 8) & 0xFF) / 255.0f, ((bg >> 16) & 0xFF) / 255.0f, 1.0f);
}

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
    const StaticLayer::Plan plan = planFrame(scene, viewport);
    lastMode_ = plan.mode;
    lastResolved_ = false;
    if (plan.mode == StaticLayer::Mode::Full || !drawLayered(scene, viewport, plan)) {
        lastMode_ = StaticLayer::Mode::Full;
        clearColour(view.backgroundColour);
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
        drawOverlays(scene, viewport);
    }
    glFlush();
    canvas_.setScreenTexts(nullptr);  // the scene's context need not outlive the frame
}

void Renderer::drawOverlays(const RenderScene& scene, Viewport viewport) {
    for (const OverlayText& t : scene.overlays)
        drawScreenText(t.x, t.y, t.colour, scene.view->backgroundColour, t.text, scene.labelFont,
                       viewport.width, viewport.height, t.depth);
}

StaticLayer::Plan Renderer::planFrame(const RenderScene& scene, Viewport viewport) {
    if (!keepStatic_ || scene.anaglyph || !scene.construction) return {};
    // Everything besides the elements' own calls that shows in the picture.
    const ViewState& v = *scene.view;
    std::uint64_t key = kEmptySignature;
    const auto add = [&key](const auto& value) { key = hashBytes(key, &value, sizeof value); };
    for (const std::uint32_t c : {v.backgroundColour, v.hiddenColour, v.selectedColour}) add(c);
    for (const std::int32_t i : {v.antialiasing, v.showAxes, v.arrowAxes, v.projection}) add(i);
    for (const float f : {v.panX, v.panY, v.viewDistance, v.tiltX, v.spinZ}) add(f);
    add(v.axisLength);
    add(scene.unitScale);
    add(viewport.width);
    add(viewport.height);
    for (const std::uint32_t c :
         {scene.settings.selectedColour, scene.settings.hiddenColour, scene.settings.labelColour})
        add(c);
    add(scene.settings.showHidden);
    add(scene.settings.projection);
    key = hashBytes(key, scene.labelFont.bytes.data(), scene.labelFont.bytes.size());
    add(canvas_.screenTexts().pixelsPerInch);
    add(canvas_.settingsKey());

    Construction& construction = *scene.construction;
    std::vector<int> highlighted;
    for (const Element* e : scene.highlighted) highlighted.push_back(construction.indexOf(e));
    StaticLayer::Plan plan = layer_.plan(
        key, drawSignatures(construction, scene.settings, v, viewport, canvas_.screenTexts()), highlighted);
    return plan;
}

// The live drawing marks its tiles through the matrices it is drawn with.
void Renderer::beginLiveTiles() {
    Matrix4 projection{}, modelView{};
    std::array<int, 4> viewport{};
    glGetDoublev(GL_PROJECTION_MATRIX, projection.m);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView.m);
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    liveTiles_.begin(multiply(projection, modelView), viewport);
}

// The highlights are drawn first in the full frame, and win over their
// elements' own drawing at the same depth: those elements are drawn live.
bool Renderer::drawLayered(const RenderScene& scene, Viewport viewport, StaticLayer::Plan plan) {
    if (!layer_.prepare(viewport, plan.mode)) return false;
    const ViewState& view = *scene.view;
    Construction& construction = *scene.construction;
    const auto kept = [this](int i) { return !layer_.live(i); };
    const auto live = [this](int i) { return layer_.live(i); };
    glPushMatrix();
    glMultMatrixd(modelViewMatrix(view).m);
    if (plan.mode == StaticLayer::Mode::Build) {
        layer_.bindStatic();
        clearColour(view.backgroundColour);
        glClearStencil(0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        if (view.showAxes) drawAxes(view, scene.unitScale);
        construction.drawPass(canvas_, scene.settings, false, kept);
        canvas_.flush();
        // Frames that draw every surface again start from the kept lines and
        // points alone, as long as these layers are kept. Otherwise the
        // surfaces' fragments are kept too, and drawn again when the lists
        // were too short.
        fragments_.forget();
        for (int attempt = 0; !plan.liveSurfaces && attempt < 2; ++attempt) {
            layer_.copyStaticToFull();
            const bool keeping = fragments_.begin(viewport);
            canvas_.setKeptFragments(keeping ? &fragments_ : nullptr);
            construction.drawPass(canvas_, scene.settings, true, kept);
            canvas_.flush();
            canvas_.setKeptFragments(nullptr);
            if (!keeping || fragments_.end(layer_.staticDepth()) || !fragments_.retry()) break;
        }
    }
    // Smoothed lines and points blend their edges over what lies behind: over
    // the kept surfaces those edges would take the surfaces' tint twice, so
    // they are drawn over the kept lines and points alone, and the surfaces
    // blended again over them into the kept frame aside.
    const bool smoothed = view.antialiasing != 0;
    lastResolved_ = !plan.liveSurfaces && fragments_.held();
    const bool everySurface = plan.liveSurfaces || (smoothed && !lastResolved_);
    using Start = StaticLayer::FrameStart;
    const Start start = everySurface ? Start::WithoutSurfaces
                        : smoothed   ? Start::SurfacesAside
                                     : Start::WithSurfaces;
    const bool aside = start == Start::SurfacesAside;
    layer_.startFrame(start);
    // Where the live lines and points show, the stencil says so.
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    beginLiveTiles();
    canvas_.setLiveTiles(&liveTiles_);
    for (Element* e : scene.highlighted)
        if (e) e->draw(view.selectedColour, view.projection, canvas_);
    if (scene.ghost) scene.ghost(canvas_);
    construction.drawPass(canvas_, scene.settings, false, live);
    canvas_.flush();
    canvas_.setLiveTiles(nullptr);
    // The surfaces over them, there only, unless a surface itself changed:
    // from their kept fragments, or drawn again.
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    if (lastResolved_) {
        if (aside) layer_.bindFinal();
        glStencilFunc(GL_EQUAL, 1, 0xFF);
        fragments_.resolve(layer_.frameColour(), layer_.frameDepth(), layer_.fullDepth(),
                           liveTiles_.rectangles(), aside);
    } else {
        if (everySurface)
            glDisable(GL_STENCIL_TEST);
        else
            glStencilFunc(GL_EQUAL, 1, 0xFF);
        construction.drawPass(canvas_, scene.settings, true);
        canvas_.flush();
    }
    glDisable(GL_STENCIL_TEST);
    glPopMatrix();
    drawOverlays(scene, viewport);
    if (layer_.finish()) return true;
    applyProjection(view, viewport);  // drawn again in full
    return false;
}
