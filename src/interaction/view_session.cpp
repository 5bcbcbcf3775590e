#include "interaction/view_session.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "elements/iteration.h"
#include "elements/point.h"
#include "expr/coordinates.h"
#include "expr/number_element.h"
#include "expr/parameter.h"
#include "expr/text_element.h"
#include "geometry/intersections_lines_planes.h"
#include "model/canvas.h"

namespace {

// The 3-D mouse position takes its ray between these window depths.
constexpr double kMouseNearDepth = 0.0003;
constexpr double kMouseFarDepth = 0.9999;
// A pending click becomes a drag once the mouse is more than this many pixels away.
constexpr int kDragThreshold = 1;
// The guides of the 3-D mouse position on a black background: dark red, green, blue.
constexpr std::array<std::uint32_t, 3> kGuideColours = {0x000078, 0x007800, 0x780000};
constexpr int kGhostDotPixels = 3;

bool isConstructionTool(int toolNumber) {
    return toolNumber >= 1 && toolNumber <= 45;
}

// Dragging moves these through their parents, or on the screen, never as marked ancestors.
bool movesOnItsOwn(const Element& e) {
    return e.typeCode() == TypeCode::PointOnObject || isNumericKind(e.kind());
}

std::int32_t shifted(std::int32_t value, int by) {
    const std::int64_t v = std::int64_t{value} + by;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

void shift(ScreenPoint& p, int dx, int dy) {
    p.x = shifted(p.x, dx);
    p.y = shifted(p.y, dy);
}

// Moves a number, coordinates or text element on the screen.
void moveOnScreen(Element& e, int dx, int dy) {
    switch (e.kind()) {
        case ElementKind::Number: {
            auto& number = static_cast<NumberElement&>(e);
            shift(number.position, dx, dy);
            shift(number.corner, dx, dy);
            break;
        }
        case ElementKind::Coordinates: {
            auto& coordinates = static_cast<Coordinates&>(e);
            shift(coordinates.position, dx, dy);
            shift(coordinates.corner, dx, dy);
            break;
        }
        case ElementKind::Text: {
            auto& text = static_cast<Text&>(e);
            shift(text.rectangle.topLeft, dx, dy);
            shift(text.rectangle.bottomRight, dx, dy);
            break;
        }
        default:
            break;
    }
}

// Whether the construction holds a selected element the + and - keys step.
bool anySteppable(const Construction& c) {
    return c.anySelectedOfCode(TypeCode::Parameter) || c.anySelectedOfCode(TypeCode::Iteration);
}

// The + and - keys: selected parameters move by their step, selected
// iterations gain or lose one step (never fewer than one).
void stepSelected(Construction& c, int direction) {
    stepSelectedParameters(c, direction);
    c.forEach([direction](Element& e) {
        if (!e.selected || e.typeCode() != TypeCode::Iteration) return;
        auto& iteration = static_cast<Iteration&>(e);
        iteration.depth = std::max(1, shifted(iteration.depth, direction));
    });
}

// A point on an element follows the cursor along its parent. Some kinds report
// their nearest point on a miss, so the point stays on them while the cursor strays.
void slideOnParent(PointOnObject& point, int x, int y, const PickRay& ray, int projection) {
    Element* parent = point.parents.empty() ? nullptr : point.parents[0];
    if (parent == nullptr) return;
    const double unset = std::numeric_limits<double>::quiet_NaN();
    Vec3 hit{unset, unset, unset};
    const bool hitParent = parent->hitTest(x, y, ray, projection, hit) != 0;
    const bool written = std::isfinite(hit.x) && std::isfinite(hit.y) && std::isfinite(hit.z);
    double p1 = 0.0, p2 = 0.0;
    if ((hitParent || written) && parent->parameterOf(hit, p1, p2)) {
        point.param1 = p1;
        point.param2 = p2;
    }
}

bool anySelectedOnScreen(const Construction& c) {
    bool any = false;
    c.forEachTopLevel([&any](const Element& e) { any = any || (e.selected && isNumericKind(e.kind())); });
    return any;
}

}  // namespace

ViewSession::ViewSession(Document& document, SessionHost& host, Clipboard& clipboard)
    : document_(document), host_(host), clipboard_(clipboard) {
    acceptTable_.fill(true);
}

ViewSession::~ViewSession() = default;

void ViewSession::openDialog(std::unique_ptr<DialogModel> dialog) {
    if (dialog_ && !dialog_->closed()) {
        std::string ignored;
        dialog_->press("cancel", ignored);
    }
    dialog_ = std::move(dialog);
    if (dialog_) host_.showDialog(*dialog_);
    redraw_ = true;
}

DialogModel* ViewSession::openDialog() {
    // A closed dialog is kept until the next one opens: its window may still
    // be finishing with it (a paint or a callback while a modal face returns).
    return dialog_ && !dialog_->closed() ? dialog_.get() : nullptr;
}

bool ViewSession::takeRedraw() {
    const bool due = redraw_;
    redraw_ = false;
    return due;
}

void ViewSession::activate() {
    setTool(kSelectionTool);
    mouse_.reset();
    hover_.reset();
    held_ = {};
    clickPending_ = false;
    dragging_ = false;
    pressedElement_ = nullptr;
    gestureRan_ = false;
    dragSnapshotTaken_ = false;
    verticalMode_ = false;
    redraw_ = true;
}

// ---- hover

void ViewSession::refreshHover(int x, int y) {
    const HoverUpdate update = updateHover(hover_, document_, viewport_, x, y, pickRules(), screenTexts_);
    if (update.grabbed) {
        // A drag starts from the grabbed point.
        mousePoint_ = update.grabPoint;
        previousMousePoint_ = update.grabPoint;
        mousePointValid_ = true;
    }
    if (update.redraw) redraw_ = true;
}

void ViewSession::refreshHoverAtCursor() {
    if (!document_.view.autoRotate) refreshHover(cursorX_, cursorY_);
}

// ---- mouse

void ViewSession::mousePress(MouseButton button, int x, int y, SessionKeys keys) {
    cursorX_ = x;
    cursorY_ = y;
    lastMoveX_ = x;
    lastMoveY_ = y;
    if (button == MouseButton::Right) {
        held_.right = true;
        mouse_.press(held_.left, true, x, y, hover_.hovered);
        redraw_ = true;
        return;
    }
    held_.left = true;
    if (hover_.hovered) {
        clickPending_ = true;
        pressedElement_ = hover_.hoveredElement;
    }
    mouse_.press(true, held_.right, x, y, hover_.hovered);
    lastDragX_ = x;
    lastDragY_ = y;
    // Tools that place points take the 3-D mouse position under the click; with
    // the selection tool it stays at the grabbed point.
    if (toolNumber_ != 0) updateMousePoint();
    click(x, y, keys);
}

void ViewSession::mouseMove(int x, int y, MouseButtons held, SessionKeys keys) {
    cursorX_ = x;
    cursorY_ = y;
    held_ = held;
    const int dx = x - lastMoveX_;
    const int dy = y - lastMoveY_;
    lastMoveX_ = x;
    lastMoveY_ = y;

    if (dragging_ && !held.left) dragging_ = false;  // the release went elsewhere
    if (held.left && clickPending_ && !dragging_ && toolNumber_ == 0 &&
        (std::abs(x - lastDragX_) > kDragThreshold || std::abs(y - lastDragY_) > kDragThreshold)) {
        dragging_ = true;
        hover_.reset();
        redraw_ = true;
    }
    if (dragging_) {
        dragStep(x - lastDragX_, y - lastDragY_);
        lastDragX_ = x;
        lastDragY_ = y;
        return;
    }

    if (held.left || held.right) {
        const GestureKeys gestureKeys{keys.shift, keys.ctrl};
        const ViewStep step =
            mouse_.move(document_.view, x, y, held.left, held.right, gestureKeys, toolNumber_, screenScale_);
        if (step == ViewStep::CameraMoved) {
            gestureRan_ = true;
            redraw_ = true;
        } else if (step == ViewStep::MoveScreenElements) {
            gestureRan_ = true;
            if (!dragSnapshotTaken_) takeSnapshot();
            moveScreenElements(dx, dy, false);
            redraw_ = true;
        }
        return;
    }

    if (!keys.shift && !keys.ctrl) refreshHoverAtCursor();
    if (!hover_.hovered && !keys.ctrl && canMakePoints()) {
        ghostRequested_ = true;
        updateMousePoint();
        redraw_ = true;
    }
}

void ViewSession::mouseRelease(MouseButton button, int x, int y, MouseButtons held, SessionKeys keys) {
    cursorX_ = x;
    cursorY_ = y;
    held_ = held;
    Element* const hovered = hover_.hovered ? hover_.hoveredElement : nullptr;
    if (button == MouseButton::Left) {
        // A tool's click may have replaced the construction the press was on (and
        // with it the hover): the press counts only while the element it was on
        // is still the hovered one. The pointer is compared, never followed.
        const bool pressedHere =
            pressedElement_ != nullptr && hover_.hovered && hover_.hoveredElement == pressedElement_;
        if (dragging_) {
            dragging_ = false;
            redraw_ = true;
            host_.constructionChanged();
        } else if (!clickPending_ || !pressedHere || !hover_.hovered || isConstructionTool(toolNumber_)) {
            if (!gestureRan_ && !keys.shift) clearSelection();
        } else {
            pressedElement_->selected = pressedElement_->selected ? 0 : 1;
            redraw_ = true;
            host_.constructionChanged();
        }
        clickPending_ = false;
        pressedElement_ = nullptr;
    }
    if (mouse_.release(document_, held.left, held.right)) host_.constructionChanged();
    if (!held.left && !held.right) {
        gestureRan_ = false;
        dragSnapshotTaken_ = false;
    }
    if (button == MouseButton::Left && !keys.ctrl) refreshHoverAtCursor();
    if (button == MouseButton::Right && hovered != nullptr && toolNumber_ == 0 && !hover_.isCandidate()) {
        hover_.reset();
        redraw_ = true;
        openElementDialog(*hovered);
    }
}

void ViewSession::doubleClick(int x, int y, SessionKeys) {
    cursorX_ = x;
    cursorY_ = y;
    if (toolNumber_ != 0 || !hover_.hovered) return;
    Element* hovered = hover_.isCandidate() ? nullptr : hover_.hoveredElement;
    // Decided before a dialog may switch the document to another construction.
    const bool calculation = hovered != nullptr && hovered->typeCode() == TypeCode::Calculation;
    if (hovered != nullptr && !calculation) openDoubleClickDialog(*hovered);
    // The selection is cleared in any case.
    clearSelection();
    if (calculation) editCalculation(*hovered);
}

// ---- keys

void ViewSession::keyDown(SessionKey key, SessionKeys) {
    if (key == SessionKey::Shift || key == SessionKey::Ctrl) {
        if (key == SessionKey::Shift && canMakePoints()) {
            hover_.reset();
            ghostRequested_ = true;
            redraw_ = true;
        }
        if ((key == SessionKey::Shift || isConstructionTool(toolNumber_)) && mousePointValid_)
            verticalMode_ = true;
        return;
    }
    if (dragging_) return;
    hover_.reset();
    // The keys of the "Borrar" command and of the selection tool.
    if (key == SessionKey::Delete) {
        command(57632);
        return;
    }
    if (key == SessionKey::Escape) {
        setTool(0);
        return;
    }
    if (toolNumber_ != 0) return;
    Construction& c = document_.construction();
    switch (key) {
        case SessionKey::Left:
        case SessionKey::Right:
        case SessionKey::Up:
        case SessionKey::Down: {
            if (!anySelectedOnScreen(c)) return;
            if (!dragSnapshotTaken_) takeSnapshot();
            const int dx = key == SessionKey::Left ? -1 : key == SessionKey::Right ? 1 : 0;
            const int dy = key == SessionKey::Up ? -1 : key == SessionKey::Down ? 1 : 0;
            moveScreenElements(dx, dy, true);
            break;
        }
        case SessionKey::Plus:
        case SessionKey::Minus:
            if (!anySteppable(c)) return;
            if (!dragSnapshotTaken_) takeSnapshot();
            stepSelected(document_.construction(), key == SessionKey::Plus ? 1 : -1);
            break;
        default:
            return;
    }
    document_.recompute();
    redraw_ = true;
}

void ViewSession::keyUp(SessionKey key, SessionKeys) {
    verticalMode_ = false;
    if (dragging_) return;  // the drag keeps its one undo step
    refreshHoverAtCursor();
    if (!hover_.hovered && canMakePoints()) {
        ghostRequested_ = true;
        redraw_ = true;
    }
    const bool sequenceChanged = dragSnapshotTaken_;
    dragSnapshotTaken_ = false;
    if (sequenceChanged && toolNumber_ == 0 && (key == SessionKey::Plus || key == SessionKey::Minus)) {
        redraw_ = true;
        host_.constructionChanged();
    }
}

// ---- the 3-D mouse position and the ghost point

void ViewSession::updateMousePoint() {
    const ViewState& view = document_.view;
    const Vec3 nearPoint = unprojectPoint(view, viewport_, cursorX_, cursorY_, kMouseNearDepth);
    const Vec3 farPoint = unprojectPoint(view, viewport_, cursorX_, cursorY_, kMouseFarDepth);
    previousMousePoint_ = mousePoint_;
    const auto inFront = [&](Vec3 p) {
        double x = 0.0, y = 0.0, depth = 0.0;
        return projectPoint(view, viewport_, p, x, y, depth) && depth < 1.0;
    };
    Vec3 hit;
    if (verticalMode_) {
        // The vertical plane through (x, y) across the line of sight.
        const Vec3 base{mousePoint_.x, mousePoint_.y, 0.0};
        const Vec3 across{nearPoint.y, -nearPoint.x, 0.0};
        const bool met =
            intersectLinePlane(nearPoint, farPoint, base, base + Vec3{0, 0, 1}, base + across, hit) == 1 &&
            inFront(hit);
        mousePoint_.z = met ? hit.z : 0.0;
        return;
    }
    const double z = mousePoint_.z;
    mousePointValid_ =
        intersectLinePlane(nearPoint, farPoint, {0, 0, z}, {1, 0, z}, {0, 1, z}, hit) == 1 && inFront(hit);
    if (mousePointValid_) {
        mousePoint_.x = hit.x;
        mousePoint_.y = hit.y;
    }
}

void ViewSession::drawGhost(Canvas& canvas) {
    if (!ghostRequested_) return;
    ghostRequested_ = false;
    if (!mousePointValid_) return;
    const Vec3 p = mousePoint_;
    const bool black = document_.view.backgroundColour == 0;
    const std::uint32_t selected = document_.view.selectedColour;
    // To the planes x = 0, y = 0 and z = 0.
    const std::array<Vec3, 3> feet = {Vec3{0, p.y, p.z}, Vec3{p.x, 0, p.z}, Vec3{p.x, p.y, 0}};
    const std::array<double, 3> along = {p.x, p.y, p.z};
    for (std::size_t i = 0; i < 3; ++i)
        canvas.guideLine(p, feet[i], black ? kGuideColours[i] : selected, along[i] < 0.0);
    canvas.guideDot(p, selected, kGhostDotPixels);
}

// ---- dragging

void ViewSession::takeSnapshot() {
    Construction& current = document_.construction();
    current.saveSelection();
    const int pressedIndex = current.indexOf(pressedElement_);
    std::unique_ptr<Construction> copy = current.copy();
    copy->restoreSelection();
    document_.commit(std::move(copy));
    // Everything that pointed into the recorded construction now points into the copy.
    pressedElement_ = pressedIndex >= 0 ? document_.construction().at(pressedIndex) : nullptr;
    hover_.reset();
    dragSnapshotTaken_ = true;
}

void ViewSession::moveScreenElements(int dx, int dy, bool selectedOnly) {
    document_.construction().forEachTopLevel([&](Element& e) {
        if (isNumericKind(e.kind()) && (e.selected || !selectedOnly)) moveOnScreen(e, dx, dy);
    });
}

void ViewSession::dragStep(int dx, int dy) {
    if (!dragSnapshotTaken_) takeSnapshot();
    Element* const dragged = pressedElement_;
    if (dragged == nullptr) return;
    Construction& c = document_.construction();
    updateMousePoint();
    const Vec3 delta = mousePoint_ - previousMousePoint_;

    // Mark what moves through its free points.
    c.clearMarks();
    const bool draggedSelected = dragged->selected != 0;
    if (draggedSelected) {
        c.forEach([&c](Element& e) {
            if (!e.selected || movesOnItsOwn(e)) return;
            e.mark = 1;
            c.markAncestors(&e, false);
        });
    } else if (!movesOnItsOwn(*dragged)) {
        dragged->mark = 1;
        c.markAncestors(dragged, false);
    }

    const PickRay ray = pickRay(document_.view, viewport_, cursorX_, cursorY_);
    const bool draggedOnObject = dragged->typeCode() == TypeCode::PointOnObject;
    c.forEachTopLevel([&](Element& e) {
        const bool isDragged = &e == dragged;
        if (!e.mark && !isDragged && !e.selected) return;
        const bool bothSelected = draggedSelected && e.selected;
        if (isNumericKind(e.kind())) {
            if (isDragged || bothSelected) moveOnScreen(e, dx, dy);
            return;
        }
        if (e.typeCode() == TypeCode::PointOnObject) {
            if (!isDragged && !(draggedOnObject && bothSelected)) return;
            slideOnParent(static_cast<PointOnObject&>(e), cursorX_, cursorY_, ray, document_.view.projection);
            return;
        }
        if (e.typeCode() == TypeCode::FreePoint && (isDragged || e.mark || bothSelected)) {
            auto& point = static_cast<Point&>(e);
            point.position = point.position + delta;
        }
    });
    c.clearMarks();
    document_.recompute();
    redraw_ = true;
}

// ---- selection

void ViewSession::clearSelection() {
    Construction& c = document_.construction();
    if (c.selectedCount() == 0) return;
    c.setSelectedAll(0, false);
    redraw_ = true;
    host_.constructionChanged();
}

void ViewSession::constructionReplaced() {
    hover_.reset();
    clickPending_ = false;
    dragging_ = false;
    pressedElement_ = nullptr;
    // Picks and temporary points refer to the construction left behind.
    if (pickCount_ > 0 || !pickList_.empty() || !temporaries_.empty()) setTool(toolNumber_, false);
    redraw_ = true;
    host_.constructionChanged();
}
