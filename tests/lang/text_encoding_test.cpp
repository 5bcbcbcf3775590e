#include <gtest/gtest.h>

#include <string>

#include "lang/text_encoding.h"
#include "lang/text_table.h"
#include "lang_test_support.h"

TEST(TextEncoding, Utf8FilesKeepTheirTexts) {
    const TextTable table = tableFrom("Language = Espa\xC3\xB1ol\n10=Edici\xC3\xB3n \xE2\x82\xAC\n");
    EXPECT_EQ(table.text(1), "Español");
    EXPECT_EQ(table.text(10), "Edición €");
}

TEST(TextEncoding, OlderFilesAreReadAsWindows1252) {
    const TextTable table = tableFrom("Language = Espa\xF1ol\n10=Edici\xF3n \x80 \x93quoted\x94\n11=plain\n");
    EXPECT_EQ(table.text(1), "Español");
    EXPECT_EQ(table.text(10), "Edición € \u201Cquoted\u201D");
    EXPECT_EQ(table.text(11), "plain");
}

TEST(TextEncoding, OneInvalidEntryDecidesForTheWholeFile) {
    // "Ã±" written in Windows-1252 is the UTF-8 of "ñ"; with another entry that is not UTF-8 the
    // whole file is Windows-1252 and both bytes stay two characters.
    const TextTable table = tableFrom("1=\xC3\xB1\n2=\xE9t\xE9\n");
    EXPECT_EQ(table.text(1), "\u00C3\u00B1");
    EXPECT_EQ(table.text(2), "été");
    // Comments and skipped lines do not count.
    const TextTable commented = tableFrom("; caf\xE9\n1=\xC3\xB1\n");
    EXPECT_EQ(commented.text(1), "ñ");
}

TEST(TextEncoding, CuttingALongLineDoesNotSplitACharacter) {
    // 257 ASCII characters then "é" (two bytes): the limit falls between its bytes.
    const std::string line = "3=" + std::string(257, 'a') + "\xC3\xA9" + "bbb\n4=\xC3\xA9\n";
    const TextTable table = tableFrom(line);
    EXPECT_EQ(table.text(3), std::string(257, 'a'));
    EXPECT_EQ(table.text(4), "é");
}

TEST(TextEncoding, Utf8Validation) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ascii"));
    EXPECT_TRUE(isValidUtf8("\xC3\xB1\xE2\x82\xAC\xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xC3"));              // truncated
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));      // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xB1"));              // lone continuation byte
    EXPECT_FALSE(isValidUtf8("a\xF1o"));
}

TEST(TextEncoding, Windows1252Conversion) {
    EXPECT_EQ(windows1252ToUtf8("abc"), "abc");
    EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x9F"), "\u20AC\u0160\u0178");
    EXPECT_EQ(windows1252ToUtf8("\xA0\xFF"), "\u00A0\u00FF");
    // Bytes the code page leaves undefined show as the replacement character.
    EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(TextEncoding, TypedTextBackToWindows1252) {
    // Every defined byte survives the trip out to UTF-8 and back.
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D)
            all.push_back(static_cast<char>(b));
    const Windows1252Text back = utf8ToWindows1252(windows1252ToUtf8(all));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.bytes, all);
    EXPECT_EQ(utf8ToWindows1252("\u00C1 \u00F1 \u20AC").bytes, "\xC1 \xF1 \x80");

    // What the code page cannot hold is refused, with the character and where it stands.
    const Windows1252Text polish = utf8ToWindows1252("ab\u0142c");
    EXPECT_FALSE(polish.ok());
    EXPECT_EQ(polish.refused, U'\u0142');
    EXPECT_EQ(polish.refusedAt, 2u);
    EXPECT_TRUE(polish.bytes.empty());
    EXPECT_EQ(utf8ToWindows1252("x\U0001F600").refused, U'\U0001F600');
    EXPECT_EQ(utf8ToWindows1252("\uFFFD").refused, U'\uFFFD');  // an undefined byte shown, not a character
    EXPECT_EQ(utf8ToWindows1252("\u0081").refused, U'\u0081');
    EXPECT_FALSE(utf8ToWindows1252(std::string("a\0b", 3)).ok());  // stored text ends at a NUL
    const Windows1252Text malformed = utf8ToWindows1252("ok\xC3");
    EXPECT_FALSE(malformed.ok());
    EXPECT_EQ(malformed.refusedAt, 2u);
    EXPECT_TRUE(utf8ToWindows1252("").ok());
}
