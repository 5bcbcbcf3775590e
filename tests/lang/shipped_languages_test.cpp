#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "lang/composed_texts.h"
#include "lang/language_files.h"
#include "lang/text_ids.h"

namespace {

const std::filesystem::path kLanguages = languagesFolder(KOVA_SOURCE_DIR);
const char* const kShipped[] = {"English.lng", "Espa\xC3\xB1ol.lng"};

TextTable loadShipped(const char* name) {
    TextTable table;
    EXPECT_EQ(loadLanguage(table, kLanguages, name), 1) << name;
    return table;
}

std::multiset<int> idsOf(const TextTable& table) {
    std::multiset<int> ids;
    for (int i = 1; i < table.slotCount(); ++i) ids.insert(table.slot(i).id);
    return ids;
}

}  // namespace

TEST(ShippedLanguages, BothFilesParseWithTheSameIds) {
    const TextTable english = loadShipped(kShipped[0]);
    const TextTable spanish = loadShipped(kShipped[1]);
    EXPECT_EQ(english.text(1), "English");
    EXPECT_EQ(spanish.text(1), "Español");
    // Room is left: a full table would mean entries were silently dropped.
    EXPECT_LT(english.slotCount(), TextTable::kSlotCount);
    EXPECT_LT(spanish.slotCount(), TextTable::kSlotCount);

    const std::multiset<int> englishIds = idsOf(english);
    const std::multiset<int> spanishIds = idsOf(spanish);
    EXPECT_EQ(englishIds, spanishIds);
    for (const int id : englishIds) EXPECT_EQ(englishIds.count(id), 1u) << "id " << id << " defined twice";
    EXPECT_EQ(englishIds.count(0), 0u) << "an entry without a readable key";

    const std::vector<LanguageFile> listed = listLanguages(kLanguages);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].displayName, "English");
    EXPECT_EQ(listed[1].displayName, "Español");
}

TEST(ShippedLanguages, EveryTextTheProgramUsesIsDefined) {
    const std::span<const int> ids = allTextIds();
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size()) << "an id named twice in text_ids.h";
    for (const char* name : kShipped) {
        const TextTable table = loadShipped(name);
        const std::multiset<int> defined = idsOf(table);
        for (const int id : ids) {
            EXPECT_EQ(defined.count(id), 1u) << name << " lacks id " << id;
            EXPECT_FALSE(table.text(id).empty()) << name << " has an empty text for id " << id;
        }
        // Nothing in the file is unknown to the program.
        for (const int id : defined) EXPECT_TRUE(std::find(ids.begin(), ids.end(), id) != ids.end()) << id;
    }
}

TEST(ShippedLanguages, CompositionsUseOnlyDefinedTexts) {
    const std::span<const int> ids = allTextIds();
    const auto known = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
    for (const Composition& row : toolPromptCompositions()) {
        EXPECT_GT(row.parts[0], 0) << "row " << row.key << " must start with a text";
        for (const int part : row.parts) {
            if (part > 0) {
                EXPECT_TRUE(known(part)) << "row " << row.key << " uses unknown text " << part;
            }
        }
    }
    for (int kind = 1; kind <= 21; ++kind) EXPECT_TRUE(known(kindNameTextId(kind))) << kind;
}

TEST(ShippedLanguages, PromptsTellEveryToolApart) {
    for (const char* name : kShipped) {
        const TextTable table = loadShipped(name);
        std::set<std::string> prompts;
        for (int tool = 0; tool <= 52; ++tool) {
            const std::string prompt = composeToolPrompt(table, tool);
            EXPECT_FALSE(prompt.empty()) << name << " tool " << tool;
            EXPECT_TRUE(prompts.insert(prompt).second) << name << ": prompt \"" << prompt << "\" twice";
        }
    }
}

TEST(ShippedLanguages, SpanishMenuWordsAreThoseOfTheProgram) {
    const TextTable spanish = loadShipped(kShipped[1]);
    EXPECT_EQ(spanish.text(textid::kKindPoint), "punto");
    EXPECT_EQ(spanish.text(textid::kKindCircle), "circ");
    EXPECT_EQ(spanish.text(textid::kKindRegularPolyhedron), "poliedro regular");
    EXPECT_EQ(spanish.text(textid::kToolHideShow), "Ocultar/Ver");
    EXPECT_EQ(spanish.text(textid::kItemViewHidden), "Ver lo oculto");
    EXPECT_EQ(spanish.text(textid::kToolPlaneSymmetry), "Simetría respecto a un plano");
    EXPECT_EQ(spanish.text(textid::kIterationCommand), "Iteración...");
    EXPECT_EQ(composeToolPrompt(spanish, 11), "Segmento (dos puntos)");
}
