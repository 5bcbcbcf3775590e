// The construction list, the element dialog and the step display describe every
// element by its type code; every code of the element table must have its text.

#include <gtest/gtest.h>

#include <set>

#include "lang/composed_texts.h"
#include "lang/text_table.h"
#include "model/type_codes.h"

TEST(Descriptions, EveryTypeCodeHasOneInBothShippedLanguages) {
    std::set<int> composed;
    for (const Composition& row : descriptionCompositions()) composed.insert(row.key);
    std::set<int> codes;
    for (const TypeCodeInfo& row : allTypeCodes()) codes.insert(row.code);
    EXPECT_EQ(composed, codes);

    for (const char* file : {"English.lng", "Español.lng"}) {
        TextTable texts;
        ASSERT_EQ(texts.load(std::string(KOVA_SOURCE_DIR) + "/Languages/" + file), 1) << file;
        for (int code : codes) EXPECT_FALSE(composeDescription(texts, code).empty()) << file << " " << code;
    }
}
