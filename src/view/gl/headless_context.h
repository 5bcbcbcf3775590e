#pragma once

#include <string>

// An OpenGL rendering context without a window or a display: EGL on Mesa's
// surfaceless platform (or its device platform), drawing into a pbuffer of the
// requested size with 8-bit RGB colour, a 24-bit depth and an 8-bit stencil
// buffer. Rendering goes to the back buffer, and readColourBuffer()
// (bitmap_output.h) reads the result back.
//
//   HeadlessContext context;
//   if (!context.create(640, 480)) { ... context.error() ... }
//   Renderer renderer;          // made and used while the context is current
//   renderer.render(scene, {context.width(), context.height()});
//   BgrImage image = readColourBuffer(context.width(), context.height());
//
// create() makes the context current and sets the view's fixed state
// (setFixedGlState), as every new context of the view must. The EGL display is
// initialised once per process and kept, since other contexts may share it.
class HeadlessContext {
  public:
    HeadlessContext() = default;
    ~HeadlessContext();
    HeadlessContext(const HeadlessContext&) = delete;
    HeadlessContext& operator=(const HeadlessContext&) = delete;

    // Sizes below 1 pixel or above what the implementation can draw fail.
    bool create(int width, int height);
    // A new drawing surface of another size for the same context (the GL
    // objects live on); the fixed state is kept. False leaves the old surface.
    bool resize(int width, int height);
    bool makeCurrent();
    bool valid() const { return context_ != nullptr; }

    int width() const { return width_; }
    int height() const { return height_; }
    // Why create() or resize() failed.
    const std::string& error() const { return error_; }

  private:
    void destroy();
    void* makeSurface(int width, int height);
    bool withinViewportLimit(int width, int height);

    void* display_ = nullptr;
    void* config_ = nullptr;
    void* context_ = nullptr;
    void* surface_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::string error_;
};
