#define GL_GLEXT_PROTOTYPES 1
#include "view/gl/sphere_impostors.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cmath>
#include <string>

#include "view/gl/diagnostic_trace.h"
#include "view/gl/gl_state.h"
#include "view/gl/mesh_batch.h"
#include "view/gl/surface_fragments.h"

namespace {

// The square stands across the line from the eye to the centre, through the
// centre, and reaches the cone of the lines of sight that touch the sphere.
constexpr const char* kVertexShader = R"(
uniform float central;
attribute vec4 corner;  // u, v, radius, far side
varying vec3 eyePoint;
varying vec3 eyeCentre;
varying float radius;
varying float farSide;
void main() {
    vec4 c = gl_ModelViewMatrix * gl_Vertex;
    eyeCentre = c.xyz / c.w;
    radius = corner.z * length(gl_ModelViewMatrix[0].xyz);
    farSide = corner.w;
    vec3 towards = central > 0.5 ? -normalize(eyeCentre) : vec3(0.0, 0.0, 1.0);
    float reach = radius;
    if (central > 0.5) {
        float d = length(eyeCentre);
        reach = radius * d / sqrt(max(d * d - radius * radius, 1e-30));
    }
    vec3 across = normalize(cross(towards, abs(towards.x) < 0.9 ? vec3(1.0, 0.0, 0.0) : vec3(0.0, 1.0, 0.0)));
    vec3 up = cross(towards, across);
    eyePoint = eyeCentre + (across * corner.x + up * corner.y) * (reach * 1.001);
    gl_Position = gl_ProjectionMatrix * vec4(eyePoint, 1.0);
    gl_FrontColor = gl_Color;
}
)";

// Lit as the fixed lighting lights a vertex (no local viewer): the light's
// terms come as uniforms, read from the GL state at each draw.
constexpr const char* kFragmentShader = R"(
uniform float central;   // 1: lines of sight from the eye; 0: along the eye axis
uniform vec3 light;      // towards the light
uniform vec3 halfway;    // between the light and the eye axis
uniform vec3 ambient;    // scene and light ambient, times the colour
uniform vec3 emission;
uniform vec4 diffuse;    // light times material; alpha: the material's
uniform vec4 specular;   // light times material; w: shininess
varying vec3 eyePoint;
varying vec3 eyeCentre;
varying float radius;
varying float farSide;
void main() {
    vec3 origin = central > 0.5 ? vec3(0.0) : vec3(eyePoint.xy, 0.0);
    vec3 along = central > 0.5 ? normalize(eyePoint) : vec3(0.0, 0.0, -1.0);
    // The line's nearest point to the centre, and how far the sphere reaches on either side of it.
    float middle = dot(eyeCentre - origin, along);
    vec3 off = origin + along * middle - eyeCentre;
    float inside = radius * radius - dot(off, off);
    if (inside < 0.0) discard;
    float reach = sqrt(inside);
    // The far side, seen from inside, is lit with its normal reversed.
    vec3 p = off + along * (farSide > 0.5 ? reach : -reach);
    vec3 n = (farSide > 0.5 ? -p : p) / radius;
    p += eyeCentre;
    vec4 row2 = vec4(gl_ProjectionMatrix[0][2], gl_ProjectionMatrix[1][2], gl_ProjectionMatrix[2][2], gl_ProjectionMatrix[3][2]);
    vec4 row3 = vec4(gl_ProjectionMatrix[0][3], gl_ProjectionMatrix[1][3], gl_ProjectionMatrix[2][3], gl_ProjectionMatrix[3][3]);
    vec4 at = vec4(p, 1.0);
    gl_FragDepth = 0.5 * (gl_DepthRange.diff * dot(row2, at) / dot(row3, at) + gl_DepthRange.near + gl_DepthRange.far);

    float facing = max(dot(n, light), 0.0);
    vec3 colour = emission + gl_Color.rgb * ambient + facing * diffuse.rgb;
    if (facing > 0.0) colour += pow(max(dot(n, halfway), 0.0), specular.w) * specular.rgb;
    gl_FragColor = vec4(clamp(colour, 0.0, 1.0), diffuse.a);
#ifdef KEEP
    if (keeping) keepFragment(gl_FragColor, gl_FragDepth, key + (farSide > 0.5 ? 0u : 1u));
#endif
}
)";

// The same shader keeping the fragments it draws (surface_fragments.h).
constexpr const char* kPlainVersion = "#version 120\n";
constexpr const char* kKeepVersion = "#version 450 compatibility\n";
constexpr const char* kKeepDefines = "#define KEEP 1\nuniform uint key;\nuniform bool keeping;\n";
// Tested before it runs, so that only fragments that pass the stencil are kept.
constexpr const char* kEarly = "layout(early_fragment_tests) in;\n";

// The lighting the shader draws: the view's (gl_state.h), or any other with
// only light 0, directional, the colour tracking the ambient material, no fog.
bool lightingDrawable() {
    LightTerms terms;
    return !glIsEnabled(GL_FOG) && readLightTerms(terms);
}

// The shader's uniforms, in the order of SphereImpostors::Shader::uniforms.
constexpr std::array<const char*, 7> kUniformNames = {"central",  "light",   "halfway", "ambient",
                                                      "emission", "diffuse", "specular"};

// The lighting of the current GL state into the shader's uniforms (locations by kUniformNames).
void setLighting(const std::array<int, 7>& at) {
    GLdouble projection[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glUniform1f(at[0], projection[11] != 0.0 ? 1.0f : 0.0f);
    LightTerms t;
    readLightTerms(t);
    const double length = std::hypot(t.position[0], t.position[1], t.position[2]);
    const double scale = length > 0.0 ? 1.0 / length : 0.0;
    const double light[3] = {t.position[0] * scale, t.position[1] * scale, t.position[2] * scale};
    const double halfLength = std::hypot(light[0], light[1], light[2] + 1.0);
    const double halfScale = halfLength > 0.0 ? 1.0 / halfLength : 0.0;
    glUniform3f(at[1], static_cast<GLfloat>(light[0]), static_cast<GLfloat>(light[1]),
                static_cast<GLfloat>(light[2]));
    glUniform3f(at[2], static_cast<GLfloat>(light[0] * halfScale), static_cast<GLfloat>(light[1] * halfScale),
                static_cast<GLfloat>((light[2] + 1.0) * halfScale));
    glUniform3f(at[3], t.ambient[0], t.ambient[1], t.ambient[2]);
    glUniform3f(at[4], t.emission[0], t.emission[1], t.emission[2]);
    glUniform4f(at[5], t.diffuse[0], t.diffuse[1], t.diffuse[2], t.diffuse[3]);
    glUniform4f(at[6], t.specular[0], t.specular[1], t.specular[2], t.shininess);
}

}  // namespace

SphereImpostors::~SphereImpostors() {
    for (const Shader& shader : {plain_, drawing_, keeping_})
        if (shader.program != 0) glDeleteProgram(shader.program);
}

SphereImpostors::Shader SphereImpostors::compile(bool keep, bool early) {
    Shader made;
    made.tried = true;
    if (glMajorVersion() < 2) return made;
    const std::string head = keep ? std::string(kKeepVersion) + SurfaceFragments::keepSource() +
                                        kKeepDefines + (early ? kEarly : "")
                                  : kPlainVersion;
    constexpr std::string_view what = "sphere shader";
    const GLuint program =
        linkProgram(compileShader(GL_VERTEX_SHADER,
                                  (keep ? kKeepVersion : kPlainVersion) + std::string(kVertexShader), what),
                    compileShader(GL_FRAGMENT_SHADER, head + kFragmentShader, what), what);
    if (program == 0) return made;
    const GLint corner = glGetAttribLocation(program, "corner");
    if (corner < 0) {
        traceDiagnostic("sphere shader without its corner attribute");
        glDeleteProgram(program);
        return made;
    }
    made.program = program;
    made.corner = corner;
    for (std::size_t i = 0; i < kUniformNames.size(); ++i)
        made.uniforms[i] = glGetUniformLocation(program, kUniformNames[i]);
    made.key = keep ? glGetUniformLocation(program, "key") : -1;
    made.keeping = keep ? glGetUniformLocation(program, "keeping") : -1;
    return made;
}

bool SphereImpostors::beginFrame() {
    centres_.clear();
    corners_.clear();
    colours_.clear();
    if (!plain_.tried) plain_ = compile(false, false);
    usable_ = plain_.program != 0 && lightingDrawable();
    return usable_;
}

void SphereImpostors::addSquare(Vec3 centre, float radius, const std::uint8_t* rgba, float farSide) {
    for (const auto& [u, v] :
         {std::pair{-1.0f, -1.0f}, std::pair{1.0f, -1.0f}, std::pair{1.0f, 1.0f}, std::pair{-1.0f, 1.0f}}) {
        centres_.insert(centres_.end(), {static_cast<float>(centre.x), static_cast<float>(centre.y),
                                         static_cast<float>(centre.z)});
        corners_.insert(corners_.end(), {u, v, radius, farSide});
        colours_.insert(colours_.end(), rgba, rgba + 4);
    }
}

bool SphereImpostors::add(Vec3 centre, double radius, std::uint32_t colour, bool bothSides) {
    if (!usable_ || !(radius > 0.0) || !std::isfinite(radius)) return false;
    const std::uint8_t rgba[4] = {static_cast<std::uint8_t>(colour & 0xFF),
                                  static_cast<std::uint8_t>((colour >> 8) & 0xFF),
                                  static_cast<std::uint8_t>((colour >> 16) & 0xFF), 255};
    if (bothSides) addSquare(centre, static_cast<float>(radius), rgba, 1.0f);
    addSquare(centre, static_cast<float>(radius), rgba, 0.0f);
    return true;
}

void SphereImpostors::draw(SurfaceFragments* keeping) {
    if (corners_.empty()) return;
    if (keeping && !keeping_.tried) {
        drawing_ = compile(true, false);
        keeping_ = compile(true, true);
    }
    const bool keep = keeping && drawing_.program != 0 && keeping_.program != 0;
    if (keeping && !keep) keeping->spoil();  // drawn, but not kept
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_STENCIL_BUFFER_BIT);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    const auto vertices = static_cast<GLsizei>(corners_.size() / 4);
    if (!keep) {
        drawSquares(plain_, 0, vertices);
    } else {
        // Each square is drawn marking the stencil where it passes the depth
        // test, then again, tested before it runs, keeping what it drew there.
        glEnable(GL_STENCIL_TEST);
        glStencilMask(0x80);
        for (GLsizei first = 0; first < vertices; first += 4) {
            for (const bool keepNow : {false, true}) {
                const GLboolean drawn = keepNow ? GL_FALSE : GL_TRUE;
                glStencilFunc(keepNow ? GL_EQUAL : GL_ALWAYS, 0x80, 0x80);
                glStencilOp(GL_KEEP, GL_KEEP, keepNow ? GL_ZERO : GL_REPLACE);
                glColorMask(drawn, drawn, drawn, drawn);
                glDepthMask(drawn);
                if (keepNow)
                    glDisable(GL_DEPTH_TEST);
                else
                    glEnable(GL_DEPTH_TEST);
                drawSquares(keepNow ? keeping_ : drawing_, first, 4, keepNow, keeping->surfaceKey());
            }
        }
    }
    glUseProgram(static_cast<GLuint>(previous));
    glPopAttrib();
    centres_.clear();
    corners_.clear();
    colours_.clear();
}

void SphereImpostors::drawSquares(const Shader& shader, int first, int count, bool keep, unsigned key) {
    glUseProgram(shader.program);
    setLighting(shader.uniforms);
    if (shader.key >= 0) {
        glUniform1ui(shader.key, key);
        glUniform1i(shader.keeping, keep ? 1 : 0);
    }
    if (clientArraysUsable()) {
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, centres_.data());
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours_.data());
        glEnableVertexAttribArray(static_cast<GLuint>(shader.corner));
        glVertexAttribPointer(static_cast<GLuint>(shader.corner), 4, GL_FLOAT, GL_FALSE, 0, corners_.data());
        glDrawArrays(GL_QUADS, first, count);
        glDisableVertexAttribArray(static_cast<GLuint>(shader.corner));
        glPopClientAttrib();
    } else {
        glBegin(GL_QUADS);
        for (int i = first; i < first + count; ++i) {
            glColor4ubv(&colours_[4 * static_cast<std::size_t>(i)]);
            glVertexAttrib4fv(static_cast<GLuint>(shader.corner), &corners_[4 * static_cast<std::size_t>(i)]);
            glVertex3fv(&centres_[3 * static_cast<std::size_t>(i)]);
        }
        glEnd();
    }
}
