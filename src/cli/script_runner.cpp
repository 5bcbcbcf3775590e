#include "cli/script_runner.h"

#include <cmath>
#include <cstdio>

#include "cli/cli_common.h"
#include "cli/dialog_openers.h"
#include "cli/headless_redraw.h"
#include "elements/point.h"
#include "expr/coordinates.h"
#include "expr/number_element.h"
#include "expr/text_element.h"
#include "interaction/step_display.h"
#include "interaction/tool_table.h"
#include "io/document_file.h"
#include "lang/text_encoding.h"

namespace {

constexpr int kAnimationTool = 49;

// Where a script's @NAME points at on a number, coordinates or text: just
// inside the top-left corner of its box.
constexpr int kBoxInset = 3;

// Stored names are 8-bit text; scripts are UTF-8.
bool nameMatches(const Element& element, const std::string& name) {
    if (!element.hasName()) return false;
    const std::string& stored = *element.name();
    return stored == name || windows1252ToUtf8(stored) == name;
}

bool toPixel(double value, int& pixel) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxScriptPixel) return false;
    pixel = static_cast<int>(std::lround(value));
    return true;
}

// Commands after which a dialog may be open.
bool mayOpenDialog(ScriptVerb verb) {
    switch (verb) {
        case ScriptVerb::Open:
        case ScriptVerb::Command:
        case ScriptVerb::Click:
        case ScriptVerb::RightClick:
        case ScriptVerb::DoubleClick:
            return true;
        default:
            return false;
    }
}

}  // namespace

ScriptRunner::ScriptRunner(Document& document, Viewport viewport, const char* argv0)
    : document_(document), argv0_(argv0), session_(document, host_, clipboard_) {
    session_.setViewport(viewport);
    host_.setTextLookup([this](int textId) { return loadTexts() ? texts_.text(textId) : std::string(); });
    headlessPaint(session_);  // as the window paints once it is shown
}

int ScriptRunner::run(const ScriptCommand& command, std::string& error) {
    int code = kExitOk;
    if (mayOpenDialog(command.verb)) loadTexts();
    switch (command.verb) {
        case ScriptVerb::Tool:
            if (toolRow(command.number) == nullptr) {
                error = "there is no tool " + std::to_string(command.number);
                return kExitUsage;
            }
            session_.setTool(command.number);
            paintIfDue();
            break;
        case ScriptVerb::Command:
            code = menuCommand(command.number, error);
            break;
        case ScriptVerb::Key:
            keysDown(command.keys);
            session_.keyDown(command.key, held_);
            paintIfDue();
            session_.keyUp(command.key, held_);
            paintIfDue();
            keysUp(command.keys);
            break;
        case ScriptVerb::Answer:
            host_.queueAnswer(command.text);
            break;
        case ScriptVerb::PrintStatus:
            code = printStatus(error);
            break;
        case ScriptVerb::PrintSelection:
            printSelection();
            break;
        case ScriptVerb::PrintList:
            code = printList(error);
            break;
        case ScriptVerb::Save:
            code = save(command.text, error);
            break;
        case ScriptVerb::Open:
            code = openDialog(command, error);
            break;
        case ScriptVerb::Set:
        case ScriptVerb::Press:
        case ScriptVerb::Slider:
        case ScriptVerb::PrintTitle:
        case ScriptVerb::PrintField:
        case ScriptVerb::Select:
            code = dialogCommand(command, error);
            break;
        case ScriptVerb::Animate: {
            if (session_.toolNumber() != kAnimationTool) session_.setTool(kAnimationTool);
            ScriptCommand click = command;
            click.verb = ScriptVerb::Click;
            code = mouseCommand(click, error);
            break;
        }
        case ScriptVerb::Tick:
            tick(command.number);
            break;
        default:
            code = mouseCommand(command, error);
            break;
    }
    if (code != kExitOk) return code;
    error = host_.takeFault();
    return error.empty() ? kExitOk : kExitUsage;
}

int ScriptRunner::mouseCommand(const ScriptCommand& command, std::string& error) {
    int x = 0;
    int y = 0;
    if (!windowPosition(command.positions[0], x, y, error)) return kExitUsage;
    constexpr MouseButtons kNone;
    keysDown(command.keys);
    session_.mouseMove(x, y, kNone, held_);
    paintIfDue();
    const auto press = [&](MouseButton button) {
        session_.mousePress(button, x, y, held_);
        paintIfDue();
    };
    const auto release = [&](MouseButton button) {
        session_.mouseRelease(button, x, y, kNone, held_);
        paintIfDue();
    };
    switch (command.verb) {
        case ScriptVerb::Click:
            press(MouseButton::Left);
            release(MouseButton::Left);
            break;
        case ScriptVerb::RightClick:
            press(MouseButton::Right);
            release(MouseButton::Right);
            break;
        case ScriptVerb::DoubleClick:
            // The events of a double click: down, up, the double click in place of the second down, up.
            press(MouseButton::Left);
            release(MouseButton::Left);
            session_.doubleClick(x, y, held_);
            paintIfDue();
            release(MouseButton::Left);
            break;
        case ScriptVerb::Drag: {
            // The second position is taken once the button is down, where the
            // first press may have changed what it names.
            press(MouseButton::Left);
            int toX = 0;
            int toY = 0;
            const bool found = windowPosition(command.positions[1], toX, toY, error);
            if (found) {
                for (const auto& [stepX, stepY] : dragSteps(x, y, toX, toY)) {
                    session_.mouseMove(stepX, stepY, MouseButtons{true, false}, held_);
                    paintIfDue();
                }
                x = toX;
                y = toY;
            }
            release(MouseButton::Left);
            keysUp(command.keys);
            return found ? kExitOk : kExitUsage;
        }
        default:  // move
            break;
    }
    keysUp(command.keys);
    return kExitOk;
}

int ScriptRunner::openDialog(const ScriptCommand& command, std::string& error) {
    loadTexts();
    DialogTarget target;
    if (!command.positions.empty()) {
        const ScriptPosition& position = command.positions[0];
        if (position.form == ScriptPosition::Form::Named) {
            target.element = namedElement(position.name);
            if (target.element == nullptr) {
                error = "nothing is named '" + position.name + "'";
                return kExitUsage;
            }
            std::string unplaced;  // an element without a place on the screen is still named
            target.hasPosition = windowPosition(position, target.x, target.y, unplaced);
        } else {
            if (!windowPosition(position, target.x, target.y, error)) return kExitUsage;
            target.hasPosition = true;
        }
    }
    if (command.text == "options") {
        if (target.hasPosition || target.element) {
            error = "'options' is opened without a position";
            return kExitUsage;
        }
        openOptions();
    } else if (!openScriptDialog(session_, command.text, target, error)) {
        return kExitUsage;
    }
    paintIfDue();
    return kExitOk;
}

int ScriptRunner::dialogCommand(const ScriptCommand& command, std::string& error) {
    DialogModel* dialog = session_.openDialog();
    if (dialog == nullptr) {
        error = "no dialog is open";
        return kExitUsage;
    }
    bool done = true;
    switch (command.verb) {
        case ScriptVerb::Set:
            done = dialog->setField(command.field, command.text, error);
            break;
        case ScriptVerb::Press:
            done = dialog->press(command.text, error);
            break;
        case ScriptVerb::Slider:
            done = dialog->setSlider(command.number, error);
            break;
        case ScriptVerb::Select:
            done = dialog->setField("selected", std::to_string(command.number), error);
            break;
        case ScriptVerb::PrintTitle:
            std::printf("%s\n", dialog->title().c_str());
            break;
        default: {  // print field
            std::string text;
            done = dialog->field(command.field, text);
            if (done)
                std::printf("%s\n", text.c_str());
            else
                error = "the dialog has no field '" + command.field + "'";
            break;
        }
    }
    applyProgramOptions();
    paintIfDue();
    return done ? kExitOk : kExitUsage;
}

void ScriptRunner::openOptions() {
    if (program_.language.empty()) program_.language = "English.lng";
    session_.openDialog(std::make_unique<OptionsDialog>(program_, &document_,
                                                        listLanguages(languagesFolderOf(argv0_)), texts_));
}

void ScriptRunner::applyProgramOptions() {
    session_.setNumberDecimals(program_.decimals);
    session_.setStepDisplayStartsAtLast(program_.stepByStepOption != 0);
    session_.setHideMacroIntermediates(program_.hideMacroIntermediates != 0);
    if (!program_.language.empty() && program_.language != loadedLanguage_) {
        loadedLanguage_ = program_.language;
        textsLoaded_ = loadLanguageOption(texts_, program_.language, argv0_) == kExitOk;
        textsTried_ = true;
        if (textsLoaded_) session_.setTexts(&texts_);
    }
}

Element* ScriptRunner::namedElement(const std::string& name) const {
    Element* found = nullptr;
    document_.construction().forEach([&](Element& e) {
        if (!found && nameMatches(e, name)) found = &e;
    });
    return found;
}

int ScriptRunner::menuCommand(int id, std::string& error) {
    loadTexts();
    if (!session_.command(id)) {
        // The menu items that choose a tool.
        const ToolRow* row = toolRowOfCommand(id);
        if (row == nullptr) {
            error = "command " + std::to_string(id) + " is not a command of the view";
            return kExitUsage;
        }
        session_.setTool(row->number);
    }
    paintIfDue();
    return kExitOk;
}

int ScriptRunner::save(const std::string& path, std::string& error) {
    if (writeDocument(document_, path, document_.viewerMode) != 1) {
        error = path + ": cannot write the file";
        return kExitCannotOpen;
    }
    // Saving starts the history again on a fresh copy of the construction:
    // the tool lets go of what it held in the one before.
    session_.setTool(session_.toolNumber(), false);
    paintIfDue();
    return kExitOk;
}

bool ScriptRunner::loadTexts() {
    if (!textsLoaded_ && !textsTried_) {
        textsTried_ = true;
        textsLoaded_ = loadLanguageOption(texts_, "", argv0_) == kExitOk;
        if (textsLoaded_) session_.setTexts(&texts_);
    }
    return textsLoaded_;
}

void ScriptRunner::tick(int milliseconds) {
    now_ += static_cast<std::uint32_t>(milliseconds);
    // The window's ticks run while its animation does; a script's whenever it asks.
    if (clock_.paused()) clock_.resume();
    const std::int64_t elapsed = clock_.tick(now_);
    if (elapsed >= 0) session_.animationTick(static_cast<std::uint32_t>(elapsed));
    // The step-by-step display's playback runs on its own timer.
    if (auto* steps = dynamic_cast<StepDisplay*>(session_.openDialog())) steps->elapse(milliseconds);
    paintIfDue();
}

int ScriptRunner::printStatus(std::string& error) {
    if (!loadTexts()) {
        error = "the status needs the language texts";
        return kExitCannotOpen;
    }
    const std::string status = session_.statusText(texts_);
    std::printf("%s\n", status.c_str());
    return kExitOk;
}

int ScriptRunner::printList(std::string& error) {
    if (!loadTexts()) {
        error = "the construction list needs the language texts";
        return kExitCannotOpen;
    }
    for (const ListLine& line : document_.construction().listLines(descriptionLookup(texts_), false)) {
        const std::size_t start = line.text.find_first_not_of(' ');
        std::printf("%s\n", start == std::string::npos ? "" : line.text.c_str() + start);
    }
    return kExitOk;
}

void ScriptRunner::printSelection() {
    std::string line;
    int key = 0;
    document_.construction().forEach([&](const Element& e) {
        if (e.selected) line += (line.empty() ? "" : " ") + std::to_string(key);
        ++key;
    });
    std::printf("%s\n", line.c_str());
}

void ScriptRunner::keysDown(SessionKeys keys) {
    if (keys.shift) {
        held_.shift = true;
        session_.keyDown(SessionKey::Shift, held_);
        paintIfDue();
    }
    if (keys.ctrl) {
        held_.ctrl = true;
        session_.keyDown(SessionKey::Ctrl, held_);
        paintIfDue();
    }
}

void ScriptRunner::keysUp(SessionKeys keys) {
    if (keys.ctrl) {
        held_.ctrl = false;
        session_.keyUp(SessionKey::Ctrl, held_);
        paintIfDue();
    }
    if (keys.shift) {
        held_.shift = false;
        session_.keyUp(SessionKey::Shift, held_);
        paintIfDue();
    }
}

void ScriptRunner::paintIfDue() {
    if (session_.takeRedraw()) headlessPaint(session_);
}

bool ScriptRunner::windowPosition(const ScriptPosition& position, int& x, int& y, std::string& error) const {
    switch (position.form) {
        case ScriptPosition::Form::Pixels:
            x = position.x;
            y = position.y;
            return true;
        case ScriptPosition::Form::Named:
            return namedPosition(position.name, x, y, error);
        case ScriptPosition::Form::Model:
            break;
    }
    double windowX = 0.0;
    double windowY = 0.0;
    double depth = 0.0;
    if (projectPoint(document_.view, session_.viewport(), position.point, windowX, windowY, depth) &&
        toPixel(windowX, x) && toPixel(windowY, y))
        return true;
    error = "the model point does not project into reach of the window";
    return false;
}

bool ScriptRunner::namedPosition(const std::string& name, int& x, int& y, std::string& error) const {
    const Element* found = nullptr;
    document_.construction().forEach([&](const Element& e) {
        const ElementKind kind = e.kind();
        if (!found && nameMatches(e, name) &&
            (kind == ElementKind::Point || kind == ElementKind::Number || kind == ElementKind::Coordinates ||
             kind == ElementKind::Text))
            found = &e;
    });
    if (!found) {
        error = "no point, number, coordinates or text is named '" + name + "'";
        return false;
    }
    if (!found->defined) {
        error = "'" + name + "' is undefined";
        return false;
    }
    ScreenPoint corner;
    switch (found->kind()) {
        case ElementKind::Point: {
            double windowX = 0.0;
            double windowY = 0.0;
            double depth = 0.0;
            if (projectPoint(document_.view, session_.viewport(), positionOf(found), windowX, windowY,
                             depth) &&
                toPixel(windowX, x) && toPixel(windowY, y))
                return true;
            error = "'" + name + "' does not project into reach of the window";
            return false;
        }
        case ElementKind::Number:
            corner = asNumber(found).position;
            break;
        case ElementKind::Coordinates:
            corner = static_cast<const Coordinates*>(found)->position;
            break;
        default:
            corner = static_cast<const Text*>(found)
                         ->screenRectangle(session_.screenTexts().pixelsPerInch)
                         .topLeft;
            break;
    }
    if (toPixel(static_cast<double>(corner.x) + kBoxInset, x) &&
        toPixel(static_cast<double>(corner.y) + kBoxInset, y))
        return true;
    error = "'" + name + "' lies out of reach of the window";
    return false;
}
