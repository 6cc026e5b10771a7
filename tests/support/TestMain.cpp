#include <gtest/gtest.h>

#include <cstdlib>

// Tests never need a display: the Qt parts draw offscreen unless told otherwise.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("LANG", "C.UTF-8", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
