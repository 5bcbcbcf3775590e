#pragma once

// Construction files for the command-line tool's tests, built from the element
// classes and written as the program writes them, and a way to run the tool.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "elements/circle.h"
#include "elements/iteration.h"
#include "elements/locus.h"
#include "elements/point.h"
#include "elements/straight_element.h"
#include "expr/expression_postfix.h"
#include "expr/number_creation.h"
#include "expr/text_element.h"
#include "io/document_file.h"
#include "model/document.h"

namespace clifiles {

inline constexpr KindStyle kStyle{0, 1, 0, 0, 0x00AA00};

struct Builder {
    Construction& c;

    template <typename T>
    T* add(std::unique_ptr<T> e, std::initializer_list<Element*> parents = {}) {
        std::size_t i = 0;
        for (Element* p : parents) e->parents.at(i++) = p;
        return static_cast<T*>(c.append(std::move(e)));
    }
    Point* free(Vec3 at, const char* name = nullptr) {
        auto p = std::make_unique<Point>(TypeCode::FreePoint, kStyle);
        p->position = at;
        if (name) p->setName(name);
        return add(std::move(p));
    }
    Point* midpoint(Element* a, Element* b) {
        return add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kStyle), {a, b});
    }
    StraightElement* segment(Element* a, Element* b) {
        return add(std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, kStyle), {a, b});
    }
    ParameterNumber* parameter(double v) { return add(makeParameter(v, kStyle, NumberDefaults{}, 10, 10)); }
    Calculation* calculation(std::string_view text, std::vector<Element*> operands) {
        CompiledExpression compiled;
        EXPECT_EQ(compileExpression(text, static_cast<int>(operands.size()), compiled), kCompileOk) << text;
        return add(makeCalculation(compiled, operands, kStyle, NumberDefaults{}, 60, 60));
    }
};

// Q, the midpoint of C (0, 2, 0) and a point P running along the segment from
// (0, 0, 0) to (4, 0, 0), traced as a curve; the segment Q C and the circle
// through Q, C and D swept; a point (sqr(u) = √u, v, 0) over two parameters u and v
// in -10 … 10 as a grid, undefined where u < 0; and an iteration halving towards
// A and B whose depth number is 2.7.
inline void buildLoci(Document& d) {
    Builder b{d.construction()};
    Point* a = b.free({0, 0, 0}, "A");
    Point* e = b.free({4, 0, 0}, "B");
    auto onSegment = std::make_unique<PointOnObject>(kStyle);
    onSegment->param1 = 0.25;
    PointOnObject* p = b.add(std::move(onSegment), {b.segment(a, e)});
    Point* c = b.free({0, 2, 0}, "C");
    Point* q = b.midpoint(p, c);
    b.add(std::make_unique<Locus>(TypeCode::PointLocus, kStyle), {q, p});
    b.add(std::make_unique<Locus>(TypeCode::SegmentLocus, kStyle), {b.segment(q, c), p});
    Circle* circle =
        b.add(std::make_unique<Circle>(TypeCode::CircleThreePoints, kStyle), {q, c, b.free({0, 0, 3})});
    b.add(std::make_unique<Locus>(TypeCode::CircleLocus, kStyle), {circle, p});

    ParameterNumber* u = b.parameter(0);
    ParameterNumber* v = b.parameter(0);
    Calculation* root = b.calculation("sqr(a)", {u});
    Point* grid =
        b.add(std::make_unique<Point>(TypeCode::PointByCoordinates, kStyle), {root, v, b.parameter(0)});
    b.add(std::make_unique<SurfaceLocus>(TypeCode::ParameterSurfaceLocus, kStyle), {grid, u, v});

    Point* start = b.free({1, 2, 0}, "P");
    Point* toA = b.midpoint(start, a);
    Point* toB = b.midpoint(start, e);
    StraightElement* joined = b.segment(toA, toB);
    ParameterNumber* depth = b.parameter(2.7);
    auto it = std::make_unique<Iteration>(kStyle, 5);
    it->depth = 7;
    it->useDepthNumber = 1;
    it->branchCount = 2;
    it->inputCount = 1;
    it->lastOnly = 1;
    it->imageTable = {{1, 2}};
    b.add(std::move(it), {start, toA, toB, joined, depth});
    d.recompute();
}

// Names in Windows-1252: "Á", "ñ", "€" and the undefined byte 0x81; a segment
// between the first two; a calculation "ñ=" that holds no value (1/0); a text
// element whose rich text holds a raw "é" byte beside an escaped one.
inline const std::string kRichText = "{\\rtf1\\ansi Caf\xE9 \\'e9t\xE9}";

inline void buildNames(Document& d) {
    Builder b{d.construction()};
    Point* acute = b.free({0, 0, 0}, "\xC1");
    Point* tilde = b.free({1, 0, 0}, "\xF1");
    b.free({0, 1, 0}, "\x80");
    b.free({0, 0, 1}, "\x81");
    b.segment(acute, tilde);
    Calculation* undefined = b.calculation("1/0", {});
    undefined->setName("\xF1=");
    undefined->showLabel = 1;
    auto text = std::make_unique<Text>(kStyle);
    text->rectangle = {{20, 20}, {220, 80}};
    text->richText = kRichText;
    b.add(std::move(text));
    d.recompute();
}

// A folder of its own in the build tree, made anew for each run.
inline std::filesystem::path workFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(KOVA_CLI_WORK_DIR) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Run {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with the arguments, its standard output and error kept apart.
inline Run run(const std::string& program, const std::vector<std::string>& args,
               const std::filesystem::path& folder) {
    const std::filesystem::path outFile = folder / "stdout", errFile = folder / "stderr";
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    Run r;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child)
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = readAll(outFile);
    r.err = readAll(errFile);
    return r;
}

}  // namespace clifiles
