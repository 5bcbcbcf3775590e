#include "app/start_language.h"

#include "lang/language_files.h"

std::string loadStartLanguage(TextTable& texts, const std::filesystem::path& folder,
                              const std::string& settingName) {
    for (const std::string& name : {settingName, std::string("English.lng"), firstLanguageFile(folder)})
        if (loadLanguage(texts, folder, name) == 1) return name;
    return {};
}
