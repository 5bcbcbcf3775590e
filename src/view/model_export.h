#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "view/mesh_shapes.h"

class Construction;

// The construction as 3-D model parts, one per shown element: what the element
// draws through a canvas that makes meshes of it — no kind
// exports anything of its own.
//
// For printing (STL) only bodies count: spheres, cylinders and cones as closed
// meshes with their ends, a regular polyhedron as one closed mesh of its faces,
// other polygons as plates, surfaces as thin shells. For viewing (glTF) the
// surfaces stay one layer thick and points, lines and curves come as thin
// balls and tubes of the sizes the view draws, planes as their drawn squares.

enum class ModelTarget { Printing, Viewing };

enum class ModelPartKind {
    Solid,    // a closed body
    Plate,    // a polygon given a thickness
    Surface,  // a curved surface: one layer, or a thin shell for printing
    Sheet,    // a plane's square (viewing only)
    Line,     // balls and tubes of points, lines and curves (viewing only)
};

struct ModelPart {
    std::string name;  // the element's name (UTF-8), or its kind and list number
    ModelPartKind kind = ModelPartKind::Solid;
    std::uint32_t colour = 0;  // RGB, red in the low byte
    double opacity = 1.0;
    bool closed = false;  // every edge joins two triangles, consistently turned
    IndexedMesh mesh;
};

struct ModelOptions {
    ModelTarget target = ModelTarget::Printing;
    // Thickness of plates and surface shells, in model units.
    double thickness = 0.05;
};

// The visible, defined elements' parts in list order, in model units.
std::vector<ModelPart> collectModel(Construction& construction, const ModelOptions& options);
