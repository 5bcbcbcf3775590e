#include "interaction/view_session.h"

#include "geometry/intersections_lines_planes.h"

ViewSession::ViewSession(Document& document, SessionHost& host, Clipboard& clipboard)
    : document_(document), host_(host), clipboard_(clipboard) {
    acceptTable_.fill(true);
}

ViewSession::~ViewSession() = default;

bool ViewSession::takeRedraw() {
    const bool due = redraw_;
    redraw_ = false;
    return due;
}

// Minimal bodies, enough for the tools to be driven by clicks; selection and
// dragging replace them.

void ViewSession::refreshHover(int x, int y) {
    if (updateHover(hover_, document_, viewport_, x, y, pickRules(), screenTexts_).redraw) redraw_ = true;
}

void ViewSession::mousePress(MouseButton button, int x, int y, SessionKeys keys) {
    cursorX_ = x;
    cursorY_ = y;
    updateMousePoint();
    if (button == MouseButton::Left) click(x, y, keys);
}

void ViewSession::mouseMove(int x, int y, MouseButtons held, SessionKeys keys) {
    cursorX_ = x;
    cursorY_ = y;
    if (!held.left && !held.right && !keys.shift && !keys.ctrl) refreshHover(x, y);
    updateMousePoint();
}

void ViewSession::mouseRelease(MouseButton, int x, int y, MouseButtons, SessionKeys) {
    cursorX_ = x;
    cursorY_ = y;
}

void ViewSession::doubleClick(int, int, SessionKeys) {}
void ViewSession::keyDown(SessionKey, SessionKeys) {}
void ViewSession::keyUp(SessionKey, SessionKeys) {}

void ViewSession::updateMousePoint() {
    const PickRay ray = pickRay(document_.view, viewport_, cursorX_, cursorY_);
    previousMousePoint_ = mousePoint_;
    const double z = mousePoint_.z;
    Vec3 hit;
    mousePointValid_ =
        intersectLinePlane(ray.nearPoint, ray.farPoint, {0, 0, z}, {1, 0, z}, {0, 1, z}, hit) == 1;
    if (mousePointValid_) {
        mousePoint_.x = hit.x;
        mousePoint_.y = hit.y;
    }
}

void ViewSession::drawGhost(Canvas&) {
    ghostRequested_ = false;
}

void ViewSession::dragStep(int, int) {}
