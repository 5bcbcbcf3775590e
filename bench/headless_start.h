#pragma once

#include <benchmark/benchmark.h>

#include "view/gl/headless_context.h"
#include "view/gl/qt_text.h"

// The Qt application the labels need and a headless context of the given
// size; false, with the benchmark skipped and the reason given, when either
// cannot be had.
inline bool startHeadless(benchmark::State& state, HeadlessContext& context, int width, int height) {
    if (!ensureGuiApplication()) {
        state.SkipWithError("no Qt application for the labels");
        return false;
    }
    if (!context.create(width, height)) {
        state.SkipWithError(context.error().c_str());
        return false;
    }
    return true;
}
