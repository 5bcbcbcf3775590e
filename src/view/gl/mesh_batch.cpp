#include "view/gl/mesh_batch.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Buffer bindings, which OpenGL 1.1's header does not name: with a buffer
// bound, array pointers would be read as offsets into it.
constexpr GLenum kArrayBufferBinding = 0x8894;
constexpr GLenum kElementArrayBufferBinding = 0x8895;

// GLU keeps angles, sines and cosines in single precision; so do these meshes,
// so that they match its vertices.
struct Circle {
    std::vector<float> sines, cosines;  // of 2 pi i / slices, i = 0 … slices - 1
};

Circle circleOf(int slices) {
    Circle c;
    for (int i = 0; i < slices; ++i) {
        const auto angle = static_cast<float>(2.0 * std::numbers::pi * i / slices);
        c.sines.push_back(static_cast<float>(std::sin(angle)));
        c.cosines.push_back(static_cast<float>(std::cos(angle)));
    }
    return c;
}

void push3(std::vector<float>& v, float x, float y, float z) {
    v.insert(v.end(), {x, y, z});
}

// A quad of a GL quad strip (a, b, then the next pair c, d: the polygon a b d c)
// as two triangles of the same winding, split along a-d as the renderer splits
// quads, so that the shading matches.
void quad(std::vector<std::uint32_t>& t, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    t.insert(t.end(), {a, b, d, a, d, c});
}

// Rings 1 … stacks - 1 of slices vertices between the poles; the top fan, the
// strips between rings and the bottom fan, with GLU's vertices and windings.
UnitMesh unitSphere(int slices, int stacks) {
    UnitMesh m;
    const Circle around = circleOf(slices);
    std::vector<float> ringSine(static_cast<std::size_t>(stacks) + 1), ringCosine(ringSine.size());
    for (int j = 0; j <= stacks; ++j) {
        const auto angle = static_cast<float>(std::numbers::pi * j / stacks);
        ringSine[static_cast<std::size_t>(j)] =
            j == 0 || j == stacks ? 0.0f : static_cast<float>(std::sin(angle));
        ringCosine[static_cast<std::size_t>(j)] = static_cast<float>(std::cos(angle));
    }
    const auto n = static_cast<std::uint32_t>(slices);
    // Vertex i of ring j (the ring closes on itself).
    const auto at = [&](int j, int i) {
        return 2 + static_cast<std::uint32_t>(j - 1) * n + static_cast<std::uint32_t>(i) % n;
    };
    push3(m.positions, 0, 0, 1), push3(m.normals, 0, 0, 1);
    push3(m.positions, 0, 0, -1), push3(m.normals, 0, 0, ringCosine.back());
    for (int j = 1; j < stacks; ++j) {
        const float s = ringSine[static_cast<std::size_t>(j)], c = ringCosine[static_cast<std::size_t>(j)];
        for (int i = 0; i < slices; ++i) {
            const float x = around.sines[static_cast<std::size_t>(i)],
                        y = around.cosines[static_cast<std::size_t>(i)];
            push3(m.positions, s * x, s * y, c);
            push3(m.normals, x * s, y * s, c);
        }
    }
    for (int i = slices; i > 0; --i) m.triangles.insert(m.triangles.end(), {0, at(1, i), at(1, i - 1)});
    for (int i = 0; i < slices; ++i)
        m.triangles.insert(m.triangles.end(), {1, at(stacks - 1, i), at(stacks - 1, i + 1)});
    for (int j = 1; j < stacks - 1; ++j) {
        for (int i = 0; i < slices; ++i)
            quad(m.triangles, at(j + 1, i), at(j, i), at(j + 1, i + 1), at(j, i + 1));
    }
    return m;
}

// Rings 0 … stacks of slices vertices from z = 0 to z = 1, one normal per
// direction about the axis; strips in GLU's order and windings.
UnitMesh unitCylinder(int slices, int stacks, bool cone) {
    UnitMesh m;
    const Circle around = circleOf(slices);
    const double topRadius = cone ? 0.0 : 1.0;
    const auto narrowing = static_cast<float>(1.0 - topRadius);
    const auto slant = static_cast<float>(std::sqrt(narrowing * narrowing + 1.0));
    const auto normalZ = static_cast<float>(narrowing / slant);
    const auto normalXy = static_cast<float>(1.0 / slant);
    const auto n = static_cast<std::uint32_t>(slices);
    const auto at = [&](int j, int i) {
        return static_cast<std::uint32_t>(j) * n + static_cast<std::uint32_t>(i) % n;
    };
    for (int j = 0; j <= stacks; ++j) {
        const auto z = static_cast<float>(static_cast<double>(j) / stacks);
        const auto r =
            static_cast<float>(1.0 - narrowing * (static_cast<float>(j) / static_cast<float>(stacks)));
        for (int i = 0; i < slices; ++i) {
            const auto angle = static_cast<float>(2.0 * std::numbers::pi * i / slices);
            const float x = around.sines[static_cast<std::size_t>(i)],
                        y = around.cosines[static_cast<std::size_t>(i)];
            push3(m.positions, r * x, r * y, z);
            push3(m.normals, static_cast<float>(normalXy * std::sin(angle)),
                  static_cast<float>(normalXy * std::cos(angle)), normalZ);
        }
    }
    for (int j = 0; j < stacks; ++j) {
        for (int i = 0; i < slices; ++i)
            quad(m.triangles, at(j, i), at(j + 1, i), at(j, i + 1), at(j + 1, i + 1));
    }
    return m;
}

}  // namespace

UnitMesh makeUnitMesh(QuadricShape shape, MeshCounts counts) {
    if (counts.slices < 3 || counts.stacks < 1) return {};
    if (shape == QuadricShape::Sphere)
        return counts.stacks < 2 ? UnitMesh{} : unitSphere(counts.slices, counts.stacks);
    return unitCylinder(counts.slices, counts.stacks, shape == QuadricShape::Cone);
}

long meshTriangles(QuadricShape shape, MeshCounts counts) {
    const long slices = counts.slices, stacks = counts.stacks;
    if (slices < 3 || stacks < 1) return 0;
    if (shape != QuadricShape::Sphere) return 2 * slices * stacks;
    return stacks < 2 ? 0 : 2 * slices * (stacks - 1);
}

MeshPlacement turnedOnto(Vec3 origin, Vec3 direction, Vec3 scale) {
    MeshPlacement p;
    p.origin = origin;
    p.scale = scale;
    const double length = norm(direction);
    if (!(length > 0.0)) return p;
    const double c = std::clamp(direction.z / length, -1.0, 1.0);
    Vec3 axis{-direction.y, direction.x, 0.0};
    const double axisLength = std::hypot(axis.x, axis.y);
    double s = 0.0;
    if (axisLength > 1e-12 * length) {
        axis = axis * (1.0 / axisLength);
        s = std::sqrt(std::max(0.0, 1.0 - c * c));
    } else if (c < 0.0) {
        axis = {1.0, 0.0, 0.0};  // half a turn: c = -1, s = 0
    } else {
        return p;
    }
    // Rodrigues: R = c I + s [axis]x + (1 - c) axis axisᵀ, by columns.
    const double t = 1.0 - c;
    const auto column = [&](Vec3 e) {
        const Vec3 cross = crossProduct(axis, e);
        const double along = axis.x * e.x + axis.y * e.y + axis.z * e.z;
        return e * c + cross * s + axis * (t * along);
    };
    p.x = column({1, 0, 0});
    p.y = column({0, 1, 0});
    p.z = column({0, 0, 1});
    return p;
}

void MeshBatch::add(const UnitMesh& mesh, const MeshPlacement& where, std::uint32_t colour) {
    const Vec3 s = where.scale;
    if (!(s.x != 0.0 && s.y != 0.0 && s.z != 0.0) || mesh.positions.empty()) return;
    const auto first = static_cast<std::uint32_t>(positions_.size() / 3);
    const std::size_t count = mesh.positions.size() / 3;
    for (std::size_t v = 0; v < count; ++v) {
        const float* p = &mesh.positions[3 * v];
        const float* q = &mesh.normals[3 * v];
        const Vec3 at =
            where.origin + where.x * (s.x * p[0]) + where.y * (s.y * p[1]) + where.z * (s.z * p[2]);
        // Normals go through the inverse transpose of the placement (R S⁻¹) and are renormalised.
        Vec3 normal = where.x * (q[0] / s.x) + where.y * (q[1] / s.y) + where.z * (q[2] / s.z);
        const double length = norm(normal);
        if (length > 0.0) normal = normal * (1.0 / length);
        vertex(at, normal, colour);
    }
    for (const std::uint32_t i : mesh.triangles) indices_.push_back(first + i);
}

std::uint32_t MeshBatch::vertex(Vec3 position, Vec3 normal, std::uint32_t colour) {
    const auto index = static_cast<std::uint32_t>(positions_.size() / 3);
    push3(positions_, static_cast<float>(position.x), static_cast<float>(position.y),
          static_cast<float>(position.z));
    push3(normals_, static_cast<float>(normal.x), static_cast<float>(normal.y), static_cast<float>(normal.z));
    colours_.insert(colours_.end(), {static_cast<std::uint8_t>(colour & 0xFF),
                                     static_cast<std::uint8_t>((colour >> 8) & 0xFF),
                                     static_cast<std::uint8_t>((colour >> 16) & 0xFF), 0xFF});
    return index;
}

void MeshBatch::stripQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    quad(indices_, a, b, c, d);
}

bool clientArraysUsable() {
    GLint arrayBuffer = 0, elementBuffer = 0;
    glGetIntegerv(kArrayBufferBinding, &arrayBuffer);
    glGetIntegerv(kElementArrayBufferBinding, &elementBuffer);
    return arrayBuffer == 0 && elementBuffer == 0;
}

void MeshBatch::draw() {
    if (indices_.empty()) return;
    if (clientArraysUsable()) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, positions_.data());
        glNormalPointer(GL_FLOAT, 0, normals_.data());
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours_.data());
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices_.size()), GL_UNSIGNED_INT, indices_.data());
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    } else {
        // Someone else's buffers are bound: the same triangles one vertex at a time.
        glBegin(GL_TRIANGLES);
        for (const std::uint32_t i : indices_) {
            glColor4ubv(&colours_[4 * i]);
            glNormal3fv(&normals_[3 * i]);
            glVertex3fv(&positions_[3 * i]);
        }
        glEnd();
    }
    // Drawing from a colour array leaves the current colour undefined: leave the last one.
    glColor4ubv(&colours_[colours_.size() - 4]);
    clear();
}

void MeshBatch::clear() {
    positions_.clear();
    normals_.clear();
    colours_.clear();
    indices_.clear();
}
