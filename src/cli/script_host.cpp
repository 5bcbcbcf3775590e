#include "cli/script_host.h"

#include <algorithm>
#include <charconv>
#include <iterator>

void ScriptHost::message(int, MessageIcon) {
    ++messageCount_;
}

int ScriptHost::askRegularPolygonSides() {
    return takeNumber("the number of sides", 3, kMaxScriptPolygonSides);
}

int ScriptHost::askRegularPolyhedron() {
    const int code =
        takeNumber("a polyhedron's type code", kPolyhedronCodes[0], std::end(kPolyhedronCodes)[-1]);
    if (code == 0 || std::find(std::begin(kPolyhedronCodes), std::end(kPolyhedronCodes), code) !=
                         std::end(kPolyhedronCodes))
        return code;
    fault_ = "answer " + std::to_string(code) +
             " is not a polyhedron's type code (10700, 10705, 10710, 10715, 10720)";
    return 0;
}

std::string ScriptHost::takeFault() {
    std::string fault = std::move(fault_);
    fault_.clear();
    return fault;
}

int ScriptHost::takeNumber(const char* question, int low, int high) {
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
    if (error == std::errc() && stop == end && value >= low && value <= high) return value;
    fault_ = "answer '" + answer + "' does not fit the question for " + question + " (" +
             std::to_string(low) + " to " + std::to_string(high) + " or cancel)";
    return 0;
}
