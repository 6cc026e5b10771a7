// Opens the main window on the one screen the offscreen platform was configured with (a screen
// is fixed when a process starts), first as it opens and then with "More rules" open, and prints
// where the screen's free area, the window and the controls that must stay in view are: a line
// "<state> <name> <x> <y> <width> <height>" each, in the window system's logical pixels. Its
// argument, when given, is the width of the file side kept from the window's last run.
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "UiFakes.h"
#include "settings/Id3OptionsFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/WindowLayoutFile.h"
#include "ui/MainDialog.h"
#include "ui/Resources.h"

namespace {

using namespace nameshift;

void print(const char* state, const char* name, const QRect& area) {
    std::printf("%s %s %d %d %d %d\n", state, name, area.x(), area.y(), area.width(),
                area.height());
}

void printGlobal(const char* state, const char* name, const QWidget* widget) {
    print(state, name, QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

void printWindow(const char* state, const ui::MainDialog& dialog) {
    print(state, "screen", dialog.screen()->availableGeometry());
    print(state, "window", dialog.frameGeometry());
    const ui::MainDialogControls& c = dialog.controls();
    printGlobal(state, "preview", c.preview);
    printGlobal(state, "apply", c.apply);
    printGlobal(state, "exit", c.exit);
    printGlobal(state, "about", c.about);
    printGlobal(state, "status", dialog.filePanel().controls().status);
    printGlobal(state, "files", &dialog.filePanel());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::loadResources();
    testing::TempDir dir;
    dir.makeDirectory("prog");
    dir.write("work/Holiday Rome 2024 0001.jpg");
    settings::ProgramOptions options;
    options.useStartupDir = true;
    options.startupDirPath = dir.file("work");
    dir.write("prog/opt.ini", settings::formatProgramOptions(options));
    dir.write("prog/ID3Opts.ini", settings::formatId3Options({}));
    dir.write("prog/renset.ini",
              settings::formatRenameSettings(settings::RenameSettings::whenFileMissing()));
    // The first argument: the width of the file side the window was left with last.
    if (argc > 1 && std::atoi(argv[1]) > 0) {
        dir.write("prog/window.ini",
                  settings::formatWindowLayout({.filePaneWidth = std::atoi(argv[1])}));
    }

    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
    testing::NoTags tags;
    testing::FixedVolumes volumes{{"/"}};
    ui::MainDialogServices services(fs, messages, tags, volumes);
    services.startDirectory = dir.file("prog");
    services.splashMilliseconds = 0;
    ui::MainDialog dialog(std::move(services));
    if (!dialog.startUp()) {
        return 1;
    }
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        return 1;
    }
    std::printf("ratio %g\n", dialog.devicePixelRatioF());
    printWindow("opened", dialog);
    dialog.rulePanel().moreRules().controls().toggle->click();
    QApplication::processEvents();
    QApplication::processEvents();
    printWindow("more", dialog);
    return messages.shown.empty() ? 0 : 1;
}
