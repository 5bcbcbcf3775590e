// Feeds arbitrary bytes to the construction-file reader, the macro-file reader
// and the rich-text reader of text elements: none may crash, read out of
// bounds or allocate without bound. A document the reader accepts then goes
// through everything a user can do with a file they opened: it is recomputed,
// listed, dumped as JSON, drawn, picked along a few rays and written back.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "cli/document_json.h"
#include "expr/rich_text.h"
#include "io/document_file.h"
#include "io/macro_file.h"
#include "lang/composed_texts.h"
#include "lang/text_table.h"
#include "model/byte_stream.h"
#include "support/recording_canvas.h"
#include "view/hover.h"

namespace {

const TextTable& englishTexts() {
    static const TextTable texts = [] {
        TextTable t;
        t.load(std::string(KOVA_SOURCE_DIR) + "/Languages/English.lng");
        return t;
    }();
    return texts;
}

void useDocument(Document& document) {
    document.recompute();
    const TextTable& texts = englishTexts();
    const TextLookup describe = descriptionLookup(texts);
    const TextLookup text = [&](int id) { return texts.text(id); };
    for (const bool hidden : {false, true}) document.construction().listLines(describe, hidden);
    documentToJson(document, texts).dump(2);

    DrawSettings settings;
    settings.showHidden = true;
    settings.projection = document.view.projection;
    RecordingCanvas canvas;
    document.construction().drawAll(canvas, settings);

    // The hover rules of the construction tools: every kind, candidate points too.
    PickRules rules;
    rules.toolNumber = 1;
    rules.canMakePoints = true;
    rules.showHidden = true;
    const Viewport viewport{320, 240};
    for (const auto& [x, y] :
         {std::pair{160, 120}, std::pair{10, 10}, std::pair{300, 200}, std::pair{80, 180}}) {
        HoverState state;
        updateHover(state, document, viewport, x, y, rules, canvas.texts);
        hoverText(state, text);
    }

    MemoryOutputStream out;
    writeDocumentBytes(document, false, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    {
        MemoryInputStream in(bytes);
        Document document;
        if (readDocumentBytes(in, DocumentDefaults{}, document) == kReadOk) useDocument(document);
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
