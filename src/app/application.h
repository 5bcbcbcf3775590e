#pragma once

#include <QApplication>
#include <string>
#include <vector>

class TextTable;

// The window's application object. An exception thrown while an event is
// handled ends the handling of that event, with its reason on standard error,
// instead of the program: the open documents stay open and can be saved.
class KovaApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

// Whether an OpenGL context of the view's format can be made and made current.
bool renderingContextAvailable();

// The message shown when it cannot: Text(20100), a line break, Text(20200).
std::string noRenderingContextMessage(const TextTable& texts);

// The program's start and its run: the language, the rendering context, the
// main window with the documents named on the command line (or a new one),
// then the event loop. Returns the exit code: 1 when no language file or no
// rendering context could be had.
int runKova3d(QApplication& app, const std::vector<std::string>& files);
