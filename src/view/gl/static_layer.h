#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "view/camera.h"
#include "view/draw_signatures.h"

// What the view keeps of the elements that did not change from one frame to
// the next, so that a frame in which a few elements move (a drag, an
// animation) draws only those. The picture is the same: the lines and points
// are opaque and depth-tested, so the order they are drawn in does not show,
// and the surfaces, whose order does show, are blended again in order
// wherever a changed element shows through them.
//
// Three framebuffers of the view's size, their colour and depth-stencil
// textures: the unchanged ("static") lines and points with their depths;
// those with the static surfaces drawn over them; and the frame being drawn.
// A frame starts from the second (from the first when a changed element is a
// surface, and then every surface is drawn again), draws the changed lines and
// points marking in the stencil where they show, blends the surfaces again only
// there (surface_fragments.h, or by drawing them), and is copied to the view.
//
// Which elements changed is told by their draw signatures: an element whose
// signature differs from the previous frame's is drawn live; the others are
// kept while the frame key (camera, viewport, colours, fonts, the canvas's
// own settings) stays the same and none of them changes.
class StaticLayer {
  public:
    enum class Mode {
        Full,   // everything is drawn into the view, as without a layer
        Build,  // the static layers are drawn anew, then the frame over them
        Reuse,  // the frame over the layers kept
    };
    struct Plan {
        Mode mode = Mode::Full;
        bool liveSurfaces = false;  // a surface changed: every surface is drawn again
    };

    StaticLayer() = default;
    ~StaticLayer();
    StaticLayer(const StaticLayer&) = delete;
    StaticLayer& operator=(const StaticLayer&) = delete;

    // Decides how this frame is drawn. forcedLive lists elements that must be
    // drawn live whatever their signature (those drawn again in the selected
    // colour before everything else). No GL calls.
    Plan plan(std::uint64_t frameKey, DrawSignatures signatures, const std::vector<int>& forcedLive);
    // Whether the element of the index is drawn live in the planned frame.
    bool live(int index) const { return live_[static_cast<std::size_t>(index)] != 0; }
    // Nothing is kept: the next frame is drawn in full.
    void forget();
    // The context was made anew: the buffers went with the old one.
    void contextRemade();
    // With the context current: gives the buffers back; frames that may keep
    // layers make them anew.
    void releaseBuffers();
    // The memory the buffers take, in bytes.
    std::size_t bufferBytes() const;

    // With the context current. Makes the framebuffers for the viewport;
    // false (the frame is then drawn in full) when the context cannot (no
    // framebuffer objects, or a multisampled view to copy into) or when the
    // planned frame would reuse layers that new buffers do not hold.
    bool prepare(Viewport viewport, Mode mode);
    void bindStatic();        // the static lines and points
    void copyStaticToFull();  // and binds the second, to draw the static surfaces over them
    // How a frame starts from the layers kept: the colour of the kept lines
    // and points with the kept surfaces, or without them; or without them,
    // and the colour with them in a last buffer that shares the frame's depth
    // and stencil, where the frame is finished (the kept surfaces blended
    // again there over the frame's live pixels, say).
    enum class FrameStart { WithSurfaces, WithoutSurfaces, SurfacesAside };
    // Fills the frame's buffer (and the last one) and binds the frame's.
    void startFrame(FrameStart start);
    // Binds the last buffer, where the frame then finishes.
    void bindFinal();
    // The depth-stencil textures of the kept lines and points, and of those
    // with the kept surfaces, and the frame's colour and depth-stencil textures.
    unsigned staticDepth() const { return depths_[Static]; }
    unsigned fullDepth() const { return depths_[Full]; }
    unsigned frameColour() const { return colours_[Frame]; }
    unsigned frameDepth() const { return depths_[Frame]; }
    // Copies the frame (from the last buffer when it started with the
    // surfaces aside) into the framebuffer drawn to before prepare() and
    // binds it again; false, and no layer is used again, when OpenGL reported
    // an error meanwhile.
    bool finish();

  private:
    enum Buffer { Static, Full, Frame, Final };
    static constexpr int kBuffers = 4;
    void release();
    void copy(Buffer from, Buffer to, unsigned mask);

    // The planning.
    bool hasPrevious_ = false;
    std::uint64_t previousKey_ = 0;
    std::vector<std::uint64_t> previous_;
    bool kept_ = false;  // the static layers hold the frame of keptKey_ and kept_ signatures
    std::uint64_t keptKey_ = 0;
    std::vector<std::uint64_t> keptSignatures_;
    std::vector<char> live_;

    // The buffers.
    bool broken_ = false;
    Viewport size_{};
    int target_ = 0;
    std::array<unsigned, kBuffers> framebuffers_{};
    std::array<unsigned, kBuffers> colours_{};
    std::array<unsigned, kBuffers - 1> depths_{};  // the last buffer has the frame's
    Buffer finishedIn_ = Frame;
};
