#define GL_GLEXT_PROTOTYPES 1
#include "view/gl/gl_state.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>
#include <cstdlib>

#include "view/gl/diagnostic_trace.h"

namespace {

// GL_FRAMEBUFFER_BINDING, which OpenGL 1.1's header does not name.
constexpr GLenum kFramebufferBinding = 0x8CA6;

}  // namespace

void setFixedGlState() {
    glDepthRange(0.0, 1.0);

    // The light is given with an identity model-view, so it stays along the eye axis.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat diffuse[] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat position[] = {0.0f, 0.0f, 1.0f, 0.0f};
    glEnable(GL_LIGHTING);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, position);

    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT);
    const GLfloat specular[] = {0.1f, 0.1f, 0.1f, 0.1f};
    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 56.0f);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);

    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glDisable(GL_FOG);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);

    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glShadeModel(GL_SMOOTH);
    // A window that renders through a framebuffer object (Qt's OpenGL widget)
    // has no back buffer to name: its object's colour buffer is already the target.
    GLint framebuffer = 0;
    glGetIntegerv(kFramebufferBinding, &framebuffer);
    if (framebuffer == 0) {
        glDrawBuffer(GL_BACK);
        glReadBuffer(GL_BACK);
    }
    glEnable(GL_DEPTH_TEST);
}

bool readLightTerms(LightTerms& terms) {
    if (!glIsEnabled(GL_LIGHTING) || !glIsEnabled(GL_LIGHT0) || glIsEnabled(GL_LIGHT1)) return false;
    if (!glIsEnabled(GL_COLOR_MATERIAL)) return false;
    GLint tracked = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &tracked);
    glGetLightfv(GL_LIGHT0, GL_POSITION, terms.position.data());
    if (tracked != GL_AMBIENT || terms.position[3] != 0.0f) return false;
    GLfloat sceneAmbient[4] = {}, lightAmbient[4] = {}, lightDiffuse[4] = {}, lightSpecular[4] = {};
    GLfloat emission[4] = {}, diffuse[4] = {}, specular[4] = {};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, sceneAmbient);
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    glGetMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &terms.shininess);
    for (std::size_t i = 0; i < 3; ++i) {
        terms.ambient[i] = sceneAmbient[i] + lightAmbient[i];
        terms.emission[i] = emission[i];
        terms.diffuse[i] = lightDiffuse[i] * diffuse[i];
        terms.specular[i] = lightSpecular[i] * specular[i];
    }
    terms.diffuse[3] = diffuse[3];
    return true;
}

int glMajorVersion() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return version ? std::atoi(version) : 0;
}

unsigned compileShader(unsigned kind, const std::string& source, std::string_view what) {
    const GLuint shader = glCreateShader(kind);
    if (shader == 0) return 0;
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    char log[512] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    traceDiagnostic(std::string(what) + " not compiled: " + log);
    glDeleteShader(shader);
    return 0;
}

unsigned linkProgram(unsigned vertex, unsigned other, std::string_view what) {
    if (other == 0) {
        if (vertex != 0) glDeleteShader(vertex);
        return 0;
    }
    const GLuint program = glCreateProgram();
    if (vertex != 0) glAttachShader(program, vertex);
    glAttachShader(program, other);
    glLinkProgram(program);
    if (vertex != 0) glDeleteShader(vertex);
    glDeleteShader(other);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok == GL_TRUE) return program;
    traceDiagnostic(std::string(what) + " not linked");
    glDeleteProgram(program);
    return 0;
}
