#include "app/file_filters.h"

std::string fileDialogFilter(std::string_view text, std::string_view pattern) {
    const std::string tail = "(" + std::string(pattern) + ")";
    std::string filter(text);
    if (filter.size() >= tail.size() && filter.compare(filter.size() - tail.size(), tail.size(), tail) == 0)
        return filter;
    if (!filter.empty()) filter += ' ';
    return filter + tail;
}
