#include "interaction/animation_window.h"

#include <charconv>

#include "interaction/animation.h"
#include "interaction/view_session.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"
#include "model/type_codes.h"

namespace {

bool parseWhole(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

}  // namespace

AnimationWindow::AnimationWindow(Document& document, const TextTable& texts, std::function<void()> changed)
    : document_(document), texts_(texts), changed_(std::move(changed)) {}

std::string AnimationWindow::title() const {
    return texts_.text(textid::kItemAnimation);
}

std::vector<std::string> AnimationWindow::fieldNames() const {
    std::vector<std::string> names;
    const int count = document_.construction().animationCount();
    for (int row = 1; row <= count; ++row)
        for (const char* prefix : {"element.", "direction.", "speed."})
            names.push_back(prefix + std::to_string(row));
    return names;
}

AnimationEntry* AnimationWindow::entryOf(std::string_view name, std::string_view prefix) const {
    if (name.substr(0, prefix.size()) != prefix || name.size() <= prefix.size() + 1 ||
        name[prefix.size()] != '.')
        return nullptr;
    int row = 0;
    if (!parseWhole(name.substr(prefix.size() + 1), row)) return nullptr;
    Construction& c = document_.construction();
    if (row < 1 || row > c.animationCount()) return nullptr;
    return &c.animation(row - 1);
}

bool AnimationWindow::field(std::string_view name, std::string& text) const {
    if (const AnimationEntry* entry = entryOf(name, "element")) {
        const Element* e = entry->element;
        text = e == nullptr   ? std::string()
               : e->hasName() ? windows1252ToUtf8(*e->name())
                              : composeDescription(texts_, e->typeCode());
        return true;
    }
    if (const AnimationEntry* entry = entryOf(name, "direction")) {
        text = entry->forward ? "1" : "0";
        return true;
    }
    if (const AnimationEntry* entry = entryOf(name, "speed")) {
        text = std::to_string(entry->speed);
        return true;
    }
    return false;
}

bool AnimationWindow::setField(std::string_view name, std::string_view text, std::string& error) {
    if (closed_) {
        error = "the window is closed";
        return false;
    }
    int value = 0;
    if (AnimationEntry* entry = entryOf(name, "direction")) {
        if (text != "0" && text != "1") {
            error = "a direction is 1 (forward) or 0 (backward)";
            return false;
        }
        entry->forward = text == "1" ? 1 : 0;
    } else if (AnimationEntry* entry = entryOf(name, "speed")) {
        if (!parseWhole(text, value) || value < kMinAnimationSpeed || value > kMaxAnimationSpeed) {
            error = "a speed is a whole number from " + std::to_string(kMinAnimationSpeed) + " to " +
                    std::to_string(kMaxAnimationSpeed);
            return false;
        }
        entry->speed = value;
    } else {
        error = entryOf(name, "element") ? "the element of an entry is not edited here"
                                         : "the window has no field '" + std::string(name) + "'";
        return false;
    }
    // The list is saved with the construction.
    document_.modified = true;
    return true;
}

bool AnimationWindow::press(std::string_view button, std::string& error) {
    if (closed_) {
        error = "the window is closed";
        return false;
    }
    if (button == "run") {
        if (paused_) {
            paused_ = false;
            recorded_.reset();
            restart();
        }
    } else if (button == "pause") {
        paused_ = true;
    } else if (button == "close" || button == "ok" || button == "cancel") {
        closed_ = true;
    } else {
        error = "the window has no button '" + std::string(button) + "' (run, pause, close)";
        return false;
    }
    if (changed_) changed_();
    return true;
}

bool AnimationWindow::running() const {
    return !closed_ && !paused_ && !document_.construction().empty();
}

void AnimationWindow::restart() {
    restarted_ = true;
}

bool AnimationWindow::runRecorded() const {
    return !recorded_.expired() && recorded_.lock() == document_.sharedConstruction();
}

void AnimationWindow::setRunRecorded() {
    recorded_ = document_.sharedConstruction();
}

double AnimationWindow::stepMilliseconds(std::uint32_t elapsed) {
    if (restarted_) {
        restarted_ = false;
        return 0.0;
    }
    return static_cast<double>(elapsed);
}

// ---- the view's animation

namespace {

constexpr int kAnimationTool = 49;

// Whether a step of the list can move anything.
bool anyMovable(const Construction& c) {
    for (int i = 0; i < c.animationCount(); ++i) {
        const AnimationEntry& entry = c.animation(i);
        if (entry.element != nullptr && entry.element->defined && entry.speed != 0) return true;
    }
    return false;
}

}  // namespace

void ViewSession::openAnimationWindow() {
    setTool(kAnimationTool);
    if (animationWindow() == nullptr)
        openDialog(
            std::make_unique<AnimationWindow>(document_, texts(), [this] { host_.animationChanged(); }));
    host_.animationChanged();
}

AnimationWindow* ViewSession::animationWindow() {
    return dynamic_cast<AnimationWindow*>(openDialog());
}

bool ViewSession::animationRunning() const {
    const auto* window = dynamic_cast<const AnimationWindow*>(dialog_.get());
    return window != nullptr && window->running();
}

void ViewSession::restartAnimation() {
    // The open dialog is only looked at: a closed one is let go elsewhere, never
    // while it may be running its own callback.
    if (auto* window = dynamic_cast<AnimationWindow*>(dialog_.get())) window->restart();
}

bool ViewSession::animationTick(std::uint32_t elapsed) {
    AnimationWindow* window = animationWindow();
    if (window == nullptr || !window->running()) return false;
    const double milliseconds = window->stepMilliseconds(elapsed);
    if (milliseconds <= 0.0 || !anyMovable(document_.construction())) return false;
    if (!window->runRecorded()) {
        // The state before the run stays in the history, as before a drag (and
        // again after an undo went back to it); a drag under way keeps its own step.
        const bool dragRecorded = dragSnapshotTaken_;
        takeSnapshot();
        dragSnapshotTaken_ = dragRecorded;
        window->setRunRecorded();
    }
    if (!advanceAnimation(document_.construction(), milliseconds)) return false;
    document_.recompute();
    redraw_ = true;
    return true;
}

void ViewSession::animateClick() {
    if (!hover_.hovered || hover_.hoveredElement == nullptr || hover_.isCandidate()) return;
    const AnimationToggle result = toggleAnimation(document_.construction(), *hover_.hoveredElement);
    if (result != AnimationToggle::Added && result != AnimationToggle::Removed) return;
    // The list is saved with the construction.
    document_.modified = true;
    redraw_ = true;
    host_.constructionChanged();
    host_.animationChanged();
}
