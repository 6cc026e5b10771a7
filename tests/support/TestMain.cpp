#include <gtest/gtest.h>

#include "TestProcess.h"

int main(int argc, char** argv) {
    const nameshift::testing::TestProcess process;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
