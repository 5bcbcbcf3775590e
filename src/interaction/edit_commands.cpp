#include "interaction/view_session.h"

// Placeholder bodies; the edit commands replace them.

bool ViewSession::command(int) {
    return false;
}

bool ViewSession::commandEnabled(int) const {
    return false;
}
