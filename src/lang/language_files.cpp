#include "lang/language_files.h"

#include <algorithm>
#include <system_error>

namespace {

bool hasLanguageExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return extension == ".lng";
}

std::vector<std::string> languageFileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return names;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error) break;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (hasLanguageExtension(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    if (names.size() > static_cast<std::size_t>(kMaxLanguageFiles)) names.resize(kMaxLanguageFiles);
    return names;
}

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of("/\\:") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

}  // namespace

std::filesystem::path languagesFolder(const std::filesystem::path& programDirectory) {
    return programDataFolder(programDirectory, "Languages");
}

std::filesystem::path programDataFolder(const std::filesystem::path& programDirectory, const std::string& name) {
    const std::filesystem::path beside = programDirectory / name;
    const std::filesystem::path installed =
        (programDirectory / ".." / "share" / "kova3d" / name).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(beside, error)) return beside;
    if (std::filesystem::is_directory(installed, error)) return installed;
    return beside;
}

std::vector<LanguageFile> listLanguages(const std::filesystem::path& folder) {
    std::vector<LanguageFile> languages;
    for (std::string& name : languageFileNames(folder)) {
        TextTable table;
        std::string displayName;
        if (table.load(folder / name) == 1) displayName = table.text(TextTable::kLanguageNameId);
        if (displayName.empty()) displayName = name.substr(0, name.size() - 4);
        languages.push_back({std::move(name), std::move(displayName)});
    }
    return languages;
}

std::string firstLanguageFile(const std::filesystem::path& folder) {
    std::vector<std::string> names = languageFileNames(folder);
    return names.empty() ? std::string() : std::move(names.front());
}

int loadLanguage(TextTable& table, const std::filesystem::path& folder, std::string_view name) {
    if (!isPlainFileName(name)) return 0;
    return table.load(folder / std::filesystem::path(std::string(name)));
}
