#pragma once

#include <string>

#include "interaction/session_host.h"

// A host that answers every question with "cancel" and shows nothing: the
// benchmarks drive a session without a user.
class QuietHost : public SessionHost {
  public:
    void message(int, MessageIcon) override {}
    int askRegularPolygonSides() override { return 0; }
    TypeCode askRegularPolyhedron() override { return TypeCode::None; }
    void setClipboardText(const std::string&) override {}
};
