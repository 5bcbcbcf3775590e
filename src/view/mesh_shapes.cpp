#include "view/mesh_shapes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

namespace {

using Triangle = std::array<std::uint32_t, 3>;

Vec3 unit(Vec3 v) {
    const double n = norm(v);
    return n > 0.0 && std::isfinite(n) ? v * (1.0 / n) : Vec3{};
}

// A unit vector perpendicular to the unit vector w.
Vec3 perpendicularTo(Vec3 w) {
    const Vec3 helper = std::fabs(w.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    return unit(crossProduct(w, helper));
}

Vec3 faceNormal(const IndexedMesh& m, const Triangle& t) {
    const Vec3 a = m.positions[t[0]], b = m.positions[t[1]], c = m.positions[t[2]];
    return crossProduct(b - a, c - a);
}

// The polygon's normal by Newell's method (length: twice its area).
Vec3 newellNormal(std::span<const Vec3> p) {
    Vec3 n;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Vec3 a = p[i], b = p[(i + 1) % p.size()];
        n = n + Vec3{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
    }
    return n;
}

void flipAll(IndexedMesh& m) {
    for (Triangle& t : m.triangles) std::swap(t[1], t[2]);
}

void outwards(IndexedMesh& m) {
    if (m.signedVolume() < 0.0) flipAll(m);
}

std::uint64_t edgeKey(std::uint32_t a, std::uint32_t b) {
    return (std::uint64_t{std::min(a, b)} << 32) | std::max(a, b);
}

// True when triangle t runs from a to b.
bool runs(const Triangle& t, std::uint32_t a, std::uint32_t b) {
    for (int k = 0; k < 3; ++k)
        if (t[k] == a && t[(k + 1) % 3] == b) return true;
    return false;
}

// Turns triangles to agree with their first-met neighbours, component by
// component; components listed in `component`. False when some edge joins
// triangles that cannot agree (a one-sided surface) or more than two triangles.
bool propagate(IndexedMesh& m, std::vector<int>& component, bool& closed) {
    std::map<std::uint64_t, std::vector<std::uint32_t>> edges;
    for (std::uint32_t i = 0; i < m.triangles.size(); ++i)
        for (int k = 0; k < 3; ++k)
            edges[edgeKey(m.triangles[i][k], m.triangles[i][(k + 1) % 3])].push_back(i);
    bool consistent = true;
    closed = true;
    for (const auto& [key, users] : edges) {
        if (users.size() != 2) closed = false;
        if (users.size() > 2) consistent = false;
    }
    component.assign(m.triangles.size(), -1);
    int components = 0;
    std::vector<std::uint32_t> stack;
    for (std::uint32_t seed = 0; seed < m.triangles.size(); ++seed) {
        if (component[seed] >= 0) continue;
        component[seed] = components;
        stack.push_back(seed);
        while (!stack.empty()) {
            const std::uint32_t i = stack.back();
            stack.pop_back();
            for (int k = 0; k < 3; ++k) {
                const std::uint32_t a = m.triangles[i][k], b = m.triangles[i][(k + 1) % 3];
                const auto& users = edges[edgeKey(a, b)];
                if (users.size() != 2) continue;
                const std::uint32_t j = users[0] == i ? users[1] : users[0];
                // A neighbour agrees when it runs along the shared edge the other way.
                const bool agrees = !runs(m.triangles[j], a, b);
                if (component[j] < 0) {
                    if (!agrees) std::swap(m.triangles[j][1], m.triangles[j][2]);
                    component[j] = components;
                    stack.push_back(j);
                } else if (!agrees) {
                    consistent = false;
                }
            }
        }
        ++components;
    }
    return consistent;
}

}  // namespace

void IndexedMesh::append(const IndexedMesh& other) {
    const auto base = static_cast<std::uint32_t>(positions.size());
    positions.insert(positions.end(), other.positions.begin(), other.positions.end());
    for (const Triangle& t : other.triangles) triangles.push_back({t[0] + base, t[1] + base, t[2] + base});
}

double IndexedMesh::signedVolume() const {
    double six = 0.0;
    for (const Triangle& t : triangles)
        six += dotProduct(positions[t[0]], crossProduct(positions[t[1]], positions[t[2]]));
    return six / 6.0;
}

IndexedMesh sphereMesh(Vec3 centre, double radius, int slices, int stacks) {
    slices = std::max(slices, 3);
    stacks = std::max(stacks, 2);
    IndexedMesh m;
    m.positions.push_back(centre + Vec3{0, 0, radius});
    for (int j = 1; j < stacks; ++j) {
        const double theta = std::numbers::pi * j / stacks;
        for (int i = 0; i < slices; ++i) {
            const double phi = 2.0 * std::numbers::pi * i / slices;
            m.positions.push_back(centre + Vec3{std::sin(theta) * std::cos(phi),
                                                std::sin(theta) * std::sin(phi), std::cos(theta)} *
                                               radius);
        }
    }
    m.positions.push_back(centre - Vec3{0, 0, radius});
    const auto last = static_cast<std::uint32_t>(m.positions.size() - 1);
    const auto at = [&](int j, int i) -> std::uint32_t {
        if (j == 0) return 0;
        if (j == stacks) return last;
        return static_cast<std::uint32_t>(1 + (j - 1) * slices + i % slices);
    };
    for (int j = 0; j < stacks; ++j) {
        for (int i = 0; i < slices; ++i) {
            const std::uint32_t a = at(j, i), b = at(j + 1, i), c = at(j + 1, i + 1), d = at(j, i + 1);
            if (j + 1 < stacks) m.triangles.push_back({a, b, c});
            if (j > 0) m.triangles.push_back({a, c, d});
        }
    }
    outwards(m);
    return m;
}

IndexedMesh frustumMesh(Vec3 baseCentre, Vec3 axis, double baseRadius, double topRadius, double height,
                        int slices) {
    slices = std::max(slices, 3);
    const Vec3 w = unit(axis);
    const Vec3 u = perpendicularTo(w);
    const Vec3 v = crossProduct(w, u);
    const Vec3 topCentre = baseCentre + w * height;
    const bool apex = !(topRadius > 0.0);
    IndexedMesh m;
    const auto n = static_cast<std::uint32_t>(slices);
    for (int i = 0; i < slices; ++i) {
        const double t = 2.0 * std::numbers::pi * i / slices;
        m.positions.push_back(baseCentre + (u * std::cos(t) + v * std::sin(t)) * baseRadius);
    }
    if (!apex) {
        for (int i = 0; i < slices; ++i) {
            const double t = 2.0 * std::numbers::pi * i / slices;
            m.positions.push_back(topCentre + (u * std::cos(t) + v * std::sin(t)) * topRadius);
        }
    }
    const auto bc = static_cast<std::uint32_t>(m.positions.size());
    m.positions.push_back(baseCentre);
    const auto tc = static_cast<std::uint32_t>(m.positions.size());
    m.positions.push_back(topCentre);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t j = (i + 1) % n;
        if (apex) {
            m.triangles.push_back({i, j, tc});
        } else {
            m.triangles.push_back({i, j, n + j});
            m.triangles.push_back({i, n + j, n + i});
            m.triangles.push_back({tc, n + i, n + j});
        }
        m.triangles.push_back({bc, j, i});
    }
    outwards(m);
    return m;
}

IndexedMesh torusMesh(Vec3 centre, Vec3 normal, double radius, double tubeRadius, int segments, int sides) {
    segments = std::max(segments, 3);
    sides = std::max(sides, 3);
    const Vec3 w = unit(normal);
    const Vec3 u = perpendicularTo(w);
    const Vec3 v = crossProduct(w, u);
    IndexedMesh m;
    for (int i = 0; i < segments; ++i) {
        const double t = 2.0 * std::numbers::pi * i / segments;
        const Vec3 d = u * std::cos(t) + v * std::sin(t);
        for (int j = 0; j < sides; ++j) {
            const double p = 2.0 * std::numbers::pi * j / sides;
            m.positions.push_back(centre + d * radius + (d * std::cos(p) + w * std::sin(p)) * tubeRadius);
        }
    }
    const auto at = [&](int i, int j) {
        return static_cast<std::uint32_t>((i % segments) * sides + j % sides);
    };
    for (int i = 0; i < segments; ++i) {
        for (int j = 0; j < sides; ++j) {
            m.triangles.push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1)});
            m.triangles.push_back({at(i, j), at(i + 1, j + 1), at(i, j + 1)});
        }
    }
    outwards(m);
    return m;
}

std::vector<Triangle> triangulatePolygon(std::span<const Vec3> p, Vec3 normal) {
    std::vector<Triangle> out;
    const std::size_t n = p.size();
    if (n < 3) return out;
    Vec3 w = unit(normal);
    if (w == Vec3{}) w = unit(newellNormal(p));
    if (w == Vec3{}) return out;
    const Vec3 u = perpendicularTo(w);
    const Vec3 v = crossProduct(w, u);
    struct P2 {
        double x, y;
    };
    std::vector<P2> q;
    for (const Vec3& a : p) q.push_back({dotProduct(a, u), dotProduct(a, v)});
    double area = 0.0;
    for (std::size_t i = 0; i < n; ++i) area += q[i].x * q[(i + 1) % n].y - q[(i + 1) % n].x * q[i].y;
    std::vector<std::uint32_t> left;
    for (std::size_t i = 0; i < n; ++i)
        left.push_back(static_cast<std::uint32_t>(area >= 0.0 ? i : n - 1 - i));
    const auto cross = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        return (q[b].x - q[a].x) * (q[c].y - q[a].y) - (q[b].y - q[a].y) * (q[c].x - q[a].x);
    };
    while (left.size() > 3) {
        bool cut = false;
        for (std::size_t i = 0; i < left.size() && !cut; ++i) {
            const std::uint32_t a = left[(i + left.size() - 1) % left.size()], b = left[i],
                                c = left[(i + 1) % left.size()];
            if (cross(a, b, c) <= 0.0) continue;
            bool empty = true;
            for (const std::uint32_t k : left) {
                if (k == a || k == b || k == c) continue;
                if (cross(a, b, k) >= 0.0 && cross(b, c, k) >= 0.0 && cross(c, a, k) >= 0.0) {
                    empty = false;
                    break;
                }
            }
            if (!empty) continue;
            out.push_back({a, b, c});
            left.erase(left.begin() + static_cast<std::ptrdiff_t>(i));
            cut = true;
        }
        if (!cut) break;  // crossing itself: a fan of what is left
    }
    for (std::size_t i = 1; i + 1 < left.size(); ++i) out.push_back({left[0], left[i], left[i + 1]});
    return out;
}

IndexedMesh plateMesh(std::span<const Vec3> vertices, Vec3 normal, double thickness) {
    IndexedMesh m;
    const std::size_t n = vertices.size();
    if (n < 3) return m;
    Vec3 w = unit(normal);
    if (w == Vec3{}) w = unit(newellNormal(vertices));
    const Vec3 half = w * (0.5 * thickness);
    for (const Vec3& p : vertices) m.positions.push_back(p + half);
    for (const Vec3& p : vertices) m.positions.push_back(p - half);
    const auto count = static_cast<std::uint32_t>(n);
    for (const Triangle& t : triangulatePolygon(vertices, w)) {
        m.triangles.push_back(t);
        m.triangles.push_back({t[0] + count, t[2] + count, t[1] + count});
    }
    // Sides run outwards when the outline turns counter-clockwise about w.
    const bool ccw = dotProduct(newellNormal(vertices), w) >= 0.0;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t a = i, b = (i + 1) % count;
        if (!ccw) std::swap(a, b);
        m.triangles.push_back({a + count, b + count, b});
        m.triangles.push_back({a + count, b, a});
    }
    outwards(m);
    return m;
}

IndexedMesh weldTriangles(std::span<const Vec3> vertices, double tolerance) {
    IndexedMesh m;
    std::map<std::array<long long, 3>, std::uint32_t> seen;
    const auto index = [&](Vec3 p) {
        const std::array<long long, 3> key = {std::llround(p.x / tolerance), std::llround(p.y / tolerance),
                                              std::llround(p.z / tolerance)};
        const auto [it, added] = seen.emplace(key, static_cast<std::uint32_t>(m.positions.size()));
        if (added) m.positions.push_back(p);
        return it->second;
    };
    for (std::size_t i = 0; i + 2 < vertices.size(); i += 3) {
        const Vec3 a = vertices[i], b = vertices[i + 1], c = vertices[i + 2];
        if (!std::isfinite(a.x + a.y + a.z + b.x + b.y + b.z + c.x + c.y + c.z)) continue;
        const Triangle t = {index(a), index(b), index(c)};
        if (t[0] == t[1] || t[1] == t[2] || t[2] == t[0]) continue;
        if (!(norm(crossProduct(b - a, c - a)) > tolerance * tolerance)) continue;
        m.triangles.push_back(t);
    }
    return m;
}

IndexedMesh thickenSurface(const IndexedMesh& surface, double thickness) {
    IndexedMesh s = surface;
    std::vector<int> component;
    bool closed = false;
    propagate(s, component, closed);
    std::vector<Vec3> normals(s.positions.size());
    for (const Triangle& t : s.triangles) {
        const Vec3 f = faceNormal(s, t);
        for (const std::uint32_t k : t) normals[k] = normals[k] + f;
    }
    IndexedMesh m;
    const auto n = static_cast<std::uint32_t>(s.positions.size());
    for (int side : {1, -1})
        for (std::uint32_t i = 0; i < n; ++i) {
            Vec3 d = unit(normals[i]);
            if (d == Vec3{}) d = {0, 0, 1};
            m.positions.push_back(s.positions[i] + d * (0.5 * thickness * side));
        }
    std::map<std::uint64_t, int> uses;
    for (const Triangle& t : s.triangles)
        for (int k = 0; k < 3; ++k) ++uses[edgeKey(t[k], t[(k + 1) % 3])];
    for (const Triangle& t : s.triangles) {
        m.triangles.push_back(t);
        m.triangles.push_back({t[0] + n, t[2] + n, t[1] + n});
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t a = t[k], b = t[(k + 1) % 3];
            if (uses[edgeKey(a, b)] != 1) continue;
            m.triangles.push_back({b, a, a + n});
            m.triangles.push_back({b, a + n, b + n});
        }
    }
    outwards(m);
    return m;
}

bool orientClosedMesh(IndexedMesh& mesh) {
    std::vector<int> component;
    bool closed = false;
    const bool consistent = propagate(mesh, component, closed);
    // Each closed component outwards on its own.
    std::map<int, double> volume;
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        const Triangle& t = mesh.triangles[i];
        volume[component[i]] +=
            dotProduct(mesh.positions[t[0]], crossProduct(mesh.positions[t[1]], mesh.positions[t[2]]));
    }
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i)
        if (volume[component[i]] < 0.0) std::swap(mesh.triangles[i][1], mesh.triangles[i][2]);
    return closed && consistent;
}

std::vector<Vec3> cornerNormals(const IndexedMesh& mesh, double creaseDegrees) {
    const double limit = std::cos(creaseDegrees * std::numbers::pi / 180.0);
    std::vector<Vec3> faces;
    std::vector<std::vector<std::uint32_t>> around(mesh.positions.size());
    for (std::uint32_t i = 0; i < mesh.triangles.size(); ++i) {
        faces.push_back(faceNormal(mesh, mesh.triangles[i]));
        for (const std::uint32_t k : mesh.triangles[i]) around[k].push_back(i);
    }
    std::vector<Vec3> out;
    out.reserve(3 * mesh.triangles.size());
    for (std::uint32_t i = 0; i < mesh.triangles.size(); ++i) {
        const Vec3 own = unit(faces[i]);
        for (const std::uint32_t k : mesh.triangles[i]) {
            Vec3 sum;
            for (const std::uint32_t f : around[k])
                if (dotProduct(unit(faces[f]), own) >= limit) sum = sum + faces[f];
            Vec3 n = unit(sum);
            if (n == Vec3{}) n = own == Vec3{} ? Vec3{0, 0, 1} : own;
            out.push_back(n);
        }
    }
    return out;
}
