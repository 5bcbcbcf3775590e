#include "view/gl/polygon_tessellator.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

using Callback = void (*)();  // GLU's declared callback type

void begin(GLenum type) {
    glBegin(type);
}

void vertex(void* data) {
    glVertex3dv(static_cast<const GLdouble*>(data));
}

void end() {
    glEnd();
}

}  // namespace

PolygonTessellator::PolygonTessellator() : tess_(gluNewTess()) {
    if (!tess_) return;
    gluTessProperty(tess_, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessCallback(tess_, GLU_TESS_BEGIN, reinterpret_cast<Callback>(&begin));
    gluTessCallback(tess_, GLU_TESS_VERTEX, reinterpret_cast<Callback>(&vertex));
    gluTessCallback(tess_, GLU_TESS_END, reinterpret_cast<Callback>(&end));
    gluTessCallback(tess_, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(&PolygonTessellator::combine));
    gluTessCallback(tess_, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(&PolygonTessellator::error));
}

PolygonTessellator::~PolygonTessellator() {
    if (tess_) gluDeleteTess(tess_);
}

void PolygonTessellator::combine(const double coordinates[3], void* [4], const float[4], void** out,
                                 void* self) {
    auto& created = static_cast<PolygonTessellator*>(self)->created_;
    created.push_back({coordinates[0], coordinates[1], coordinates[2]});
    *out = created.back().data();
}

void PolygonTessellator::error(unsigned code, void* self) {
    const auto* t = static_cast<PolygonTessellator*>(self);
    if (!t->onError_) return;
    const GLubyte* text = gluErrorString(code);
    t->onError_(std::string("Tessellation Error: ") + (text ? reinterpret_cast<const char*>(text) : "?") +
                "\n");
}

void PolygonTessellator::fill(std::span<const Vec3> contour, Vec3 normal) {
    if (!tess_ || contour.size() < 3) return;
    contour_.clear();
    contour_.reserve(contour.size());  // GLU keeps pointers into it until the end
    for (const Vec3& v : contour) contour_.push_back({v.x, v.y, v.z});
    gluTessNormal(tess_, normal.x, normal.y, normal.z);
    gluTessBeginPolygon(tess_, this);
    gluTessBeginContour(tess_);
    for (auto& v : contour_) gluTessVertex(tess_, v.data(), v.data());
    gluTessEndContour(tess_);
    gluTessEndPolygon(tess_);
    created_.clear();
}
