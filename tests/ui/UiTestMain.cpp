#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "ui/Resources.h"

// The widget tests share one application object, drawn offscreen so that no display is needed.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("LANG", "C.UTF-8", 0);
    // Batches keep their journals in the user's state folder; a test's belong to the test alone.
    char stateHome[] = "/tmp/nameshift-state-XXXXXX";
    if (::mkdtemp(stateHome) != nullptr) {
        ::setenv("XDG_STATE_HOME", stateHome, 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    nameshift::ui::loadResources();
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(stateHome, ignored);
    return result;
}
