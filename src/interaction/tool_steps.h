#pragma once

#include <initializer_list>

#include "interaction/view_session.h"

struct IntersectionRecipe;

// What each construction tool does with its picks: after every counted pick
// it narrows what the next pick may be or, when the picks are complete, makes
// the new elements and commits them. One-click tools act on the element under
// the cursor directly.
class ToolSteps {
  public:
    explicit ToolSteps(ViewSession& session) : s_(session) {}

    // A pick was just appended to the pick list.
    void afterPick(Element* picked, int x, int y, SessionKeys keys);
    // The polygon tool's click on a point it already holds.
    void closePolygon();
    // The free point tool's click.
    void freePoint(int x, int y);
    // The redefine tool's second click.
    void redefine(int x, int y);
    // Tools that act on the element under the cursor at once (coordinates,
    // edit, delete, hide/show).
    void oneElement(ToolAction action, int x, int y);

  private:
    Element* pick(int i) const { return s_.pickList_[static_cast<std::size_t>(i)]; }
    ElementPtr make(TypeCode typeCode, std::initializer_list<Element*> parents);
    ElementPtr makeMeasure(TypeCode typeCode, std::initializer_list<Element*> parents, int x, int y);
    ElementPtr makeIntersection(const IntersectionRecipe& recipe, int rootIndex);

    void sequence(const ToolRow& row);
    void transformation(const ToolRow& row);
    void circle(Element* picked);
    void pointAndAxis(ToolAction action, Element* picked);
    void reference(ToolAction action, Element* picked, SessionKeys keys);
    void intersection(Element* picked);
    void intersectionLine(Element* picked);
    void locus(SessionKeys keys);
    void centre(Element* picked);
    void length(Element* picked, int x, int y);
    void angle(Element* picked, int x, int y);
    void area(Element* picked, int x, int y);
    void volume(Element* picked, int x, int y);

    ViewSession& s_;
};
