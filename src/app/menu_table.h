#pragma once

#include <span>
#include <string>
#include <string_view>

class CMainFrame;
class TextTable;

// Command ids the main window refers to by name.
namespace command {
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kClose = 57602;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 32781;
inline constexpr int kSaveBitmap = 32782;
inline constexpr int kPrint = 57607;
inline constexpr int kRecentFiles = 32786;
inline constexpr int kFirstRecentFile = 32787;  // … 32796
inline constexpr int kExit = 57665;
inline constexpr int kViewHidden = 32800;
inline constexpr int kAutoRotation = 5103;
inline constexpr int kAxes = 32801;
inline constexpr int kCentralProjection = 32809;
inline constexpr int kParallelProjection = 32810;
inline constexpr int kToolbar = 59392;
inline constexpr int kToolbar2 = 116;
inline constexpr int kConstructionList = 32799;
inline constexpr int kFullScreen = 32774;
inline constexpr int kViewerMode = 32798;
inline constexpr int kStatusBar = 59393;
inline constexpr int kFlyoutButtons = 32863;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kCut = 57635;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kErase = 57632;
inline constexpr int kSelectAll = 57642;
inline constexpr int kCopyImage = 32780;
inline constexpr int kSelect = 5000;
inline constexpr int kSegment = 5015;
inline constexpr int kCascade = 57650;
inline constexpr int kTile = 57652;
inline constexpr int kCloseAll = 32779;
inline constexpr int kSaveVectorPicture = 32900;
inline constexpr int kAnaglyph = 32901;
inline constexpr int kExportModel = 32902;
}  // namespace command

// A command of the main window itself.
using FrameCommand = void (*)(CMainFrame&);

// One entry of the menus, in menu order: level 0 opens a top-level menu, level
// 1 is an item of it, level 2 an item of the sub-menu that the level-1 row
// before it opens. A row with neither command nor text is a separator.
//
// Choosing an item runs `run` when the row has one; otherwise the active
// view's session runs the command when it knows it; otherwise it chooses the
// tool whose command it is (the tool table). A row none of them knows yet is
// shown disabled. The tool bars take their buttons' icons and texts from here.
// What a command is besides its row's text: an item that shows a check mark,
// an item that works while no document is open, one that needs a selection.
enum MenuFlag : unsigned { kToggle = 1, kWithoutDocument = 2, kWithSelection = 4 };

struct MenuRow {
    int level;
    int commandId;
    int textId;
    std::string_view shortcut;  // the same in every language; empty: none
    std::string_view icon;      // a file in app/icons/; empty: none
    FrameCommand run = nullptr;
    unsigned flags = 0;  // MenuFlag values

    bool has(MenuFlag flag) const { return (flags & flag) != 0; }
};

std::span<const MenuRow> menuRows();
// The row of a command, or nullptr.
const MenuRow* menuRow(int commandId);
// The item's caption: its language text, and a tab and its shortcut when it has one.
std::string menuItemCaption(const TextTable& texts, const MenuRow& row);

// The tool bars as command ids in button order; 0 is a separator.
std::span<const int> mainToolBar();
// The construction bar with flyout buttons: one button per group.
std::span<const int> flyoutConstructionBar();
// The viewer mode's bar.
std::span<const int> viewerToolBar();
// The tools a flyout button opens (the button's own command first); empty for
// a button without one.
std::span<const int> flyoutTools(int buttonCommandId);
// The construction bar without flyouts: every tool.
std::span<const int> longConstructionBar();
