#include "interaction/calculator_dialog.h"
#include "interaction/text_dialog.h"
#include "interaction/view_session.h"

// The dialogs the calculation, parameter and text tools open: the calculator
// stays open while its tool is current and takes the numbers clicked in the
// view; the text dialog opens where the text tool is clicked.

namespace {

constexpr int kCalculateTool = 43;
constexpr int kParameterTool = 44;

}  // namespace

void ViewSession::keepCalculatorWithTool() {
    // The open dialog is looked at in place: the calculator may be the one
    // whose confirmation restarted the tool.
    auto* open = dialog_ && !dialog_->closed() ? dynamic_cast<CalculatorDialog*>(dialog_.get()) : nullptr;
    if (toolNumber_ != kCalculateTool && toolNumber_ != kParameterTool) {
        if (open) {
            std::string ignored;
            open->press("cancel", ignored);
        }
        return;
    }
    const CalculatorUse use =
        toolNumber_ == kCalculateTool ? CalculatorUse::kCalculation : CalculatorUse::kParameter;
    if (open && open->use() == use) return;
    openDialog(std::make_unique<CalculatorDialog>(*this, use));
}

void ViewSession::calculatorClick() {
    Element* number = hover_.hovered ? hover_.hoveredElement : nullptr;
    if (number == nullptr || !acceptsKind(*number)) return;
    CalculatorDialog* calculator = openCalculator(*this);
    if (calculator == nullptr) {
        // Closed by the user while the tool stayed: a click on a number opens it again.
        keepCalculatorWithTool();
        calculator = openCalculator(*this);
    }
    if (calculator != nullptr && calculator->clickNumber(*number)) redraw_ = true;
}

void ViewSession::editCalculation(const Element& calculation) {
    const int index = document_.construction().indexOf(&calculation);
    if (index < 0 || calculation.typeCode() != TypeCode::Calculation) return;
    openDialog(std::make_unique<CalculatorDialog>(*this, CalculatorUse::kCalculation, index));
    setTool(kCalculateTool);
}

void ViewSession::openTextDialog(int x, int y, const Element* editing) {
    const int index = editing ? document_.construction().indexOf(editing) : -1;
    openDialog(std::make_unique<TextDialog>(*this, x, y, index));
}
