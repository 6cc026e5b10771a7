#pragma once

#include <QString>
#include <QWidget>

#include <utility>

#include "engine/batch/RenameSession.h"
#include "settings/SettingsPaths.h"
#include "ui/MainDialogServices.h"
#include "ui/NewNameColumn.h"

namespace nameshift::ui {

// Opens the main window's other dialogs through their hooks, and after the options and tag
// naming options reads their files again into the session, however the dialogs were closed.
class DialogOpener {
public:
    DialogOpener(QWidget& window, MainDialogServices& services, DialogHooks hooks,
                 engine::RenameSession& session, const settings::SettingsPaths& paths,
                 NewNameColumn& newNames)
        : window_(window),
          services_(services),
          hooks_(std::move(hooks)),
          session_(session),
          paths_(paths),
          newNames_(newNames) {}

    void openOptions();
    void openTagNamingOptions();
    void openAbout();
    void openHelp(const QString& page);
    // Says so when morerules.ini holds a history option that is not a number the history takes.
    void tellRefusedHistoryOptions();

private:
    DialogContext context();

    QWidget& window_;
    MainDialogServices& services_;
    DialogHooks hooks_;
    engine::RenameSession& session_;
    const settings::SettingsPaths& paths_;
    NewNameColumn& newNames_;
};

}  // namespace nameshift::ui
