#include "view/gl/quadric_meshes.h"

#include <GL/gl.h>
#include <GL/glu.h>

QuadricMeshes::QuadricMeshes() : quadric_(gluNewQuadric()) {
    if (!quadric_) return;
    gluQuadricDrawStyle(quadric_, GLU_FILL);
    gluQuadricOrientation(quadric_, GLU_OUTSIDE);
    gluQuadricNormals(quadric_, GLU_SMOOTH);
}

QuadricMeshes::~QuadricMeshes() {
    releaseLists();
    if (quadric_) gluDeleteQuadric(quadric_);
}

void QuadricMeshes::releaseLists() {
    for (const auto& [key, list] : lists_) glDeleteLists(list, 1);
    lists_.clear();
}

void QuadricMeshes::setCaching(bool on) {
    caching_ = on;
    if (!on) releaseLists();
}

unsigned QuadricMeshes::listFor(const Key& key) {
    if (const auto found = lists_.find(key); found != lists_.end()) return found->second;
    const GLuint list = glGenLists(1);
    if (list == 0) return 0;
    glNewList(list, GL_COMPILE);
    const auto [shape, slices, stacks] = key;
    if (shape == QuadricShape::Sphere)
        gluSphere(quadric_, 1.0, slices, stacks);
    else
        gluCylinder(quadric_, 1.0, shape == QuadricShape::Cone ? 0.0 : 1.0, 1.0, slices, stacks);
    glEndList();
    lists_.emplace(key, list);
    return list;
}

void QuadricMeshes::drawScaled(unsigned list, double sx, double sy, double sz) {
    const GLboolean normalised = glIsEnabled(GL_NORMALIZE);
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    glScaled(sx, sy, sz);
    glCallList(list);
    glPopMatrix();
    if (!normalised) glDisable(GL_NORMALIZE);
}

void QuadricMeshes::sphere(double radius, int slices, int stacks) {
    if (!quadric_) return;
    // A zero scale would leave normals GL cannot renormalise.
    const unsigned list = caching_ && radius > 0.0 ? listFor({QuadricShape::Sphere, slices, stacks}) : 0;
    if (list != 0)
        drawScaled(list, radius, radius, radius);
    else
        gluSphere(quadric_, radius, slices, stacks);
}

void QuadricMeshes::cylinder(double baseRadius, double topRadius, double height, int slices, int stacks) {
    if (!quadric_) return;
    const bool scalable = baseRadius > 0.0 && height > 0.0 && (topRadius == 0.0 || topRadius == baseRadius);
    const unsigned list =
        caching_ && scalable
            ? listFor({topRadius == 0.0 ? QuadricShape::Cone : QuadricShape::Cylinder, slices, stacks})
            : 0;
    if (list != 0)
        drawScaled(list, baseRadius, baseRadius, height);
    else
        gluCylinder(quadric_, baseRadius, topRadius, height, slices, stacks);
}

const UnitMesh& QuadricMeshes::unitMesh(QuadricShape shape, MeshCounts counts) {
    const Key key{shape, counts.slices, counts.stacks};
    if (const auto found = unitMeshes_.find(key); found != unitMeshes_.end()) return found->second;
    return unitMeshes_.emplace(key, makeUnitMesh(shape, counts)).first->second;
}
