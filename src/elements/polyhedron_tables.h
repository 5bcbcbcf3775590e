#pragma once

#include <span>

#include "model/type_codes.h"

// How each regular polyhedron is generated from its first vertex V0 and its axis,
// and which vertices bound each face. Vertex 0 is V0; vertex k ≥ 1 is the k-th
// generated vertex.

// Vertex `target` = vertex `source` turned by `angle` about the line from vertex
// axisFrom to vertex axisTo, or about the solid's axis when axisFrom is kSolidAxis.
struct FoldStep {
    int target;
    int source;
    int axisFrom;
    int axisTo;
    double angle;
};

inline constexpr int kSolidAxis = -1;

struct SolidTable {
    TypeCode typeCode;
    TypeCode areaMeasure;  // the measures of its surface area and its volume
    TypeCode volumeMeasure;
    int generatedVertexCount;
    int faceCount;
    int verticesPerFace;
    std::span<const FoldStep> steps;  // in order; every step reads vertices made before it
    std::span<const int> faces;       // faceCount rows of verticesPerFace vertex indices
};

// The table of a regular polyhedron code, or nullptr.
const SolidTable* solidTableOf(TypeCode typeCode);
