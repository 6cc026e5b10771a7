#include <gtest/gtest.h>

#include <QApplication>

#include "TestProcess.h"
#include "ui/Resources.h"

// The widget tests share one application object.
int main(int argc, char** argv) {
    const nameshift::testing::TestProcess process;
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    nameshift::ui::loadResources();
    return RUN_ALL_TESTS();
}
