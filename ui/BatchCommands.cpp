#include "ui/BatchCommands.h"

#include "ui/NameListDialog.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/batch/BatchRecovery.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/commands/CommandGuard.h"
#include "engine/commands/PreviewCommand.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/commands/UndoCommand.h"
#include "engine/records/BatchHistory.h"
#include "settings/MoreRulesFile.h"
#include "settings/RenameSettingsFile.h"
#include "ui/HistoryDialog.h"
#include "ui/HistoryMessages.h"
#include "ui/MessageBoxQuestions.h"
#include "ui/PreviewDialog.h"
#include "ui/QtBatchProgress.h"
#include "ui/QtRestoreFilePicker.h"
#include "ui/RecoveryOffer.h"

namespace nameshift::ui {

// The progress texts are the main window's, and keep their place in its catalogue.

// The commands plan the batch anew; the column is finished first so that nothing of it is
// computed while a command works on the list, and it shows what the command judged.
void BatchCommands::preview() {
    if (listing_.leaveGoneDirectory()) {
        return;
    }
    newNames_.finish();
    PreviewDialog dialog(&window_, services_.runModal);
    engine::showReport(services_.messages, engine::preview(session_, dialog));
}

void BatchCommands::apply() {
    if (listing_.leaveGoneDirectory()) {
        return;
    }
    newNames_.finish();
    QtBatchProgress progress(
        &window_, QCoreApplication::translate("nameshift::ui::MainDialog", "Renaming files..."));
    MessageBoxQuestions questions(services_.messages);
    afterCommand(engine::applyChanges(session_, questions, &progress));
}

void BatchCommands::restore() {
    newNames_.finish();
    QtBatchProgress progress(&window_, QCoreApplication::translate("nameshift::ui::MainDialog",
                                                                   "Restoring file names..."));
    if (services_.restorePicker != nullptr) {
        afterCommand(engine::restoreFilenames(session_, *services_.restorePicker, &progress));
        return;
    }
    QtRestoreFilePicker picker(&window_, services_.runModal);
    afterCommand(engine::restoreFilenames(session_, picker, &progress));
}

void BatchCommands::undoLast() {
    engine::FolderHistory history(services_.fileSystem, session_.stateDirectory,
                                  session_.directory);
    if (const std::optional<engine::HistoryBatch> batch = history.batchToUndo()) {
        undoHistoryBatch(*batch);
        return;
    }
    if (services_.messages.show(nothingToUndoQuestion(session_.directory)) ==
        platform::Answer::Yes) {
        openHistory();
    }
}

void BatchCommands::undoHistoryBatch(const engine::HistoryBatch& batch) {
    if (services_.messages.show(undoQuestion(batch)) != platform::Answer::Yes) {
        return;
    }
    QtBatchProgress progress(
        &window_, QCoreApplication::translate("nameshift::ui::MainDialog", "Undoing the batch..."));
    afterCommand(
        withFacts(engine::undoBatch(session_, batch.id, &progress), batch, HistoryStep::Undo));
}

void BatchCommands::redo() {
    engine::FolderHistory history(services_.fileSystem, session_.stateDirectory,
                                  session_.directory);
    const std::optional<engine::HistoryBatch> batch = history.batchToRedo();
    if (!batch) {
        services_.messages.show(nothingToRedoMessage(session_.directory));
        return;
    }
    QtBatchProgress progress(
        &window_, QCoreApplication::translate("nameshift::ui::MainDialog", "Redoing the batch..."));
    afterCommand(
        withFacts(engine::redoBatch(session_, &progress, batch->id), *batch, HistoryStep::Redo));
}

void BatchCommands::openHistory() {
    const std::vector<engine::HistoryEntry> entries =
        engine::BatchHistory(services_.fileSystem, session_.stateDirectory).entries();
    HistoryDialog history(entries, &window_);
    runModal(services_.runModal, history);
    const std::optional<std::uint64_t> chosen = history.chosenBatch();
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto& listed) {
        return chosen && listed.id == *chosen && listed.record;
    });
    if (entry != entries.end()) {
        undoHistoryBatch(engine::historyBatchOf(*entry));
    }
}

void BatchCommands::save() {
    // morerules.ini follows renset.ini, whose overwrite question stands for both files.
    if (settings::saveRenameSettings(services_.fileSystem, services_.messages,
                                     paths_.renameSettings, session_.rules)) {
        settings::saveMoreRules(services_.fileSystem, services_.messages, paths_.moreRules,
                                session_.rules);
    }
}

void BatchCommands::editNames(bool importFirst) {
    NameListDialog dialog(session_.fileList.tickedNames(), &window_);
    if (importFirst) {
        dialog.importFile();
    }
    runModal(services_.runModal, dialog);
    if (dialog.result() == QDialog::Accepted) {
        session_.listedNames = dialog.names();
        newNames_.schedule();
    }
}

void BatchCommands::afterCommand(const engine::CommandReport& report) {
    session_.listedNames.reset();
    engine::showReport(services_.messages, report);
    // A command may have emptied the list, whatever it reports.
    newNames_.drop();
    if (report.outcome == engine::CommandOutcome::ExitProgram) {
        window_.accept();
        return;
    }
    listing_.relistAfter(report);
}

void BatchCommands::run(const std::function<void()>& command) {
    if (engine::runGuarded(services_.messages, command)) {
        return;
    }
    // A batch stopped part way keeps its journal, as one a crash interrupted does: it is offered
    // for undoing or finishing at once, since no batch runs in its directory until then.
    engine::runGuarded(services_.messages, [&] { offerRecovery(); });
    // The batch's lists are half done and files may have new names: the rows must not be used
    // again. If even the listing fails, the list stays empty.
    listing_.empty();
    try {
        listing_.fill();
    } catch (...) {
        listing_.empty();
    }
}

void BatchCommands::offerRecovery() {
    QtBatchProgress progress(&window_,
                             QCoreApplication::translate("nameshift::ui::MainDialog",
                                                         "Recovering an interrupted batch..."));
    ui::offerRecovery(services_.fileSystem, services_.messages, session_.stateDirectory, &progress,
                      engine::historyBoundOf(session_.rules));
}

}  // namespace nameshift::ui
