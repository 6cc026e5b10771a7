#include <QApplication>

#include "engine/TagLibTagReader.h"
#include "platform/PosixFileSystem.h"
#include "ui/AboutDialog.h"
#include "ui/HelpWindow.h"
#include "ui/Id3OptionsDialog.h"
#include "ui/MainDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/ProcMountsVolumeSource.h"
#include "ui/QtMessageBox.h"
#include "ui/Resources.h"

int main(int argc, char** argv) {
    using namespace nameshift;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(platform::kProgramTitle));
    ui::loadResources();

    platform::PosixFileSystem fileSystem;
    ui::QtMessageBox messages;
    engine::TagLibTagReader tags;
    ui::ProcMountsVolumeSource volumes(fileSystem);

    ui::MainDialogServices services{fileSystem, messages, tags, volumes};
    ui::DialogHooks hooks;
    hooks.options = [](const ui::DialogContext& context) {
        ui::OptionsDialog(context.fileSystem, context.messages, context.paths.programOptions,
                          context.parent)
            .exec();
    };
    hooks.id3Options = [](const ui::DialogContext& context) {
        ui::Id3OptionsDialog(context.fileSystem, context.messages, context.paths.id3Options,
                             context.parent)
            .exec();
    };
    hooks.about = [](const ui::DialogContext& context) {
        ui::AboutDialog(context.messages, context.parent).exec();
    };
    hooks.help = [](const ui::DialogContext& context) { ui::HelpWindow::showHelp(context.parent); };
    ui::MainDialog dialog(std::move(services), std::move(hooks));
    messages.setParent(&dialog);
    dialog.startUp();
    dialog.exec();
    return 0;
}
