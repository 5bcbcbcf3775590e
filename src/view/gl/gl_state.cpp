#include "view/gl/gl_state.h"

#include <GL/gl.h>

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
