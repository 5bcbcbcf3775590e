#include "io/macro_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "io/document_file.h"
#include "io_fixtures.h"
#include "model/byte_stream.h"

namespace {

// A macro built from two points of a construction: their midpoint (final) and
// the segment between them, an intermediate that the midpoint does not need
// is left out.
Macro midpointMacro(Document& doc) {
    Construction& c = doc.construction();
    Point* a = addPoint(c, {0, 0, 0});
    Point* b = addPoint(c, {2, 0, 0});
    Point* m = addOn(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, KindStyle{}), {a, b});
    addOn(c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{}), {a, b});
    doc.recompute();
    Element* initial[] = {a, b};
    Element* finals[] = {m};
    Macro macro = makeMacro(c, initial, finals, "Punto medio");
    macro.description = "of two points";
    return macro;
}

std::vector<std::uint8_t> macroFileBytes(const Macro& macro, std::uint32_t version) {
    MemoryOutputStream out;
    writeU32(out, kMacroFileMagic);
    writeString(out, std::string("KOVA3D"));
    writeU32(out, version);
    writeMacroRecord(macro, out);
    return out.bytes();
}

std::string writeScratch(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const auto path = std::filesystem::temp_directory_path() / name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path.string();
}

}  // namespace

TEST(MacroFile, ExportThenImportKeepsEverything) {
    Document doc;
    Macro macro = midpointMacro(doc);
    const auto path = (std::filesystem::temp_directory_path() / "kova-macro-roundtrip.m3d").string();
    ASSERT_EQ(exportMacro(macro, path), 1);
    Macro back;
    std::string reason;
    ASSERT_EQ(importMacro(path, back, &reason), 1) << reason;
    EXPECT_EQ(back.initialKinds, macro.initialKinds);
    EXPECT_EQ(back.name, "Punto medio");
    EXPECT_EQ(back.description, "of two points");
    ASSERT_EQ(back.construction->count(), 1);
    EXPECT_EQ(back.construction->at(0)->typeCode(), TypeCode::MidpointTwoPoints);
    EXPECT_EQ(back.construction->at(0)->parentKeys, (std::vector<std::int32_t>{0, 1}));

    // The imported macro works: applied to two other points it adds their midpoint.
    Construction& c = doc.construction();
    Point* p = addPoint(c, {10, 0, 0});
    Point* q = addPoint(c, {20, 4, 0});
    doc.recompute();
    doc.startHistory();
    Element* picked[] = {p, q};
    ASSERT_TRUE(applyMacro(doc, back, picked, {}, true));
    EXPECT_EQ(positionOf(doc.construction().last()), (Vec3{15, 2, 0}));
    std::filesystem::remove(path);
}

TEST(MacroFile, NewerOrDamagedFilesAddNothing) {
    Document doc;
    Macro macro = midpointMacro(doc);
    Macro target;
    target.name = "kept";
    std::string reason;

    EXPECT_EQ(importMacro(writeScratch("kova-newer.m3d", macroFileBytes(macro, 6001)), target, &reason), 0);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(target.name, "kept");
    EXPECT_EQ(importMacro(writeScratch("kova-ok.m3d", macroFileBytes(macro, 3100)), target), 1);

    auto wrongMagic = macroFileBytes(macro, 5002);
    wrongMagic[0] ^= 0xFF;
    Macro other;
    EXPECT_EQ(importMacro(writeScratch("kova-magic.m3d", wrongMagic), other), 0);

    // A macro element whose key names neither an initial nor an earlier own element.
    Macro hostile = copyMacro(macro);
    hostile.construction->at(0)->parentKeys = {0, 2};
    EXPECT_EQ(importMacro(writeScratch("kova-key.m3d", macroFileBytes(hostile, 5002)), other, &reason), 0);
    EXPECT_FALSE(reason.empty());
    // An initial element of a kind the midpoint cannot use.
    Macro wrongKind = copyMacro(macro);
    wrongKind.initialKinds[1] = ElementKind::Sphere;
    EXPECT_EQ(importMacro(writeScratch("kova-kind.m3d", macroFileBytes(wrongKind, 5002)), other), 0);

    const auto good = macroFileBytes(macro, 5002);
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        const std::vector<std::uint8_t> part(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_EQ(importMacro(writeScratch("kova-cut.m3d", part), other), 0) << cut;
    }
    EXPECT_EQ(importMacro("/nonexistent/kova.m3d", other, &reason), 0);
    for (const char* name :
         {"kova-newer.m3d", "kova-ok.m3d", "kova-magic.m3d", "kova-key.m3d", "kova-kind.m3d", "kova-cut.m3d"})
        std::filesystem::remove(std::filesystem::temp_directory_path() / name);
}

TEST(MacroFile, DocumentsCarryTheirMacros) {
    Document doc;
    Macro macro = midpointMacro(doc);
    ASSERT_TRUE(addMacro(doc, std::move(macro)));
    MemoryOutputStream out;
    ASSERT_EQ(writeDocumentBytes(doc, false, out), 1);
    MemoryInputStream in(out.bytes());
    Document back;
    ASSERT_EQ(readDocumentBytes(in, DocumentDefaults{}, back), kReadOk) << in.failure();
    ASSERT_EQ(back.macros.size(), 1u);
    EXPECT_EQ(back.macros[0].name, "Punto medio");
    EXPECT_EQ(back.macros[0].construction->count(), 1);
    MemoryOutputStream again;
    writeDocumentBytes(back, false, again);
    EXPECT_EQ(again.bytes(), out.bytes());
}
