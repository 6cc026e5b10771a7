#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

// Tests never need a display: the Qt parts draw offscreen unless told otherwise.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("LANG", "C.UTF-8", 0);
    // Batches keep their journals in the user's state folder; a test's belong to the test alone.
    char stateHome[] = "/tmp/nameshift-state-XXXXXX";
    if (::mkdtemp(stateHome) != nullptr) {
        ::setenv("XDG_STATE_HOME", stateHome, 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(stateHome, ignored);
    return result;
}
