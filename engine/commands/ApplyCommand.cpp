#include "engine/commands/ApplyCommand.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <variant>

#include "engine/batch/BatchGuard.h"
#include "engine/batch/BatchRunner.h"
#include "engine/batch/CounterMemory.h"
#include "engine/batch/InPlaceOrder.h"
#include "engine/batch/IncrementalPlan.h"
#include "engine/batch/LockedListing.h"
#include "engine/batch/RenameOrder.h"
#include "engine/naming/NamePath.h"
#include "engine/records/FileEvidence.h"
#include "engine/records/RestoreFile.h"
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
// part of the evidence, and each file is looked at now, under the lock, unless the folder's
// reading under the lock (`lookedAt`) looked at it already; a file that cannot be looked at keeps
// its listed number alone.
std::vector<FileEvidence> evidenceOfChanges(
    platform::FileSystem& fileSystem, const platform::Directory& directory,
    const FileList& fileList, const std::vector<PlannedChange>& changes,
    const std::vector<std::pair<std::size_t, FileEvidence>>& lookedAt) {
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
            files[i].traits = traitsOf(listed.size, listed.writeTimeNs, listed.birthTimeNs,
                                       (listed.attributes & platform::attribute::kFolder) != 0);
            continue;
        }
        const auto met =
            std::lower_bound(lookedAt.begin(), lookedAt.end(), changes[i].file,
                             [](const auto& look, std::size_t file) { return look.first < file; });
        if (met != lookedAt.end() && met->first == changes[i].file) {
            files[i] = met->second;
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

// A batch this large is renamed in the order its files lie on disk.
constexpr std::size_t kDiskOrderThreshold = 10'000;

// Puts a large batch's changes in the order of their files' inodes, folder by folder. Files made
// one after the other have neighbouring inodes, and their entries and inodes lie near each other
// on disk and in memory: renamed in that order, such a batch takes markedly less system time than
// in the order of the list, and its journal, renames and restore file then walk the plan from its
// start to its end. The folders keep the list's order, so that each is opened once for all its
// files. A smaller batch keeps the list's order, which is the order a user follows.
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
    // The list holds each folder's files together.
    for (std::size_t start = 0; start < changes.size();) {
        const std::string_view folder = folderPathOf(changes[start].oldName);
        std::size_t end = start + 1;
        while (end < changes.size() && folderPathOf(changes[end].oldName) == folder) {
            ++end;
        }
        std::sort(keyed.begin() + static_cast<std::ptrdiff_t>(start),
                  keyed.begin() + static_cast<std::ptrdiff_t>(end));
        start = end;
    }
    reorderInPlace(changes, [&keyed](std::size_t at) { return keyed[at].second; });
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

// The plan's folder, opened and held to the one the plan was made from.
bool openPlannedFolder(RenameSession& session, const BatchPlan& plan, Batch& batch,
                       CommandReport& report) {
    platform::Result<platform::Directory> directory =
        session.fileSystem.openDirectory(plan.directory);
    if (!directory.ok()) {
        report = refused({}, directoryError(plan.directory, directory.status()));
        return false;
    }
    if (auto refusal = otherFolderRefusal(session, *directory)) {
        report = relistedWith(std::move(*refusal));
        return false;
    }
    batch.directory.emplace(std::move(directory.value()));
    return true;
}

// The batch as the folder holds it under the lock: the plan, made before it, is refused when
// another batch or program renamed its files since, and the questions settle its restore file.
bool checkUnderLock(RenameSession& session, BatchQuestions& questions, BatchPlan& plan,
                    bool mayRecord, Batch& batch, const BatchGuard& guard, CommandReport& report) {
    platform::FileSystem& fileSystem = session.fileSystem;
    // The plan is made: nothing asks which entry holds a name until the batch is over.
    session.fileList.forgetNameIndex();
    std::optional<LockedListing> listing;
    if (const auto refusal =
            LockedListing::read(fileSystem, *batch.directory, session.fileList, plan, listing)) {
        report = refused({}, *refusal);
        return false;
    }
    if (auto refusal = listing->changedFiles(plan)) {
        report = relistedWith(std::move(*refusal));
        return false;
    }
    listing->removeAbandonedRecords();
    if (mayRecord) {
        if (const auto refusal = listing->restoreNameSpellingRefusal(plan)) {
            report = refused({}, *refusal);
            return false;
        }
    }
    const std::optional<Journal::Record> record =
        settleRecord(session, questions, plan, *batch.directory);
    if (!record) {
        // The question interface said why.
        report.outcome = CommandOutcome::Refused;
        return false;
    }
    putInDiskOrder(session, plan);
    batch.files = evidenceOfChanges(fileSystem, *batch.directory, session.fileList, plan.changes,
                                    listing->lookedAt());
    batch.head = journalHead(guard, plan, *record);
    batch.moves = std::move(plan.changes);
    batch.order = orderRenames(batch.moves);
    return true;
}

}  // namespace

CommandReport applyChanges(RenameSession& session, BatchQuestions& questions,
                           BatchProgress* progress) {
    if (session.options.warnOnApply && !questions.confirmApply()) {
        return {};
    }
    const bool keepRestoreFile =
        recordChoice(session.options.restoreFileUsage) != RecordChoice::Skip;
    const bool mayRecord = keepRestoreFile && !session.rules.historyOnly;
    BatchPlan plan =
        planBatch(session, {.mayRecord = mayRecord, .keepRestoreFile = keepRestoreFile});
    if (plan.refusal) {
        return refused({}, *plan.refusal);
    }
    CommandReport report;
    Batch batch;
    if (!openPlannedFolder(session, plan, batch, report)) {
        return report;
    }
    batch.endsProgram = session.options.exitAfterApply;
    batch.reach = reachOf(plan.changes);
    batch.steps.history = HistoryKeeping{
        session.stateDirectory, historyBoundOf(session.rules), HistoryCommand::Apply, {}, {}, {}};
    runBatch(
        session, batch,
        [&](Batch& made, const BatchGuard& guard, CommandReport& told) {
            return checkUnderLock(session, questions, plan, mayRecord, made, guard, told);
        },
        report, progress);
    if (plan.nextCounter && report.outcome != CommandOutcome::Refused && !report.batch.cancelled &&
        report.batch.failed == 0) {
        CounterMemory(session.fileSystem, session.stateDirectory)
            .remember(plan.directory, *plan.nextCounter);
    }
    return report;
}

}  // namespace nameshift::engine
