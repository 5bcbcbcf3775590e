// The rich-text document model read from files that word processors wrote
// (tests/data/rtf) and from small snippets of what other writers put out.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "expr/rich_text.h"

namespace {

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(KOVA_TEST_DATA_DIR) + "/rtf/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The run holding `text`, or nullptr.
const RichTextRun* runWith(const RichText& t, std::string_view text) {
    for (const RichTextParagraph& p : t.paragraphs)
        for (const RichTextRun& r : p.runs)
            if (r.text == text) return &r;
    return nullptr;
}

const RichTextParagraph* paragraphStarting(const RichText& t, std::string_view start) {
    for (const RichTextParagraph& p : t.paragraphs)
        if (!p.runs.empty() && p.runs.front().text.starts_with(start)) return &p;
    return nullptr;
}

// The text of a table's cells, row by row.
std::vector<std::vector<std::string>> cells(const RichText& t) {
    std::vector<std::vector<std::string>> table(t.rows.size());
    for (const RichTextParagraph& p : t.paragraphs) {
        if (p.row < 0) continue;
        auto& row = table.at(static_cast<std::size_t>(p.row));
        row.resize(std::max<std::size_t>(row.size(), static_cast<std::size_t>(p.cell) + 1));
        for (const RichTextRun& r : p.runs) row[static_cast<std::size_t>(p.cell)] += r.text;
    }
    return table;
}

const std::vector<std::vector<std::string>> kPolyhedra = {{"Solid", "Faces", "Vertices", "Edges"},
                                                          {"Tetrahedron", "4", "4", "6"},
                                                          {"Cube", "6", "8", "12"},
                                                          {"Octahedron", "8", "6", "12"}};

}  // namespace

TEST(RichTextModel, PandocWorksheetListsTableFormulasAndFootnote) {
    const RichText t = readRichText(fixture("worksheet-pandoc.rtf"));
    const RichTextParagraph& title = t.paragraphs.at(0);
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_TRUE(title.runs[0].bold);
    EXPECT_EQ(title.runs[0].halfPoints, 36);
    EXPECT_EQ(title.spaceAfter, 180);

    // A numbered item: the number as written, a hanging indent and its tab stop.
    const RichTextParagraph* item = paragraphStarting(t, "1.\tCount the faces");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->leftIndent, 360);
    EXPECT_EQ(item->firstIndent, -360);
    EXPECT_EQ(item->tabs, (std::vector<TabStop>{{360, TabKind::Left}}));
    EXPECT_EQ(item->row, -1);

    // A 4 x 4 table: every cell once, in its row and column, the numbers right aligned.
    EXPECT_EQ(cells(t), kPolyhedra);
    ASSERT_EQ(t.rows.size(), 4u);
    for (const RichTextRow& row : t.rows) {
        EXPECT_EQ(row.cellRight, (std::vector<int>{2160, 4320, 6480, 8640}));
        EXPECT_EQ(row.gap, 120);
    }
    EXPECT_EQ(t.rows[0].cellBorders, (std::vector<std::uint8_t>(4, kBorderBottom)));
    EXPECT_EQ(t.rows[1].cellBorders, (std::vector<std::uint8_t>(4, 0)));
    const RichTextParagraph* faces = paragraphStarting(t, "Faces");
    ASSERT_NE(faces, nullptr);
    EXPECT_EQ(faces->alignment, TextAlignment::Right);
    EXPECT_EQ(faces->row, 0);
    EXPECT_EQ(faces->cell, 1);
    EXPECT_EQ(paragraphStarting(t, "Solid")->alignment, TextAlignment::Left);

    // Superscripts, subscripts, strike-through; the footnote's mark and its text after the body.
    const RichTextParagraph* formula = paragraphStarting(t, "Euler");
    ASSERT_NE(formula, nullptr);
    std::vector<std::pair<std::string, ScriptPosition>> scripts;
    for (const RichTextRun& r : formula->runs)
        if (r.script != ScriptPosition::Normal) scripts.emplace_back(r.text, r.script);
    EXPECT_EQ(scripts,
              (std::vector<std::pair<std::string, ScriptPosition>>{
                  {"3", ScriptPosition::Super}, {"2", ScriptPosition::Super}, {"2", ScriptPosition::Sub}}));
    ASSERT_NE(runWith(t, "Crossed out"), nullptr);
    EXPECT_TRUE(runWith(t, "Crossed out")->strike);
    EXPECT_EQ(runWith(t, "code")->font, "Courier");
    const RichTextParagraph* withMark = paragraphStarting(t, "Crossed out");
    EXPECT_EQ(withMark->runs.back().text, "1");
    EXPECT_EQ(withMark->runs.back().script, ScriptPosition::Super);
    EXPECT_EQ(t.paragraphs.back().runs.at(0).text, "1\u00A0A footnote about Euler.");
}

TEST(RichTextModel, LibreOfficeWorksheetAndFeatures) {
    const RichText sheet = readRichText(fixture("worksheet-libreoffice.rtf"));
    EXPECT_EQ(cells(sheet), kPolyhedra);
    ASSERT_EQ(sheet.rows.size(), 4u);
    EXPECT_EQ(sheet.rows[0].left, -108);
    EXPECT_EQ(sheet.rows[0].gap, 108);  // the cells' left padding
    EXPECT_EQ(sheet.rows[0].cellRight, (std::vector<int>{1872, 3852, 5832, 7811}));
    EXPECT_EQ(sheet.rows[0].cellBorders[3], kBorderBottom);
    const RichTextParagraph* item = paragraphStarting(sheet, " 1.\tCount");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->leftIndent, 720);
    EXPECT_EQ(item->firstIndent, -480);
    EXPECT_TRUE(runWith(sheet, "\u03C7")->italic);  // chi
    EXPECT_TRUE(sheet.plainText().ends_with("\n1 A footnote about Euler.")) << sheet.plainText();

    const RichText t = readRichText(fixture("features-libreoffice.rtf"));
    EXPECT_EQ(t.defaultTab, 709);
    const auto& tabs = t.paragraphs.at(0).tabs;
    EXPECT_EQ(tabs, (std::vector<TabStop>{{1134, TabKind::Left},
                                          {3402, TabKind::Centre},
                                          {5669, TabKind::Right},
                                          {7370, TabKind::Decimal}}));
    const RichTextParagraph& hanging = t.paragraphs.at(1);
    EXPECT_EQ(hanging.leftIndent, 1134);
    EXPECT_EQ(hanging.rightIndent, 567);
    EXPECT_EQ(hanging.firstIndent, -567);
    EXPECT_EQ(hanging.spaceBefore, 283);
    EXPECT_EQ(hanging.spaceAfter, 170);
    EXPECT_EQ(hanging.lineSpacing, 360);
    EXPECT_TRUE(hanging.lineMultiple);
    const RichTextParagraph& exact = t.paragraphs.at(2);
    EXPECT_EQ(exact.lineSpacing, -454);
    EXPECT_FALSE(exact.lineMultiple);
    EXPECT_EQ(exact.alignment, TextAlignment::Right);

    EXPECT_TRUE(runWith(t, "struck")->strike);
    EXPECT_EQ(runWith(t, "highlighted")->background, std::optional<std::uint32_t>(0x00FFFF));  // yellow
    EXPECT_TRUE(runWith(t, "capitals")->caps);
    EXPECT_TRUE(runWith(t, "Small Caps")->smallCaps);
    EXPECT_EQ(runWith(t, "dotted")->underline, UnderlineStyle::Dotted);
    EXPECT_EQ(runWith(t, "double")->underline, UnderlineStyle::Double);
    EXPECT_TRUE(runWith(t, "HIDDEN")->hidden);
    EXPECT_FALSE(runWith(t, "shown")->hidden);
    EXPECT_EQ(runWith(t, "2")->script, ScriptPosition::Super);
    EXPECT_EQ(runWith(t, "up")->raise, 8);
    EXPECT_EQ(runWith(t, "up")->halfPoints, 24);
    EXPECT_NE(t.plainText().find("\u0395\u03BB\u03BB\u03AC\u03B4\u03B1"), std::string::npos);  // Greek
    EXPECT_NE(t.plainText().find("\u041F\u0440\u0438\u0432\u0435\u0442"), std::string::npos);  // Cyrillic
    EXPECT_NE(t.plainText().find("\u00F1and\u00FA, ping\u00FCino, acci\u00F3n"), std::string::npos);
}

TEST(RichTextModel, CodePagesOfTheDocumentAndOfEachFont) {
    EXPECT_EQ(readRichText("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}").plainText(),
              "\u041F\u0440\u0438\u0432\u0435\u0442");
    // A Greek font in a Western document; the font table's names are read in their own code page.
    const RichText greek = readRichText(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Arial Greek;}{\\f2\\fcharset204 \\'c0\\'f0;}}"
        "\\f0 \\'e1{\\f1 \\'e1\\'e2}{\\f2 x}}");
    EXPECT_EQ(greek.plainText(), "\u00E1\u03B1\u03B2x");
    EXPECT_EQ(runWith(greek, "\u03B1\u03B2")->charset, 161);
    EXPECT_EQ(runWith(greek, "x")->font, "\u0410\u0440");
    EXPECT_EQ(readRichText("{\\rtf1\\mac caf\\'8e}").plainText(), "caf\u00E9");
    EXPECT_EQ(readRichText("{\\rtf1\\pc caf\\'82 \\'b0}").plainText(), "caf\u00E9 \u2591");
    EXPECT_EQ(readRichText("{\\rtf1\\pca \\'d5}").plainText(), "\u0131");
    // Unknown code pages (here a multi-byte one) read as Windows-1252.
    EXPECT_EQ(readRichText("{\\rtf1\\ansicpg932 \\'e9}").plainText(), "\u00E9");

    // Symbol and Wingdings: bytes and private-use characters become the characters they draw.
    const RichText symbols = readRichText(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}{\\f3\\fcharset2 "
        "OpenSymbol;}}"
        "{\\f1 \\'b7\\'61p\\u-3913?}{\\f2 \\'a7\\'fc}{\\f3 \\'b7}}");
    EXPECT_EQ(symbols.plainText(), "\u2022\u03B1\u03C0\u2022\u25AA\u2714\u00B7");
}

TEST(RichTextModel, SmallerPointsAndBrokenTables) {
    // \fs0 is the default size; an escape cut short by a control word leaks nothing.
    const RichText sized = readRichText("{\\rtf1\\fs0 a\\fs1 b}");
    EXPECT_EQ(sized.paragraphs[0].runs[0].halfPoints, 24);
    EXPECT_EQ(sized.paragraphs[0].runs[1].halfPoints, 2);
    const RichText leak = readRichText("{\\rtf1 a\\'\\par b\\'4\\par c}");
    EXPECT_EQ(leak.plainText(), "a\nb\nc");

    // Footnote marks count up; highlight and shading colours; \pard ends a table's paragraph format.
    const RichText marks = readRichText(
        "{\\rtf1{\\colortbl;\\red255\\green255\\blue0;\\red0\\green255\\blue0;}x{\\super\\chftn}"
        "{\\footnote\\chftn  one}y{\\super\\chftn}{\\*\\footnote\\chftn  two}{\\highlight1 h}{\\cb2 s}\\ul0 "
        "u}");
    EXPECT_EQ(marks.plainText(), "x1y2hsu\n1 one\n2 two");
    EXPECT_EQ(runWith(marks, "h")->highlight, std::optional<std::uint32_t>(0x00FFFF));
    EXPECT_EQ(runWith(marks, "s")->background, std::optional<std::uint32_t>(0x00FF00));
    EXPECT_EQ(runWith(marks, "u")->underline, UnderlineStyle::None);

    // Cells without a row definition, a row never ended, absurd cell counts: all end cleanly.
    const RichText loose =
        readRichText("{\\rtf1 a\\cell b\\cell\\row c\\par\\trowd\\cellx100 \\intbl d\\cell e}");
    ASSERT_EQ(loose.rows.size(), 2u);
    EXPECT_TRUE(loose.rows[0].cellRight.empty());
    EXPECT_EQ(cells(loose), (std::vector<std::vector<std::string>>{{"a", "b"}, {"d", "e"}}));
    EXPECT_EQ(paragraphStarting(loose, "c")->row, -1);
    std::string many = "{\\rtf1\\trowd";
    for (int i = 0; i < 500; ++i) many += "\\cellx" + std::to_string(i * 10);
    for (int i = 0; i < 500; ++i) many += "\\intbl x\\cell";
    const RichText wide = readRichText(many + "\\row}");
    EXPECT_EQ(wide.rows.at(0).cellRight.size(), 63u);
    EXPECT_EQ(wide.paragraphs.back().cell, 62);
}
