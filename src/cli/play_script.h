#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/vec3.h"
#include "interaction/view_session.h"

// The script language of `kova3d-cli play`: one command a line, words
// separated by blanks, a text with blanks written between double quotes.

// A window position as a script names it.
struct ScriptPosition {
    enum class Form {
        Pixels,  // X Y: window pixels from the top left
        Named,   // @NAME: where the named element shows
        Model,   // x,y,z: a model point under the current camera
    };
    Form form = Form::Pixels;
    int x = 0;
    int y = 0;
    std::string name;  // UTF-8
    Vec3 point;
};

enum class ScriptVerb {
    Tool,
    Command,
    Move,
    Click,
    Drag,
    RightClick,
    DoubleClick,
    Key,
    Answer,
    PrintStatus,
    PrintSelection,
    PrintList,  // the construction list's lines, as Copy list gives them
    Save,
    // dialogs
    Open,        // open KIND [POS]: `text` the kind, `positions` the optional position
    Set,         // set FIELD TEXT: `field`, and `text` the rest of the line (may be empty)
    Press,       // press BUTTON: `text`
    Slider,      // slider N: `number`
    PrintTitle,  // print title
    PrintField,  // print field NAME: `field`
    Select,      // select N: the N-th row (from 0) of the open dialog's list, `number`
    // animation
    Animate,  // animate POS: the animation tool's click
    Tick,     // tick MS: one idle tick `number` ms after the previous one
};

struct ScriptCommand {
    ScriptVerb verb = ScriptVerb::Move;
    int number = 0;                         // the tool number or the command id
    std::vector<ScriptPosition> positions;  // one, or two for a drag
    SessionKey key = SessionKey::Other;
    SessionKeys keys;   // the trailing shift / ctrl
    std::string text;   // the answer, the path, the dialog's kind, the button or the field's text
    std::string field;  // a dialog's field
};

// Window pixels a script may name: far outside any view, small enough that a
// drag between two of them takes a bounded number of steps.
inline constexpr int kMaxScriptPixel = 100000;
// The longest time a script lets pass in one tick, in milliseconds (an hour).
inline constexpr int kMaxScriptTick = 3600000;

// Whether the line holds no command (blank, or a comment starting with '#').
bool isScriptComment(std::string_view line);
// Reads one command line; false with the reason when it cannot be read.
bool parseScriptLine(std::string_view line, ScriptCommand& command, std::string& error);

// The window positions a drag passes through after its first one: straight
// towards the second in steps of at most 4 pixels along each axis, ending there.
std::vector<std::pair<int, int>> dragSteps(int x0, int y0, int x1, int y1);
