#pragma once

#include <string>
#include <vector>

// kova3d-cli play [FILE] --script SCRIPT -o OUT.g3d [--size WxH]
// Runs a script of mouse, key and menu events on the document's view without
// a window (FILE, or a new empty document) and saves the result to OUT.
// args are the arguments after the command name. Returns the tool's exit code.
int playCommand(const std::vector<std::string>& args, const char* argv0);
