#include "cli/script_host.h"

#include <charconv>

void ScriptHost::message(int, MessageIcon) {
    ++messageCount_;
}

int ScriptHost::askRegularPolygonSides() {
    return takeNumber("the number of sides");
}

int ScriptHost::askRegularPolyhedron() {
    return takeNumber("a polyhedron's type code");
}

std::string ScriptHost::takeFault() {
    std::string fault = std::move(fault_);
    fault_.clear();
    return fault;
}

int ScriptHost::takeNumber(const char* question) {
    if (answers_.empty()) {
        fault_ = std::string("the program asks for ") + question + " and no answer is queued";
        return 0;
    }
    const std::string answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer == "cancel") return 0;
    int value = 0;
    const char* end = answer.data() + answer.size();
    const auto [stop, error] = std::from_chars(answer.data(), end, value);
    if (error == std::errc() && stop == end) return value;
    fault_ = "answer '" + answer + "' does not fit the question for " + question + " (a number or cancel)";
    return 0;
}
