// A text element's rich text: reading it and laying it into the image of its
// box, for a worksheet written by a word processor and for 100,000 short
// paragraphs. The long text shows in a 400 x 300 box, whole and as a 200 x 150
// part of it; its cost is bounded by what the box shows, not by its length.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "expr/rich_text.h"
#include "view/gl/qt_text.h"
#include "view/gl/rich_text_image.h"

namespace {

std::string longText() {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    for (int i = 0; i < 100000; ++i)
        rtf += "\\pard\\li360\\fi-360 " + std::to_string(i) + ".\\tab A {\\b line} with a{\\super 2}\\par ";
    return rtf + "}";
}

std::string worksheet() {
    std::ifstream in(std::string(KOVA_SOURCE_DIR) + "/tests/data/rtf/worksheet-libreoffice.rtf",
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void readLongText(benchmark::State& state) {
    const std::string rtf = longText();
    for (auto _ : state) benchmark::DoNotOptimize(readRichText(rtf));
    state.counters["paragraphs"] = 100000;
}

void renderText(benchmark::State& state, const std::string& rtf, QRect part) {
    if (!ensureGuiApplication()) {
        state.SkipWithError("no QGuiApplication");
        return;
    }
    for (auto _ : state) {
        const QImage image =
            richTextImage(readRichText(rtf), {400, 300}, 0xFFFFFF, 0, std::nullopt, 96, part);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void renderLongText(benchmark::State& state) {
    static const std::string rtf = longText();
    renderText(state, rtf, state.range(0) == 0 ? QRect() : QRect(100, 75, 200, 150));
}

void renderWorksheet(benchmark::State& state) {
    static const std::string rtf = worksheet();
    renderText(state, rtf, QRect());
}

}  // namespace

BENCHMARK(readLongText)->Unit(benchmark::kMillisecond);
BENCHMARK(renderLongText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(renderWorksheet)->Unit(benchmark::kMillisecond);
