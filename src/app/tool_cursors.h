#pragma once

#include <QCursor>

#include "interaction/tool_table.h"

// The view's cursor for what the session says: Qt's own shapes where one
// says it (arrow, cross, hands, the text beam), small drawings of our own for
// the tools that have their own. Drawn anew at each call: ask when it changes.
QCursor toolCursor(ToolCursor cursor);
