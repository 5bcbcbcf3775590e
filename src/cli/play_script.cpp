#include "cli/play_script.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "interaction/tool_table.h"

namespace {

constexpr int kDragStep = 4;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Blank-separated words; a double-quoted stretch belongs to its word, blanks
// and all, without its quotes.
bool splitWords(std::string_view line, std::vector<std::string>& words, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        std::string word;
        while (i < line.size() && !isBlank(line[i])) {
            if (line[i] != '"') {
                word += line[i++];
                continue;
            }
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) {
                error = "a quote is not closed";
                return false;
            }
            word.append(line.substr(i + 1, close - i - 1));
            i = close + 1;
        }
        words.push_back(std::move(word));
    }
    return true;
}

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

bool parseDouble(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

bool parsePixel(const std::string& text, int& value) {
    return parseInt(text, value) && std::abs(value) <= kMaxScriptPixel;
}

// "x,y,z": three finite numbers.
bool parseModelPoint(const std::string& text, Vec3& point) {
    const std::size_t first = text.find(',');
    const std::size_t second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos || text.find(',', second + 1) != std::string::npos) return false;
    const std::string_view s(text);
    return parseDouble(s.substr(0, first), point.x) &&
           parseDouble(s.substr(first + 1, second - first - 1), point.y) &&
           parseDouble(s.substr(second + 1), point.z);
}

// One position from words[i] on; i moves past it.
bool takePosition(const std::vector<std::string>& words, std::size_t& i, ScriptPosition& position,
                  std::string& error) {
    if (i >= words.size()) {
        error = "a position is missing";
        return false;
    }
    const std::string& word = words[i];
    if (word[0] == '@') {
        position.form = ScriptPosition::Form::Named;
        position.name = word.substr(1);
        ++i;
        if (!position.name.empty()) return true;
        error = "'@' needs a name";
        return false;
    }
    if (word.find(',') != std::string::npos) {
        position.form = ScriptPosition::Form::Model;
        ++i;
        if (parseModelPoint(word, position.point)) return true;
        error = "'" + word + "' is not a model point x,y,z";
        return false;
    }
    position.form = ScriptPosition::Form::Pixels;
    if (i + 1 >= words.size() || !parsePixel(word, position.x) || !parsePixel(words[i + 1], position.y)) {
        error = "a position is X Y (whole pixels), @NAME or x,y,z";
        return false;
    }
    i += 2;
    return true;
}

// The trailing shift and ctrl, each at most once, and nothing else.
bool takeKeys(const std::vector<std::string>& words, std::size_t i, SessionKeys& keys, std::string& error) {
    for (; i < words.size(); ++i) {
        bool& held = words[i] == "shift" ? keys.shift : keys.ctrl;
        if ((words[i] != "shift" && words[i] != "ctrl") || held) {
            error = "unexpected '" + words[i] + "'";
            return false;
        }
        held = true;
    }
    return true;
}

constexpr std::pair<const char*, SessionKey> kKeyNames[] = {
    {"left", SessionKey::Left},     {"right", SessionKey::Right},   {"up", SessionKey::Up},
    {"down", SessionKey::Down},     {"plus", SessionKey::Plus},     {"minus", SessionKey::Minus},
    {"delete", SessionKey::Delete}, {"escape", SessionKey::Escape},
};

struct VerbForm {
    const char* word;
    ScriptVerb verb;
    int positions;  // positions after the verb; -1: one plain argument
};

constexpr VerbForm kVerbs[] = {
    {"tool", ScriptVerb::Tool, -1},         {"command", ScriptVerb::Command, -1},
    {"move", ScriptVerb::Move, 1},          {"click", ScriptVerb::Click, 1},
    {"drag", ScriptVerb::Drag, 2},          {"rclick", ScriptVerb::RightClick, 1},
    {"dclick", ScriptVerb::DoubleClick, 1}, {"key", ScriptVerb::Key, -1},
    {"answer", ScriptVerb::Answer, -1},     {"print", ScriptVerb::PrintStatus, -1},
    {"save", ScriptVerb::Save, -1},         {"open", ScriptVerb::Open, -1},
    {"press", ScriptVerb::Press, -1},       {"slider", ScriptVerb::Slider, -1},
    {"animate", ScriptVerb::Animate, 1},    {"tick", ScriptVerb::Tick, -1},
    {"select", ScriptVerb::Select, -1},
};

// The verbs of one plain argument: the argument is words[1].
bool parseArgument(const std::vector<std::string>& words, ScriptCommand& command, std::string& error) {
    const std::string& verb = words[0];
    const std::string& argument = words[1];
    switch (command.verb) {
        case ScriptVerb::Tool:
            if (parseInt(argument, command.number) && command.number >= 0 &&
                command.number <= kLastToolNumber)
                return true;
            error = "'" + argument + "' is not a tool number (0 to 52)";
            return false;
        case ScriptVerb::Command:
            if (parseInt(argument, command.number) && command.number > 0) return true;
            error = "'" + argument + "' is not a command id";
            return false;
        case ScriptVerb::Key: {
            const auto found = std::find_if(std::begin(kKeyNames), std::end(kKeyNames),
                                            [&](const auto& k) { return argument == k.first; });
            if (found != std::end(kKeyNames)) {
                command.key = found->second;
                return takeKeys(words, 2, command.keys, error);
            }
            error = "unknown key '" + argument + "'";
            return false;
        }
        case ScriptVerb::PrintStatus:
            if (argument == "field" && words.size() == 3) {
                command.verb = ScriptVerb::PrintField;
                command.field = words[2];
                return true;
            }
            if (argument == "selection") command.verb = ScriptVerb::PrintSelection;
            if (argument == "title") command.verb = ScriptVerb::PrintTitle;
            if (argument == "list") command.verb = ScriptVerb::PrintList;
            if (argument == "status" || argument == "selection" || argument == "title" || argument == "list")
                break;
            error = "print what: status, selection, list, title or field NAME";
            return false;
        case ScriptVerb::Open: {
            // The dialog's kind, then the position it is opened at, if any.
            command.text = argument;
            if (words.size() == 2) return true;
            std::size_t i = 2;
            command.positions.resize(1);
            if (!takePosition(words, i, command.positions[0], error)) return false;
            if (i == words.size()) return true;
            error = "unexpected '" + words[i] + "'";
            return false;
        }
        case ScriptVerb::Tick:
            if (parseInt(argument, command.number) && command.number >= 0 && command.number <= kMaxScriptTick)
                break;
            error = "'" + argument + "' is not a time in milliseconds (0 to " +
                    std::to_string(kMaxScriptTick) + ")";
            return false;
        case ScriptVerb::Select:
            if (parseInt(argument, command.number) && command.number >= 0) break;
            error = "'" + argument + "' is not a row of a list (0 or more)";
            return false;
        case ScriptVerb::Slider:
            if (parseInt(argument, command.number)) break;
            error = "'" + argument + "' is not a slider position";
            return false;
        default:  // answer, save
            if (argument.empty()) {
                error = verb + " needs a value";
                return false;
            }
            command.text = argument;
            break;
    }
    if (words.size() == 2) return true;
    error = "unexpected '" + words[2] + "'";
    return false;
}

}  // namespace

bool isScriptComment(std::string_view line) {
    const auto first = std::find_if_not(line.begin(), line.end(), isBlank);
    return first == line.end() || *first == '#';
}

bool parseScriptLine(std::string_view line, ScriptCommand& command, std::string& error) {
    command = ScriptCommand{};
    // set FIELD TEXT: the text is the rest of the line as it stands, blanks
    // and quotes included, after the one blank that ends the field's name.
    const std::size_t start =
        static_cast<std::size_t>(std::find_if_not(line.begin(), line.end(), isBlank) - line.begin());
    std::string_view rest = line.substr(start);
    if (rest.substr(0, 4) == "set " || rest.substr(0, 4) == "set\t" || rest == "set") {
        rest.remove_prefix(std::min<std::size_t>(rest.size(), 4));
        while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
        const std::size_t end =
            static_cast<std::size_t>(std::find_if(rest.begin(), rest.end(), isBlank) - rest.begin());
        if (end == 0) {
            error = "set needs a field";
            return false;
        }
        command.verb = ScriptVerb::Set;
        command.field = std::string(rest.substr(0, end));
        std::string_view text = rest.substr(end);
        if (!text.empty()) text.remove_prefix(1);
        while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        command.text = std::string(text);
        return true;
    }
    std::vector<std::string> words;
    if (!splitWords(line, words, error)) return false;
    if (words.empty()) {
        error = "empty command";
        return false;
    }
    const auto form = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                   [&](const VerbForm& v) { return words[0] == v.word; });
    if (form == std::end(kVerbs)) {
        error = "unknown command '" + words[0] + "'";
        return false;
    }
    command.verb = form->verb;
    if (form->positions < 0) {
        if (words.size() >= 2) return parseArgument(words, command, error);
        error = words[0] + " needs a value";
        return false;
    }
    std::size_t i = 1;
    command.positions.resize(static_cast<std::size_t>(form->positions));
    for (ScriptPosition& position : command.positions)
        if (!takePosition(words, i, position, error)) return false;
    return takeKeys(words, i, command.keys, error);
}

std::vector<std::pair<int, int>> dragSteps(int x0, int y0, int x1, int y1) {
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    const long long longest = std::max(std::llabs(dx), std::llabs(dy));
    const long long count = (longest + kDragStep - 1) / kDragStep;
    std::vector<std::pair<int, int>> steps;
    steps.reserve(static_cast<std::size_t>(count));
    for (long long i = 1; i <= count; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(count);
        steps.emplace_back(x0 + static_cast<int>(std::lround(static_cast<double>(dx) * t)),
                           y0 + static_cast<int>(std::lround(static_cast<double>(dy) * t)));
    }
    return steps;
}
