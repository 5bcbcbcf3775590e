#pragma once

#include <string>

#include "interaction/view_session.h"

// Where a script opens a dialog: the window position it names, if any, and
// for @NAME the element of that name.
struct DialogTarget {
    bool hasPosition = false;
    int x = 0;
    int y = 0;
    Element* element = nullptr;
};

// Opens a dialog by the name a script gives it ("element", "coordinates", …)
// on the session, as the window's gesture or menu item would; false with the
// reason when there is no such dialog or the target does not suit it.
bool openScriptDialog(ViewSession& session, const std::string& kind, const DialogTarget& target,
                      std::string& error);
