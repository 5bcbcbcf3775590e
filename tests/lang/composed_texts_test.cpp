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

// That every type code of the element table has its row is checked with the table itself (model tests).
TEST(ComposedTexts, EveryTypeCodeIsComposedOnce) {
    std::set<int> keys;
    for (const Composition& row : descriptionCompositions()) {
        EXPECT_TRUE(keys.insert(row.key).second) << "type code " << row.key << " composed twice";
    }
    EXPECT_EQ(keys.size(), 156u);
}

TEST(ComposedTexts, PiecesAndPunctuation) {
    const TextTable table = numberedTable();
    EXPECT_EQ(composeDescription(table, 10000), "<50500> (<50600>)");  // Point (free)
    EXPECT_EQ(composeDescription(table, 10015), "<50502>");            // Segment
    EXPECT_EQ(composeDescription(table, 10810), "<50502>: <50656>");   // Segment: central symmetry
    EXPECT_EQ(composeDescription(table, 10924), "<50507>: <50660>");   // Conic: rotation
    EXPECT_EQ(composeDescription(table, 10894), "<50506>: <50660>");   // Arc: rotation
    EXPECT_EQ(composeDescription(table, 10734), "<50527> (<50618>)");  // Volume (icosahedron)
    EXPECT_EQ(composeToolPrompt(table, 11), "<10560> (<50709>)");      // Segment (two points)
    EXPECT_EQ(composeToolPrompt(table, 0), "<10500>");
    // Codes that are not elements and unknown tools give nothing.
    EXPECT_EQ(composeDescription(table, 10805), "");
    EXPECT_EQ(composeDescription(table, 0), "");
    EXPECT_EQ(composeToolPrompt(table, 53), "");
    EXPECT_EQ(composeToolPrompt(table, -1), "");
    // A missing piece leaves its place empty, punctuation included.
    const TextTable empty = tableFrom("");
    EXPECT_EQ(composeDescription(empty, 10000), " ()");
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
