#pragma once

#include <string>
#include <string_view>
#include <vector>

// Whether two paths name the same file for the program's purposes: equal
// without regard to letter case (ASCII), as the document list and the recent
// files compare them.
bool samePathIgnoringCase(std::string_view a, std::string_view b);

// The recent documents of the File menu, most recent first.
class RecentFiles {
  public:
    static constexpr int kMaxEntries = 10;

    // Removes every entry equal to the path (ignoring case), drops the tenth
    // when ten remain, and puts the path in front.
    void add(const std::string& path);
    const std::vector<std::string>& entries() const { return entries_; }

  private:
    std::vector<std::string> entries_;
};
