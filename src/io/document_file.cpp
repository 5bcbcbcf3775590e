#include "io/document_file.h"

#include "io/document_defaults.h"

#include <cstring>

#include "io/construction_io.h"
#include "io/file_bytes.h"
#include "io/macro_file.h"
#include "model/byte_stream.h"

namespace {

// The identification string is 7 bytes in every file; anything much longer is not ours.
constexpr std::uint32_t kMaxIdentificationLength = 64;

bool writeStyle(OutputStream& out, const KindStyle& s) {
    return writeI32(out, s.reserved0) && writeI32(out, s.size) && writeI32(out, s.shape) &&
           writeI32(out, s.reserved1) && writeU32(out, s.colour);
}

bool readStyle(InputStream& in, KindStyle& s) {
    return readI32(in, s.reserved0) && readI32(in, s.size) && readI32(in, s.shape) &&
           readI32(in, s.reserved1) && readU32(in, s.colour);
}

bool writeHeader(OutputStream& out, const Document& d, bool viewerMode) {
    const ViewState& v = d.view;
    return writeU32(out, v.backgroundColour) && writeU32(out, v.hiddenColour) &&
           writeU32(out, v.selectedColour) && writeI32(out, v.antialiasing) && writeI32(out, v.showAxes) &&
           writeI32(out, v.arrowAxes) && writeF64(out, v.axisLength) && writeI32(out, d.angleUnit) &&
           writeF64(out, d.unitScale) && writeI32(out, v.autoRotate) && writeI32(out, v.rotationSpeed) &&
           writeI32(out, v.rotationReverse) && writeI32(out, v.projection) &&
           writeI32(out, viewerMode ? 1 : 0) && writeF32(out, v.panX) && writeF32(out, v.panY) &&
           writeF32(out, v.viewDistance) && writeF32(out, v.tiltX) && writeF32(out, v.tiltY) &&
           writeF32(out, v.spinZ);
}

bool readHeader(InputStream& in, int major, Document& d) {
    ViewState& v = d.view;
    bool ok = readU32(in, v.backgroundColour);
    v.hiddenColour = 0x00BEBE;
    v.selectedColour = 0xFFAAAA;
    if (major >= 2) ok = ok && readU32(in, v.hiddenColour) && readU32(in, v.selectedColour);
    std::int32_t angleUnit = 0;
    ok = ok && readI32(in, v.antialiasing) && readI32(in, v.showAxes) && readI32(in, v.arrowAxes) &&
         readF64(in, v.axisLength) && readI32(in, angleUnit);
    d.unitScale = 1.0;
    if (major >= 5) ok = ok && readF64(in, d.unitScale);
    std::int32_t viewerMode = 0;
    ok = ok && readI32(in, v.autoRotate) && readI32(in, v.rotationSpeed) && readI32(in, v.rotationReverse) &&
         readI32(in, v.projection) && readI32(in, viewerMode) && readF32(in, v.panX) && readF32(in, v.panY) &&
         readF32(in, v.viewDistance) && readF32(in, v.tiltX) && readF32(in, v.tiltY) && readF32(in, v.spinZ);
    if (!ok) return false;
    if (angleUnit < 0 || angleUnit > 2) {
        in.fail("unknown angle unit");
        return false;
    }
    d.angleUnit = angleUnit;
    // The length factor is never below 0.01.
    if (d.unitScale < 0.01) d.unitScale = 0.01;
    d.viewerMode = viewerMode != 0;
    return true;
}

}  // namespace

bool writeFileStart(OutputStream& out, std::uint32_t magic) {
    return writeU32(out, magic) && writeString(out, std::string(kIdentification)) &&
           writeU32(out, kProgramVersion);
}

int readFileStart(InputStream& in, std::uint32_t expectedMagic, std::uint32_t& version) {
    std::uint32_t magic = 0;
    if (!readU32(in, magic) || magic != expectedMagic) {
        in.fail("the file does not start like a file of this program");
        return kReadNotConstructionFile;
    }
    std::optional<std::string> identification;
    if (!readString(in, identification, kMaxIdentificationLength) || !identification ||
        *identification != kIdentification) {
        in.fail("the file's identification is wrong");
        return kReadNotConstructionFile;
    }
    if (!readU32(in, version)) return kReadNotConstructionFile;
    const std::uint32_t major = version / 1000;
    if (major > static_cast<std::uint32_t>(kProgramMajor)) {
        in.fail("the file comes from a newer version of the program");
        return kReadNewerVersion;
    }
    if (major < 1) {
        in.fail("the file's version is not one this program ever wrote");
        return kReadNotConstructionFile;
    }
    return kReadOk;
}

int writeDocumentBytes(Document& document, bool viewerMode, OutputStream& out) {
    bool ok = writeFileStart(out, kDocumentMagic) && writeHeader(out, document, viewerMode) &&
              writeFontRecord(out, document.labelFont, document.labelColour) &&
              writeFontRecord(out, document.textFont, document.textColour) &&
              writeFontRecord(out, document.numberFont, document.numberColour);
    for (int kind : kStyleRecordKinds)
        ok = ok && writeStyle(out, document.styles[static_cast<std::size_t>(kind)]);
    ok = ok && writeConstruction(document.construction(), out, true, true) == 1;
    ok = ok && writeU32(out, static_cast<std::uint32_t>(document.macros.size()));
    for (const Macro& m : document.macros) ok = ok && writeMacroRecord(m, out) == 1;
    return ok ? 1 : 0;
}

int readDocumentBytes(InputStream& in, const DocumentDefaults& defaults, Document& document) {
    std::uint32_t version = 0;
    const int start = readFileStart(in, kDocumentMagic, version);
    if (start != kReadOk) return start;
    const int major = static_cast<int>(version / 1000);
    const int fileVersion = static_cast<int>(version);

    Document result;
    applyDocumentDefaults(defaults, result);
    bool ok = readHeader(in, major, result) && readFontRecord(in, result.labelFont, result.labelColour);
    if (major >= 3)
        ok = ok && readFontRecord(in, result.textFont, result.textColour) &&
             readFontRecord(in, result.numberFont, result.numberColour);
    for (std::size_t i = 0; ok && i < kStyleRecordKinds.size(); ++i) {
        if ((i < 14 && major < 3) || (i >= 14 && major < 4)) continue;
        ok = readStyle(in, result.styles[static_cast<std::size_t>(kStyleRecordKinds[i])]);
    }
    ok = ok && readConstruction(in, fileVersion, major >= 3, {}, result.construction()) == 1;
    if (ok && major >= 3) {
        std::uint32_t macroCount = 0;
        ok = readU32(in, macroCount);
        if (ok && macroCount > static_cast<std::uint32_t>(kMaxMacros)) {
            in.fail("more than 100 macros");
            ok = false;
        }
        for (std::uint32_t i = 0; ok && i < macroCount; ++i) {
            Macro macro;
            ok = readMacroRecord(in, fileVersion, macro) == 1;
            if (ok) result.macros.push_back(std::move(macro));
        }
    }
    if (!ok || in.failed()) {
        if (!in.failed()) in.fail("the file is damaged");
        return kReadNotConstructionFile;
    }
    result.fileVersion = fileVersion;
    document = std::move(result);
    return kReadOk;
}

int writeDocument(Document& document, const std::string& path, bool viewerMode) {
    MemoryOutputStream out;
    if (writeDocumentBytes(document, viewerMode, out) != 1) return 0;
    if (!writeFileAtomically(path, out.bytes())) return 0;
    document.restartHistory();
    return 1;
}

int readDocument(const std::string& path, const DocumentDefaults& defaults, Document& document,
                 std::string* reason) {
    std::vector<std::uint8_t> bytes;
    std::string why;
    if (!readFileBytes(path, bytes, why)) {
        if (reason) *reason = why;
        return kReadCannotOpen;
    }
    MemoryInputStream in(bytes);
    const int result = readDocumentBytes(in, defaults, document);
    if (result != kReadOk && reason) *reason = in.failure();
    return result;
}
