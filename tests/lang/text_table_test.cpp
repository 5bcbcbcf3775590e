#include <gtest/gtest.h>

#include <string>

#include "lang/text_table.h"
#include "lang_test_support.h"

TEST(TextTable, KeysValuesAndComments) {
    const TextTable table = tableFrom(
        "12=Hello world\n"
        "; 12=commented out\n"
        ";13=also a comment\n"
        "14 no equals sign\n"
        "-12=negative\n"
        "15 =   leading blanks go, inner  blanks stay\n"
        "16=\n"
        "17=a=b\n"
        "  18\t=\tafter a tab\n"
        "19abc=digits then letters\n"
        "+20=plus sign\n"
        "99999999999=too large\n"
        "12=second definition\n");
    EXPECT_EQ(table.text(12), "Hello world");
    EXPECT_EQ(table.text(13), "");
    EXPECT_EQ(table.text(14), "");
    EXPECT_EQ(table.text(-12), "negative");
    EXPECT_EQ(table.text(15), "leading blanks go, inner  blanks stay");
    EXPECT_EQ(table.text(16), "");
    EXPECT_EQ(table.text(17), "a=b");
    EXPECT_EQ(table.text(18), "after a tab");
    EXPECT_EQ(table.text(19), "digits then letters");
    EXPECT_EQ(table.text(20), "plus sign");
    EXPECT_EQ(table.text(404), "");
    // Slot 0 and the ten entries; the duplicate 12 is stored but never found.
    ASSERT_EQ(table.slotCount(), 11);
    EXPECT_EQ(table.slot(10).id, 12);
    EXPECT_EQ(table.slot(10).text, "second definition");
    // An id that does not fit in 32 bits is stored under 0, which slot 0 answers first.
    EXPECT_EQ(table.slot(9).id, 0);
    EXPECT_EQ(table.text(0), "Test.lng");
}

TEST(TextTable, LanguageAndAuthorNeedABlankBeforeTheEqualsSign) {
    const TextTable spaced = tableFrom("Language = English\nAuthor = Somebody\n");
    EXPECT_EQ(spaced.text(1), "English");
    EXPECT_EQ(spaced.text(2), "Somebody");

    const TextTable joined = tableFrom("Language=English\n", "Joined.lng");
    EXPECT_EQ(joined.text(1), "");
    ASSERT_EQ(joined.slotCount(), 2);
    EXPECT_EQ(joined.slot(1).id, 0);
    EXPECT_EQ(joined.slot(1).text, "English");
    EXPECT_EQ(joined.text(0), "Joined.lng");

    // Only the exact words count.
    const TextTable other = tableFrom("Languages = x\nlanguage = y\n");
    EXPECT_EQ(other.text(1), "");
}

TEST(TextTable, KeepsOnlyTheFirst499Entries) {
    std::string content;
    for (int id = 1000; id < 1500; ++id) {
        content +=
            "; a comment does not take a slot\n" + std::to_string(id) + "=text " + std::to_string(id) + "\n";
    }
    const TextTable table = tableFrom(content);
    EXPECT_EQ(table.slotCount(), TextTable::kSlotCount);
    EXPECT_EQ(table.text(1000), "text 1000");
    EXPECT_EQ(table.text(1498), "text 1498");
    EXPECT_EQ(table.text(1499), "");
}

TEST(TextTable, LongLinesAreCutAndTheirRestIsDropped) {
    // The rest of the long line begins exactly at the limit and would read as entry 77.
    const std::string line = "5=" + std::string(TextTable::kMaxLineLength - 2, 'v') + "77=rest\n8=next\n";
    const TextTable table = tableFrom(line);
    EXPECT_EQ(table.text(5), std::string(TextTable::kMaxLineLength - 2, 'v'));
    EXPECT_EQ(table.text(77), "");
    EXPECT_EQ(table.text(8), "next");

    // A line of exactly the limit is whole, and so is the line after it.
    const std::string exact = "6=" + std::string(TextTable::kMaxLineLength - 2, 'w');
    const TextTable whole = tableFrom(exact + "\n9=after\n");
    EXPECT_EQ(whole.text(6).size(), TextTable::kMaxLineLength - 2);
    EXPECT_EQ(whole.text(9), "after");
}

TEST(TextTable, LineEndingsByteOrderMarkAndLastLine) {
    const TextTable table = tableFrom("\xEF\xBB\xBFLanguage = Deutsch\r\n3=drei\r\n4=vier");
    EXPECT_EQ(table.text(1), "Deutsch");
    EXPECT_EQ(table.text(3), "drei");
    EXPECT_EQ(table.text(4), "vier");

    const TextTable empty = tableFrom("");
    EXPECT_EQ(empty.slotCount(), 1);
    EXPECT_EQ(empty.text(0), "Test.lng");
}

TEST(TextTable, FailedLoadKeepsThePreviousTexts) {
    TempFolder folder;
    folder.write("A.lng", "Language = A\n7=seven\n");
    TextTable table;
    ASSERT_EQ(table.load(folder.path() / "A.lng"), 1);
    EXPECT_EQ(table.text(0), "A.lng");
    EXPECT_EQ(table.load(folder.path() / "Missing.lng"), 0);
    EXPECT_EQ(table.text(7), "seven");
    EXPECT_EQ(table.text(1), "A");
}

TEST(TextTable, KeyParsing) {
    EXPECT_EQ(textIdOfKey("Language"), 1);
    EXPECT_EQ(textIdOfKey("Author"), 2);
    EXPECT_EQ(textIdOfKey("12=Hello"), 12);
    EXPECT_EQ(textIdOfKey("-12=x"), -12);
    EXPECT_EQ(textIdOfKey("Language=English"), 0);
    EXPECT_EQ(textIdOfKey("+-3"), 0);
    EXPECT_EQ(textIdOfKey("2147483647"), 2147483647);
    EXPECT_EQ(textIdOfKey("2147483648"), 0);
    EXPECT_EQ(textIdOfKey(""), 0);
}
