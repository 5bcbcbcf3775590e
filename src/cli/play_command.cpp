#include "cli/play_command.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>

#include "cli/cli_common.h"
#include "cli/play_script.h"
#include "cli/script_runner.h"
#include "io/document_defaults.h"
#include "io/document_file.h"
#include "view/image_layout.h"

namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

int usageError(const std::string& message) {
    std::fprintf(stderr,
                 "kova3d-cli: %s\nUsage: kova3d-cli play [FILE] --script SCRIPT -o OUT.g3d [--size WxH]\n",
                 message.c_str());
    return kExitUsage;
}

struct PlayOptions {
    std::string file;  // empty: a new document
    std::string script;
    std::string output;
    int width = kDefaultWidth;
    int height = kDefaultHeight;
};

// kExitOk with the options, or the usage error's code.
int parseOptions(const std::vector<std::string>& args, PlayOptions& options) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "-o" && a != "--script" && a != "--size") {
            if (a.rfind("-", 0) == 0 && a.size() > 1) return usageError("unknown option " + a);
            positional.push_back(a);
            continue;
        }
        if (i + 1 >= args.size()) return usageError(a + " needs a value");
        const std::string& value = args[++i];
        if (a == "-o")
            options.output = value;
        else if (a == "--script")
            options.script = value;
        else if (!parseSize(value, options.width, options.height))
            return usageError("bad size '" + value + "' (WxH)");
    }
    if (positional.size() > 1) return usageError("play takes at most one construction file");
    if (options.script.empty()) return usageError("play needs --script SCRIPT (- for standard input)");
    if (options.output.empty()) return usageError("play needs -o OUT.g3d");
    if (!positional.empty()) options.file = positional[0];
    return kExitOk;
}

int lineError(const std::string& script, int line, const std::string& message, int code) {
    std::fprintf(stderr, "kova3d-cli: %s:%d: %s\n", script == "-" ? "<stdin>" : script.c_str(), line,
                 message.c_str());
    return code;
}

struct ScriptLine {
    int number = 0;
    ScriptCommand command;
};

// Reads and parses the whole script before anything runs, so that a script
// with a line that cannot be read changes nothing.
int readScript(const std::string& path, std::vector<ScriptLine>& lines) {
    std::ifstream file;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "kova3d-cli: %s: cannot open the script\n", path.c_str());
            return kExitCannotOpen;
        }
    }
    std::istream& in = path == "-" ? std::cin : file;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (isScriptComment(text)) continue;
        ScriptLine line{number, {}};
        std::string error;
        if (!parseScriptLine(text, line.command, error)) return lineError(path, number, error, kExitUsage);
        lines.push_back(std::move(line));
    }
    if (in.bad()) {
        std::fprintf(stderr, "kova3d-cli: %s: cannot read the script\n", path.c_str());
        return kExitCannotOpen;
    }
    return kExitOk;
}

int play(const std::vector<std::string>& args, const char* argv0) {
    PlayOptions options;
    if (const int code = parseOptions(args, options); code != kExitOk) return code;
    std::vector<ScriptLine> lines;
    if (const int code = readScript(options.script, lines); code != kExitOk) return code;

    Document document;
    if (options.file.empty()) {
        applyDocumentDefaults(builtInDocumentDefaults(), document);
        document.startHistory();
    } else if (const int code = openDocument(options.file, document); code != kExitOk)
        return code;

    ScriptRunner runner(document, {options.width, options.height}, argv0);
    for (const ScriptLine& line : lines) {
        std::string error;
        const int code = runner.run(line.command, error);
        std::fflush(stdout);
        if (code != kExitOk) return lineError(options.script, line.number, error, code);
    }
    if (writeDocument(document, options.output, document.viewerMode) != 1) {
        std::fprintf(stderr, "kova3d-cli: %s: cannot write the file\n", options.output.c_str());
        return kExitCannotOpen;
    }
    return kExitOk;
}

}  // namespace

int playCommand(const std::vector<std::string>& args, const char* argv0) {
    try {
        return play(args, argv0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kova3d-cli: %s\n", e.what());
        return kExitUsage;
    }
}
