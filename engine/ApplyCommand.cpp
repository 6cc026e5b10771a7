#include "engine/ApplyCommand.h"

#include <algorithm>
#include <utility>
#include <variant>

#include "engine/BatchGuard.h"
#include "engine/RenameOrder.h"
#include "engine/RestoreFile.h"
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
    if (choice == RecordChoice::Skip || !plan.renamesAnything() ||
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

// Writes the batch's journal. Its entries borrow the plan's names while it is written, and give
// them back afterwards, so that a large batch does not hold every name twice more at its peak.
std::optional<platform::Message> writeJournal(BatchGuard& guard, const RenameSession& session,
                                              BatchPlan& plan, Journal::Record record) {
    Journal journal;
    journal.kind = Journal::Kind::Apply;
    journal.directory = plan.directory;
    journal.directoryDevice = guard.directory().device;
    journal.directoryInode = guard.directory().inode;
    journal.record = record;
    std::vector<std::size_t> lent;
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        if (plan.changes[i].oldName != plan.changes[i].newName) {
            lent.push_back(i);
        }
    }
    journal.entries.reserve(lent.size());
    for (const std::size_t i : lent) {
        PlannedChange& change = plan.changes[i];
        journal.entries.push_back({session.fileList.row(change.file).inode,
                                   std::move(change.oldName), std::move(change.newName)});
    }
    std::optional<platform::Message> refusal = guard.writeJournal(journal);
    for (std::size_t entry = 0; entry < lent.size(); ++entry) {
        PlannedChange& change = plan.changes[lent[entry]];
        change.oldName = std::move(journal.entries[entry].original);
        change.newName = std::move(journal.entries[entry].final);
    }
    return refusal;
}

// Writes the restore file of the renames done. The record borrows the run's names, as the
// journal does the plan's.
bool writeRecord(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                 const platform::Directory& directory, const std::string& path, RenameRun& run,
                 platform::WriteMode mode) {
    RestoreRecord record;
    record.directory = path;
    record.namesBefore.reserve(run.done.size());
    record.namesAfter.reserve(run.done.size());
    for (auto& [before, after] : run.done) {
        record.namesBefore.push_back(std::move(before));
        record.namesAfter.push_back(std::move(after));
    }
    const bool written = writeRestoreFile(fileSystem, messages, directory, record, mode);
    for (std::size_t i = 0; i < run.done.size(); ++i) {
        run.done[i] = {std::move(record.namesBefore[i]), std::move(record.namesAfter[i])};
    }
    return written;
}

platform::MessageText closingText(const RenameRun& run, std::size_t total) {
    if (!run.cancelled) {
        return NS_MESSAGE("Message", "Operation complete");
    }
    return {NS_MESSAGE_N("Message", "Operation cancelled - %1 of %n file(s) were renamed."),
            {std::to_string(run.renamed.size())},
            static_cast<long long>(total)};
}

CommandOutcome refuseBatch(platform::MessageBox& messages, const platform::Message& refusal) {
    messages.show(refusal);
    return CommandOutcome::Refused;
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
        lines.push_back({NS_MESSAGE("Message", "\n\"%1\" to \"%2\": %3"),
                         {change.oldName, change.newName, failures[i].status.message()}});
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

CommandOutcome applyChanges(RenameSession& session, BatchProgress* progress) {
    MessageBoxQuestions questions(session.messages);
    return applyChanges(session, questions, progress);
}

CommandOutcome applyChanges(RenameSession& session, BatchQuestions& questions,
                            BatchProgress* progress) {
    platform::MessageBox& messages = session.messages;
    platform::FileSystem& fileSystem = session.fileSystem;
    session.lastBatch = {};
    if (session.options.warnOnApply && !questions.confirmApply()) {
        return CommandOutcome::Cancelled;
    }
    const bool mayRecord = recordChoice(session.options.restoreFileUsage) != RecordChoice::Skip;
    BatchPlan plan = planBatch(session, {mayRecord, true});
    if (plan.refusal) {
        return refuseBatch(messages, *plan.refusal);
    }
    const platform::Result<platform::Directory> directory =
        fileSystem.openDirectory(plan.directory);
    if (!directory.ok()) {
        return refuseBatch(messages, directoryError(plan.directory, directory.status()));
    }
    auto guarded = guardBatch(fileSystem, session.stateDirectory, *directory);
    if (const auto* refusal = std::get_if<platform::Message>(&guarded)) {
        return refuseBatch(messages, *refusal);
    }
    BatchGuard& guard = std::get<BatchGuard>(guarded);
    const std::optional<Journal::Record> record =
        settleRecord(session, questions, plan, *directory);
    if (!record) {
        return CommandOutcome::Refused;
    }
    if (const auto refusal = writeJournal(guard, session, plan, *record)) {
        return refuseBatch(messages, *refusal);
    }

    RenameRun run =
        runRenames(fileSystem, *directory, plan.changes, orderRenames(plan.changes), progress);
    if (!run.failures.empty()) {
        messages.show(renameErrorsText(plan.changes, run.failures, session.listedRenameErrors),
                      NS_MESSAGE("Message", "Rename Errors"), Icon::Stop);
    }
    bool recordLost = false;
    if (*record != Journal::Record::None && !run.done.empty()) {
        const platform::WriteMode mode = *record == Journal::Record::Replace
                                             ? platform::WriteMode::Replace
                                             : platform::WriteMode::CreateNew;
        recordLost = !writeRecord(fileSystem, messages, *directory, plan.directory, run, mode);
    }
    // Without its restore file, the journal is the batch's only record: it stays, and the next
    // start offers to undo or finish the batch from it.
    if (!recordLost) {
        guard.finish();
    }
    session.lastBatch = {run.renamed.size(), run.failures.size(), run.cancelled, recordLost,
                         std::move(run.done)};
    session.fileList.clear();
    messages.show(platform::Message{closingText(run, plan.changes.size())});
    if (session.options.exitAfterApply && !run.cancelled) {
        return CommandOutcome::ExitProgram;
    }
    session.fileList.fill(session.directory);
    return CommandOutcome::Done;
}

}  // namespace nameshift::engine
