#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "lang/composed_texts.h"
#include "lang/text_ids.h"
#include "lang_test_support.h"

namespace {

// A table in which every text is its own id, so that compositions show their structure.
TextTable numberedTable() {
    std::string content;
    for (const int id : allTextIds()) content += std::to_string(id) + "=<" + std::to_string(id) + ">\n";
    return tableFrom(content);
}

}  // namespace

TEST(ComposedTexts, PiecesAndPunctuation) {
    const TextTable table = numberedTable();
    EXPECT_EQ(composeToolPrompt(table, 11), "<10560> (<50709>)");  // Segment (two points)
    EXPECT_EQ(composeToolPrompt(table, 0), "<10500>");
    // Unknown tools give nothing.
    EXPECT_EQ(composeToolPrompt(table, 53), "");
    EXPECT_EQ(composeToolPrompt(table, -1), "");
    // A missing piece leaves its place empty, punctuation included.
    const TextTable empty = tableFrom("");
    EXPECT_EQ(composeToolPrompt(empty, 11), " ()");
}

TEST(ComposedTexts, KindNames) {
    EXPECT_EQ(kindNameTextId(1), textid::kKindPoint);
    EXPECT_EQ(kindNameTextId(3), textid::kKindSegment);
    EXPECT_EQ(kindNameTextId(19), textid::kKindCoordinates);
    EXPECT_EQ(kindNameTextId(21), textid::kKindText);
    EXPECT_EQ(kindNameTextId(0), 0);
    EXPECT_EQ(kindNameTextId(22), 0);
    std::set<int> names;
    for (int kind = 1; kind <= 21; ++kind) names.insert(kindNameTextId(kind));
    EXPECT_EQ(names.size(), 21u);
}
