#include "view/gl/headless_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <GL/gl.h>

#include <array>
#include <cstring>

#include "view/gl/gl_state.h"

namespace {

bool hasExtension(const char* list, const char* name) {
    if (!list) return false;
    const std::size_t n = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += n)
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

// The first display that initialises: surfaceless needs no device at all, the
// device platform finds a render node, the default display is the last resort.
EGLDisplay openDisplay() {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay && hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (d != EGL_NO_DISPLAY && eglInitialize(d, nullptr, nullptr)) return d;
    }
    auto queryDevices = reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    if (getPlatformDisplay && queryDevices && hasExtension(clientExtensions, "EGL_EXT_platform_device")) {
        EGLDeviceEXT device = nullptr;
        EGLint count = 0;
        if (queryDevices(1, &device, &count) && count > 0) {
            EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
            if (d != EGL_NO_DISPLAY && eglInitialize(d, nullptr, nullptr)) return d;
        }
    }
    EGLDisplay d = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (d != EGL_NO_DISPLAY && eglInitialize(d, nullptr, nullptr)) return d;
    return EGL_NO_DISPLAY;
}

EGLDisplay sharedDisplay() {
    static const EGLDisplay display = openDisplay();
    return display;
}

}  // namespace

HeadlessContext::~HeadlessContext() {
    destroy();
}

void HeadlessContext::destroy() {
    if (!display_) return;
    EGLDisplay d = display_;
    if (eglGetCurrentContext() == context_) eglMakeCurrent(d, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (surface_) eglDestroySurface(d, surface_);
    if (context_) eglDestroyContext(d, context_);
    surface_ = nullptr;
    context_ = nullptr;
    width_ = height_ = 0;
}

void* HeadlessContext::makeSurface(int width, int height) {
    const EGLint attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface s = eglCreatePbufferSurface(display_, config_, attributes);
    return s == EGL_NO_SURFACE ? nullptr : s;
}

bool HeadlessContext::create(int width, int height) {
    destroy();
    error_.clear();
    if (width < 1 || height < 1) {
        error_ = "the drawing surface must be at least one pixel wide and high";
        return false;
    }
    display_ = sharedDisplay();
    if (display_ == EGL_NO_DISPLAY) {
        display_ = nullptr;
        error_ = "no EGL display could be initialised";
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        error_ = "EGL offers no desktop OpenGL";
        return false;
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       24,
                                       EGL_STENCIL_SIZE,
                                       8,
                                       EGL_NONE};
    // EGL lists deeper colour first (10 bits a channel on Mesa); the view's
    // format is 8 bits a channel, which is also what the software renderer
    // draws fastest. The first such configuration without alpha wins, else the
    // first with alpha, else whatever EGL ranks first.
    std::array<EGLConfig, 64> configs{};
    EGLint count = 0;
    if (!eglChooseConfig(display_, configAttributes, configs.data(), static_cast<EGLint>(configs.size()),
                         &count) ||
        count < 1) {
        error_ = "no EGL configuration with 24-bit colour and depth for pbuffers";
        return false;
    }
    EGLConfig config = configs[0];
    int best = 3;
    for (EGLint i = 0; i < count; ++i) {
        EGLint red = 0, green = 0, blue = 0, alpha = 0, samples = 0;
        eglGetConfigAttrib(display_, configs[i], EGL_RED_SIZE, &red);
        eglGetConfigAttrib(display_, configs[i], EGL_GREEN_SIZE, &green);
        eglGetConfigAttrib(display_, configs[i], EGL_BLUE_SIZE, &blue);
        eglGetConfigAttrib(display_, configs[i], EGL_ALPHA_SIZE, &alpha);
        eglGetConfigAttrib(display_, configs[i], EGL_SAMPLES, &samples);
        if (red != 8 || green != 8 || blue != 8 || samples != 0) continue;
        const int rank = alpha == 0 ? 1 : 2;
        if (rank < best) {
            best = rank;
            config = configs[i];
        }
    }
    config_ = config;
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    if (context_ == EGL_NO_CONTEXT) {
        context_ = nullptr;
        error_ = "the OpenGL context could not be created";
        return false;
    }
    surface_ = makeSurface(width, height);
    if (!surface_) {
        error_ = "no pbuffer of " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
        destroy();
        return false;
    }
    width_ = width;
    height_ = height;
    if (!makeCurrent()) {
        error_ = "the OpenGL context could not be made current";
        destroy();
        return false;
    }
    if (!withinViewportLimit(width, height)) {
        destroy();
        return false;
    }
    setFixedGlState();
    return true;
}

bool HeadlessContext::withinViewportLimit(int width, int height) {
    // Mesa makes pbuffers larger than it can draw into, and its rasteriser then
    // fails; the largest viewport is what it can really draw.
    GLint limit[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, limit);
    if (width <= limit[0] && height <= limit[1]) return true;
    error_ = "no drawing surface larger than " + std::to_string(limit[0]) + " x " + std::to_string(limit[1]) +
             " pixels";
    return false;
}

bool HeadlessContext::resize(int width, int height) {
    error_.clear();
    if (!context_) {
        error_ = "no context";
        return false;
    }
    if (width == width_ && height == height_) return makeCurrent();
    if (width < 1 || height < 1) {
        error_ = "the drawing surface must be at least one pixel wide and high";
        return false;
    }
    if (!makeCurrent() || !withinViewportLimit(width, height)) return false;
    void* fresh = makeSurface(width, height);
    if (!fresh) {
        error_ = "no pbuffer of " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
        return false;
    }
    if (!eglMakeCurrent(display_, fresh, fresh, context_)) {
        eglDestroySurface(display_, fresh);
        error_ = "the OpenGL context could not be made current";
        makeCurrent();
        return false;
    }
    eglDestroySurface(display_, surface_);
    surface_ = fresh;
    width_ = width;
    height_ = height;
    return true;
}

bool HeadlessContext::makeCurrent() {
    return context_ && eglMakeCurrent(display_, surface_, surface_, context_);
}
