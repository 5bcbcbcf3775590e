// The construction list, the element dialog and the step display describe every
// element by its type code; every code of the element table must have its text.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "lang/composed_texts.h"
#include "lang/lang_test_support.h"
#include "lang/language_files.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "model/type_codes.h"

namespace {

const char* const kShipped[] = {"English.lng", "Espa\xC3\xB1ol.lng"};

TextTable loadShipped(const char* name) {
    TextTable table;
    EXPECT_EQ(loadLanguage(table, languagesFolder(KOVA_SOURCE_DIR), name), 1) << name;
    return table;
}

// A table in which every text is its own id, so that compositions show their structure.
TextTable numberedTable() {
    std::string content;
    for (const int id : allTextIds()) content += std::to_string(id) + "=<" + std::to_string(id) + ">\n";
    return tableFrom(content);
}

}  // namespace

TEST(Descriptions, EveryTypeCodeHasOneInBothShippedLanguages) {
    std::set<TypeCode> codes;
    for (const TypeCodeInfo& row : allTypeCodes()) {
        EXPECT_TRUE(codes.insert(row.code).second) << "type code " << row.code << " composed twice";
    }
    EXPECT_EQ(codes.size(), 156u);

    for (const char* file : {"English.lng", "Español.lng"}) {
        TextTable texts;
        ASSERT_EQ(texts.load(std::string(KOVA_SOURCE_DIR) + "/Languages/" + file), 1) << file;
        for (TypeCode code : codes)
            EXPECT_FALSE(composeDescription(texts, code).empty()) << file << " " << code;
    }
}

TEST(Descriptions, PiecesAndPunctuation) {
    const TextTable table = numberedTable();
    EXPECT_EQ(composeDescription(table, TypeCode::FreePoint), "<50500> (<50600>)");  // Point (free)
    EXPECT_EQ(composeDescription(table, TypeCode::SegmentTwoPoints), "<50502>");     // Segment
    EXPECT_EQ(composeDescription(table, TypeCode::SegmentCentralSymmetry),
              "<50502>: <50656>");                                                      // Segment: central
    EXPECT_EQ(composeDescription(table, TypeCode::ConicRotation), "<50507>: <50660>");  // Conic: rotation
    EXPECT_EQ(composeDescription(table, TypeCode::ArcRotation), "<50506>: <50660>");    // Arc: rotation
    EXPECT_EQ(composeDescription(table, TypeCode::IcosahedronVolume),
              "<50527> (<50618>)");  // Volume (icosahedron)
    // Codes that are not elements give nothing.
    EXPECT_EQ(composeDescription(table, static_cast<TypeCode>(10805)), "");
    EXPECT_EQ(composeDescription(table, TypeCode::None), "");
    // A missing piece leaves its place empty, punctuation included.
    const TextTable empty = tableFrom("");
    EXPECT_EQ(composeDescription(empty, TypeCode::FreePoint), " ()");
}

TEST(Descriptions, UseOnlyDefinedTextsAndTellEveryDefinitionApart) {
    const std::span<const int> ids = allTextIds();
    const auto known = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
    for (const TypeCodeInfo& row : allTypeCodes()) {
        EXPECT_GT(row.description[0], 0) << "row " << row.code << " must start with a text";
        for (const int part : row.description) {
            if (part > 0) {
                EXPECT_TRUE(known(part)) << "row " << row.code << " uses unknown text " << part;
            }
        }
    }
    for (const char* name : kShipped) {
        const TextTable table = loadShipped(name);
        std::set<std::string> seen;
        for (const TypeCodeInfo& row : allTypeCodes()) {
            const std::string description = composeDescription(table, row.code);
            EXPECT_FALSE(description.empty()) << name << " code " << row.code;
            EXPECT_TRUE(seen.insert(description).second) << name << ": \"" << description << "\" twice";
        }
    }
    const TextTable spanish = loadShipped(kShipped[1]);
    EXPECT_EQ(composeDescription(spanish, TypeCode::SegmentPlaneSymmetry),
              "Segmento: simetría respecto a un plano");
}
