#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "interaction/macro_tools.h"
#include "interaction/session_host.h"
#include "interaction/tool_table.h"
#include "interaction/view_mouse.h"
#include "lang/text_table.h"
#include "model/clipboard.h"
#include "model/construction.h"
#include "model/document.h"
#include "model/element.h"
#include "model/screen_text_context.h"
#include "view/camera.h"
#include "view/hover.h"

class AnimationWindow;
class Canvas;
class ConstructionDialog;

// Keys held with a mouse or key event.
struct SessionKeys {
    bool shift = false;
    bool ctrl = false;
};

struct MouseButtons {
    bool left = false;
    bool right = false;
};

enum class MouseButton { Left, Right };

// The keys the view reacts to; every other key is Other.
enum class SessionKey { Left, Right, Up, Down, Plus, Minus, Delete, Escape, Shift, Ctrl, Other };

// Everything a user does to one document through its view, without any
// toolkit: the current construction tool with its picks and temporary points,
// selection, dragging, the keyboard, the 3-D mouse position and the ghost
// point, camera gestures, hover and the edit commands. The window (or
// `kova3d-cli play`) feeds it window positions in pixels (y downwards),
// buttons and keys, draws what it says, and answers its questions through
// the SessionHost.
class ViewSession {
  public:
    ViewSession(Document& document, SessionHost& host, Clipboard& clipboard);
    ViewSession(const ViewSession&) = delete;
    ViewSession& operator=(const ViewSession&) = delete;
    ~ViewSession();

    Document& document() { return document_; }
    const Document& document() const { return document_; }

    // ---- the view
    void setViewport(Viewport viewport) { viewport_ = viewport; }
    Viewport viewport() const { return viewport_; }
    // Screen height / 600, the scale of the camera gestures.
    void setScreenScale(float scale) { screenScale_ = scale; }
    // "Ver lo oculto": hidden elements are drawn and can be picked.
    void setShowHidden(bool showHidden) { showHidden_ = showHidden; }
    bool showHidden() const { return showHidden_; }
    // How this view measures and shows numbers and texts; picking lays them out with it.
    void setScreenTexts(ScreenTextContext screenTexts) { screenTexts_ = std::move(screenTexts); }
    const ScreenTextContext& screenTexts() const { return screenTexts_; }

    // The view became the active one: the selection tool, and no mouse, drag
    // or hover state left from before.
    void activate();

    // ---- construction tools (tools.cpp; the tool table in tool_table.h)
    // Makes a tool current: drops picks and temporaries, resets the accept
    // table; a transformation takes over the selection. fromCommand: chosen by
    // the user (a menu, a button, a script), not restarted after a commit.
    void setTool(int toolNumber, bool fromCommand = true);
    int toolNumber() const { return toolNumber_; }
    int pickCount() const { return pickCount_; }
    std::span<Element* const> pickList() const { return pickList_; }
    // One flag per element kind 0 to 21.
    const std::array<bool, kKindCount + 1>& acceptTable() const { return acceptTable_; }
    bool canMakePoints() const;
    bool acceptsPointOnElement(const Element& element) const;
    // What the current tool lets picking see.
    PickRules pickRules() const;
    // The status bar's tool pane: the tool's prompt, and while an element is
    // hovered " : [" and its description "]".
    std::string statusText(const TextTable& texts) const;
    ToolCursor cursor() const;
    // Picked elements and temporaries, drawn first in the selected colour.
    std::vector<Element*> highlighted() const;
    // The decimals of new numbers (the application's setting), 0 to 8.
    void setNumberDecimals(int decimals) { numberDecimals_ = decimals; }

    // ---- mouse and keys (view_session.cpp)
    void mousePress(MouseButton button, int x, int y, SessionKeys keys);
    void mouseMove(int x, int y, MouseButtons held, SessionKeys keys);
    // held: the buttons still down after this one went up.
    void mouseRelease(MouseButton button, int x, int y, MouseButtons held, SessionKeys keys);
    void doubleClick(int x, int y, SessionKeys keys);
    void keyDown(SessionKey key, SessionKeys keys);
    void keyUp(SessionKey key, SessionKeys keys);

    // The 3-D mouse position at the last cursor position, as each redraw
    // computes it (with the selection tool or while the ghost point is requested).
    void updateMousePoint();
    Vec3 mousePoint() const { return mousePoint_; }
    bool mousePointValid() const { return mousePointValid_; }
    bool verticalMode() const { return verticalMode_; }
    bool ghostRequested() const { return ghostRequested_; }
    // Draws the ghost point with its guides when requested, and clears the request.
    void drawGhost(Canvas& canvas);

    // ---- dialogs
    // Keeps a dialog as the one open on this view and asks the host to show
    // it; a dialog still open before is cancelled first.
    void openDialog(std::unique_ptr<DialogModel> dialog);
    // The dialog open on this view, or nullptr once it has closed.
    DialogModel* openDialog();

    // The element, point coordinates and parameter dialogs (dialog_openings.cpp).
    // The element dialog of an element of the current construction; a text
    // element opens the host's text dialog instead.
    void openElementDialog(Element& element);
    // The point coordinates dialog: new points (nullptr; tool 8 while it is
    // open), or the coordinates of a free or represented point.
    void openCoordinatesDialog(const Element* point);
    void openParameterDialog(const Element& parameter);
    // The language texts dialogs take their titles from; none: empty titles.
    void setTexts(const TextTable* texts) { texts_ = texts; }

    const HoverState& hover() const { return hover_; }
    bool dragging() const { return dragging_; }
    // Whether something changed that needs a redraw since the last call.
    bool takeRedraw();

    // ---- the step-by-step display and animation (step_display.cpp, animation_window.cpp)
    // The language the view's dialogs speak; an empty table until set.
    const TextTable& texts() const;
    // "Paso a paso": the selection tool, then the step-by-step display, or the
    // message that there is no step to show. startAtLast: it opens on the last step.
    void openStepDisplay(bool startAtLast = false);
    // The step-by-step option of the settings: the display opens on the last step.
    void setStepDisplayStartsAtLast(bool atLast) { stepDisplayStartsAtLast_ = atLast; }
    // "Animación": the animation tool, and the animation window open and running.
    void openAnimationWindow();
    // The animation window open on this view, or nullptr.
    AnimationWindow* animationWindow();
    bool animationRunning() const;
    // The idle ticks start again after a pause: the next animation step takes no time.
    void restartAnimation();
    // An idle tick `elapsed` ms after the last due one: the running animation
    // advances, recomputes and asks for a redraw. Whether anything moved.
    bool animationTick(std::uint32_t elapsed);

    // ---- macros (macro_tools.cpp)
    // "Macro options": the macro dialog, over the macro tools (kept while one is current).
    void openMacroDialog();
    // The program's setting: intermediate elements of applied macros stay hidden.
    void setHideMacroIntermediates(bool hide) { macros_.hideIntermediates = hide; }
    // The initial (finals false) or final elements picked so far.
    std::span<Element* const> macroPicks(bool finals);
    // The tool that picks the initial or the final elements of a new macro.
    void pickMacroElements(bool finals);
    // A macro of the picks, named as the user answers, added to the document.
    MacroMade makeMacroFromPicks();
    // The apply tool with a copy of the document's macro at index; false when there is none.
    bool applyMacroTool(int index);

    // ---- commands (edit_commands.cpp)
    // Runs a menu command that acts on the document through its view (edit,
    // selection, style, undo, redo, standard views, projections); false for
    // any other command id, which the caller handles.
    bool command(int commandId);
    // The construction list's selection: with the selection tool, exactly these
    // elements become selected; false (and nothing changes) with another tool.
    bool selectListed(std::span<Element* const> elements);
    bool commandEnabled(int commandId) const;

  private:
    // ---- construction tools (tools.cpp, tool_steps.cpp, implicit_points.cpp,
    // tool_elements.cpp)
    friend class ToolSteps;
    // ---- the calculator and the text dialog (tool_dialogs.cpp)
    friend class CalculatorDialog;
    friend class TextDialog;
    friend class IterationDialog;
    // The iteration tool keeps its dialog open (iteration_dialog.cpp).
    void keepIterationDialogWithTool(bool fromCommand);
    void iterationClick();
    // Tools 43 and 44 keep a calculator open; any other tool closes it.
    void keepCalculatorWithTool();
    // A click with tool 43 or 44 on a number types its letter.
    void calculatorClick();
    // A double click on a calculation: tool 43 with the calculator editing it.
    void editCalculation(const Element& calculation);
    // The text dialog for a new text at (x, y), or for an existing text element.
    void openTextDialog(int x, int y, const Element* editing);
    // Tools 2 and 3 toggle the clicked element; the apply tool counts its picks.
    void macroToggle();
    void macroPicked();
    // After setTool: the macro tools get back their picks and accepted kinds.
    void keepMacroPicksWithTool(bool fromCommand);
    std::string macroStatus(const TextTable& texts) const;
    void click(int x, int y, SessionKeys keys);
    void clearTemporaries();
    const ToolRow& currentTool() const;
    void setAccepted(KindSet kinds);
    bool acceptsKind(const Element& element) const;
    // Transformations take the selected elements as their objects.
    void takeOverSelection();
    // The point a click makes where the tool needs one (a candidate
    // intersection, a point on an element, a free point); it joins the
    // temporaries. nullptr when the click makes none.
    Element* makeImplicitPoint(int x, int y);
    // A point on an element at the place the click's ray meets it, recomputed.
    ElementPtr makePointOnElement(Element& element, int x, int y);
    // A free point at the 3-D mouse position; nullptr while it is not valid.
    ElementPtr makeFreePoint();
    // Every element the tools make comes from here: the class of the code, the
    // parents, the document's style for its kind and, for numbers, its number font.
    ElementPtr makeToolElement(TypeCode typeCode, std::span<Element* const> parents);
    // Adds the temporaries and the new element(s) to a copy of the construction
    // as one undo step, then starts the tool over.
    void commit(ElementPtr first, ElementPtr second = nullptr);
    // As commit for a group leader, followed by the parts it generates.
    void commitWithParts(ElementPtr leader);
    void commitAll(std::vector<ElementPtr> made);
    // The tool starts over after a commit or a refusal.
    void restartTool();

    // view_session.cpp
    void refreshHover(int x, int y);
    void dragStep(int dx, int dy);
    // The animation tool's click on the hovered element (animation_window.cpp).
    void animateClick();
    const TextTable* texts_ = nullptr;

    Document& document_;
    SessionHost& host_;
    Clipboard& clipboard_;

    Viewport viewport_{800, 600};
    float screenScale_ = 1.0f;
    bool showHidden_ = false;
    ScreenTextContext screenTexts_;
    bool redraw_ = false;

    // Tool state.
    int toolNumber_ = 0;
    int pickCount_ = 0;
    std::vector<Element*> pickList_;
    std::array<bool, kKindCount + 1> acceptTable_{};
    bool pickCoordinateParts_ = false;
    bool pickFigureParts_ = false;
    // Points made while picks are collected; not in the construction until a commit.
    std::vector<ElementPtr> temporaries_;
    // How many entries at the head of pickList_ a transformation maps (the
    // selection it took over, or the one object picked).
    int sourceCount_ = 0;
    int numberDecimals_ = 2;

    // The 3-D mouse position.
    Vec3 mousePoint_;
    Vec3 previousMousePoint_;
    bool mousePointValid_ = false;
    bool verticalMode_ = false;
    bool ghostRequested_ = false;

    // Mouse and hover.
    ViewMouse mouse_;
    HoverState hover_;
    int cursorX_ = 0;
    int cursorY_ = 0;
    bool clickPending_ = false;
    bool dragging_ = false;
    int lastDragX_ = 0;
    int lastDragY_ = 0;
    // The current drag or key sequence has recorded its undo step.
    bool dragSnapshotTaken_ = false;
    std::unique_ptr<DialogModel> dialog_;
    bool stepDisplayStartsAtLast_ = false;
    MacroPicks macros_;
    // A double click opens the dialog of a point, coordinates or parameter.
    void openDoubleClickDialog(const Element& element);
    // Cancels a dialog still open, so that the next one starts from the document's own construction.
    void cancelOpenDialog();
    // Shows a dialog over a live copy; the view follows its changes and its closing.
    void showConstructionDialog(std::unique_ptr<ConstructionDialog> dialog, bool selectionToolAfter);

    // ---- selection and dragging (view_session.cpp, edit_commands.cpp)
    // Before the first change of a drag or key sequence: the current
    // construction stays in the history as it is, and a copy carrying the
    // selection becomes current and is recorded.
    void takeSnapshot();
    // Moves numbers, coordinates and texts on the screen: the selected ones, or all.
    void moveScreenElements(int dx, int dy, bool selectedOnly);
    // After a command switched the document to another construction: nothing
    // may point into the one left behind.
    void constructionReplaced();
    void clearSelection();
    // Refreshes the hover state at the cursor unless the view turns by itself.
    void refreshHoverAtCursor();

    // The element the left button went down on (the pending click, the dragged element).
    Element* pressedElement_ = nullptr;
    MouseButtons held_;
    // A camera gesture moved something since the buttons went down.
    bool gestureRan_ = false;
    int lastMoveX_ = 0;
    int lastMoveY_ = 0;
};
