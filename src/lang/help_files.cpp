#include "lang/help_files.h"

#include <fstream>
#include <sstream>

namespace {

// ASCII letters and Ñ to lower case; the display name is UTF-8.
std::string lowered(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0xC3 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x91) {
            out += "\xC3\xB1";  // Ñ → ñ
            ++i;
        } else {
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        }
    }
    return out;
}

}  // namespace

bool languageIsSpanish(const std::string& languageDisplayName) {
    return lowered(languageDisplayName) == "espa\xC3\xB1ol";
}

std::string helpFolderName(const std::string& languageDisplayName) {
    return languageIsSpanish(languageDisplayName) ? "kova3d_es" : "kova3d_en";
}

std::string helpPageOfTool(const std::filesystem::path& helpRoot, int toolNumber) {
    std::ifstream table(helpRoot / "contexts.txt");
    std::string line;
    while (toolNumber >= 0 && std::getline(table, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int number = -1;
        std::string page;
        if (fields >> number >> page && number == toolNumber) return page;
    }
    return "index.html";
}
