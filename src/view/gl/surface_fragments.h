#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "view/camera.h"

// The fragments of the kept surfaces, kept per pixel, so that a frame over the
// kept layers blends them again where a live line or point shows without
// drawing the surfaces again.
//
// While the kept surfaces are drawn over the kept lines and points, each of
// their fragments that passes the depth test is also put in a list of its
// pixel (a sphere cast by the shader, which writes its own depth and so is
// tested after it runs, marks the stencil where it passes and is drawn again
// there to keep them: sphere_impostors.h): its colour and alpha as this
// context's blending takes them, its depth, and which surface drew it (`key`:
// 2, 4, 6, ... in the order drawn; a cast sphere's near side one more). end()
// then turns each list into the order of the drawing and keeps only the
// fragments that passed in turn: as the surfaces write their depth, each lies
// in front of those before it, and packs those side by side by pixel, the
// pixels of a neighbourhood next to each other: reading a pixel's fragments
// then takes one or two trips to memory instead of one each. The lists stay
// between the times the layers are made; their capacity grows when they
// overflow.
//
// A frame then starts from the kept layers, draws the live lines and points
// marking the stencil, and resolve() runs one shader on the marked pixels: the
// fragments in front of the live line's or point's depth are the last ones of
// the pixel's list, and it blends them over the pixel's colour in order with
// the context's 8-bit arithmetic (bytes rounded to nearest, products of bytes
// as a * b / 255 rounded, the depth compared as the depth buffer holds it).
// The picture is that of drawing the surfaces again there.
//
// That arithmetic is this context's: usable() draws a small scene both ways
// when first asked and keeps fragments only where the two pictures are the
// same to the byte. It needs OpenGL 4.5 (shader storage, image atomics,
// compute shaders, early fragment tests, texture barriers); anything drawn
// among the surfaces but their faces (a label, an opaque part) spoils the
// lists, and the frames draw the surfaces again instead.
//
// Made and used with the context current.
class SurfaceFragments {
  public:
    SurfaceFragments() = default;
    ~SurfaceFragments();
    SurfaceFragments(const SurfaceFragments&) = delete;
    SurfaceFragments& operator=(const SurfaceFragments&) = delete;

    // The GLSL that keeps a fragment, for the shaders that draw surfaces
    // (#version 450 compatibility): `void keepFragment(vec4 colour, float
    // depth, uint key)`, with the buffers bound by begin().
    static const char* keepSource();

    // Whether this context can keep fragments and blend them as it blends;
    // compiled and checked once.
    bool usable();
    // Empties the lists for a view of this size and binds them for the
    // surfaces drawn next; false when the context cannot.
    bool begin(Viewport viewport);
    // A drawing the lists cannot keep (anything but the surfaces' faces):
    // these lists are not used.
    void spoil() { spoiled_ = true; }
    // Binds the fixed-function fragments' program for the next surface, whose
    // key it sets; unbind() after its faces.
    void bindForSurface();
    void unbind() const;
    // The key of the surface being drawn.
    unsigned surfaceKey() const { return key_; }
    // Ends the keeping and puts each list in order over the depths of the
    // kept lines and points. False when the lists do not hold the surfaces:
    // when they were too short, they are made long enough for the next time
    // (retry() says so) and the surfaces may be drawn again after begin().
    bool end(unsigned staticDepthTexture);
    bool retry() const { return retry_; }
    // Whether the lists hold the surfaces of the kept layers.
    bool held() const { return held_; }
    void forget() { held_ = false; }

    // With the frame's framebuffer bound and its stencil test set: blends the
    // kept fragments over the pixels that pass it within the rectangles (in
    // normalised device coordinates, x0, y0, x1, y1). Aside: another
    // framebuffer that shares the frame's stencil is bound, and every pixel
    // that passes is written, blended or as the frame has it. The frame's
    // colour and depth are textures, read where they may be written (each
    // pixel by itself).
    void resolve(unsigned colourTexture, unsigned depthTexture, unsigned keptDepthTexture,
                 std::span<const std::array<float, 4>> where, bool aside);

    // The context was made anew: its objects went with it.
    void contextRemade();
    // Gives the buffers back (the programs stay).
    void release();
    std::size_t bufferBytes() const;

  private:
    bool compile();
    bool selfCheck();
    // The four counters at the head of the fragments' buffer.
    void readHeader(std::uint32_t (&header)[4]) const;
    bool start(Viewport viewport);
    // Puts the fragments shown side by side (packed_), the heads pointing there.
    bool pack();
    // Runs the bound compute program once for each pixel of the view.
    void dispatchPerPixel() const;
    bool allocate(Viewport viewport, std::size_t capacity);

    int state_ = 0;  // 0: not tried; 1: usable; -1: not usable
    unsigned keepProgram_ = 0;
    unsigned orderProgram_ = 0;
    unsigned packProgram_ = 0;
    unsigned resolveProgram_ = 0;
    int keyUniform_ = -1;
    int asideUniform_ = -1;
    unsigned heads_ = 0;     // r32ui: the first fragment of each pixel's list
    unsigned nodes_ = 0;     // the fragments, after a header of four counters
    unsigned packed_ = 0;    // those shown, side by side by pixel, after a counter
    std::size_t shown_ = 0;  // fragments the lists hold once in order
    Viewport size_{};
    std::size_t capacity_ = 0;
    unsigned key_ = 0;
    bool spoiled_ = false;
    bool retry_ = false;
    bool held_ = false;
};
