#include "interaction/text_dialog.h"

#include <algorithm>
#include <cstdint>

#include "expr/text_element.h"
#include "interaction/view_session.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"

namespace {

// Space kept around the text inside its rectangle, and the smallest rectangle.
constexpr int kTextMargin = 4;
constexpr int kMinTextWidth = 24;
constexpr int kMinTextHeight = 16;
constexpr int kPointsPerInch = 72;
constexpr int kMaxTextSide = 4000;

// The font record of a run: its face name, height in pixels at the screen's
// resolution, weight and italic flag.
FontRecord runFont(const RichTextRun& run, int pixelsPerInch) {
    FontRecord font;
    const std::int32_t height = -std::max(1, run.halfPoints * pixelsPerInch / (2 * kPointsPerInch));
    const auto word = [&font](std::size_t at, std::int32_t value) {
        for (std::size_t i = 0; i < 4; ++i) font.bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    word(0, height);
    word(16, run.bold ? 700 : 400);
    font.bytes[20] = run.italic ? 1 : 0;
    font.bytes[21] = run.underline != UnderlineStyle::None ? 1 : 0;
    const Windows1252Text face = utf8ToWindows1252(run.font);
    if (face.ok())
        std::copy_n(face.bytes.begin(), std::min<std::size_t>(face.bytes.size(), 31),
                    font.bytes.begin() + 28);
    return font;
}

bool showsNothing(const std::string& rtf) {
    const std::string plain = readRichText(rtf).plainText();
    return std::all_of(plain.begin(), plain.end(),
                       [](char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; });
}

}  // namespace

ScreenBox fittedTextBox(ScreenPoint at, const RichText& text, const ScreenTextContext& screenTexts) {
    const int ppi = screenTexts.pixelsPerInch > 0 ? screenTexts.pixelsPerInch : kDefaultScreenPixelsPerInch;
    int width = 0;
    int height = 0;
    for (const RichTextParagraph& paragraph : text.paragraphs) {
        int lineWidth = 0;
        int lineHeight = 0;
        const auto endLine = [&] {
            width = std::max(width, lineWidth);
            height += lineHeight > 0 ? lineHeight : screenTexts.measureText(" ", runFont({}, ppi)).height;
            lineWidth = lineHeight = 0;
        };
        for (const RichTextRun& run : paragraph.runs) {
            const FontRecord font = runFont(run, ppi);
            std::size_t start = 0;
            while (start <= run.text.size()) {
                const std::size_t end = std::min(run.text.find('\n', start), run.text.size());
                const TextExtent extent =
                    screenTexts.measureText(std::string_view(run.text).substr(start, end - start), font);
                lineWidth += extent.width;
                lineHeight = std::max(lineHeight, extent.height);
                if (end >= run.text.size()) break;
                endLine();
                start = end + 1;
            }
        }
        endLine();
    }
    width = std::clamp(width + 2 * kTextMargin, kMinTextWidth, kMaxTextSide);
    height = std::clamp(height + 2 * kTextMargin, kMinTextHeight, kMaxTextSide);
    return {at, {at.x + width, at.y + height}};
}

TextDialog::TextDialog(ViewSession& session, int x, int y, int editedIndex) : session_(session), at_{x, y} {
    const Element* edited = session.document().construction().at(editedIndex);
    if (edited == nullptr || edited->kind() != ElementKind::Text) return;
    editedIndex_ = editedIndex;
    const auto& text = static_cast<const Text&>(*edited);
    rtf_ = text.richText;
    at_ = text.rectangle.topLeft;
}

std::string TextDialog::title() const {
    return session_.host_.text(textid::kToolText);
}

bool TextDialog::field(std::string_view name, std::string& text) const {
    if (name != "rtf") return false;
    text = windows1252ToUtf8(rtf_);
    return true;
}

bool TextDialog::setField(std::string_view name, std::string_view text, std::string& error) {
    if (closed_) {
        error = "the text dialog is closed";
        return false;
    }
    if (name != "rtf") {
        error = "the text dialog has no field '" + std::string(name) + "'";
        return false;
    }
    const Windows1252Text stored = utf8ToWindows1252(text);
    if (!stored.ok()) {
        error = "the text holds a character that cannot be stored";
        return false;
    }
    rtf_ = stored.bytes;
    return true;
}

bool TextDialog::press(std::string_view button, std::string& error) {
    if (closed_) {
        error = "the text dialog is closed";
        return false;
    }
    if (button == "ok") {
        confirm();
    } else if (button != "cancel") {
        error = "the text dialog has no button '" + std::string(button) + "'";
        return false;
    }
    closed_ = true;
    session_.redraw_ = true;
    return true;
}

void TextDialog::confirm() {
    Document& document = session_.document();
    const ScreenTextContext& screenTexts = session_.screenTexts();
    const int ppi = screenTexts.pixelsPerInch > 0 ? screenTexts.pixelsPerInch : kDefaultScreenPixelsPerInch;
    const ScreenBox box = fittedTextBox(at_, readRichText(rtf_), screenTexts);
    if (editing()) {
        const auto* edited = static_cast<const Text*>(document.construction().at(editedIndex_));
        if (edited == nullptr || edited->kind() != ElementKind::Text || edited->richText == rtf_) return;
        std::unique_ptr<Construction> copy = document.construction().copy();
        auto& text = static_cast<Text&>(*copy->at(editedIndex_));
        text.richText = rtf_;
        text.resolution = ppi;
        text.rectangle = box;
        document.commit(std::move(copy));
        session_.constructionReplaced();
        return;
    }
    if (showsNothing(rtf_)) return;
    ElementPtr made = session_.makeToolElement(TypeCode::Text, {});
    if (!made) return;
    auto& text = static_cast<Text&>(*made);
    text.richText = rtf_;
    text.resolution = ppi;
    text.rectangle = box;
    std::vector<ElementPtr> list;
    list.push_back(std::move(made));
    session_.commitAll(std::move(list));
}
