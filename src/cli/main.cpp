#include <cstdio>
#include <cstring>

namespace {

void printUsage(std::FILE* out) {
    std::fputs(
        "Usage: kova3d-cli [--help]\n"
        "\n"
        "KOVA 3D command-line tool: works on construction files without a window.\n"
        "\n"
        "Options:\n"
        "  --help    show this text and exit\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printUsage(stdout);
        return 0;
    }
    printUsage(stderr);
    return 2;
}
