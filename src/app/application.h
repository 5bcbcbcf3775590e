#pragma once

#include <string>

class QApplication;
class TextTable;

// Whether an OpenGL context of the view's format can be made and made current.
bool renderingContextAvailable();

// The message shown when it cannot: Text(20100), a line break, Text(20200).
std::string noRenderingContextMessage(const TextTable& texts);

// The program's start and its run: the language, the rendering context, the
// main window with the document named on the command line (or a new one), then
// the event loop. Returns the exit code: 1 when no language file or no
// rendering context could be had.
int runKova3d(QApplication& app);
