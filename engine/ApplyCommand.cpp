#include "engine/ApplyCommand.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <variant>

#include "engine/BatchGuard.h"
#include "engine/BatchPlanner.h"
#include "engine/BatchRunner.h"
#include "engine/CounterMemory.h"
#include "engine/FileEvidence.h"
#include "engine/InPlaceOrder.h"
#include "engine/LockedListing.h"
#include "engine/RenameOrder.h"
#include "engine/RestoreFile.h"
#include "engine/RestoreReceipt.h"
#include "settings/ProgramOptions.h"

namespace nameshift::engine {
namespace {

using platform::Icon;

enum class RecordChoice { Write, Ask, Skip };

RecordChoice recordChoice(settings::RestoreFileUsage usage) {
    switch (usage) {
        case settings::RestoreFileUsage::Ask:
            return RecordChoice::Ask;
        case settings::RestoreFileUsage::None:
            return RecordChoice::Skip;
        default:
            return RecordChoice::Write;
    }
}

// Settles how the batch's restore file is written, before anything is renamed. Nothing when the
// user cancels the batch.
std::optional<Journal::Record> settleRecord(RenameSession& session, BatchQuestions& questions,
                                            const BatchPlan& plan,
                                            const platform::Directory& directory) {
    const RecordChoice choice = recordChoice(session.options.restoreFileUsage);
    // A batch that renames nothing leaves nothing to undo, and no question about it.
    if (choice == RecordChoice::Skip || session.rules.historyOnly || !plan.renamesAnything() ||
        (choice == RecordChoice::Ask && !questions.createRestoreFile())) {
        return Journal::Record::None;
    }
    if (!session.fileSystem.identifyIn(directory, kRestoreFileName).ok()) {
        return Journal::Record::CreateNew;
    }
    switch (questions.existingRestoreFile(directory.path() + "/" + kRestoreFileName)) {
        case ExistingRestoreFile::Replace:
            return Journal::Record::Replace;
        case ExistingRestoreFile::Keep:
            return Journal::Record::None;
        case ExistingRestoreFile::Cancel:
            break;
    }
    return std::nullopt;
}

// The head of the batch's journal; its entries come straight from the plan as it is written.
Journal journalHead(const BatchGuard& guard, const BatchPlan& plan, Journal::Record record) {
    Journal journal;
    journal.kind = Journal::Kind::Apply;
    journal.directory = plan.directory;
    journal.directoryDevice = guard.directory().device;
    journal.directoryInode = guard.directory().inode;
    journal.directoryBirthNs = guard.directory().birthTimeNs;
    journal.record = record;
    return journal;
}

// The evidence of the files the batch renames, in the order of `changes` (the disk's, for a
// large batch): a later undo or recovery tells each file by it from a file made since. Where the
// filesystem keeps numbers and birth times, the listing's evidence holds: the folder, read again
// under the lock, still has each listed number under its listed name, and number and birth time
// tell the file whatever was written to it since the listing. Elsewhere size and write time are
// part of the evidence, and each file is looked at now, under the lock; a file that cannot be
// looked at keeps its listed number alone.
std::vector<FileEvidence> evidenceOfChanges(platform::FileSystem& fileSystem,
                                            const platform::Directory& directory,
                                            const FileList& fileList,
                                            const std::vector<PlannedChange>& changes) {
    std::vector<FileEvidence> files(changes.size());
    const bool numbersKept = fileSystem.keepsFileNumbers(directory);
    std::string name;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const ListedFile& listed = fileList.row(changes[i].file);
        files[i].inode = listed.inode;
        if (changes[i].oldName == changes[i].newName) {
            continue;
        }
        if (numbersKept && listed.birthTimeNs != 0) {
            files[i].traits = {true, listed.size, listed.writeTimeNs, listed.birthTimeNs};
            continue;
        }
        name.assign(changes[i].oldName);
        // Where numbers are not kept, the one listed may be another than the one looked at now.
        if (const auto identity = fileSystem.identifyIn(directory, name);
            identity.ok() && (identity->inode == listed.inode || !numbersKept)) {
            files[i] = evidenceOf(*identity);
        }
    }
    return files;
}

// The changes that rename anything, which are the journal's entries.
std::vector<std::uint32_t> renamingChanges(const BatchPlan& plan) {
    std::vector<std::uint32_t> renaming;
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        if (plan.changes[i].oldName != plan.changes[i].newName) {
            renaming.push_back(static_cast<std::uint32_t>(i));
        }
    }
    return renaming;
}

// A batch this large is renamed in the order its files lie on disk.
constexpr std::size_t kDiskOrderThreshold = 10'000;

// Puts a large batch's changes in the order of their files' inodes. Files made one after the
// other have neighbouring inodes, and their entries and inodes lie near each other on disk and
// in memory: renamed in that order, such a batch takes markedly less system time than in the
// order of the list, and its journal, renames and restore file then walk the plan from its start
// to its end. A smaller batch keeps the list's order, which is the order a user follows.
void putInDiskOrder(const RenameSession& session, BatchPlan& plan) {
    std::vector<PlannedChange>& changes = plan.changes;
    if (changes.size() < kDiskOrderThreshold) {
        return;
    }
    // Sorted as (inode, position) pairs side by side, which is several times faster than
    // sorting the changes themselves.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
    keyed.reserve(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i) {
        keyed.emplace_back(session.fileList.row(changes[i].file).inode,
                           static_cast<std::uint32_t>(i));
    }
    std::sort(keyed.begin(), keyed.end());
    reorderInPlace(changes, [&keyed](std::size_t at) { return keyed[at].second; });
}

platform::MessageText closingText(const RenameRun& run, std::size_t total) {
    if (!run.cancelled) {
        return NS_MESSAGE("Message", "Operation complete");
    }
    return {NS_MESSAGE_N("Message", "Operation cancelled - %1 of %n file(s) were renamed."),
            {std::to_string(run.renamed.size())},
            static_cast<long long>(total)};
}

// The refusal of a batch whose folder was moved away or replaced since it was listed: the folder
// now under the listed path holds other files, which may even bear the listed names.
std::optional<platform::Message> otherFolderRefusal(RenameSession& session,
                                                    const platform::Directory& directory) {
    const std::optional<platform::FileIdentity>& listed = session.fileList.listedDirectory();
    const platform::Result<platform::FileIdentity> opened =
        session.fileSystem.identifyIn(directory, ".");
    if (!listed || !opened.ok() ||
        judgeFolder({listed->device, listed->inode, listed->birthTimeNs}, *opened,
                    session.fileSystem.keepsFileNumbers(directory)) != Verdict::Other) {
        return std::nullopt;
    }
    return platform::Message{
        {NS_MESSAGE("Message",
                    "Cannot continue - the folder \"%1\" is no longer the folder "
                    "that was listed; the list is refreshed. Nothing was renamed."),
         {directory.path()}},
        NS_MESSAGE("Message", "Directory Error"),
        Icon::Stop};
}

// Nothing was renamed: the folder changed since it was listed, and the list must show it as it
// is.
CommandReport relistedWith(platform::Message refusal) {
    CommandReport report = refused({}, std::move(refusal));
    report.outcome = CommandOutcome::Relisted;
    report.refill = Refill::KeepingMask;
    return report;
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
        lines.push_back(
            {NS_MESSAGE("Message", "\n\"%1\" to \"%2\": %3"),
             {std::string(change.oldName), change.newName, failures[i].status.message()}});
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

CommandReport applyChanges(RenameSession& session, BatchQuestions& questions,
                           BatchProgress* progress) {
    platform::FileSystem& fileSystem = session.fileSystem;
    if (session.options.warnOnApply && !questions.confirmApply()) {
        return {};
    }
    const bool keepRestoreFile =
        recordChoice(session.options.restoreFileUsage) != RecordChoice::Skip;
    const bool mayRecord = keepRestoreFile && !session.rules.historyOnly;
    BatchPlan plan = planBatch(
        session, {.mayRecord = mayRecord, .checkSafety = true, .keepRestoreFile = keepRestoreFile});
    if (plan.refusal) {
        return refused({}, *plan.refusal);
    }
    const platform::Result<platform::Directory> directory =
        fileSystem.openDirectory(plan.directory);
    if (!directory.ok()) {
        return refused({}, directoryError(plan.directory, directory.status()));
    }
    if (auto refusal = otherFolderRefusal(session, *directory)) {
        return relistedWith(std::move(*refusal));
    }
    auto guarded = guardBatch(fileSystem, session.stateDirectory, *directory);
    if (const auto* refusal = std::get_if<platform::Message>(&guarded)) {
        return refused({}, *refusal);
    }
    BatchGuard& guard = std::get<BatchGuard>(guarded);
    std::optional<LockedListing> listing;
    if (const auto refusal =
            LockedListing::read(fileSystem, *directory, session.fileList, plan, listing)) {
        return refused({}, *refusal);
    }
    // Planned before the lock: another batch or program may have renamed since.
    if (auto refusal = listing->changedFiles(plan)) {
        return relistedWith(std::move(*refusal));
    }
    listing->removeAbandonedRecords();
    if (mayRecord) {
        if (const auto refusal = listing->restoreNameSpellingRefusal(plan)) {
            return refused({}, *refusal);
        }
    }
    const std::optional<Journal::Record> record =
        settleRecord(session, questions, plan, *directory);
    if (!record) {
        // The question interface said why.
        CommandReport cancelled;
        cancelled.outcome = CommandOutcome::Refused;
        return cancelled;
    }
    CommandReport report;
    ReportedMessages messages(report.messages);
    putInDiskOrder(session, plan);
    const std::vector<FileEvidence> files =
        evidenceOfChanges(fileSystem, *directory, session.fileList, plan.changes);
    const Journal head = journalHead(guard, plan, *record);
    const std::vector<std::uint32_t> renaming = renamingChanges(plan);
    BatchSteps steps;
    // Each entry with its file's evidence, files[i] being that of change i.
    steps.journal = journalContents(head, renaming.size(), [&](std::size_t entry) {
        const std::uint32_t i = renaming[entry];
        return JournalEntryView{files[i].inode, plan.changes[i].oldName, plan.changes[i].newName,
                                files[i].traits};
    });
    steps.afterRenames = [&](const RenameRun& run) {
        if (!run.failures.empty()) {
            messages.show(renameErrorsText(plan.changes, run.failures, session.listedRenameErrors),
                          NS_MESSAGE("Message", "Rename Errors"), Icon::Stop);
        }
    };
    steps.record = [&](const RenameRun& run) {
        if (*record == Journal::Record::None || run.done.empty()) {
            return true;
        }
        const platform::WriteMode mode = *record == Journal::Record::Replace
                                             ? platform::WriteMode::Replace
                                             : platform::WriteMode::CreateNew;
        // Straight from the run and its plan.
        return writeRestoreFileWithReceipt(
            fileSystem, messages, session.stateDirectory, *directory, guard.directory(),
            restoreFileContents(plan.directory, run.done.size(),
                                [&](std::size_t i) { return run.donePair(i, plan.changes); }),
            mode, run.done.size(), [&](std::size_t i) { return files[run.done[i].change]; });
    };
    std::vector<std::uint32_t> entryOfChange(plan.changes.size(), HistoryKeeping::kNoEntry);
    for (std::size_t entry = 0; entry < renaming.size(); ++entry) {
        entryOfChange[renaming[entry]] = static_cast<std::uint32_t>(entry);
    }
    steps.history =
        HistoryKeeping{session.stateDirectory,
                       historyBoundOf(session.rules),
                       HistoryCommand::Apply,
                       [&entryOfChange](std::size_t change) { return entryOfChange[change]; },
                       {}};
    auto executed = executeBatch(guard, fileSystem, *directory, plan.changes,
                                 orderRenames(plan.changes), steps, progress);
    if (const auto* refusal = std::get_if<platform::Message>(&executed)) {
        return refused(std::move(report), *refusal);
    }
    const RenameRun& run = std::get<ExecutedBatch>(executed).run;
    const bool recordLost = std::get<ExecutedBatch>(executed).journalKept;
    if (const auto& lost = std::get<ExecutedBatch>(executed).historyLost) {
        messages.show(*lost);
    }
    if (plan.nextCounter && !run.cancelled && run.failures.empty()) {
        CounterMemory(fileSystem, session.stateDirectory)
            .remember(plan.directory, *plan.nextCounter);
    }
    report.batch = {run.renamed.size(), run.failures.size(), run.cancelled, recordLost,
                    session.keepRenamedPairs ? run.donePairs(plan.changes)
                                             : std::vector<std::pair<std::string, std::string>>{}};
    // The rows name files that may have other names now.
    session.fileList.clear();
    platform::Message closing{closingText(run, plan.changes.size())};
    closing.reportsCompletion = !run.cancelled;
    report.messages.push_back(std::move(closing));
    if (session.options.exitAfterApply && !run.cancelled) {
        report.outcome = CommandOutcome::ExitProgram;
        return report;
    }
    report.outcome = CommandOutcome::Done;
    report.refill = Refill::Whole;
    return report;
}

}  // namespace nameshift::engine
