#include "io/macro_file.h"

#include <vector>

#include "io/construction_io.h"
#include "io/document_file.h"
#include "io/file_bytes.h"
#include "model/byte_stream.h"

namespace {

// Names and descriptions are the user's own texts; nothing sensible is this long.
constexpr std::uint32_t kMaxMacroTextLength = 1u << 20;

}  // namespace

int writeMacroRecord(const Macro& macro, OutputStream& out) {
    bool ok = writeU32(out, static_cast<std::uint32_t>(macro.initialKinds.size()));
    for (ElementKind k : macro.initialKinds) ok = ok && writeI32(out, static_cast<std::int32_t>(k));
    ok = ok && writeString(out, macro.name) && writeString(out, macro.description);
    return ok && writeConstruction(*macro.construction, out, false, false) == 1 ? 1 : 0;
}

int readMacroRecord(InputStream& in, int fileVersion, Macro& macro) {
    std::uint32_t count = 0;
    if (!readU32(in, count)) return 0;
    if (count > in.remaining() / 4) {
        in.fail("a macro's number of initial elements is larger than the file can hold");
        return 0;
    }
    Macro result;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t kind = 0;
        if (!readI32(in, kind)) return 0;
        if (kind < 1 || kind > kKindCount) {
            in.fail("a macro starts from an element of unknown kind");
            return 0;
        }
        result.initialKinds.push_back(static_cast<ElementKind>(kind));
    }
    std::optional<std::string> name, description;
    if (!readString(in, name, kMaxMacroTextLength) || !readString(in, description, kMaxMacroTextLength))
        return 0;
    result.name = name.value_or("");
    result.description = description.value_or("");
    if (readConstruction(in, fileVersion, false, result.initialKinds, *result.construction) != 1) return 0;
    macro = std::move(result);
    return 1;
}

int exportMacro(const Macro& macro, const std::string& path) {
    MemoryOutputStream out;
    if (!writeFileStart(out, kMacroFileMagic) || writeMacroRecord(macro, out) != 1) return 0;
    return writeFileAtomically(path, out.bytes()) ? 1 : 0;
}

int importMacro(const std::string& path, Macro& macro, std::string* reason) {
    std::vector<std::uint8_t> bytes;
    std::string why;
    if (!readFileBytes(path, bytes, why)) {
        if (reason) *reason = why;
        return 0;
    }
    MemoryInputStream in(bytes);
    std::uint32_t version = 0;
    const bool ok = readFileStart(in, kMacroFileMagic, version) == kReadOk &&
                    readMacroRecord(in, static_cast<int>(version), macro) == 1;
    if (!ok && reason) *reason = in.failure();
    return ok ? 1 : 0;
}
