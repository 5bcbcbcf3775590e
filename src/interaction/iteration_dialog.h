#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "expr/screen_text.h"
#include "interaction/dialog_model.h"
#include "lang/text_table.h"
#include "model/construction.h"

class Element;
class ViewSession;

// An ordinal the view draws beside a point of the set being chosen.
struct IterationOrdinal {
    ScreenPoint at;    // window pixels, y downwards
    std::string text;  // "1", "2" … for the initial points, "1'", "2'" … for a branch's images
};

// What clicks in the view name while the iteration dialog is open.
enum class IterationStage {
    Inputs,    // the initial points, toggled in and out
    Branch,    // the image of each initial point in turn, for the current branch
    Elements,  // what each step draws; a number gives the depth, empty space asks for it
};

// The iteration dialog over the iteration tool (4): the user picks the initial
// points, then for each branch the image of each of them, then the elements
// each step draws and the number of iterations. Confirming makes the iteration
// with its parents (initial points, images, drawn elements, the depth number
// last when one was named) as one undo step; cancelling changes nothing.
//
// Fields: "depth" (a whole number; below 1 counts as 1), the drawing flags
// "lastonly" (0), "points" (1) and "iterationcolour" (1), and, read only,
// "inputs", "branches" and "elements" (how many are chosen) and "number" (the
// name of the number the depth is read from, empty when typed). Buttons:
// "inputs", "branch" (a new branch), "depth" (the elements to draw and the
// number of iterations), "ok", "cancel".
class IterationDialog : public DialogModel {
  public:
    explicit IterationDialog(ViewSession& session);

    std::string title() const override;
    std::vector<std::string> fieldNames() const override;
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;
    bool press(std::string_view button, std::string& error) override;
    bool closed() const override { return closed_; }

    // A click of the tool on an element (nullptr: on empty space).
    void click(Element* element);
    // The tool's prompt for the status bar at the current stage.
    std::string prompt(const TextTable& texts) const;
    // The points of the set being chosen, numbered, where the view shows them.
    std::vector<IterationOrdinal> ordinals() const;
    IterationStage stage() const { return stage_; }
    // A click on empty space asked for the number of iterations: the face asks
    // the user and types the answer into "depth". Taking the request clears it.
    bool takeDepthQuestion();
    // The tool was left while the dialog was open: it closes without a change.
    void abandon();

    // Called after every change (a click, a stage, a field) and when it closes.
    std::function<void()> onChange;

  private:
    // Drops the picks when the document shows another construction than the
    // one they were made in (undo, another view's change).
    void followDocument() const;
    // The drawing flag of a field name, or nullptr.
    int* flag(std::string_view name);
    void setStage(IterationStage stage);
    // The session's picks and accept table follow the set being chosen.
    void sync();
    void changed();
    void close();
    void confirm();
    std::vector<Element*>* currentSet();
    const std::vector<Element*>* currentSet() const;

    ViewSession& session_;
    IterationStage stage_ = IterationStage::Inputs;
    int depth_ = 3;
    int lastOnly_ = 0;
    int drawPoints_ = 1;
    int iterationColour_ = 1;
    // The picks point into this construction, kept alive while they are held.
    mutable std::shared_ptr<Construction> pickedIn_;
    mutable std::vector<Element*> inputs_;
    mutable std::vector<std::vector<Element*>> branches_;
    mutable std::vector<Element*> drawn_;
    mutable Element* depthNumber_ = nullptr;
    bool depthQuestion_ = false;
    bool closed_ = false;
};

// The iteration dialog open on a view, or nullptr.
IterationDialog* openIterationDialog(ViewSession& session);
