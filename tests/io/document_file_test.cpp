#include "io/document_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "io/macro_file.h"
#include "io_fixtures.h"
#include "model/byte_stream.h"

namespace {

std::vector<std::uint8_t> bytesOf(Document& doc, bool viewerMode = false) {
    MemoryOutputStream out;
    EXPECT_EQ(writeDocumentBytes(doc, viewerMode, out), 1);
    return out.bytes();
}

int readBytes(const std::vector<std::uint8_t>& bytes, Document& doc, std::string* reason = nullptr) {
    MemoryInputStream in(bytes);
    const int result = readDocumentBytes(in, DocumentDefaults{}, doc);
    if (reason) *reason = in.failure();
    return result;
}

void putU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

std::filesystem::path scratchDir() {
    auto dir = std::filesystem::temp_directory_path() /
               ("kova-io-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace

TEST(DocumentFile, EmptyDocumentIs671Bytes) {
    Document doc;
    const auto bytes = bytesOf(doc);
    ASSERT_EQ(bytes.size(), 671u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24, 0x0AC93BE1);
    EXPECT_EQ(bytes[4], 7);  // "KOVA3D" with its NUL
    EXPECT_EQ(std::memcmp(&bytes[8], "KOVA3D", 7), 0);
    EXPECT_EQ(bytes[15] | bytes[16] << 8, 5002);
}

TEST(DocumentFile, HeaderFontsStylesAndElementsRoundTripByteForByte) {
    Document doc;
    doc.view.backgroundColour = 0x102030;
    doc.unitScale = 2.5;
    doc.view.projection = 1;
    doc.view.spinZ = 12.5f;
    doc.angleUnit = kGrads;
    doc.labelFont.bytes[28] = 'A';
    doc.numberColour = 0xABCDEF;
    doc.styles[20] = KindStyle{0, 3, 1, 0, 0x445566};
    doc.styles[18] = KindStyle{0, 4, 4, 4, 4};  // numbers have no style record
    buildSampleConstruction(doc);
    const auto bytes = bytesOf(doc, true);

    Document back;
    ASSERT_EQ(readBytes(bytes, back), kReadOk);
    back.recompute();
    EXPECT_EQ(bytesOf(back, true), bytes);
    EXPECT_TRUE(back.viewerMode);
    EXPECT_EQ(back.angleUnit, kGrads);
    EXPECT_EQ(back.unitScale, 2.5);
    EXPECT_EQ(back.view.spinZ, 12.5f);
    EXPECT_EQ(back.styles[20], doc.styles[20]);
    EXPECT_EQ(back.styles[18], KindStyle{}) << "taken from the defaults";
    ASSERT_EQ(back.construction().count(), doc.construction().count());
    EXPECT_EQ(back.construction().at(2)->parents[1], back.construction().at(1));
    ASSERT_EQ(back.construction().animationCount(), 1);
    EXPECT_EQ(back.construction().animation(0).element, back.construction().at(1));
    const auto* cube = static_cast<const RegularPolyhedron*>(back.construction().at(5));
    EXPECT_EQ(cube->generatedVertexCount, 7);
    EXPECT_EQ(cube->faceCount, 6);
    EXPECT_EQ(cube->verticesPerFace, 4);
    EXPECT_EQ(*back.construction().at(0)->name(), "A");
}

TEST(DocumentFile, VersionRules) {
    Document doc;
    auto bytes = bytesOf(doc);
    Document back;
    putU32(bytes, 15, 6000);
    EXPECT_EQ(readBytes(bytes, back), kReadNewerVersion);
    putU32(bytes, 15, 5999);
    EXPECT_EQ(readBytes(bytes, back), kReadOk);
    putU32(bytes, 15, 999);  // no program ever wrote major 0
    EXPECT_EQ(readBytes(bytes, back), kReadNotConstructionFile);

    auto wrongMagic = bytesOf(doc);
    wrongMagic[0] ^= 1;
    EXPECT_EQ(readBytes(wrongMagic, back), kReadNotConstructionFile);
    auto wrongName = bytesOf(doc);
    wrongName[8] = 'X';
    EXPECT_EQ(readBytes(wrongName, back), kReadNotConstructionFile);
    auto noName = bytesOf(doc);
    putU32(noName, 4, 0);
    EXPECT_EQ(readBytes(noName, back), kReadNotConstructionFile);
}

// Builds the file of an older major version field by field.
std::vector<std::uint8_t> olderFile(int major, const std::vector<std::uint8_t>& elementRecords,
                                    std::uint32_t count) {
    MemoryOutputStream out;
    writeU32(out, kDocumentMagic);
    writeString(out, std::string("KOVA3D"));
    writeU32(out, static_cast<std::uint32_t>(major * 1000 + 100));
    writeU32(out, 0xFFFFFF);
    if (major >= 2) writeU32(out, 1), writeU32(out, 2);
    writeI32(out, 1), writeI32(out, 1), writeI32(out, 0), writeF64(out, 1.0), writeI32(out, 0);
    if (major >= 5) writeF64(out, 3.0);
    for (int i = 0; i < 5; ++i) writeI32(out, i == 1 ? 2 : 0);
    for (float f : {0.0f, 0.0f, -15.0f, -60.0f, 0.0f, -135.0f}) writeF32(out, f);
    const std::vector<std::uint8_t> font(64, 0);
    const int fonts = major >= 3 ? 3 : 1;
    for (int i = 0; i < fonts; ++i) out.write(font.data(), font.size());
    const int styles = major >= 4 ? 18 : (major >= 3 ? 14 : 0);
    for (int i = 0; i < styles; ++i)
        writeI32(out, 0), writeI32(out, 1), writeI32(out, 1), writeI32(out, 0), writeU32(out, 7);
    writeU32(out, count);
    out.write(elementRecords.data(), elementRecords.size());
    if (major >= 3) writeU32(out, 0), writeU32(out, 0);
    return out.bytes();
}

// A free point's record as a file of the given major writes it.
std::vector<std::uint8_t> freePointRecord(int major, const char* name) {
    MemoryOutputStream out;
    for (std::int32_t v : {10000, 0, 2, 0, 255, 0, 1}) writeI32(out, v);
    if (major >= 3) writeI32(out, 0);
    writeI32(out, 0);
    writeString(out, std::optional<std::string>(name));
    writeI32(out, 1);
    writeVec3(out, {1, 2, 3});
    return out.bytes();
}

TEST(DocumentFile, OlderMajorsTakeTheirDefaults) {
    DocumentDefaults defaults;
    defaults.styles[20] = KindStyle{0, 4, 0, 0, 0x998877};
    defaults.styles[1] = KindStyle{0, 3, 0, 0, 0x111111};
    defaults.numberColour = 0x424242;
    for (int major = 1; major <= 5; ++major) {
        const auto bytes = olderFile(major, freePointRecord(major, "P"), 1);
        MemoryInputStream in(bytes);
        Document doc;
        ASSERT_EQ(readDocumentBytes(in, defaults, doc), kReadOk) << major << ": " << in.failure();
        EXPECT_EQ(doc.view.hiddenColour, major >= 2 ? 1u : 0x00BEBEu) << major;
        EXPECT_EQ(doc.view.selectedColour, major >= 2 ? 2u : 0xFFAAAAu) << major;
        EXPECT_EQ(doc.unitScale, major >= 5 ? 3.0 : 1.0) << major;
        EXPECT_EQ(doc.styles[1].colour, major >= 3 ? 7u : 0x111111u) << major;
        EXPECT_EQ(doc.styles[20].colour, major >= 4 ? 7u : 0x998877u) << major;
        EXPECT_EQ(doc.numberColour, major >= 3 ? 0u : 0x424242u) << major;
        ASSERT_EQ(doc.construction().count(), 1);
        EXPECT_EQ(positionOf(doc.construction().at(0)), (Vec3{1, 2, 3}));
        EXPECT_EQ(doc.construction().at(0)->macroIntermediate, 0);
        EXPECT_TRUE(doc.macros.empty());
    }
}

TEST(DocumentFile, NamesAreStoredWithTheirTerminator) {
    Document doc;
    addPoint(doc.construction(), {})->setName("A");
    addPoint(doc.construction(), {});
    const auto bytes = bytesOf(doc);
    // Records start after the 659 header bytes and the element count.
    const std::size_t first = 659 + 4;
    EXPECT_EQ(bytes[first + 36], 2);
    EXPECT_EQ(bytes[first + 40], 'A');
    EXPECT_EQ(bytes[first + 41], 0);
    const std::size_t second = first + 42 + 4 + 24;
    EXPECT_EQ(bytes[second] | bytes[second + 1] << 8, 10000);
    EXPECT_EQ(bytes[second + 36] | bytes[second + 37] | bytes[second + 38] | bytes[second + 39], 0);
}

TEST(DocumentFile, SavingRestartsTheHistoryAndNeverLeavesAHalfFile) {
    const auto dir = scratchDir();
    const std::string path = (dir / "work.g3d").string();
    Document doc;
    buildSampleConstruction(doc);
    doc.startHistory();
    doc.construction().at(0)->selected = 1;
    doc.record(kRecordConstruction);
    doc.view.spinZ = 3;
    doc.record(kRecordView);
    ASSERT_TRUE(doc.canUndo());
    ASSERT_EQ(writeDocument(doc, path, false), 1);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(doc.history().size(), 1);
    EXPECT_FALSE(doc.modified);

    Document back;
    std::string reason;
    ASSERT_EQ(readDocument(path, DocumentDefaults{}, back, &reason), kReadOk) << reason;
    EXPECT_EQ(back.construction().count(), doc.construction().count());

    // Saving where the file cannot be replaced (a folder stands there) fails
    // and leaves nothing behind.
    const auto blocked = dir / "folder.g3d";
    std::filesystem::create_directories(blocked / "inside");
    EXPECT_EQ(writeDocument(doc, blocked.string(), false), 0);
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1) << "no temporary file is left";
    EXPECT_EQ(writeDocument(doc, (dir / "missing" / "x.g3d").string(), false), 0);

    Document untouched;
    addPoint(untouched.construction(), {});
    EXPECT_EQ(readDocument((dir / "nothing.g3d").string(), DocumentDefaults{}, untouched, &reason),
              kReadCannotOpen);
    EXPECT_EQ(untouched.construction().count(), 1);
    std::filesystem::remove_all(dir);
}

TEST(DocumentFile, DamagedFilesAreRefusedWholeWithAReason) {
    Document doc;
    buildSampleConstruction(doc);
    const auto good = bytesOf(doc);
    const std::size_t firstRecord = 659 + 4;

    const auto refused = [&](std::vector<std::uint8_t> bytes, const char* what) {
        Document back;
        addPoint(back.construction(), {});
        std::string reason;
        EXPECT_EQ(readBytes(bytes, back, &reason), kReadNotConstructionFile) << what;
        EXPECT_FALSE(reason.empty()) << what;
        EXPECT_EQ(back.construction().count(), 1) << what << ": the caller's document is untouched";
    };

    // Every truncation.
    for (std::size_t cut = 0; cut + 1 < good.size(); cut += 7)
        refused(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)), "truncated");

    auto unknown = good;
    putU32(unknown, firstRecord, 12345);
    refused(unknown, "unknown type code");

    auto hugeCount = good;
    putU32(hugeCount, 659, 0x7FFFFFFF);
    refused(hugeCount, "element count");

    // The midpoint (third record) made a midpoint of itself, then of a later element.
    Document chain;
    Construction& c = chain.construction();
    Point* a = addPoint(c, {});
    Point* b = addPoint(c, {1, 0, 0});
    addOn(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, KindStyle{}), {a, b});
    auto chainBytes = bytesOf(chain);
    const std::size_t midKeys = firstRecord + 2 * (42 + 4 + 24 - 2) + 44;  // after two unnamed points
    ASSERT_EQ(chainBytes[midKeys - 44] | chainBytes[midKeys - 43] << 8, 10070);
    auto self = chainBytes;
    putU32(self, midKeys, 2);
    refused(self, "parent is the element itself");
    auto negative = chainBytes;
    putU32(negative, midKeys + 4, 0xFFFFFFFF);
    refused(negative, "negative parent key");

    // A midpoint whose parent is a segment.
    Document wrongKind;
    Construction& w = wrongKind.construction();
    Point* p = addPoint(w, {});
    Point* q = addPoint(w, {1, 0, 0});
    auto* seg = addOn(w, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{}), {p, q});
    // Only a damaged file holds such an element: the checked builders refuse it.
    auto onSegment = std::make_unique<Point>(TypeCode::MidpointTwoPoints, KindStyle{});
    onSegment->parents = {p, seg};
    w.append(std::move(onSegment));
    refused(bytesOf(wrongKind), "parent of the wrong kind");

    // A cube missing its last face.
    Document broken;
    buildSampleConstruction(broken);
    broken.construction().deleteElement(broken.construction().last(), false);
    broken.construction().animationRemove(broken.construction().at(1));
    refused(bytesOf(broken), "group without all its generated elements");

    // A free point whose coordinate is not finite.
    Document plain;
    addPoint(plain.construction(), {});
    auto nan = bytesOf(plain);
    const double bad = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(&nan[firstRecord + 44], &bad, 8);
    refused(nan, "NaN coordinate");

    // Too many animation entries.
    auto animation = bytesOf(plain);
    putU32(animation, animation.size() - 8, 100);
    refused(animation, "100 animation entries");
    auto animationKey = bytesOf(plain);
    putU32(animationKey, animationKey.size() - 8, 1);
    animationKey.insert(animationKey.end() - 4, {5, 0, 0, 0, 1, 0, 0, 0, 15, 0, 0, 0});
    refused(animationKey, "animation entry naming no element");

    auto macros = bytesOf(plain);
    putU32(macros, macros.size() - 4, 101);
    refused(macros, "101 macros");
}
