// kova3d-cli: works on construction files without a window.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_common.h"
#include "cli/document_json.h"
#include "cli/export_command.h"
#include "cli/play_command.h"
#include "expr/expression_eval.h"
#include "lang/composed_texts.h"
#include "lang/text_encoding.h"
#include "lang/text_table.h"
#include "model/type_codes.h"
#ifdef KOVA_HAS_GL
#include "cli/render_command.h"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: kova3d-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on KOVA 3D construction files (.g3d) without a window.\n"
    "\n"
    "Commands:\n"
    "  info FILE                          version, elements per kind, macros, animation entries\n"
    "  list FILE [--hidden] [--language LNG]\n"
    "                                     the construction list's lines\n"
    "  dump FILE [--language LNG]         the whole document after recompute, as JSON\n"
    "  convert IN OUT                     read IN and write it to OUT in the current version\n"
    "  eval EXPR [--angle-unit rad|deg|grad]\n"
    "                                     evaluate an expression without variables\n"
    "  play [FILE] --script SCRIPT -o OUT.g3d [--size WxH]\n"
    "                                     run a script of mouse, key and menu events on the\n"
    "                                     document's view (a new one without FILE; SCRIPT - reads\n"
    "                                     standard input) and save the result to OUT\n"
#ifdef KOVA_HAS_GL
    "  render FILE -o OUT.bmp|OUT.png|OUT.svg|OUT.pdf [--size WxH] [--view VIEW]\n"
    "         [--projection central|parallel] [--language LNG] [--format bmp|png|svg|pdf]\n"
    "         [--stereo anaglyph]\n"
    "                                     draw the view headless (VIEW: centre, xy-up, xy-down,\n"
    "                                     xz-up, xz-down, yz-up, yz-down), as a bitmap or a vector\n"
    "                                     picture; --format overrides the output name's extension;\n"
    "                                     --stereo anaglyph draws red and cyan for two eyes\n"
#endif
    "  export FILE -o OUT.stl|OUT.glb [--thickness T]\n"
    "                                     write the shown elements as a 3-D model: STL of the\n"
    "                                     bodies for printing, glTF of everything for viewing;\n"
    "                                     T: thickness of polygons and surfaces (document units)\n"
    "  --help                             show this text\n"
    "\n"
    "LNG names the language of the texts (English when not given): a language file, or\n"
    "one in the program's Languages folder by its file name, with or without\n"
    "\".lng\", or by the name in its Language line (Espa\u00F1ol, Espa\u00F1ol.lng).\n"
    "\n"
    "Play scripts: one command a line; blank lines and lines starting with # are skipped.\n"
    "  tool N | command ID | answer VALUE | print status | print selection | save PATH\n"
    "  move POS | click POS | drag POS POS | rclick POS | dclick POS   [shift] [ctrl]\n"
    "  key left|right|up|down|plus|minus|delete|escape                 [shift] [ctrl]\n"
    "  POS is X Y (window pixels from the top left), @NAME or x,y,z (a model point).\n"
    "\n"
    "Exit codes: 0 success; 1 wrong usage, an expression that cannot be evaluated or a script\n"
    "line that cannot be run (its number on standard error); 2 a file cannot be opened or written;\n"
    "3 written by a newer version; 4 not a construction file or damaged.\n";

int usageError(const std::string& message) {
    std::fprintf(stderr, "kova3d-cli: %s\n\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

int info(const std::string& path) {
    Document document;
    if (const int code = openDocument(path, document); code != kExitOk) return code;
    static constexpr const char* kKindNames[] = {"",
                                                 "points",
                                                 "vectors",
                                                 "segments",
                                                 "lines",
                                                 "rays",
                                                 "circles",
                                                 "arcs",
                                                 "conics",
                                                 "planes",
                                                 "polygons",
                                                 "regular polygons",
                                                 "regular polyhedra",
                                                 "spheres",
                                                 "cylinders",
                                                 "cones",
                                                 "curves",
                                                 "surfaces",
                                                 "numbers",
                                                 "coordinates",
                                                 "iterations",
                                                 "texts"};
    std::map<int, int> perKind;
    int undefined = 0;
    document.construction().forEach([&](const Element& e) {
        ++perKind[static_cast<int>(e.kind())];
        undefined += e.defined ? 0 : 1;
    });
    std::printf("file: %s\nversion: %d\nelements: %d (%d undefined)\n", path.c_str(), document.fileVersion,
                document.construction().count(), undefined);
    for (const auto& [kind, count] : perKind) std::printf("  %-18s %d\n", kKindNames[kind], count);
    std::printf("animation entries: %d\nmacros: %zu\n", document.construction().animationCount(),
                document.macros.size());
    for (const Macro& m : document.macros)
        std::printf("  %s (%zu initial, %d elements)\n", windows1252ToUtf8(m.name).c_str(),
                    m.initialKinds.size(), m.construction->count());
    return kExitOk;
}

int list(const std::string& path, bool hidden, const std::string& language, const char* argv0) {
    TextTable texts;
    if (const int code = loadLanguageOption(texts, language, argv0); code != kExitOk) return code;
    Document document;
    if (const int code = openDocument(path, document); code != kExitOk) return code;
    for (const ListLine& line : document.construction().listLines(descriptionLookup(texts), hidden))
        std::printf("%s\n", line.text.c_str());
    return kExitOk;
}

int dump(const std::string& path, const std::string& language, const char* argv0) {
    TextTable texts;
    if (const int code = loadLanguageOption(texts, language, argv0); code != kExitOk) return code;
    Document document;
    if (const int code = openDocument(path, document); code != kExitOk) return code;
    std::cout << documentToJson(document, texts).dump(2) << "\n";
    return kExitOk;
}

int convert(const std::string& in, const std::string& out) {
    Document document;
    if (const int code = openDocument(in, document); code != kExitOk) return code;
    if (writeDocument(document, out, document.viewerMode) != 1) {
        std::fprintf(stderr, "kova3d-cli: %s: cannot write the file\n", out.c_str());
        return kExitCannotOpen;
    }
    return kExitOk;
}

int eval(const std::string& text, const std::string& unit) {
    int angleUnit = 1;
    if (unit == "rad")
        angleUnit = 0;
    else if (unit == "grad")
        angleUnit = 2;
    else if (unit != "deg")
        return usageError("unknown angle unit '" + unit + "'");
    double value = 0.0;
    if (evaluateText(text, angleUnit, value) != 1) {
        std::fprintf(stderr, "kova3d-cli: the expression cannot be evaluated\n");
        return kExitUsage;
    }
    std::printf("%.17g\n", value);
    return kExitOk;
}

int run(const std::vector<std::string>& args, const char* argv0) {
    if (args.empty()) return usageError("no command given");
    const std::string command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (command == "play") return playCommand({args.begin() + 1, args.end()}, argv0);
    if (command == "export") return exportCommand({args.begin() + 1, args.end()});
#ifdef KOVA_HAS_GL
    if (command == "render") return renderCommand({args.begin() + 1, args.end()}, argv0);
#endif
    // Options may come anywhere after the command.
    std::vector<std::string> positional;
    bool hidden = false;
    std::string language;
    std::string angleUnit = "deg";
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--hidden") {
            hidden = true;
        } else if (args[i] == "--language" || args[i] == "--angle-unit") {
            if (i + 1 >= args.size()) return usageError(args[i] + " needs a value");
            (args[i] == "--language" ? language : angleUnit) = args[i + 1];
            ++i;
        } else if (args[i].rfind("--", 0) == 0 && command != "eval") {
            return usageError("unknown option " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    const auto expect = [&](std::size_t n) { return positional.size() == n; };
    if (command == "info" && expect(1)) return info(positional[0]);
    if (command == "list" && expect(1)) return list(positional[0], hidden, language, argv0);
    if (command == "dump" && expect(1)) return dump(positional[0], language, argv0);
    if (command == "convert" && expect(2)) return convert(positional[0], positional[1]);
    if (command == "eval" && expect(1)) return eval(positional[0], angleUnit);
    if (command == "info" || command == "list" || command == "dump" || command == "convert" ||
        command == "eval")
        return usageError("wrong arguments for " + command);
    return usageError("unknown command " + command);
}

}  // namespace

int main(int argc, char** argv) {
    // Whatever a file holds, the tool ends with a reason and an exit code, never an abort.
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc), argv[0]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kova3d-cli: the file cannot be processed: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kova3d-cli: the file cannot be processed\n");
    }
    return kExitDamaged;
}
