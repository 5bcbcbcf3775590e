#pragma once

#include <functional>
#include <string_view>

// The developer channel of the view: messages about resources that could not be
// made (a font, the label character set). Nothing reaches the user; by default
// the messages are dropped, and a debugging build or a test installs a sink.
using DiagnosticSink = std::function<void(std::string_view message)>;
void setDiagnosticSink(DiagnosticSink sink);
void traceDiagnostic(std::string_view message);
