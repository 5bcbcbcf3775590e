#include "lang/text_table.h"

#include <charconv>
#include <fstream>
#include <limits>
#include <optional>

#include "lang/text_encoding.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

struct RawEntry {
    int id = 0;
    std::string value;  // bytes as in the file
    bool cut = false;   // the line was longer than the limit
};

// Reads one line into `line`, keeping at most the limit and discarding the rest of it. Returns false
// at the end of the input.
bool readLine(std::istream& in, std::string& line, bool& cut) {
    line.clear();
    cut = false;
    if (!in.good()) return false;
    char buffer[TextTable::kMaxLineLength + 1];
    in.getline(buffer, sizeof buffer);
    const std::streamsize stored = in.gcount();
    if (stored == 0 && in.eof()) return false;
    if (in.fail() && !in.eof()) {
        // The line did not fit: keep what was read and skip to the end of the line.
        in.clear();
        line.assign(buffer, static_cast<std::size_t>(stored));
        cut = true;
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    } else {
        // gcount counts the newline that getline consumed.
        std::size_t length = static_cast<std::size_t>(stored);
        if (length > 0 && !in.eof()) --length;
        line.assign(buffer, length);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A NUL ends the text of a line, as it would in any C string the text is passed to.
    if (const auto nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    return true;
}

std::optional<RawEntry> parseLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    std::size_t end = start;
    while (end < line.size() && !isBlank(line[end])) ++end;
    const std::string_view key = line.substr(start, end - start);
    if (!key.empty() && key.front() == ';') return std::nullopt;

    std::size_t valueStart = equals + 1;
    while (valueStart < line.size() && isBlank(line[valueStart])) ++valueStart;
    return RawEntry{textIdOfKey(key), std::string(line.substr(valueStart)), false};
}

// `value` without an incomplete UTF-8 character at its end; unchanged when no such cut makes it valid
// (then it is not UTF-8 at all). Only the bytes of a cut line are trimmed, and never more than one
// character's worth.
std::string_view withoutPartialTail(std::string_view value) {
    for (std::size_t drop = 0; drop <= 3 && drop <= value.size(); ++drop) {
        const std::string_view candidate = value.substr(0, value.size() - drop);
        if (isValidUtf8(candidate)) return candidate;
    }
    return value;
}

}  // namespace

int textIdOfKey(std::string_view key) {
    if (key == "Language") return TextTable::kLanguageNameId;
    if (key == "Author") return TextTable::kAuthorId;
    std::size_t i = 0;
    if (i < key.size() && key[i] == '+') {  // from_chars takes '-' but not '+'
        ++i;
        if (i < key.size() && key[i] == '-') return 0;
    }
    int id = 0;
    const auto [ptr, ec] = std::from_chars(key.data() + i, key.data() + key.size(), id);
    (void)ptr;
    return ec == std::errc() ? id : 0;
}

void TextTable::read(std::istream& in, std::string fileName) {
    std::vector<RawEntry> entries;
    std::string line;
    bool cut = false;
    bool first = true;
    while (entries.size() < kSlotCount - 1 && readLine(in, line, cut)) {
        if (first && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);  // UTF-8 byte-order mark
        first = false;
        if (auto entry = parseLine(line)) {
            entry->cut = cut;
            entries.push_back(std::move(*entry));
        }
    }

    // One encoding for the whole file. A line cut at the limit may end inside a UTF-8 character;
    // that partial character is dropped rather than taken as a sign of Windows-1252.
    bool utf8 = true;
    for (const RawEntry& entry : entries) {
        if (!isValidUtf8(entry.cut ? withoutPartialTail(entry.value) : entry.value)) {
            utf8 = false;
            break;
        }
    }

    std::vector<Slot> slots;
    slots.reserve(entries.size() + 1);
    slots.push_back({0, std::move(fileName)});
    for (RawEntry& entry : entries) {
        if (!utf8) {
            slots.push_back({entry.id, windows1252ToUtf8(entry.value)});
            continue;
        }
        if (entry.cut) entry.value.resize(withoutPartialTail(entry.value).size());
        slots.push_back({entry.id, std::move(entry.value)});
    }
    slots_ = std::move(slots);
}

int TextTable::load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    read(in, path.filename().string());
    return 1;
}

const std::string& TextTable::text(int id) const {
    static const std::string kEmpty;
    for (const Slot& slot : slots_) {
        if (slot.id == id) return slot.text;
    }
    return kEmpty;
}
