#pragma once

#include <string>

#include "model/macro.h"

class InputStream;
class OutputStream;

// A macro record as documents and macro files hold it: the initial kinds, the
// name, the description and the macro's elements with their keys as they are.
int writeMacroRecord(const Macro& macro, OutputStream& out);
// Reads and checks a macro record; 0 with the reason in the stream.
int readMacroRecord(InputStream& in, int fileVersion, Macro& macro);

// A macro file (.m3d): 1 when written (replacing a file only once complete), 0 otherwise.
int exportMacro(const Macro& macro, const std::string& path);
// 1 with the macro read, 0 when the file cannot be opened, is not a macro file,
// comes from a newer version or is damaged (reason given); the macro is untouched then.
int importMacro(const std::string& path, Macro& macro, std::string* reason = nullptr);
