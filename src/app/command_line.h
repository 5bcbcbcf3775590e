#pragma once

#include <string>
#include <vector>

// What the program's command line asks for. Options are read before any
// window exists, so `--version` and `--help` work without a display.
struct ProgramArguments {
    bool version = false;
    bool help = false;
    std::vector<std::string> files;  // in the order given; each opens in a window of its own
    std::string error;               // an option the program does not know
};

ProgramArguments parseProgramArguments(int argc, const char* const* argv);
// "kova3d 5.0.2": the name and the version the program writes into its files.
std::string programVersionLine();
std::string programUsage();
