#pragma once

#include <QDialog>

#include <functional>

#include "engine/batch/CommandReport.h"
#include "engine/batch/RenameSession.h"
#include "engine/records/FolderHistory.h"
#include "settings/SettingsPaths.h"
#include "ui/FileListing.h"
#include "ui/MainDialogServices.h"
#include "ui/NewNameColumn.h"

namespace nameshift::ui {

// The main window's commands on the session: preview, apply, restore, the history's undo and
// redo, and saving the rules. Each works on the session's rules, which the rule panel keeps as
// the window shows them, and leaves the listing as its report says.
class BatchCommands {
public:
    BatchCommands(QDialog& window, MainDialogServices& services, engine::RenameSession& session,
                  const settings::SettingsPaths& paths, FileListing& listing,
                  NewNameColumn& newNames)
        : window_(window),
          services_(services),
          session_(session),
          paths_(paths),
          listing_(listing),
          newNames_(newNames) {}

    void preview();
    void apply();
    void restore();
    // The shown folder's last batch, after a question; the folder's batch undone last; the one
    // picked from the history, after the same question.
    void undoLast();
    void redo();
    void openHistory();
    void save();
    // New names for the ticked files from the names as text, edited or imported (`importFirst`);
    // the New Name column shows them until a command runs or the list is filled again.
    void editNames(bool importFirst);

    // Runs a command; one stopped by an exception leaves the list read anew.
    void run(const std::function<void()>& command);
    // Offers to undo or finish each interrupted batch, with the progress of a batch.
    void offerRecovery();

private:
    // Asks whether to undo `batch`, and on Yes undoes it.
    void undoHistoryBatch(const engine::HistoryBatch& batch);
    // Shows what the command reports, then fills the list again or closes the program as it says.
    void afterCommand(const engine::CommandReport& report);

    QDialog& window_;
    MainDialogServices& services_;
    engine::RenameSession& session_;
    const settings::SettingsPaths& paths_;
    FileListing& listing_;
    NewNameColumn& newNames_;
};

}  // namespace nameshift::ui
