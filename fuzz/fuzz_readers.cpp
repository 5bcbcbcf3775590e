// Feeds arbitrary bytes to the construction-file reader, the macro-file reader
// and the rich-text reader of text elements: none may crash, read out of
// bounds or allocate without bound.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "expr/rich_text.h"

#include "io/document_file.h"
#include "io/macro_file.h"
#include "model/byte_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    {
        MemoryInputStream in(bytes);
        Document document;
        if (readDocumentBytes(in, DocumentDefaults{}, document) == kReadOk) {
            // What was accepted must also recompute and write back.
            document.recompute();
            MemoryOutputStream out;
            writeDocumentBytes(document, false, out);
        }
    }
    {
        MemoryInputStream in(bytes);
        std::uint32_t version = 0;
        Macro macro;
        if (readFileStart(in, kMacroFileMagic, version) == kReadOk)
            readMacroRecord(in, static_cast<int>(version), macro);
    }
    {
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        readRichText(text);
        readRichText("{\\rtf1 " + std::string(text));
    }
    return 0;
}
