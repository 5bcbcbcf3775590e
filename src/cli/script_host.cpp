#include "cli/script_host.h"

#include <charconv>

void ScriptHost::message(int, MessageIcon) {
    ++messageCount_;
}

int ScriptHost::askRegularPolygonSides() {
    return takeNumber("the number of sides");
}

TypeCode ScriptHost::askRegularPolyhedron() {
    // Any number is taken; the tool refuses one that names no solid.
    return static_cast<TypeCode>(takeNumber("a polyhedron's type code"));
}

std::string ScriptHost::takeFault() {
    std::string fault = std::move(fault_);
    fault_.clear();
    return fault;
}

std::optional<std::uint32_t> ScriptHost::askColour(std::uint32_t) {
    const std::optional<std::string> answer = takeAnswer("a colour");
    if (!answer || *answer == "cancel") return std::nullopt;
    const bool hex = answer->size() == 7 && (*answer)[0] == '#';
    const char* begin = answer->data() + (hex ? 1 : 0);
    const char* end = answer->data() + answer->size();
    std::uint32_t value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value, hex ? 16 : 10);
    if (error == std::errc() && stop == end && value <= 0xFFFFFF) {
        if (!hex) return value;
        // #RRGGBB names red first; the stored value holds red in the low byte.
        return ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16);
    }
    fault_ = "answer '" + *answer + "' does not fit the question for a colour (#RRGGBB, a number or cancel)";
    return std::nullopt;
}

std::optional<std::string> ScriptHost::takeAnswer(const char* question) {
    if (answers_.empty()) {
        fault_ = std::string("the program asks for ") + question + " and no answer is queued";
        return std::nullopt;
    }
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

int ScriptHost::takeNumber(const char* question) {
    const std::optional<std::string> answer = takeAnswer(question);
    if (!answer || *answer == "cancel") return 0;
    int value = 0;
    const char* end = answer->data() + answer->size();
    const auto [stop, error] = std::from_chars(answer->data(), end, value);
    if (error == std::errc() && stop == end) return value;
    fault_ = "answer '" + *answer + "' does not fit the question for " + question + " (a number or cancel)";
    return 0;
}

YesNoCancel ScriptHost::askYesNoCancel(int) {
    const std::optional<std::string> answer = takeAnswer("yes, no or cancel");
    if (!answer || *answer == "cancel") return YesNoCancel::Cancel;
    if (*answer == "yes") return YesNoCancel::Yes;
    if (*answer == "no") return YesNoCancel::No;
    fault_ = "answer '" + *answer + "' does not fit the question for yes, no or cancel";
    return YesNoCancel::Cancel;
}

std::optional<std::string> ScriptHost::askText(int) {
    return takeAnswer("a text");
}

std::optional<std::string> ScriptHost::takeFileName() {
    std::optional<std::string> answer = takeAnswer("a file name");
    if (answer && *answer == "cancel") return std::nullopt;
    return answer;
}
