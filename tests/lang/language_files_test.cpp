#include <gtest/gtest.h>

#include <string>

#include "lang/help_files.h"
#include "lang/language_files.h"
#include "lang_test_support.h"

TEST(LanguageFiles, ListsLanguageFilesWithTheirDisplayNames) {
    TempFolder folder;
    folder.write("English.lng", "Language = English\n");
    folder.write("Espa\xC3\xB1ol.lng", "Language = Espa\xF1ol\n");
    folder.write("Upper.LNG", "Language = Upper case extension\n");
    folder.write("Nameless.lng", "5=no language line\n");
    folder.write("notes.txt", "Language = not a language file\n");
    folder.write("lng", "Language = no extension\n");
    std::filesystem::create_directory(folder.path() / "Folder.lng");

    const std::vector<LanguageFile> languages = listLanguages(folder.path());
    ASSERT_EQ(languages.size(), 4u);
    EXPECT_EQ(languages[0].fileName, "English.lng");
    EXPECT_EQ(languages[0].displayName, "English");
    EXPECT_EQ(languages[1].fileName, "Espa\xC3\xB1ol.lng");
    EXPECT_EQ(languages[1].displayName, "Español");
    EXPECT_EQ(languages[2].fileName, "Nameless.lng");
    EXPECT_EQ(languages[2].displayName, "Nameless");
    EXPECT_EQ(languages[3].fileName, "Upper.LNG");
    EXPECT_EQ(languages[3].displayName, "Upper case extension");

    EXPECT_EQ(firstLanguageFile(folder.path()), "English.lng");
}

TEST(LanguageFiles, AtMost99Files) {
    TempFolder folder;
    for (int i = 0; i < 105; ++i) {
        const std::string number = (i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i);
        folder.write("L" + number + ".lng", "Language = L" + number + "\n");
    }
    const std::vector<LanguageFile> languages = listLanguages(folder.path());
    ASSERT_EQ(languages.size(), 99u);
    EXPECT_EQ(languages.front().displayName, "L000");
    EXPECT_EQ(languages.back().displayName, "L098");
}

TEST(LanguageFiles, EmptyOrMissingFolders) {
    TempFolder folder;
    EXPECT_TRUE(listLanguages(folder.path()).empty());
    EXPECT_EQ(firstLanguageFile(folder.path()), "");
    EXPECT_TRUE(listLanguages(folder.path() / "absent").empty());
    EXPECT_EQ(firstLanguageFile(folder.path() / "absent"), "");
}

TEST(LanguageFiles, LoadLanguageTakesOnlyPlainNamesInTheFolder) {
    TempFolder folder;
    folder.write("English.lng", "Language = English\n10001=New\n");
    std::filesystem::create_directory(folder.path() / "inner");
    folder.write("inner/Other.lng", "Language = Other\n");

    TextTable table;
    ASSERT_EQ(loadLanguage(table, folder.path(), "English.lng"), 1);
    EXPECT_EQ(table.text(10001), "New");
    EXPECT_EQ(table.text(0), "English.lng");

    EXPECT_EQ(loadLanguage(table, folder.path(), ""), 0);
    EXPECT_EQ(loadLanguage(table, folder.path(), "Missing.lng"), 0);
    EXPECT_EQ(loadLanguage(table, folder.path(), "inner/Other.lng"), 0);
    EXPECT_EQ(loadLanguage(table, folder.path() / "inner", "../English.lng"), 0);
    EXPECT_EQ(loadLanguage(table, folder.path(), ".."), 0);
    // Every refusal left the loaded language in place.
    EXPECT_EQ(table.text(1), "English");
}

TEST(LanguageFiles, FolderBesideTheProgramComesBeforeTheInstalledOne) {
    TempFolder root;
    const std::filesystem::path bin = root.path() / "bin";
    const std::filesystem::path installed = root.path() / "share" / "kova3d" / "Languages";
    std::filesystem::create_directories(bin);

    // Neither folder: the one beside the program is named.
    EXPECT_EQ(languagesFolder(bin), bin / "Languages");
    // An installation: bin/../share/kova3d/Languages, written without the "..".
    std::filesystem::create_directories(installed);
    EXPECT_EQ(languagesFolder(bin), installed);
    EXPECT_EQ(languagesFolder(bin / "."), installed);
    // A program in the build tree, with its own folder, uses that one.
    std::filesystem::create_directories(bin / "Languages");
    EXPECT_EQ(languagesFolder(bin), bin / "Languages");
    // A file with the folder's name is not a folder.
    std::filesystem::remove(bin / "Languages");
    root.write("bin/Languages", "not a folder");
    EXPECT_EQ(languagesFolder(bin), installed);
}

TEST(HelpFiles, FolderByLanguageAndPageByTool) {
    EXPECT_EQ(helpFolderName("Espa\xC3\xB1ol"), "kova3d_es");
    EXPECT_EQ(helpFolderName("ESPA\xC3\x91OL"), "kova3d_es");
    EXPECT_EQ(helpFolderName("espa\xC3\xB1ol"), "kova3d_es");
    EXPECT_EQ(helpFolderName("Espanol"), "kova3d_en");
    EXPECT_EQ(helpFolderName("English"), "kova3d_en");

    const std::filesystem::path root = std::filesystem::path(KOVA_SOURCE_DIR) / "help";
    EXPECT_EQ(helpPageOfTool(root, 11), "lines.html#tool-11");
    EXPECT_EQ(helpPageOfTool(root, -1), "index.html");
    EXPECT_EQ(helpPageOfTool(root, 999), "index.html");
    EXPECT_EQ(helpPageOfTool(root / "missing", 11), "index.html");
    // Every tool has its page, and the page is there in both languages.
    for (int tool = 0; tool <= 52; ++tool) {
        const std::string page = helpPageOfTool(root, tool);
        ASSERT_NE(page, "index.html") << tool;
        const std::string file = page.substr(0, page.find('#'));
        EXPECT_TRUE(std::filesystem::exists(root / "kova3d_en" / file)) << file;
        EXPECT_TRUE(std::filesystem::exists(root / "kova3d_es" / file)) << file;
    }
}
