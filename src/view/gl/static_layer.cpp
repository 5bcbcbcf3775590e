#define GL_GLEXT_PROTOTYPES 1
#include "view/gl/static_layer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "view/gl/gl_state.h"

StaticLayer::~StaticLayer() {
    release();
}

StaticLayer::Plan StaticLayer::plan(std::uint64_t frameKey, DrawSignatures signatures,
                                    const std::vector<int>& forcedLive) {
    const std::vector<std::uint64_t>& now = signatures.byElement;
    const std::size_t n = now.size();
    const auto inRange = [n](int i) { return i >= 0 && static_cast<std::size_t>(i) < n; };
    Plan plan;
    bool reuse = kept_ && !broken_ && frameKey == keptKey_ && n == keptSignatures_.size();
    for (std::size_t i = 0; reuse && i < n; ++i) reuse = live_[i] || now[i] == keptSignatures_[i];
    for (const int i : forcedLive) reuse = reuse && (!inRange(i) || live_[static_cast<std::size_t>(i)]);
    if (reuse) {
        plan.mode = Mode::Reuse;
    } else if (!broken_ && hasPrevious_ && frameKey == previousKey_ && n == previous_.size() && n > 0) {
        // What changed since the previous frame is drawn live from now on, if
        // at least half of the elements stay.
        live_.assign(n, 0);
        std::size_t count = 0;
        for (std::size_t i = 0; i < n; ++i) live_[i] = now[i] != previous_[i] ? 1 : 0;
        for (const int i : forcedLive)
            if (inRange(i)) live_[static_cast<std::size_t>(i)] = 1;
        for (const char l : live_) count += l != 0 ? 1 : 0;
        kept_ = count * 2 <= n;
        if (kept_) {
            plan.mode = Mode::Build;
            keptKey_ = frameKey;
            keptSignatures_ = now;
        }
    }
    if (plan.mode != Mode::Full) {
        for (std::size_t i = 0; i < n && !plan.liveSurfaces; ++i)
            plan.liveSurfaces = live_[i] != 0 && signatures.surface[i] != 0;
    }
    previous_ = std::move(signatures.byElement);
    previousKey_ = frameKey;
    hasPrevious_ = true;
    return plan;
}

void StaticLayer::forget() {
    kept_ = false;
    hasPrevious_ = false;
}

void StaticLayer::contextRemade() {
    framebuffers_[0] = 0;  // the old context's objects are not deleted in this one
    releaseBuffers();
    broken_ = false;
}

void StaticLayer::releaseBuffers() {
    release();
    kept_ = false;
}

std::size_t StaticLayer::bufferBytes() const {
    // Per pixel: 4 bytes of colour in each buffer, 4 of depth and stencil in
    // each but the last, which shares the frame's.
    return framebuffers_[0] != 0
               ? (colours_.size() * 4 + depths_.size() * 4) * static_cast<std::size_t>(size_.width) *
                     static_cast<std::size_t>(size_.height)
               : 0;
}

void StaticLayer::release() {
    if (framebuffers_[0] != 0) {
        glDeleteFramebuffers(kBuffers, framebuffers_.data());
        glDeleteTextures(kBuffers, colours_.data());
        glDeleteTextures(kBuffers - 1, depths_.data());
    }
    framebuffers_ = {};
    colours_ = {};
    depths_ = {};
    size_ = {};
}

bool StaticLayer::prepare(Viewport viewport, Mode mode) {
    if (broken_) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    if (glMajorVersion() < 3) {
        broken_ = true;
        return false;
    }
    GLint target = 0, samples = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &target);
    glGetIntegerv(GL_SAMPLE_BUFFERS, &samples);
    if (samples > 0) return false;
    target_ = target;
    if (framebuffers_[0] != 0 && size_.width == viewport.width && size_.height == viewport.height)
        return true;
    // New buffers hold nothing yet.
    release();
    if (mode == Mode::Reuse) {
        kept_ = false;
        return false;
    }
    glGenFramebuffers(kBuffers, framebuffers_.data());
    glGenTextures(kBuffers, colours_.data());
    glGenTextures(kBuffers - 1, depths_.data());
    const auto storage = [&](GLuint texture, GLenum format) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), viewport.width, viewport.height, 0,
                     format == GL_RGBA8 ? GL_RGBA : GL_DEPTH_STENCIL,
                     format == GL_RGBA8 ? GL_UNSIGNED_BYTE : GL_UNSIGNED_INT_24_8, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    };
    bool complete = true;
    // Textures, so that the frame's colour and depth can be read where they are drawn.
    for (std::size_t i = 0; i < kBuffers; ++i) {
        storage(colours_[i], GL_RGBA8);
        if (i != Final) storage(depths_[i], GL_DEPTH24_STENCIL8);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[i]);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colours_[i], 0);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D,
                               depths_[i == Final ? std::size_t{Frame} : i], 0);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target_));
    if (!complete || glGetError() != GL_NO_ERROR) {
        releaseBuffers();
        broken_ = true;
        return false;
    }
    size_ = viewport;
    return true;
}

void StaticLayer::copy(Buffer from, Buffer to, unsigned mask) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffers_[from]);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffers_[to]);
    glBlitFramebuffer(0, 0, size_.width, size_.height, 0, 0, size_.width, size_.height, mask, GL_NEAREST);
}

void StaticLayer::bindStatic() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[Static]);
}

void StaticLayer::copyStaticToFull() {
    copy(Static, Full, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[Full]);
}

void StaticLayer::startFrame(FrameStart start) {
    copy(start == FrameStart::WithSurfaces ? Full : Static, Frame, GL_COLOR_BUFFER_BIT);
    copy(Static, Frame, GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    finishedIn_ = start == FrameStart::SurfacesAside ? Final : Frame;
    if (finishedIn_ == Final) copy(Full, Final, GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[Frame]);
}

void StaticLayer::bindFinal() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[Final]);
}

bool StaticLayer::finish() {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffers_[finishedIn_]);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(target_));
    glBlitFramebuffer(0, 0, size_.width, size_.height, 0, 0, size_.width, size_.height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target_));
    if (glGetError() == GL_NO_ERROR) return true;
    releaseBuffers();
    broken_ = true;
    return false;
}
