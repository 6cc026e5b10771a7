#include "engine/batch/BatchRunner.h"

#include <algorithm>
#include <cerrno>
#include <numeric>
#include <utility>

#include "engine/naming/NamePath.h"
#include "engine/records/RestoreFile.h"
#include "settings/ProgramOptions.h"

namespace nameshift::engine {
namespace {

// The state folder whose history must take a record of the batch; empty when the batch leaves
// none. A recovery has no journal to write: its own journal stays when the record cannot be.
std::string historyToWrite(const BatchSteps& batch, const std::vector<PlannedChange>& changes) {
    if (!batch.journal || !batch.history || batch.history->bound.batches == 0 ||
        std::none_of(changes.begin(), changes.end(),
                     [](const auto& change) { return change.oldName != change.newName; })) {
        return {};
    }
    return batch.history->stateDirectory;
}

platform::Message historyLostMessage(const std::string& journalPath) {
    return {{NS_MESSAGE("Message",
                        "The record of this batch could not be written to the history, so it is "
                        "kept in \"%1\" as an interrupted batch's: run \"nameshift-cli "
                        "recover\", or start Nameshift Pro again, to finish it or undo it."),
             {journalPath}},
            NS_MESSAGE("Message", "History Error"),
            platform::Icon::Stop};
}

using platform::Icon;

// A batch's changes that rename anything: the journal's entries.
std::vector<std::uint32_t> renamingMoves(const std::vector<PlannedChange>& moves) {
    std::vector<std::uint32_t> renaming;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (moves[i].oldName != moves[i].newName) {
            renaming.push_back(static_cast<std::uint32_t>(i));
        }
    }
    return renaming;
}

// Writes the restore file the journal's head asks for, straight from the run and its moves, and
// notes which file it is for the batch's record.
bool writeRecordFile(platform::FileSystem& fileSystem, platform::MessageBox& messages, Batch& batch,
                     const RenameRun& run) {
    if (batch.head.record == Journal::Record::None || run.done.empty()) {
        return true;
    }
    // A restore file names the files of its own folder; those of the subfolders, and those moved
    // into one, are undone from the history.
    const auto inSubfolder = [&](std::size_t i) {
        const auto [before, after] = run.donePair(i, batch.moves);
        return !inListedFolder(before) || !inListedFolder(after);
    };
    std::vector<std::uint32_t> inFolder;
    bool whole = true;
    for (std::size_t i = 0; i < run.done.size(); ++i) {
        if (whole && inSubfolder(i)) {
            whole = false;
            inFolder.resize(i);
            std::iota(inFolder.begin(), inFolder.end(), 0U);
        } else if (!whole && !inSubfolder(i)) {
            inFolder.push_back(static_cast<std::uint32_t>(i));
        }
    }
    const std::size_t count = whole ? run.done.size() : inFolder.size();
    if (count == 0) {
        return true;
    }
    if (!writeRestoreFile(
            fileSystem, messages, *batch.directory,
            restoreFileContents(
                batch.head.directory, count,
                [&](std::size_t i) { return run.donePair(whole ? i : inFolder[i], batch.moves); }),
            batch.head.record == Journal::Record::Replace ? platform::WriteMode::Replace
                                                          : platform::WriteMode::CreateNew)) {
        return false;
    }
    batch.restoreFileWritten = restoreFileIn(fileSystem, *batch.directory);
    return true;
}

// The folders that the moves into folders need and that are not there yet, parents first.
std::vector<std::string> foldersToMake(platform::FileSystem& fileSystem,
                                       const platform::Directory& directory,
                                       const std::vector<PlannedChange>& moves) {
    std::vector<std::string> needed;
    for (const PlannedChange& move : moves) {
        const std::string_view from = foldersOf(move.oldName);
        const std::string_view to = foldersOf(move.newName);
        for (std::size_t slash = to.find('/', from.size()); slash != std::string_view::npos;
             slash = to.find('/', slash + 1)) {
            needed.emplace_back(to.substr(0, slash));
        }
    }
    std::sort(needed.begin(), needed.end());
    needed.erase(std::unique(needed.begin(), needed.end()), needed.end());
    std::erase_if(needed, [&](const std::string& folder) {
        return fileSystem.identifyIn(directory, folder).status().error() != ENOENT;
    });
    return needed;
}

void makeFolders(platform::FileSystem& fileSystem, const platform::Directory& directory,
                 const std::vector<std::string>& folders) {
    // A folder already there is what is wanted; one that cannot be made fails the renames into
    // it, which say why.
    for (const std::string& folder : folders) {
        static_cast<void>(fileSystem.makeDirectoryIn(directory, folder));
    }
}

void removeEmptyFolders(platform::FileSystem& fileSystem, const platform::Directory& directory,
                        const std::vector<std::string>& folders) {
    // Deepest first: a folder's own folders go before it.
    for (std::size_t i = folders.size(); i > 0; --i) {
        static_cast<void>(fileSystem.removeDirectoryIn(directory, folders[i - 1]));
    }
}

platform::MessageText closingText(const Batch& batch, const RenameRun& run) {
    const char* cancelled = nullptr;
    const char* complete = nullptr;
    switch (batch.kind) {
        case Batch::Kind::Apply:
            cancelled =
                NS_MESSAGE_N("Message", "Operation cancelled - %1 of %n file(s) were renamed.");
            complete = NS_MESSAGE("Message", "Operation complete");
            break;
        case Batch::Kind::Restore:
            cancelled =
                NS_MESSAGE_N("Message", "Restore cancelled - %1 of %n file(s) were restored.");
            complete = NS_MESSAGE("Message", "Filename(s) Restored");
            break;
        case Batch::Kind::Undo:
            return {NS_MESSAGE("Message", "Batch %1 undone."),
                    {std::to_string(batch.head.historyId)}};
        case Batch::Kind::Redo:
            return {NS_MESSAGE("Message", "Batch %1 redone."),
                    {std::to_string(batch.head.historyId)}};
    }
    if (!run.cancelled) {
        return complete;
    }
    return {cancelled,
            {std::to_string(run.renamed.size())},
            static_cast<long long>(batch.moves.size())};
}

// An apply's summary comes with the program's title; the others' stand alone.
platform::Message closingMessage(const Batch& batch, const RenameRun& run) {
    if (batch.kind == Batch::Kind::Apply) {
        return {closingText(batch, run)};
    }
    return {closingText(batch, run), "", Icon::None};
}

}  // namespace

platform::MessageText renameErrorsText(const std::vector<PlannedChange>& changes,
                                       const std::vector<RenameFailure>& failures,
                                       std::size_t listed) {
    // The list is one argument, a line a file, each line translated around its names.
    std::vector<platform::MessageText> lines;
    listed = std::min(failures.size(), listed);
    for (std::size_t i = 0; i < listed; ++i) {
        const PlannedChange& change = changes[failures[i].change];
        // The reason is a part of its own: a share's words for it are translated.
        platform::MessageText line{NS_MESSAGE("Message", "\n\"%1\" to \"%2\": %3"),
                                   {std::string(change.oldName), change.newName}};
        line.parts.push_back(failures[i].status.reason());
        lines.push_back(std::move(line));
    }
    platform::MessageText text =
        failures.size() > listed
            ? platform::MessageText{NS_MESSAGE_N("Message",
                                                 "The following file(s) could not be "
                                                 "renamed:\n%1\n... and %n more"),
                                    {},
                                    static_cast<long long>(failures.size() - listed)}
            : platform::MessageText{
                  NS_MESSAGE("Message", "The following file(s) could not be renamed:\n%1"), {}};
    text.parts = std::move(lines);
    return text;
}

std::variant<ExecutedBatch, platform::Message> executeBatch(
    BatchGuard& guard, platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<PlannedChange>& changes, const std::vector<RenameStep>& steps,
    const BatchSteps& batch, BatchProgress* progress) {
    if (const std::string state = historyToWrite(batch, changes); !state.empty()) {
        if (auto refusal = BatchHistory(fileSystem, state).writingRefusal()) {
            return std::move(*refusal);
        }
    }
    if (batch.journal) {
        if (auto refusal = guard.writeJournal(*batch.journal)) {
            return std::move(*refusal);
        }
    }
    makeFolders(fileSystem, directory, batch.foldersToMake);
    ExecutedBatch executed{runRenames(fileSystem, directory, changes, steps, progress), false,
                           std::nullopt};
    removeEmptyFolders(fileSystem, directory, batch.foldersToRemove);
    if (batch.afterRenames) {
        batch.afterRenames(executed.run);
    }
    // Without its record, the journal is the batch's only one: it stays, and the next start
    // offers to undo or finish the batch from it.
    executed.journalKept = batch.record && !batch.record(executed.run);
    if (!executed.journalKept && batch.history &&
        !keepInHistory(fileSystem, guard.journalPath(), *batch.history, executed.run.renamed,
                       batch.journal ? &*batch.journal : nullptr)) {
        executed.journalKept = true;
        executed.historyLost = historyLostMessage(guard.journalPath());
    }
    if (!executed.journalKept) {
        guard.finish();
    }
    return executed;
}

void runBatch(RenameSession& session, Batch& batch, const BatchUnderLock& underLock,
              CommandReport& report, BatchProgress* progress) {
    platform::FileSystem& fileSystem = session.fileSystem;
    ReportedMessages messages(report.messages);
    auto guarded = guardBatch(fileSystem, session.stateDirectory, *batch.directory, batch.reach);
    if (const auto* refusal = std::get_if<platform::Message>(&guarded)) {
        report = refused(std::move(report), *refusal);
        return;
    }
    BatchGuard& guard = std::get<BatchGuard>(guarded);
    batch.folder = guard.directory();
    if (!underLock(batch, guard, report)) {
        return;
    }
    BatchSteps steps = batch.steps;
    if (batch.head.kind == Journal::Kind::Apply) {
        batch.head.folders = foldersToMake(fileSystem, *batch.directory, batch.moves);
    }
    (makesFolders(batch.head.kind) ? steps.foldersToMake : steps.foldersToRemove) =
        batch.head.folders;
    const std::vector<std::uint32_t> renaming = renamingMoves(batch.moves);
    if (!steps.journal) {
        steps.journal = journalContents(batch.head, renaming.size(), [&](std::size_t entry) {
            const std::uint32_t i = renaming[entry];
            return JournalEntryView{batch.files[i].inode, batch.moves[i].oldName,
                                    batch.moves[i].newName, batch.files[i].traits};
        });
    }
    std::vector<std::uint32_t> entryOfMove;
    if (steps.history && !steps.history->entryOf) {
        entryOfMove.assign(batch.moves.size(), HistoryKeeping::kNoEntry);
        for (std::size_t entry = 0; entry < renaming.size(); ++entry) {
            entryOfMove[renaming[entry]] = static_cast<std::uint32_t>(entry);
        }
        steps.history->entryOf = [&entryOfMove](std::size_t move) { return entryOfMove[move]; };
    }
    if (!steps.afterRenames) {
        steps.afterRenames = [&](const RenameRun& run) {
            if (!run.failures.empty()) {
                messages.show(
                    renameErrorsText(batch.moves, run.failures, session.listedRenameErrors),
                    NS_MESSAGE("Message", "Rename Errors"), Icon::Stop);
            }
        };
    }
    steps.record = [&](const RenameRun& run) {
        if (!writeRecordFile(fileSystem, messages, batch, run)) {
            return false;
        }
        if (steps.history) {
            steps.history->restoreFile = batch.restoreFileWritten;
        }
        return !batch.steps.record || batch.steps.record(run);
    };
    auto executed = executeBatch(guard, fileSystem, *batch.directory, batch.moves, batch.order,
                                 steps, progress);
    if (const auto* refusal = std::get_if<platform::Message>(&executed)) {
        report = refused(std::move(report), *refusal);
        return;
    }
    const ExecutedBatch& over = std::get<ExecutedBatch>(executed);
    const RenameRun& run = over.run;
    if (over.historyLost) {
        messages.show(*over.historyLost);
    }
    report.batch = {run.renamed.size(), run.failures.size() + batch.missing, run.cancelled,
                    over.journalKept,
                    session.keepRenamedPairs ? run.donePairs(batch.moves)
                                             : std::vector<std::pair<std::string, std::string>>{}};
    const platform::RenameRefusals& refusals = batch.directory->refusals();
    report.batch.namesCheckedJustBefore = refusals.noReplaceFlag && refusals.hardLinks;
    platform::Message closing = closingMessage(batch, run);
    closing.reportsCompletion = !run.cancelled;
    report.messages.push_back(std::move(closing));
    // The rows name files that may have other names now.
    session.fileList.clear();
    report.outcome =
        batch.endsProgram && !run.cancelled ? CommandOutcome::ExitProgram : CommandOutcome::Done;
    report.refill = report.outcome == CommandOutcome::Done ? Refill::Whole : Refill::None;
}

}  // namespace nameshift::engine
