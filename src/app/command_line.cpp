#include "app/command_line.h"

#include "io/document_file.h"

ProgramArguments parseProgramArguments(int argc, const char* const* argv) {
    ProgramArguments arguments;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (optionsEnd || word.empty() || word[0] != '-' || word == "-") {
            arguments.files.push_back(word);
        } else if (word == "--") {
            optionsEnd = true;
        } else if (word == "--version" || word == "-v") {
            arguments.version = true;
        } else if (word == "--help" || word == "-h") {
            arguments.help = true;
        } else if (arguments.error.empty()) {
            arguments.error = "unknown option '" + word + "'";
        }
    }
    return arguments;
}

std::string programVersionLine() {
    const auto major = kProgramVersion / 1000;
    const auto minor = kProgramVersion / 100 % 10;
    const auto patch = kProgramVersion % 100;
    return "kova3d " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
}

std::string programUsage() {
    return "Usage: kova3d [FILE.g3d ...]\n"
           "Interactive three-dimensional dynamic geometry. Each construction file\n"
           "named opens in a window of its own; without one a new construction opens.\n"
           "\n"
           "  -h, --help      show this help and exit\n"
           "  -v, --version   show the program's version and exit\n"
           "  --              what follows are file names, even when they start with '-'\n"
           "\n"
           "The command-line tool kova3d-cli works on construction files without a window.\n";
}
