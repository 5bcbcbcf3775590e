#include "view/gl/ball_impostors.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "view/camera.h"
#include "view/gl/gl_state.h"
#include "view/gl/mesh_batch.h"

namespace {

// Texels across one tile; a ball drawn this way is a few pixels across, so a
// texel is a small part of a pixel.
constexpr int kTileTexels = 64;
// Tiles by the angle between the eye axis and the line to the ball, from 0 in
// steps of this many degrees; a ball further off the axis (outside any view)
// takes the last.
constexpr int kTiles = 32;
constexpr double kTileDegrees = 2.0;

void push2(std::vector<float>& v, float a, float b) {
    v.insert(v.end(), {a, b});
}

std::uint8_t byteOf(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

}  // namespace

BallImpostors::~BallImpostors() {
    if (texture_ != 0) {
        const GLuint name = texture_;
        glDeleteTextures(1, &name);
    }
}

// The view's lighting (gl_state.h) with its light along the eye axis and no
// emission; anything else is drawn as meshes.
bool BallImpostors::readLighting(LightTerms& lighting) {
    if (!readLightTerms(lighting)) return false;
    const std::array<float, 4>& at = lighting.position;
    return at[0] == 0.0f && at[1] == 0.0f && at[2] > 0.0f && lighting.emission == std::array<float, 3>{};
}

// Tile k shows a ball seen at (k + 1/2) tile steps off the eye axis. In the
// tile, u runs towards the eye axis as seen from the ball and v across; the
// ball's normal at (u, v) is u p + v q + w e (e towards the eye, p the eye
// axis' part across e), and its eye-space z is u sin t + w cos t.
void BallImpostors::makeTexture() {
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(kTileTexels) * kTileTexels * kTiles * 4);
    std::size_t at = 0;
    for (int tile = 0; tile < kTiles; ++tile) {
        const double angle = (tile + 0.5) * kTileDegrees * std::numbers::pi / 180.0;
        for (int row = 0; row < kTileTexels; ++row) {
            const double v = (row + 0.5) * 2.0 / kTileTexels - 1.0;
            for (int column = 0; column < kTileTexels; ++column, at += 4) {
                const double u = (column + 0.5) * 2.0 / kTileTexels - 1.0;
                const double inside = 1.0 - u * u - v * v;
                if (!(inside > 0.0)) {
                    std::fill_n(texels.begin() + static_cast<std::ptrdiff_t>(at), 4, std::uint8_t{0});
                    continue;
                }
                const double z = u * std::sin(angle) + std::sqrt(inside) * std::cos(angle);
                const double facing = std::max(z, 0.0);
                const double shine = facing > 0.0 ? std::pow(facing, lighting_.shininess) : 0.0;
                for (std::size_t c = 0; c < 3; ++c)
                    texels[at + c] = byteOf(lighting_.diffuse[c] * facing + lighting_.specular[c] * shine);
                texels[at + 3] = 255;
            }
        }
    }
    if (texture_ == 0) {
        GLuint name = 0;
        glGenTextures(1, &name);
        texture_ = name;
    }
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTileTexels, kTileTexels * kTiles, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glPopClientAttrib();
    glPopAttrib();
}

bool BallImpostors::beginFrame(const ViewState& view) {
    positions_.clear();
    texels_.clear();
    colours_.clear();
    squares_ = 0;
    LightTerms lighting;
    usable_ = readLighting(lighting);
    if (!usable_) return false;
    if (texture_ == 0 || !(lighting == lighting_)) {
        lighting_ = lighting;
        makeTexture();
    }
    EyeInModel eye;
    if (!eyeInModel(view, eye)) return usable_ = false;
    eye_ = eye.position;
    eyeAxis_ = eye.towards;
    central_ = view.projection != 1;
    return true;
}

bool BallImpostors::add(Vec3 centre, double radius, std::uint32_t colour) {
    if (!usable_ || !(radius > 0.0)) return false;
    // e: from the ball towards the eye; the square shrinks as it comes nearer.
    Vec3 e = eyeAxis_;
    double shrink = 1.0;
    if (central_) {
        const Vec3 towards = eye_ - centre;
        const double distance = norm(towards);
        if (!(distance > radius) || !std::isfinite(distance)) return false;
        e = towards * (1.0 / distance);
        shrink = (distance - radius) / distance;
    }
    const double cosine = std::clamp(e.x * eyeAxis_.x + e.y * eyeAxis_.y + e.z * eyeAxis_.z, -1.0, 1.0);
    Vec3 p = eyeAxis_ - e * cosine;
    double across = norm(p);
    if (!(across > 1e-9)) {
        // On the axis: any direction across it.
        p = crossProduct(e, std::fabs(e.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0});
        across = norm(p);
    }
    p = p * (radius * shrink / across);
    const Vec3 q = crossProduct(e, p);
    const Vec3 front = centre + e * radius;
    const double degrees = std::acos(cosine) * 180.0 / std::numbers::pi;
    const int tile = std::min(kTiles - 1, static_cast<int>(degrees / kTileDegrees));
    const auto t0 = static_cast<float>(tile) / kTiles, t1 = static_cast<float>(tile + 1) / kTiles;
    const std::uint8_t rgba[4] = {byteOf(lighting_.ambient[0] * (colour & 0xFF) / 255.0),
                                  byteOf(lighting_.ambient[1] * ((colour >> 8) & 0xFF) / 255.0),
                                  byteOf(lighting_.ambient[2] * ((colour >> 16) & 0xFF) / 255.0), 255};
    // Corners (u, v) = (-1, -1), (1, -1), (1, 1), (-1, 1).
    for (const auto& [u, v] : {std::pair{-1, -1}, std::pair{1, -1}, std::pair{1, 1}, std::pair{-1, 1}}) {
        const Vec3 corner = front + p * u + q * v;
        positions_.insert(positions_.end(), {static_cast<float>(corner.x), static_cast<float>(corner.y),
                                             static_cast<float>(corner.z)});
        push2(texels_, u < 0 ? 0.0f : 1.0f, v < 0 ? t0 : t1);
        colours_.insert(colours_.end(), rgba, rgba + 4);
    }
    ++squares_;
    return true;
}

void BallImpostors::draw() {
    if (squares_ == 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    // The square's colour (the ambient light) plus the texture's (the rest); the texture's alpha cuts the
    // disc.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_ADD);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_PRIMARY_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    if (clientArraysUsable()) {
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, positions_.data());
        glTexCoordPointer(2, GL_FLOAT, 0, texels_.data());
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours_.data());
        glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(4 * squares_));
        glPopClientAttrib();
    } else {
        glBegin(GL_QUADS);
        for (std::size_t i = 0; i < 4 * squares_; ++i) {
            glColor4ubv(&colours_[4 * i]);
            glTexCoord2fv(&texels_[2 * i]);
            glVertex3fv(&positions_[3 * i]);
        }
        glEnd();
    }
    glPopAttrib();
    positions_.clear();
    texels_.clear();
    colours_.clear();
    squares_ = 0;
}
