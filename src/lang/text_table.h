#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// The texts of one language: up to 500 slots of (text id, text). Slot 0 holds id 0 and the name of the
// language file; slots 1 to 499 receive the file's entries in file order. Lookup returns the first slot
// with the id asked for, so an id defined twice keeps its first text.
class TextTable {
  public:
    static constexpr int kSlotCount = 500;
    // Longer lines are cut here; the rest of such a line is dropped, not read as a line of its own.
    static constexpr std::size_t kMaxLineLength = 260;
    static constexpr int kLanguageNameId = 1;
    static constexpr int kAuthorId = 2;

    struct Slot {
        int id = 0;
        std::string text;
    };

    // Replaces the table with the entries read from `in` (the bytes of a language file). Texts are
    // read as UTF-8 when every entry is valid UTF-8, otherwise as Windows-1252, and kept as UTF-8.
    void read(std::istream& in, std::string fileName);

    // Reads the language file at `path`; returns 1 on success, 0 when it cannot be opened, in which
    // case the table keeps its previous texts.
    int load(const std::filesystem::path& path);

    // The text of the first slot with `id`; an empty text when no slot has it.
    const std::string& text(int id) const;

    int slotCount() const { return static_cast<int>(slots_.size()); }
    const Slot& slot(int index) const { return slots_[static_cast<std::size_t>(index)]; }

  private:
    std::vector<Slot> slots_;
};

// The text id that a language file line's key gives: 1 for exactly "Language", 2 for exactly
// "Author", otherwise the signed decimal integer at the start of the key (0 when there is none or it
// does not fit in 32 bits).
int textIdOfKey(std::string_view key);
