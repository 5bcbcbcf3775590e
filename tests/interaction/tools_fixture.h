#pragma once

// A document with a view session driven by window positions, as the window
// drives it, and small helpers that lay out a scene before the tools run.

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

#include "elements/point.h"
#include "expr/number_element.h"
#include "fake_host.h"
#include "interaction/view_session.h"
#include "io/element_factory.h"
#include "model/clipboard.h"
#include "model/document.h"
#include "model/type_codes.h"
#include "view/camera.h"

struct Pixel {
    int x = 0;
    int y = 0;
};

class ToolsTest : public ::testing::Test {
  protected:
    ToolsTest() {
        session.setViewport(kViewport);
        // Every number measures 40 × 16 pixels, whatever it shows.
        ScreenTextContext screenTexts;
        screenTexts.measure = [](std::string_view, const FontRecord&) { return TextExtent{40, 16}; };
        session.setScreenTexts(std::move(screenTexts));
    }

    static constexpr Viewport kViewport{800, 600};

    Construction& construction() { return document.construction(); }
    int count() { return construction().count(); }
    Element* last() { return construction().last(); }

    Pixel pixelOf(Vec3 p) const {
        double x = 0.0, y = 0.0, depth = 0.0;
        EXPECT_TRUE(projectPoint(document.view, kViewport, p, x, y, depth));
        return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    }

    // The mouse moves there (the hover follows), then the left button goes down and up.
    void click(Pixel p, SessionKeys keys = {}) {
        session.mouseMove(p.x, p.y, {}, {});
        session.mousePress(MouseButton::Left, p.x, p.y, keys);
        session.mouseRelease(MouseButton::Left, p.x, p.y, {}, keys);
    }
    void clickAt(Vec3 p, SessionKeys keys = {}) { click(pixelOf(p), keys); }

    // Scene set-up: elements appended directly, before the history starts.
    Element* add(TypeCode typeCode, std::initializer_list<Element*> parents) {
        Element* added = appendElement(construction(), typeCode, parents, KindStyle{});
        EXPECT_TRUE(added) << codeValue(typeCode);
        if (!added) return nullptr;
        added->defined = 1;
        added->recompute(construction(), document.recomputeContext());
        return added;
    }
    Point* addFree(Vec3 at, const char* name = nullptr) {
        auto* p = static_cast<Point*>(add(TypeCode::FreePoint, {}));
        p->position = at;
        if (name) p->setName(name);
        return p;
    }
    // A number showing in the box from (x, y), 40 × 16 pixels as the session measures it.
    NumberElement* addNumberAt(TypeCode typeCode, int x, int y,
                               std::initializer_list<Element*> parents = {}) {
        auto* n = static_cast<NumberElement*>(add(typeCode, parents));
        n->position = {x, y};
        return n;
    }
    // Whatever the tools made, the construction stays one the file reader
    // accepts: every parent exists, comes earlier and is of a kind its code takes.
    void TearDown() override {
        const Construction& c = construction();
        for (int i = 0; i < c.count(); ++i) {
            const Element& e = *c.at(i);
            const TypeCodeInfo* info = typeCodeInfo(e.typeCode());
            ASSERT_NE(info, nullptr) << e.typeCode();
            for (int k = 0; k < e.parentCount(); ++k) {
                const Element* p = e.parents[static_cast<std::size_t>(k)];
                const int j = c.indexOf(p);
                EXPECT_TRUE(j >= 0 && j < i) << "element " << i << " parent " << k;
                if (p) {
                    EXPECT_TRUE(acceptsParentKind(*info, k, p->kind())) << e.typeCode() << " parent " << k;
                }
            }
        }
    }

    // Scene ready: the history starts from it.
    void start() {
        document.recompute();
        document.startHistory();
    }

    Document document;
    FakeHost host;
    Clipboard clipboard;
    ViewSession session{document, host, clipboard};
};
