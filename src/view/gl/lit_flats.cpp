#include "view/gl/lit_flats.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "view/gl/mesh_batch.h"

namespace {

std::uint8_t byteOf(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

// The view's lighting (gl_state.h) with its light along the eye axis and no
// emission.
bool readEyeAxisLighting(LightTerms& lighting) {
    if (!readLightTerms(lighting)) return false;
    const std::array<float, 4>& at = lighting.position;
    return at[0] == 0.0f && at[1] == 0.0f && at[2] > 0.0f && lighting.emission == std::array<float, 3>{};
}

}  // namespace

LitFlats::~LitFlats() {
    if (texture_ != 0) {
        const GLuint name = texture_;
        glDeleteTextures(1, &name);
    }
}

void LitFlats::clear() {
    positions_.clear();
    texels_.clear();
    colours_.clear();
}

bool LitFlats::beginFrame(const ViewState& view) {
    clear();
    LightTerms lighting;
    usable_ = readEyeAxisLighting(lighting) && eyeInModel(view, eye_);
    if (!usable_) return false;
    if (texture_ == 0 || !(lighting == lighting_)) {
        lighting_ = lighting;
        makeTexture();
    }
    central_ = view.projection != 1;
    return true;
}

void LitFlats::makeTexture() {
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(shape_.width) * shape_.height * shape_.depth *
                                     4);
    make_(lighting_, texels);
    GLuint name = texture_;
    if (name == 0) glGenTextures(1, &name);
    texture_ = name;
    const GLint filter = shape_.linear ? GL_LINEAR : GL_NEAREST;
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_IMAGE_HEIGHT, 0);
    glBindTexture(GL_TEXTURE_3D, name);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, filter);
    for (const GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R})
        glTexParameteri(GL_TEXTURE_3D, wrap, GL_CLAMP_TO_EDGE);
    glTexImage3D(GL_TEXTURE_3D, 0, GL_RGBA, shape_.width, shape_.height, shape_.depth, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, texels.data());
    glPopClientAttrib();
    glPopAttrib();
}

void LitFlats::corner(Vec3 position, const std::array<float, 3>& texel, std::uint32_t colour) {
    positions_.insert(positions_.end(), {static_cast<float>(position.x), static_cast<float>(position.y),
                                         static_cast<float>(position.z)});
    texels_.insert(texels_.end(), texel.begin(), texel.end());
    const std::array<float, 3>& ambient = lighting_.ambient;
    colours_.insert(colours_.end(), {byteOf(ambient[0] * (colour & 0xFF) / 255.0),
                                     byteOf(ambient[1] * ((colour >> 8) & 0xFF) / 255.0),
                                     byteOf(ambient[2] * ((colour >> 16) & 0xFF) / 255.0), 255});
}

void LitFlats::draw(bool cutOut, bool fogged) {
    if (positions_.empty()) return;
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    if (!fogged) glDisable(GL_FOG);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_3D);
    glBindTexture(GL_TEXTURE_3D, texture_);
    // The corner's colour (the ambient light) plus the texture's (the rest).
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_ADD);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_PRIMARY_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, cutOut ? GL_TEXTURE : GL_PRIMARY_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
    if (cutOut) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
    }
    const GLenum mode = corners_ == 3 ? GL_TRIANGLES : GL_QUADS;
    const auto count = static_cast<GLsizei>(vertexCount() / static_cast<std::size_t>(corners_) * corners_);
    if (clientArraysUsable()) {
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, positions_.data());
        glTexCoordPointer(3, GL_FLOAT, 0, texels_.data());
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours_.data());
        glDrawArrays(mode, 0, count);
        glPopClientAttrib();
    } else {
        glBegin(mode);
        for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
            glColor4ubv(&colours_[4 * i]);
            glTexCoord3fv(&texels_[3 * i]);
            glVertex3fv(&positions_[3 * i]);
        }
        glEnd();
    }
    glPopAttrib();
    clear();
}

void putShine(const LightTerms& lighting, double z, std::uint8_t* rgba) {
    const double facing = std::max(z, 0.0);
    const double shine = facing > 0.0 ? std::pow(facing, lighting.shininess) : 0.0;
    for (std::size_t c = 0; c < 3; ++c)
        rgba[c] = byteOf(lighting.diffuse[c] * facing + lighting.specular[c] * shine);
    rgba[3] = 255;
}
