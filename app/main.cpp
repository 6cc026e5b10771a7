#include <QApplication>

#include "engine/TagLibTagReader.h"
#include "platform/PosixFileSystem.h"
#include "ui/MainDialog.h"
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
    ui::MainDialog dialog(std::move(services), std::move(hooks));
    messages.setParent(&dialog);
    dialog.startUp();
    dialog.exec();
    return 0;
}
