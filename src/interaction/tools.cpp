#include "interaction/view_session.h"

// Placeholder bodies; the construction tools replace them.

void ViewSession::setTool(int toolNumber, bool /*fromCommand*/) {
    clearTemporaries();
    toolNumber_ = toolNumber;
    pickCount_ = 0;
    pickList_.clear();
    hover_.reset();
    acceptTable_.fill(toolNumber == 0);
    redraw_ = true;
    host_.toolChanged(toolNumber);
}

bool ViewSession::canMakePoints() const {
    return false;
}

bool ViewSession::acceptsPointOnElement(const Element&) const {
    return false;
}

PickRules ViewSession::pickRules() const {
    PickRules rules;
    rules.toolNumber = toolNumber_;
    rules.acceptTable = acceptTable_;
    rules.pickCoordinateParts = pickCoordinateParts_;
    rules.pickFigureParts = pickFigureParts_;
    rules.showHidden = showHidden_;
    return rules;
}

std::string ViewSession::statusText(const TextLookup&) const {
    return {};
}

ToolCursor ViewSession::cursor() const {
    return dragging_ ? ToolCursor::Drag : ToolCursor::Arrow;
}

std::vector<Element*> ViewSession::highlighted() const {
    return pickList_;
}

void ViewSession::click(int, int, SessionKeys) {}

void ViewSession::clearTemporaries() {
    temporaries_.clear();
}
