#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/construction.h"
#include "model/view_state.h"
#include "view/camera.h"
#include "view/gl/gl_canvas.h"
#include "view/gl/label_charset.h"
#include "view/gl/live_tiles.h"
#include "view/gl/screen_text_drawing.h"
#include "view/gl/static_layer.h"
#include "view/gl/surface_fragments.h"

class Document;
class Element;

// A text at a window position (pixels, y downwards), drawn as screen text over
// the background colour in the label font, at a window depth just behind the
// near plane (screen_text_drawing.h names the nearer and farther layers).
struct OverlayText {
    int x = 0;
    int y = 0;
    std::string text;
    std::uint32_t colour = 0;
    double depth = kScreenTextDepth;
};

// Everything one redraw shows. The view and the construction belong to the
// document; the rest is what the window and the current tool know.
struct RenderScene {
    const ViewState* view = nullptr;
    double unitScale = 1.0;                // the document's: the axes are axisLength units long
    Construction* construction = nullptr;  // none: axes only
    DrawSettings settings;
    FontRecord labelFont;
    // Picked by the current tool: drawn first in the selected colour, so they
    // stay visible over their normal drawing (a picked regular polygon or
    // polyhedron lists its parts too).
    std::vector<Element*> highlighted;
    // The 3-D mouse position and its guides, drawn after the highlights.
    std::function<void(Canvas&)> ghost;
    // The hover text at the cursor, then the calculator letters and iteration ordinals.
    std::vector<OverlayText> overlays;
    // How the view measures and shows numbers and texts; nullptr: Qt's
    // measure, "?" and 96 pixels per inch.
    const ScreenTextContext* screenTexts = nullptr;
    // Red and cyan anaglyph: the scene drawn for the left eye into the red
    // channel and for the right eye into green and blue (stereoModelView).
    bool anaglyph = false;
};

// The scene of a document: its view, construction, label font and colours.
RenderScene documentScene(Document& document, bool showHidden);

// One redraw of the 3-D view into the current OpenGL context: projection and
// camera from the document's view, clear to the background colour, the axes,
// the tool's highlights, every element (lines and points first, surfaces
// second) with their name labels, and the overlay texts; in an anaglyph the
// axes and elements twice, once for each eye.
//
//   HeadlessContext context;  context.create(w, h);    // or the window's context
//   Renderer renderer;                                  // with that context current
//   renderer.render(documentScene(document, false), {w, h});
//
// From one frame to the next, the renderer keeps what it drew of the elements
// that did not change (static_layer.h), so that dragging a point redraws what
// moves with it; the picture is the one drawn in full.
//
// The renderer owns the view's GL resources (quadric meshes, tessellator, label
// character set): make it after the context and destroy it before the context
// goes, with the context current. After the context is made anew, call
// contextRemade() so the label character set and the kept layers are made anew.
class Renderer {
  public:
    Renderer() = default;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    void render(const RenderScene& scene, Viewport viewport);

    void setLabelPath(LabelPath path) { canvas_.setLabelPath(path); }
    void contextRemade() {
        charsetStale_ = true;
        layer_.contextRemade();
        fragments_.contextRemade();
    }
    GlCanvas& canvas() { return canvas_; }
    const LabelCharset& charset() const { return charset_; }

    // How the last frame was drawn: in full, over static layers drawn anew, or
    // over the layers kept from the frames before.
    StaticLayer::Mode lastFrameMode() const { return lastMode_; }
    // Whether the last frame blended the kept surfaces from their kept
    // fragments (surface_fragments.h) rather than drawing them again.
    bool lastFrameResolved() const { return lastResolved_; }
    // The share of the view over which it blended them again, from 0 to 1:
    // the tiles the live lines and points may cover (live_tiles.h).
    double lastResolvedShare() const { return lastResolved_ ? liveTiles_.share() : 0.0; }
    // With the context current: the layers kept for the frames to come are
    // given back (a view that is not the active one); the bytes they take.
    void releaseKeptLayers() {
        layer_.releaseBuffers();
        fragments_.release();
    }
    std::size_t keptLayerBytes() const { return layer_.bufferBytes() + fragments_.bufferBytes(); }
    // Every frame drawn in full, as for a single picture (on by default).
    void setKeepStaticLayer(bool on) {
        keepStatic_ = on;
        if (!on) {
            layer_.forget();
            fragments_.forget();
        }
    }

  private:
    void drawAxes(const ViewState& view, double unitScale);
    StaticLayer::Plan planFrame(const RenderScene& scene, Viewport viewport);
    // The frame over the static layers; false when it could not be drawn so.
    bool drawLayered(const RenderScene& scene, Viewport viewport, StaticLayer::Plan plan);
    void drawOverlays(const RenderScene& scene, Viewport viewport);
    void beginLiveTiles();

    GlCanvas canvas_;
    LabelCharset charset_;
    bool charsetStale_ = true;
    StaticLayer layer_;
    SurfaceFragments fragments_;
    LiveTiles liveTiles_;
    bool lastResolved_ = false;
    bool keepStatic_ = true;
    StaticLayer::Mode lastMode_ = StaticLayer::Mode::Full;
};

// Loads the projection of the view for the viewport, resets the model-view and
// switches blending and smoothing with the view's antialiasing flag.
void applyProjection(const ViewState& view, Viewport viewport);
