#pragma once

#include <array>
#include <string>
#include <string_view>

// The fixed OpenGL state every rendering context of the view starts with:
// lighting with one directional light along the eye axis, colour material on
// the ambient colour, smoothing hints, line polygon mode (each primitive sets the
// mode it needs) and the depth test. Call with the new context current:
// HeadlessContext does it itself; a window calls it once its context is made
// (in QOpenGLWidget::initializeGL, say) before the first Renderer::render.
void setFixedGlState();

// Light 0 and the front material as the fixed lighting combines them, for
// drawing lit shapes another way (a shader, a lit texture).
struct LightTerms {
    std::array<float, 4> position{};  // light 0 in eye coordinates
    std::array<float, 3> ambient{};   // global and light ambient (the colour tracks the ambient)
    std::array<float, 3> emission{};
    std::array<float, 4> diffuse{};   // light times material; alpha the material's
    std::array<float, 3> specular{};  // light times material
    float shininess = 0.0f;
    bool operator==(const LightTerms&) const = default;
};
// Reads the current lighting; false when it is not one directional light 0
// with the colour tracking the ambient material, as setFixedGlState makes it.
bool readLightTerms(LightTerms& terms);

// The major version of the current context, from its version string ("2.1
// Mesa ...", "4.5 (Compatibility ..."); 0 when there is none.
int glMajorVersion();

// A shader of the kind (GL_VERTEX_SHADER, ...) compiled from the source, and
// a program linked from a vertex shader (or none: 0) and one other; 0 when
// they do not compile or link, with the log in the diagnostic trace under what.
// Both delete the shaders they are given. With a context of OpenGL 2 or later.
unsigned compileShader(unsigned kind, const std::string& source, std::string_view what);
unsigned linkProgram(unsigned vertex, unsigned other, std::string_view what);
