#pragma once

#include <string>
#include <vector>

// kova3d-cli export FILE -o OUT.stl|OUT.glb [--thickness T]
// Writes the construction's shown elements as a 3-D model: binary STL of its
// bodies for printing, or binary glTF of everything for viewing. T is the
// thickness of polygons and surfaces in the document's units. args are the
// arguments after the command name. Returns the tool's exit code.
int exportCommand(const std::vector<std::string>& args);
