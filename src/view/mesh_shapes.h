#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "geometry/vec3.h"

// Triangle meshes of the solids and surfaces a model file holds. Closed
// meshes come out oriented with their triangles counter-clockwise seen from
// outside, so that their signed volume is positive.

struct IndexedMesh {
    std::vector<Vec3> positions;
    std::vector<std::array<std::uint32_t, 3>> triangles;

    // Appends another mesh (as a further part of this one).
    void append(const IndexedMesh& other);
    // The volume enclosed, positive for a closed mesh oriented outwards.
    double signedVolume() const;
};

// A ball of the given radius: slices around its axis and stacks from pole to pole.
IndexedMesh sphereMesh(Vec3 centre, double radius, int slices, int stacks);
// A closed cylinder, truncated cone or cone (topRadius 0) standing on
// baseCentre along the unit axis, with its end discs.
IndexedMesh frustumMesh(Vec3 baseCentre, Vec3 axis, double baseRadius, double topRadius, double height,
                        int slices);
// A closed tube of the given radius around a circle.
IndexedMesh torusMesh(Vec3 centre, Vec3 normal, double radius, double tubeRadius, int segments, int sides);
// Triangles filling a planar polygon (ear clipping in its plane, counter-
// clockwise about the given normal); a polygon that crosses itself or
// cannot be cut gets a fan from its first vertex.
std::vector<std::array<std::uint32_t, 3>> triangulatePolygon(std::span<const Vec3> vertices, Vec3 normal);
// A plate of the given thickness, centred on a planar polygon.
IndexedMesh plateMesh(std::span<const Vec3> vertices, Vec3 normal, double thickness);
// One layer of triangles (three vertices each) with vertices closer than the
// tolerance merged and triangles without area dropped.
IndexedMesh weldTriangles(std::span<const Vec3> vertices, double tolerance);
// A closed shell of the given thickness around an open surface: the surface
// moved half the thickness to either side along its vertex normals, joined
// along its border.
IndexedMesh thickenSurface(const IndexedMesh& surface, double thickness);
// Turns the triangles of a mesh to agree with their neighbours across shared
// edges and outwards. True when every edge joins exactly two triangles (the
// mesh is closed) and the orientation is consistent.
bool orientClosedMesh(IndexedMesh& mesh);
// Unit normals of each triangle corner, smoothed across neighbours whose
// faces turn by less than the crease angle; faces bend sharply elsewhere.
std::vector<Vec3> cornerNormals(const IndexedMesh& mesh, double creaseDegrees);
