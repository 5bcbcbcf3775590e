#include "app/recent_files.h"

#include <algorithm>

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool samePathIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

void RecentFiles::add(const std::string& path) {
    std::erase_if(entries_, [&](const std::string& e) { return samePathIgnoringCase(e, path); });
    if (entries_.size() >= static_cast<std::size_t>(kMaxEntries)) entries_.resize(kMaxEntries - 1);
    entries_.insert(entries_.begin(), path);
}
