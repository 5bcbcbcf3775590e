#define GL_GLEXT_PROTOTYPES 1
#include "view/gl/surface_fragments.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "view/gl/diagnostic_trace.h"
#include "view/gl/gl_state.h"

namespace {

constexpr std::uint32_t kNoFragment = 0xFFFFFFFFu;
constexpr std::size_t kHeaderBytes = 16;  // count, capacity, unusable, shown
constexpr std::size_t kNodeBytes = 16;    // colour, depth, key, next
constexpr std::size_t kPackedBytes = 8;   // colour, depth
constexpr std::size_t kFirstNodes = std::size_t{1} << 16;
constexpr std::size_t kMostNodes = std::size_t{1} << 24;  // 256 MB
constexpr int kGroup = 8;                                 // pixels a side of an ordering work group

constexpr const char* kVoting = R"(
#extension GL_ARB_gpu_shader_int64 : enable
#extension GL_ARB_shader_ballot : enable
)";

constexpr const char* kBuffers = R"(
layout(std430, binding = 0) coherent buffer KeptFragments {
    uint keptCount;
    uint keptCapacity;
    uint keptUnusable;
    uint keptShown;
    uvec4 keptNodes[];
};
layout(binding = 0, r32ui) coherent uniform uimage2D keptHeads;
const uint kNone = 0xFFFFFFFFu;
)";

// The colour's bytes are made as the blending makes them from a fragment's
// colour; the depth is kept as the fragment's until the lists are put in order.
constexpr const char* kKeepSource = R"(
uint keptByte(float x) {
    precise float t = clamp(x, 0.0, 1.0) * (255.0 / 256.0) + 32768.0;
    return floatBitsToUint(t) & 255u;
}
// The fragments shaded together take their places with one step of the
// counter where the context can vote.
uint keptPlace() {
#ifdef GL_ARB_shader_ballot
    uvec2 lanes = unpackUint2x32(ballotARB(true));
    uvec2 below = unpackUint2x32(ballotARB(true) & gl_SubGroupLtMaskARB);
    uint first = 0u;
    if (bitCount(below.x) + bitCount(below.y) == 0) first = atomicAdd(keptCount, uint(bitCount(lanes.x) + bitCount(lanes.y)));
    return readFirstInvocationARB(first) + uint(bitCount(below.x) + bitCount(below.y));
#else
    return atomicAdd(keptCount, 1u);
#endif
}
void keepFragment(vec4 colour, float depth, uint key) {
    if (gl_HelperInvocation) return;  // nothing of theirs is written
    uint i = keptPlace();
    if (i >= keptCapacity) return;
    uint rgba = keptByte(colour.r) | keptByte(colour.g) << 8 | keptByte(colour.b) << 16 | keptByte(colour.a) << 24;
    keptNodes[i] = uvec4(rgba, floatBitsToUint(depth), key, imageAtomicExchange(keptHeads, ivec2(gl_FragCoord.xy), i));
}
)";

// The faces the fixed pipeline lights: the same colour out, and kept.
constexpr const char* kKeepFixedMain = R"(
layout(early_fragment_tests) in;
uniform uint key;
void main() {
    gl_FragColor = gl_Color;
    keepFragment(gl_Color, gl_FragCoord.z, key);
}
)";

// Each pixel's list, last drawn first, is turned round into the order of the
// drawing (the keys say whether it was), and keeps the fragments that passed
// the depth test over the kept lines and points, each in front of those before
// it, their depths made the depth buffer's as the frame's depth reads. The
// head then holds the first of them and, in its top byte, how many.
constexpr const char* kOrderSource = R"(
layout(local_size_x = 8, local_size_y = 8) in;
layout(binding = 0) uniform sampler2D staticDepth;
float stored(float z) {
    precise float scaled = z * 16777215.0;
    return float(uint(roundEven(scaled))) * (1.0 / 16777215.0);
}
void main() {
    ivec2 at = ivec2(gl_GlobalInvocationID.xy);
    if (any(greaterThanEqual(at, textureSize(staticDepth, 0)))) return;
    uint first = kNone;
    for (uint i = imageLoad(keptHeads, at).r; i != kNone;) {
        uint next = keptNodes[i].w;
        keptNodes[i].w = first;
        first = i;
        i = next;
    }
    // Those that passed, linked in the order drawn.
    float depth = texelFetch(staticDepth, at, 0).r;
    uint key = 0u, count = 0u, head = kNone, last = kNone;
    for (uint i = first; i != kNone;) {
        uvec4 f = keptNodes[i];
        if (f.z < key) atomicOr(keptUnusable, 1u);
        key = f.z;
        float z = stored(uintBitsToFloat(f.y));
        if (z < depth) {
            depth = z;
            ++count;
            keptNodes[i].y = floatBitsToUint(z);
            if (last == kNone) head = i; else keptNodes[last].w = i;
            last = i;
        }
        i = f.w;
    }
    if (count > 255u) atomicOr(keptUnusable, 1u);
    if (count > 0u) atomicAdd(keptShown, count);
    imageStore(keptHeads, at, uvec4(count == 0u ? 0u : head | min(count, 255u) << 24));
}
)";

// Each pixel's fragments that passed, side by side in the order drawn (colour
// and depth), the pixels of a work group next to each other: a frame reads
// them with few trips to memory. The head then holds where they start.
constexpr const char* kPackedBuffer = R"(
layout(std430, binding = 1) coherent buffer PackedFragments {
    uint packedCount;
    uint packedUnused[3];
    uvec2 packedNodes[];
};
)";

constexpr const char* kPackSource = R"(
layout(local_size_x = 8, local_size_y = 8) in;
void main() {
    ivec2 at = ivec2(gl_GlobalInvocationID.xy);
    if (any(greaterThanEqual(at, imageSize(keptHeads)))) return;
    uint head = imageLoad(keptHeads, at).r;
    uint n = head >> 24;
    if (n == 0u) return;
    uint first = atomicAdd(packedCount, n);
    uint i = head & 0xFFFFFFu;
    for (uint j = 0u; j < n; ++j) {
        uvec4 f = keptNodes[i];
        packedNodes[first + j] = f.xy;
        i = f.w;
    }
    imageStore(keptHeads, at, uvec4(first | n << 24));
}
)";

constexpr const char* kResolveVertex = R"(#version 450 compatibility
void main() { gl_Position = gl_Vertex; }
)";

// The depth test and blending of the drawing, in its arithmetic: bytes
// rounded to nearest, products of bytes as a * b / 255 rounded.
constexpr const char* kResolveSource = R"(
layout(early_fragment_tests) in;
layout(binding = 0) uniform sampler2D frameColour;
layout(binding = 1) uniform sampler2D frameDepth;
layout(binding = 2) uniform sampler2D keptDepth;  // the nearest of the kept lines, points and surfaces
uniform bool aside;                               // written into another buffer than the frame's
uint times(uint a, uint b) {
    uint t = a * b;
    return (t + (t >> 8) + 128u) >> 8;
}
uint over(uint s, uint a, uint d) { return min(times(s, a) + times(d, 255u - a), 255u); }
void main() {
    ivec2 at = ivec2(gl_FragCoord.xy);
    // Where nothing is blended, the pixel stays the frame's: as it is, or
    // written aside.
    float depth = texelFetch(frameDepth, at, 0).r;
    if (depth < texelFetch(keptDepth, at, 0).r) {  // in front of every kept surface
        if (!aside) discard;
        gl_FragColor = texelFetch(frameColour, at, 0);
        return;
    }
    // The pixel's fragments lie each in front of those before it: those in
    // front of the frame's depth, the live line's or point's, are the last
    // ones, and all of them pass.
    uint head = imageLoad(keptHeads, at).r;
    uint first = head & 0xFFFFFFu;
    uvec4 c = uvec4(round(texelFetch(frameColour, at, 0) * 255.0));
    bool blended = false;
    for (uint j = first; j < first + (head >> 24); ++j) {
        uvec2 f = packedNodes[j];
        if (!(uintBitsToFloat(f.y) < depth)) continue;
        blended = true;
        uint a = f.x >> 24;
        c = uvec4(over(f.x & 255u, a, c.r), over((f.x >> 8) & 255u, a, c.g), over((f.x >> 16) & 255u, a, c.b),
                  over(a, a, c.a));
    }
    if (!blended && !aside) discard;
    gl_FragColor = vec4(c) / 255.0;
}
)";

constexpr std::string_view kWhat = "surface fragment shader";
constexpr std::array<float, 4> kWholeView[] = {{-1.0f, -1.0f, 1.0f, 1.0f}};

GLuint newBuffer(std::size_t bytes) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferData(GL_SHADER_STORAGE_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    return buffer;
}

bool hasVersion45() {
    GLint major = 0, minor = 0;
    while (glGetError() != GL_NO_ERROR) {
    }
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    return glGetError() == GL_NO_ERROR && (major > 4 || (major == 4 && minor >= 5));
}

// A colour and a depth-stencil texture of the size, and a framebuffer with them.
struct TestTarget {
    GLuint framebuffer = 0, colour = 0, depth = 0;
    TestTarget(int width, int height) {
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA8, width, height);
        glGenTextures(1, &depth);
        glBindTexture(GL_TEXTURE_2D, depth);
        glTexStorage2D(GL_TEXTURE_2D, 1, GL_DEPTH24_STENCIL8, width, height);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, depth, 0);
    }
    ~TestTarget() {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &colour);
        glDeleteTextures(1, &depth);
    }
    TestTarget(const TestTarget&) = delete;
    TestTarget& operator=(const TestTarget&) = delete;
};

// Quads across the square [-1, 1]² at depths that tilt, in colours that vary
// over them: the test scene of the self check.
class TestQuads {
  public:
    void draw(int count, bool translucent, SurfaceFragments* fragments) {
        for (int q = 0; q < count; ++q) {
            if (fragments) fragments->bindForSurface();
            const float x0 = next() * 1.6f - 1.0f, y0 = next() * 1.6f - 1.0f;
            const float x1 = x0 + 0.3f + next(), y1 = y0 + 0.3f + next();
            glBegin(GL_QUADS);
            for (const auto& [x, y] :
                 {std::pair{x0, y0}, std::pair{x1, y0}, std::pair{x1, y1}, std::pair{x0, y1}}) {
                glColor4f(next(), next(), next(), translucent ? 0.2f + 0.8f * next() : 1.0f);
                glVertex3f(x, y, next() * 2.0f - 1.0f);
            }
            glEnd();
            if (fragments) fragments->unbind();
        }
    }

  private:
    float next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / 16777216.0f;
    }
    std::uint32_t state_ = 12345u;
};

// Quads over the view drawn by the program (the rectangles in normalised
// device coordinates, x0, y0, x1, y1), the textures on units 0, 1, ...,
// without depth test or blending.
void overTheView(GLuint program, std::initializer_list<GLuint> textures,
                 std::span<const std::array<float, 4>> where) {
    glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_POLYGON_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glUseProgram(program);
    GLenum unit = GL_TEXTURE0;
    for (const GLuint texture : textures) {
        glActiveTexture(unit++);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    glBegin(GL_QUADS);
    for (const auto& [x0, y0, x1, y1] : where) {
        glVertex2f(x0, y0);
        glVertex2f(x1, y0);
        glVertex2f(x1, y1);
        glVertex2f(x0, y1);
    }
    glEnd();
    while (unit-- > GL_TEXTURE0) {
        glActiveTexture(unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glUseProgram(0);
    glPopAttrib();
}

}  // namespace

const char* SurfaceFragments::keepSource() {
    static const std::string source = std::string(kVoting) + kBuffers + kKeepSource;
    return source.c_str();
}

SurfaceFragments::~SurfaceFragments() {
    release();
    for (const unsigned program : {keepProgram_, orderProgram_, packProgram_, resolveProgram_})
        if (program != 0) glDeleteProgram(program);
}

bool SurfaceFragments::compile() {
    if (!hasVersion45()) return false;
    const std::string version = "#version 450 compatibility\n";
    keepProgram_ = linkProgram(
        0, compileShader(GL_FRAGMENT_SHADER, version + keepSource() + kKeepFixedMain, kWhat), kWhat);
    orderProgram_ = linkProgram(
        0, compileShader(GL_COMPUTE_SHADER, std::string("#version 450\n") + kBuffers + kOrderSource, kWhat),
        kWhat);
    resolveProgram_ = linkProgram(
        compileShader(GL_VERTEX_SHADER, kResolveVertex, kWhat),
        compileShader(GL_FRAGMENT_SHADER, version + kBuffers + kPackedBuffer + kResolveSource, kWhat), kWhat);
    packProgram_ = linkProgram(
        0,
        compileShader(GL_COMPUTE_SHADER,
                      std::string("#version 450\n") + kBuffers + kPackedBuffer + kPackSource, kWhat),
        kWhat);
    if (keepProgram_ == 0 || orderProgram_ == 0 || packProgram_ == 0 || resolveProgram_ == 0) return false;
    keyUniform_ = glGetUniformLocation(keepProgram_, "key");
    asideUniform_ = glGetUniformLocation(resolveProgram_, "aside");
    return keyUniform_ >= 0 && asideUniform_ >= 0;
}

bool SurfaceFragments::usable() {
    if (state_ == 0) {
        state_ = -1;
        if (compile() && selfCheck()) state_ = 1;
        while (glGetError() != GL_NO_ERROR) {
        }
        if (state_ != 1) traceDiagnostic("surface fragments not kept: the context blends otherwise");
    }
    return state_ == 1;
}

// Translucent quads over opaque ones, blended by the context into one target
// and by resolve() into another that held the opaque ones only: the two must
// be the same to the byte.
bool SurfaceFragments::selfCheck() {
    constexpr int kSize = 64;
    GLint previousFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFramebuffer);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_SCISSOR_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
    glViewport(0, 0, kSize, kSize);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);

    bool same = false;
    {
        TestTarget drawn(kSize, kSize), resolved(kSize, kSize);
        TestQuads quads;
        glBindFramebuffer(GL_FRAMEBUFFER, drawn.framebuffer);
        glClearColor(0.3f, 0.6f, 0.9f, 1.0f);
        glClearDepth(1.0);
        glClearStencil(0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glDisable(GL_BLEND);
        quads.draw(6, false, nullptr);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, drawn.framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved.framebuffer);
        glBlitFramebuffer(0, 0, kSize, kSize, 0, 0, kSize, kSize,
                          GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, drawn.framebuffer);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        capacity_ = kSize * kSize * 24;  // every quad over every pixel
        if (start({kSize, kSize})) {
            quads.draw(24, true, this);
            if (end(resolved.depth)) {
                glBindFramebuffer(GL_FRAMEBUFFER, resolved.framebuffer);
                resolve(resolved.colour, resolved.depth, drawn.depth, kWholeView, false);
                std::vector<std::uint8_t> a(kSize * kSize * 4), b(kSize * kSize * 4);
                glBindFramebuffer(GL_READ_FRAMEBUFFER, drawn.framebuffer);
                glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, a.data());
                glBindFramebuffer(GL_READ_FRAMEBUFFER, resolved.framebuffer);
                glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, b.data());
                same = glGetError() == GL_NO_ERROR && a == b;
            }
        }
        release();
        capacity_ = 0;
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    return same;
}

bool SurfaceFragments::allocate(Viewport viewport, std::size_t capacity) {
    release();
    glGenTextures(1, &heads_);
    glBindTexture(GL_TEXTURE_2D, heads_);
    glTexStorage2D(GL_TEXTURE_2D, 1, GL_R32UI, viewport.width, viewport.height);
    glBindTexture(GL_TEXTURE_2D, 0);
    nodes_ = newBuffer(kHeaderBytes + capacity * kNodeBytes);
    if (glGetError() != GL_NO_ERROR) {
        release();
        return false;
    }
    size_ = viewport;
    capacity_ = capacity;
    return true;
}

bool SurfaceFragments::begin(Viewport viewport) {
    held_ = spoiled_ = retry_ = false;
    return usable() && start(viewport);
}

bool SurfaceFragments::start(Viewport viewport) {
    while (glGetError() != GL_NO_ERROR) {
    }
    if (nodes_ == 0 || size_.width != viewport.width || size_.height != viewport.height) {
        // A megabyte to start with (a view without surfaces needs no more);
        // end() makes more when they do not fit.
        if (!allocate(viewport, capacity_ > 0 ? capacity_ : kFirstNodes)) return false;
    }
    const GLuint none = kNoFragment;
    glClearTexImage(heads_, 0, GL_RED_INTEGER, GL_UNSIGNED_INT, &none);
    const std::uint32_t header[4] = {0, static_cast<std::uint32_t>(capacity_), 0, 0};
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, nodes_);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof header, header);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, nodes_);
    glBindImageTexture(0, heads_, 0, GL_FALSE, 0, GL_READ_WRITE, GL_R32UI);
    key_ = 0;
    return glGetError() == GL_NO_ERROR;
}

void SurfaceFragments::bindForSurface() {
    key_ += 2;
    glUseProgram(keepProgram_);
    glUniform1ui(keyUniform_, key_);
}

void SurfaceFragments::unbind() const {
    glUseProgram(0);
}

bool SurfaceFragments::end(unsigned staticDepthTexture) {
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT | GL_BUFFER_UPDATE_BARRIER_BIT);
    std::uint32_t header[4] = {};
    readHeader(header);
    if (glGetError() != GL_NO_ERROR || spoiled_) return false;
    if (header[0] > capacity_) {
        // Too few: room for these and a quarter more, within the most the lists take.
        const std::size_t wanted = std::size_t{header[0]} + header[0] / 4;
        retry_ = wanted <= kMostNodes;
        if (retry_) capacity_ = wanted;
        release();
        return false;
    }
    glUseProgram(orderProgram_);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, nodes_);
    glBindImageTexture(0, heads_, 0, GL_FALSE, 0, GL_READ_WRITE, GL_R32UI);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, staticDepthTexture);
    dispatchPerPixel();
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT | GL_SHADER_IMAGE_ACCESS_BARRIER_BIT |
                    GL_BUFFER_UPDATE_BARRIER_BIT);
    readHeader(header);
    shown_ = header[3];
    held_ = glGetError() == GL_NO_ERROR && header[2] == 0 && (shown_ == 0 || pack());
    return held_;
}

bool SurfaceFragments::pack() {
    if (packed_ != 0) glDeleteBuffers(1, &packed_);
    packed_ = newBuffer(kHeaderBytes + shown_ * kPackedBytes);
    const std::uint32_t zero = 0;
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, packed_);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof zero, &zero);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    glUseProgram(packProgram_);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, nodes_);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, packed_);
    glBindImageTexture(0, heads_, 0, GL_FALSE, 0, GL_READ_WRITE, GL_R32UI);
    dispatchPerPixel();
    glUseProgram(0);
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT | GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
    return glGetError() == GL_NO_ERROR;
}

void SurfaceFragments::dispatchPerPixel() const {
    glDispatchCompute(static_cast<GLuint>((size_.width + kGroup - 1) / kGroup),
                      static_cast<GLuint>((size_.height + kGroup - 1) / kGroup), 1);
}

void SurfaceFragments::readHeader(std::uint32_t (&header)[4]) const {
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, nodes_);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof header, header);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
}

void SurfaceFragments::resolve(unsigned colourTexture, unsigned depthTexture, unsigned keptDepthTexture,
                               std::span<const std::array<float, 4>> where, bool aside) {
    if (shown_ == 0 && !aside) return;  // no surface shows anywhere: nothing to blend, nothing to write
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT | GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
    glTextureBarrier();
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, packed_);
    glBindImageTexture(0, heads_, 0, GL_FALSE, 0, GL_READ_ONLY, GL_R32UI);
    glProgramUniform1i(resolveProgram_, asideUniform_, aside ? 1 : 0);
    overTheView(resolveProgram_, {colourTexture, depthTexture, keptDepthTexture}, where);
}

void SurfaceFragments::contextRemade() {
    heads_ = nodes_ = packed_ = 0;  // the old context's objects are not deleted in this one
    keepProgram_ = orderProgram_ = packProgram_ = resolveProgram_ = 0;
    state_ = 0;
    release();
}

void SurfaceFragments::release() {
    if (heads_ != 0) glDeleteTextures(1, &heads_);
    if (nodes_ != 0) glDeleteBuffers(1, &nodes_);
    if (packed_ != 0) glDeleteBuffers(1, &packed_);
    heads_ = nodes_ = packed_ = 0;
    shown_ = 0;
    size_ = {};
    held_ = false;
}

std::size_t SurfaceFragments::bufferBytes() const {
    if (nodes_ == 0) return 0;
    const std::size_t pixels = static_cast<std::size_t>(size_.width) * static_cast<std::size_t>(size_.height);
    return 4 * pixels + kHeaderBytes + capacity_ * kNodeBytes +
           (packed_ != 0 ? kHeaderBytes + shown_ * kPackedBytes : 0);
}
