#pragma once

#include <string>
#include <vector>

#include "view/model_export.h"

// 3-D model files of a construction's parts, every coordinate multiplied by
// the given scale (the document's unitScale: one file unit is one length unit
// of the document).

// Binary STL: an 80-byte header, the triangle count and per triangle its
// normal, its three corners and a zero attribute word. Parts other than
// solids, plates and surfaces are left out. False when the file cannot be written.
bool writeStlFile(const std::string& path, const std::vector<ModelPart>& parts, double scale);
// The bytes of that file.
std::string stlFileBytes(const std::vector<ModelPart>& parts, double scale);

// Binary glTF 2.0 (.glb): one node and mesh per part with its colour and
// opacity as a material; y upwards as glTF wants it (the model's z). False
// when the file cannot be written.
bool writeGlbFile(const std::string& path, const std::vector<ModelPart>& parts, double scale);
