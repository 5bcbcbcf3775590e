#include <gtest/gtest.h>

#include "expr/rich_text.h"
#include "expr/rich_text_writer.h"

#include <fstream>
#include <iterator>

namespace {

RichTextRun run(std::string text) {
    RichTextRun r;
    r.text = std::move(text);
    return r;
}

void expectSame(const RichText& read, const RichText& written) {
    ASSERT_EQ(read.paragraphs.size(), written.paragraphs.size());
    for (std::size_t p = 0; p < read.paragraphs.size(); ++p) {
        const RichTextParagraph& a = read.paragraphs[p];
        const RichTextParagraph& b = written.paragraphs[p];
        EXPECT_EQ(a.alignment, b.alignment) << "paragraph " << p;
        ASSERT_EQ(a.runs.size(), b.runs.size()) << "paragraph " << p;
        for (std::size_t r = 0; r < a.runs.size(); ++r) {
            EXPECT_EQ(a.runs[r].text, b.runs[r].text) << p << "/" << r;
            EXPECT_TRUE(a.runs[r].sameFormat(b.runs[r])) << p << "/" << r << " " << b.runs[r].text;
        }
    }
}

}  // namespace

TEST(RichTextWriter, WhatItWritesReadsBackToTheSameFormatting) {
    RichText text;
    RichTextParagraph& first = text.paragraphs.emplace_back();
    first.alignment = TextAlignment::Centre;
    RichTextRun bold = run("Bold {braces} \\ back");
    bold.bold = true;
    bold.halfPoints = 36;
    bold.font = "Arial";
    RichTextRun styled = run(" italic, underlined, red\tafter a tab\nand a line break");
    styled.italic = true;
    styled.underline = UnderlineStyle::Double;
    styled.strike = true;
    styled.colour = 0x0000FFu;
    styled.font = "Times New Roman";
    RichTextRun accents = run(" Café – ∑ 😀");  // Windows-1252, then beyond it, then beyond 16 bits
    accents.colour = 0x00FF00u;
    accents.font = "Arial";
    RichTextRun power = run("2");
    power.script = ScriptPosition::Super;
    power.underline = UnderlineStyle::Wave;
    first.runs = {bold, styled, accents, power};
    text.paragraphs.emplace_back().alignment = TextAlignment::Right;  // an empty paragraph keeps its place
    RichTextParagraph& third = text.paragraphs.emplace_back();
    third.alignment = TextAlignment::Justified;
    RichTextRun small = run("small; with a semicolon");
    small.halfPoints = 2;
    small.colour = 0x0000FFu;  // the red of the table again
    third.runs = {small};
    text.paragraphs.emplace_back();  // an empty last paragraph survives too

    const std::string rtf = writeRichText(text);
    EXPECT_TRUE(
        std::all_of(rtf.begin(), rtf.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    EXPECT_EQ(rtf.find("Caf\\'e9"), rtf.find("Caf"));               // é is a Windows-1252 byte
    EXPECT_NE(rtf.find("\\u8721?"), std::string::npos);             // ∑ as a Unicode escape
    EXPECT_NE(rtf.find("\\u-10179?\\u-8704?"), std::string::npos);  // 😀 as a surrogate pair
    const RichText read = readRichText(rtf);
    expectSame(read, text);
    // Written again, the text reads the same: editing keeps what was read.
    EXPECT_EQ(writeRichText(read), rtf);

    // A font name the table must escape; a semicolon, which ends a table
    // entry, cannot be part of a name and is left out.
    RichText named;
    RichTextRun odd = run("x");
    odd.font = "Odd {Name} \\ Ñ;";
    named.paragraphs.emplace_back().runs = {odd};
    const RichText readNamed = readRichText(writeRichText(named));
    ASSERT_EQ(readNamed.paragraphs.size(), 1u);
    ASSERT_EQ(readNamed.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(readNamed.paragraphs[0].runs[0].font, "Odd {Name} \\ Ñ");
    RichText empty;
    empty.paragraphs.emplace_back();
    expectSame(readRichText(writeRichText(empty)), empty);
}

TEST(RichTextWriter, ParagraphFormatsAndEveryRunFormatRoundTrip) {
    RichText text;
    text.defaultTab = 567;
    RichTextParagraph& p = text.paragraphs.emplace_back();
    p.alignment = TextAlignment::Justified;
    p.leftIndent = 720;
    p.rightIndent = 360;
    p.firstIndent = -360;  // a hanging indent
    p.spaceBefore = 120;
    p.spaceAfter = 240;
    p.lineSpacing = 360;
    p.lineMultiple = true;
    p.tabs = {
        {1440, TabKind::Left}, {2880, TabKind::Centre}, {4320, TabKind::Right}, {5760, TabKind::Decimal}};
    RichTextRun raised = run("up");
    raised.raise = 6;
    raised.caps = true;
    raised.highlight = 0x00FFFFu;
    RichTextRun lowered = run("down");
    lowered.raise = -4;
    lowered.smallCaps = true;
    lowered.background = 0xC0C0C0u;
    RichTextRun hidden = run("hidden");
    hidden.hidden = true;
    RichTextRun greek = run("\xCE\xB1\xCE\xB2 \xC3\xA9");  // "αβ é" in a Greek-charset font
    greek.font = "Times New Roman Greek";
    greek.charset = 161;
    p.runs = {raised, lowered, hidden, greek};
    text.paragraphs.emplace_back().runs = {run("plain")};  // p is not used after this

    const RichText read = readRichText(writeRichText(text));
    expectSame(read, text);
    EXPECT_EQ(read.defaultTab, 567);
    ASSERT_EQ(read.paragraphs.size(), 2u);
    EXPECT_EQ(static_cast<const ParagraphFormat&>(read.paragraphs[0]),
              static_cast<const ParagraphFormat&>(text.paragraphs[0]));
    EXPECT_EQ(static_cast<const ParagraphFormat&>(read.paragraphs[1]), ParagraphFormat{})
        << "each paragraph starts from the default format";
}

TEST(RichTextWriter, WordProcessorDocumentsRoundTripTablesIncluded) {
    for (const char* name : {"worksheet-libreoffice.rtf", "hoja-pandoc.rtf", "features-libreoffice.rtf"}) {
        const bool table = std::string(name) != "features-libreoffice.rtf";
        SCOPED_TRACE(name);
        std::ifstream file(std::string(KOVA_TEST_DATA_DIR) + "/rtf/" + name, std::ios::binary);
        ASSERT_TRUE(file) << name;
        const std::string rtf((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const RichText original = readRichText(rtf);
        ASSERT_EQ(original.rows.empty(), !table);
        const RichText again = readRichText(writeRichText(original));
        expectSame(again, original);
        EXPECT_EQ(again.rows, original.rows);
        EXPECT_EQ(again.defaultTab, original.defaultTab);
        ASSERT_EQ(again.paragraphs.size(), original.paragraphs.size());
        for (std::size_t p = 0; p < original.paragraphs.size(); ++p) {
            EXPECT_EQ(static_cast<const ParagraphFormat&>(again.paragraphs[p]),
                      static_cast<const ParagraphFormat&>(original.paragraphs[p]))
                << "paragraph " << p;
            EXPECT_EQ(again.paragraphs[p].row, original.paragraphs[p].row) << "paragraph " << p;
            EXPECT_EQ(again.paragraphs[p].cell, original.paragraphs[p].cell) << "paragraph " << p;
        }
    }
}
