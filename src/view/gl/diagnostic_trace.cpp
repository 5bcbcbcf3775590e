#include "view/gl/diagnostic_trace.h"

#include <utility>

namespace {

DiagnosticSink& sink() {
    static DiagnosticSink s;
    return s;
}

}  // namespace

void setDiagnosticSink(DiagnosticSink s) {
    sink() = std::move(s);
}

void traceDiagnostic(std::string_view message) {
    if (sink()) sink()(message);
}
