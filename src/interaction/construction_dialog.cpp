#include "interaction/construction_dialog.h"

#include <charconv>

#include "model/history.h"

ConstructionDialog::ConstructionDialog(Document& document)
    : document_(document), before_(document.sharedConstruction()), working_(before_->copy()) {
    document_.show(working_);
    document_.recompute();
}

Element* ConstructionDialog::counterpart(const Element* original) const {
    const int index = before_->indexOf(original);
    return index >= 0 ? working_->at(index) : nullptr;
}

void ConstructionDialog::changed() {
    working_->recomputeAll(document_.recomputeContext());
    if (onChange) onChange();
}

void ConstructionDialog::commit() {
    document_.show(working_);
    document_.recompute();
    document_.record(kRecordConstruction);
    close();
}

void ConstructionDialog::restore() {
    document_.show(before_);
    close();
}

void ConstructionDialog::close() {
    closed_ = true;
    document_.construction().setSelectedAll(0, false);
    if (onClose) onClose();
}

bool ConstructionDialog::press(std::string_view button, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    if (button == "cancel") {
        restore();
        return true;
    }
    return pressButton(button, error);
}

bool ConstructionDialog::noSuchButton(std::string_view button, std::string& error) {
    error = "the dialog has no button '" + std::string(button) + "'";
    return false;
}

bool refuseWhenClosed(const DialogModel& dialog, std::string& error) {
    if (!dialog.closed()) return false;
    error = "the dialog is closed";
    return true;
}

bool parseFlag(std::string_view text, int& flag) {
    if (text != "0" && text != "1") return false;
    flag = text == "1" ? 1 : 0;
    return true;
}

bool parseWholeNumber(std::string_view text, long long low, long long high, long long& value) {
    long long parsed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, parsed);
    if (text.empty() || error != std::errc() || stop != end || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}
