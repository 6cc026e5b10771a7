#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "ui/Resources.h"

// The widget tests share one application object, drawn offscreen so that no display is needed.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("LANG", "C.UTF-8", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    nameshift::ui::loadResources();
    return RUN_ALL_TESTS();
}
