// The rendering tests draw text through Qt, which needs a QGuiApplication;
// it runs on the offscreen platform, so no display is needed.

#include <gtest/gtest.h>

#include "view/gl/qt_text.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!ensureGuiApplication()) return 1;
    return RUN_ALL_TESTS();
}
