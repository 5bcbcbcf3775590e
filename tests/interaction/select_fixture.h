#pragma once

// A document of real elements with a session over an 800 x 600 view, and the
// gestures a user makes on it, in window pixels from projectPoint.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <utility>

#include <gtest/gtest.h>

#include "elements/point.h"
#include "elements/straight_element.h"
#include "interaction/fake_host.h"
#include "interaction/view_session.h"
#include "model/clipboard.h"
#include "model/document.h"
#include "view/camera.h"

inline const KindStyle kSelectStyle{0, 2, 0, 0, 0x3366CC};

struct Pixel {
    int x = 0;
    int y = 0;
};

struct SelectScene {
    Document doc;
    FakeHost host;
    Clipboard clipboard;
    std::unique_ptr<ViewSession> session;

    // Appends an element with its parents, defined and recomputed.
    template <typename T, typename... Args>
    T* add(std::initializer_list<Element*> parents, Args&&... args) {
        auto e = std::make_unique<T>(std::forward<Args>(args)...);
        e->defined = 1;
        T* added = static_cast<T*>(doc.construction().appendOn(std::move(e), parents));
        EXPECT_TRUE(added);
        if (added) added->recompute(doc.construction(), doc.recomputeContext());
        return added;
    }
    Point* point(Vec3 at) {
        Point* p = add<Point>({}, TypeCode::FreePoint, kSelectStyle);
        p->position = at;
        return p;
    }
    StraightElement* straight(TypeCode code, Element* a, Element* b) {
        return add<StraightElement>({a, b}, code, kSelectStyle);
    }

    // Once the construction is built: the first record and the session.
    ViewSession& start() {
        doc.recompute();
        doc.startHistory();
        session = std::make_unique<ViewSession>(doc, host, clipboard);
        session->setViewport({800, 600});
        return *session;
    }

    // The element at a position of the current construction (commands and
    // drags switch the document to copies).
    template <typename T = Element>
    T* at(int index) {
        return static_cast<T*>(doc.construction().at(index));
    }
    Vec3 positionAt(int index) { return at<Point>(index)->position; }

    Pixel pixelOf(Vec3 p) const {
        double x = 0.0, y = 0.0, depth = 0.0;
        EXPECT_TRUE(projectPoint(doc.view, session->viewport(), p, x, y, depth));
        return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    }

    // ---- gestures
    void move(Pixel p, SessionKeys keys = {}) { session->mouseMove(p.x, p.y, {}, keys); }
    void click(Pixel p, SessionKeys keys = {}) {
        move(p, keys);
        session->mousePress(MouseButton::Left, p.x, p.y, keys);
        session->mouseRelease(MouseButton::Left, p.x, p.y, {}, keys);
    }
    // The mouse goes to from (picking what is there), the left button goes
    // down, the mouse moves to `to` in steps of at most 4 pixels, the button goes up.
    void drag(Pixel from, Pixel to, SessionKeys keys = {}) {
        move(from, keys);
        session->mousePress(MouseButton::Left, from.x, from.y, keys);
        Pixel at = from;
        while (at.x != to.x || at.y != to.y) {
            at.x += std::clamp(to.x - at.x, -4, 4);
            at.y += std::clamp(to.y - at.y, -4, 4);
            session->mouseMove(at.x, at.y, {true, false}, keys);
        }
        session->mouseRelease(MouseButton::Left, to.x, to.y, {}, keys);
    }
    // A drag with Shift held as a user holds it: down before, up after.
    void shiftDrag(Pixel from, Pixel to) {
        move(from);
        session->keyDown(SessionKey::Shift, {true, false});
        drag(from, to, {true, false});
        session->keyUp(SessionKey::Shift, {});
    }
    void key(SessionKey k, int presses = 1) {
        for (int i = 0; i < presses; ++i) session->keyDown(k, {});
        session->keyUp(k, {});
    }
};
