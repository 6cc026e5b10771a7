#include "engine/batch/BatchRecovery.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <unordered_map>

#include "engine/batch/BatchGuard.h"
#include "engine/batch/BatchRunner.h"
#include "engine/batch/CommandReport.h"
#include "engine/batch/FolderEntries.h"
#include "engine/batch/RenameOrder.h"
#include "engine/batch/RenameRun.h"
#include "engine/naming/NameIndex.h"
#include "engine/records/JournalFiles.h"
#include "engine/records/RestoreFile.h"
#include "engine/records/StoppedLinkRenames.h"

namespace nameshift::engine {
namespace {

// The folders beneath the batch's folder that its files lie in, before and after.
std::vector<std::string> journalFolders(const Journal& journal) {
    return foldersBeneath(2 * journal.entries.size(),
                          [&journal](std::size_t i) -> std::string_view {
                              const JournalEntry& entry = journal.entries[i / 2];
                              return i % 2 == 0 ? entry.original : entry.final;
                          });
}

using platform::Icon;

// A restore file for a batch finished after a crash: each file from its name before the batch
// to the name the batch gives it, ordered as apply orders them; with `files`, the file of each
// pair.
RestoreRecord finishedRecord(const Journal& journal, const std::vector<char>& arrived,
                             std::vector<FileEvidence>* files = nullptr) {
    std::vector<PlannedChange> changes;
    for (std::size_t i = 0; i < journal.entries.size(); ++i) {
        const JournalEntry& entry = journal.entries[i];
        // A restore file names the files of its own folder; those of its subfolders, and those
        // moved into one, are undone from the history.
        if (arrived[i] != 0 && inListedFolder(entry.original) && inListedFolder(entry.final)) {
            changes.push_back({i, entry.original, entry.final});
        }
    }
    RestoreRecord record;
    record.directory = journal.directory;
    for (const RenameStep& step : orderRenames(changes)) {
        const PlannedChange& change = changes[step.change];
        const std::string aside =
            std::string(kTemporaryPrefix) + "restore-" + std::to_string(step.change);
        record.namesBefore.push_back(
            step.kind == RenameStep::Kind::FromTemporary ? aside : std::string(change.oldName));
        record.namesAfter.push_back(step.kind == RenameStep::Kind::ToTemporary ? aside
                                                                               : change.newName);
        if (files != nullptr) {
            files->push_back(journal.entries[change.file].evidence());
        }
    }
    return record;
}

// A journal read back whole; refused unread when it is larger than the count of entries its
// header gives can take, so that junk as large as the size limit is not read by every command.
platform::Result<std::string> readJournal(platform::FileSystem& fileSystem, const std::string& path,
                                          const platform::FileIdentity& identity) {
    if (identity.size > kJournalHeaderBytes) {
        platform::Result<std::string> start = fileSystem.readFileStart(path, kJournalHeaderBytes);
        if (!start.ok()) {
            return start.status();
        }
        const std::optional<std::uint64_t> bound = journalSizeBound(*start);
        if (!bound) {
            return std::move(start.value());  // no journal's start: read as the record it is not
        }
        if (identity.size > *bound) {
            return platform::Status::fromErrno(EFBIG);
        }
    }
    return fileSystem.readFile(path, kMaxJournalBytes);
}

// Removes a lock file, or a journal whose writing was stopped half way, that nothing holds: no
// later run can use either.
void removeUnheld(platform::FileSystem& fileSystem, const std::string& path) {
    if (const auto held = fileSystem.lockFile(path); held.ok()) {
        fileSystem.removeFile(path);
    }
}

// Whether `record` is this apply's own restore file, written before the batch was stopped: its
// pairs, followed through any temporary names, take exactly the journal's files from their old
// names to their new ones. With `anyOrigin`, a pair may take a file from another name to its new
// one: a redo writes the name it found a file under, which the user may have given it by hand.
bool recordsBatch(const RestoreRecord& record, const Journal& journal, bool anyOrigin = false) {
    std::unordered_map<std::string, std::string> originOf;
    for (std::size_t i = 0; i < record.namesBefore.size(); ++i) {
        const auto found = originOf.find(record.namesBefore[i]);
        std::string origin = found == originOf.end() ? record.namesBefore[i] : found->second;
        if (found != originOf.end()) {
            originOf.erase(found);
        }
        originOf[record.namesAfter[i]] = std::move(origin);
    }
    std::size_t renamed = 0;
    for (const JournalEntry& entry : journal.entries) {
        if (entry.original == entry.final) {
            continue;
        }
        ++renamed;
        const auto found = originOf.find(entry.final);
        if (found == originOf.end() || (!anyOrigin && found->second != entry.original)) {
            return false;
        }
    }
    return renamed == originOf.size();
}

bool holdsOwnRecord(platform::FileSystem& fileSystem, const platform::Directory& directory,
                    const Journal& journal, bool anyOrigin = false) {
    const auto text =
        fileSystem.readFile(directory.path() + "/" + kRestoreFileName, kRestoreFileMaxBytes);
    if (!text.ok()) {
        return false;
    }
    const std::optional<RestoreRecord> record = parseRestoreFile(*text);
    return record && recordsBatch(*record, journal, anyOrigin);
}

// Puts back the restore file a restore had read and deleted before it was stopped, now that the
// restore is undone: the batch it records stands again.
void recreateRestoreFile(platform::FileSystem& fileSystem, const Journal& journal) {
    if (fileSystem.identify(journal.restoreFile).ok()) {
        return;
    }
    Journal batch = journal;
    for (JournalEntry& entry : batch.entries) {
        std::swap(entry.original, entry.final);
    }
    const std::vector<char> arrived(batch.entries.size(), 1);
    fileSystem.writeFile(
        journal.restoreFile,
        platform::FileContents(formatRestoreFile(finishedRecord(batch, arrived))).ownerOnly(),
        platform::WriteMode::CreateNew);
}

void removeRestoreFileOf(platform::FileSystem& fileSystem, const Journal& journal) {
    const auto identity = fileSystem.identify(journal.restoreFile);
    if (identity.ok() && identity->device == journal.restoreFileDevice &&
        identity->inode == journal.restoreFileInode) {
        fileSystem.removeFile(journal.restoreFile);
    }
}

// Removes the temporary files a stopped write of a restore file left in `folder`: a restore file
// is only ever written while a batch there holds its journal, so the folder of a journal is the
// only place to look.
void removeAbandonedRestoreFiles(platform::FileSystem& fileSystem, const std::string& folder,
                                 const std::vector<platform::DirEntry>& entries) {
    for (const platform::DirEntry& entry : entries) {
        if (!entry.isDirectory && platform::isWriteTemporary(entry.name, kRestoreFileName)) {
            removeUnheld(fileSystem, folder + "/" + entry.name);
        }
    }
}

// What earlier versions kept of each restore file beside the journals, which the history's
// records hold now, and what their stopped writes left.
bool isEarlierRestoreNote(std::string_view name) {
    constexpr std::string_view kSuffix = ".receipt";
    return name.ends_with(kSuffix) || platform::isWriteTemporary(name, kSuffix);
}

bool actsOnHistory(const Journal& journal) {
    return journal.kind == Journal::Kind::Undo || journal.kind == Journal::Kind::Redo;
}

// Sets the record an interrupted undo or redo was changing to what its recovery made of the
// batch: undone once an undo is finished or a redo taken back, done once a redo is finished or
// an undo taken back. The undo or redo may have changed the record already and been stopped
// only before its journal went. `written`: the restore file the recovery wrote of the batch's
// pairs. False when the record could not be written.
bool settleHistoryRecord(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                         const std::string& stateDirectory, const platform::Directory& directory,
                         const Journal& journal, RecoveryAction action,
                         RecordedRestoreFile written) {
    BatchHistory history(fileSystem, stateDirectory);
    std::vector<HistoryEntry> entries = history.entries(false);
    const auto at = std::find_if(entries.begin(), entries.end(),
                                 [&](const HistoryEntry& e) { return e.id == journal.historyId; });
    if (at == entries.end()) {
        return true;  // dropped from the history since
    }
    history.read(*at);
    if (!at->record || !sameFolder(at->record->journal, journal)) {
        return true;
    }
    const bool undone = (journal.kind == Journal::Kind::Undo) == (action == RecoveryAction::Finish);
    HistoryRecord& record = *at->record;
    const bool appliedUndo =
        journal.kind == Journal::Kind::Undo && record.command == HistoryCommand::Apply;
    const Journal files = appliedUndo ? filesOf(record) : Journal{};
    // An undo taken back once it had taken its apply's restore file away gives it back, as the
    // recovery of an apply writes it.
    if (appliedUndo && !undone && record.journal.record != Journal::Record::None &&
        !fileSystem.identifyIn(directory, kRestoreFileName).ok()) {
        std::vector<FileEvidence> evidence;
        const std::string text = formatRestoreFile(
            finishedRecord(files, std::vector<char>(files.entries.size(), 1), &evidence));
        written = writeRestoreFile(fileSystem, messages, directory, platform::FileContents(text),
                                   platform::WriteMode::CreateNew)
                      ? restoreFileIn(fileSystem, directory)
                      : RecordedRestoreFile{};
    }
    const auto wanted = undone ? HistoryRecord::State::Undone : HistoryRecord::State::Done;
    if (record.state != wanted || written.kept()) {
        if (written.kept()) {
            record.restoreFile = written;
        }
        record.state = wanted;
        if (journal.kind == Journal::Kind::Undo && undone) {
            record.undoneAtNs =
                static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                               std::chrono::system_clock::now().time_since_epoch())
                                               .count());
            record.undoneAfter = entries.back().id;
        }
        if (!history.replaceHead(at->id, record)) {
            return false;
        }
    }
    // The undo takes its apply's restore file away after its record, as an undo run whole does.
    if (appliedUndo && undone) {
        removeOwnRestoreFile(fileSystem, directory, files);
    }
    return true;
}

// Where a recovery found its batch: the folder, the files' present names, the moves it makes
// and whether a file may wait under a hidden name; and the restore file it wrote.
struct RecoveryScene {
    const platform::Directory& directory;
    const std::vector<std::string_view>& names;
    const std::vector<PlannedChange>& moves;
    bool unresolved = false;
    RecordedRestoreFile& written;
};

// The journal of what a recovery's run left to do: what failed, and what a stop left untried.
Journal leftToDo(const Journal& journal, const RecoveryScene& scene, const RenameRun& run) {
    std::vector<char> moved(scene.moves.size(), 0);
    for (const std::size_t change : run.renamed) {
        moved[change] = 1;
    }
    Journal left = journal;
    left.entries.clear();
    for (std::size_t i = 0; i < scene.moves.size(); ++i) {
        if (moved[i] == 0) {
            left.entries.push_back(journal.entries[scene.moves[i].file]);
        }
    }
    return left;
}

// Writes the restore file of a finished apply or redo, of the files that now carry their new
// names; false when it could not be written.
bool writeFinishedRestoreFile(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                              const Journal& journal, const RecoveryScene& scene,
                              const RenameRun& run) {
    std::vector<char> arrived(journal.entries.size(), 0);
    for (std::size_t i = 0; i < scene.names.size(); ++i) {
        arrived[i] = scene.names[i] == journal.entries[i].final ? 1 : 0;
    }
    for (const std::size_t change : run.renamed) {
        arrived[scene.moves[change].file] = 1;
    }
    const auto mode = journal.record == Journal::Record::Replace ? platform::WriteMode::Replace
                                                                 : platform::WriteMode::CreateNew;
    const RestoreRecord finished = finishedRecord(journal, arrived);
    const bool spansFolders =
        std::any_of(journal.entries.begin(), journal.entries.end(), [](const JournalEntry& entry) {
            return !inListedFolder(entry.original) || !inListedFolder(entry.final);
        });
    // A batch whose files all lie beneath its folder leaves its record in the history alone.
    if (finished.namesBefore.empty() && spansFolders) {
        return true;
    }
    // Stopped after its restore file was written, the batch is finished by it.
    if (!holdsOwnRecord(fileSystem, scene.directory, journal) &&
        !writeRestoreFile(fileSystem, messages, scene.directory,
                          platform::FileContents(formatRestoreFile(finished)), mode)) {
        return false;
    }
    scene.written = restoreFileIn(fileSystem, scene.directory);
    return true;
}

// Writes down what a recovery did: the restore file of a finished batch, the record of an undone
// one taken away, the journal cut to what is left to do. True when the batch is over and its
// journal can go.
bool recordRecovery(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                    const std::string& stateDirectory, const InterruptedBatch& batch,
                    RecoveryAction action, const RecoveryScene& scene, const RenameRun& run,
                    RecoveryResult& result) {
    const Journal& journal = batch.journal;
    const platform::Directory& directory = scene.directory;
    const Journal left = leftToDo(journal, scene, run);
    if (run.cancelled) {
        fileSystem.writeFile(batch.journalPath, journalContents(left),
                             platform::WriteMode::Replace);
        return false;
    }
    if (scene.unresolved) {
        return false;
    }

    // A redo writes the restore file its apply wrote.
    if (action == RecoveryAction::Finish &&
        (journal.kind == Journal::Kind::Apply || journal.kind == Journal::Kind::Redo) &&
        journal.record != Journal::Record::None &&
        !writeFinishedRestoreFile(fileSystem, messages, journal, scene, run)) {
        result.problems.emplace_back(
            NS_MESSAGE("Message", "The restore file of the batch could not be written."));
        return false;
    }
    if (action == RecoveryAction::Finish && journal.kind == Journal::Kind::Restore &&
        left.entries.empty()) {
        removeRestoreFileOf(fileSystem, journal);
    }
    if (action == RecoveryAction::Undo && left.entries.empty()) {
        // An undone batch has no record to restore, and a record left would send its files to
        // names they never had; an undone restore leaves its batch standing, with its record.
        if (journal.kind == Journal::Kind::Apply || journal.kind == Journal::Kind::Redo) {
            removeOwnRestoreFile(fileSystem, directory, journal);
        } else if (journal.kind == Journal::Kind::Restore) {
            recreateRestoreFile(fileSystem, journal);
        }
    }
    if (!left.entries.empty()) {
        fileSystem.writeFile(batch.journalPath, journalContents(left),
                             platform::WriteMode::Replace);
        return false;
    }
    if (actsOnHistory(journal) && !settleHistoryRecord(fileSystem, messages, stateDirectory,
                                                       directory, journal, action, scene.written)) {
        result.problems.emplace_back(
            NS_MESSAGE("Message", "The record of the batch in the history could not be written."));
        return false;
    }
    return true;
}

// The moves that take each file of the batch found to its target: its name before the batch for
// an undo, after it for a finish. What keeps a file back goes among the problems; `unresolved`
// when a file left as it is may be the batch's, so that the journal stays whole.
std::vector<PlannedChange> recoveryMoves(
    platform::FileSystem& fileSystem, const platform::Directory& directory, const Journal& journal,
    const std::vector<platform::DirEntry>& listing, RecoveryAction action,
    std::vector<std::string_view>& names, const std::vector<Absence>& absences,
    RecoveryResult& result, bool& unresolved) {
    // A file not found while a hidden name of ours is left over may be that file, on a
    // filesystem that numbers its files anew: its step is not given up, and the journal stays
    // whole until the file is back under one of its names.
    const bool hiddenLeft =
        std::any_of(listing.begin(), listing.end(), [&names](const platform::DirEntry& entry) {
            return isTemporaryName(entry.name) &&
                   std::find(names.begin(), names.end(), entry.name) == names.end();
        });
    std::vector<PlannedChange> moves;
    const StoppedLinkRenames stoppedLinks(journal, listing);
    const bool numbersKept = fileSystem.keepsFileNumbers(directory);
    for (std::size_t i = 0; i < journal.entries.size(); ++i) {
        const JournalEntry& entry = journal.entries[i];
        const std::string& target = action == RecoveryAction::Undo ? entry.original : entry.final;
        if (stoppedLinks.settle(fileSystem, directory, i, names[i], target, numbersKept)) {
            names[i] = target;
        }
        const std::string_view now = names[i];
        if (now.empty() && absences[i] == Absence::Undecided) {
            // Kept in the journal: it may be the file, and only the user can tell.
            unresolved = true;
            result.problems.push_back(
                {NS_MESSAGE("Message",
                            "\"%1\": a file is there that cannot be told for sure to be the "
                            "batch's; it is left as it is, and the batch is kept until the file "
                            "has one of its names again."),
                 {entry.original}});
        } else if (now.empty() && absences[i] == Absence::Replaced) {
            result.problems.push_back(
                {NS_MESSAGE("Message",
                            "\"%1\": the file was replaced since by another file, which is left "
                            "as it is."),
                 {entry.original}});
        } else if (now.empty() && hiddenLeft) {
            unresolved = true;
            result.problems.push_back(
                {NS_MESSAGE("Message",
                            "\"%1\": the file is not found, and files wait under hidden names "
                            "that begin with \".nameshift-\"; the batch is kept until the file "
                            "has one of its names again."),
                 {entry.original}});
        } else if (now.empty()) {
            result.problems.push_back(
                {NS_MESSAGE("Message", "\"%1\": the file is gone."), {entry.original}});
        } else if (now != entry.original && now != entry.final && !isTemporaryName(now)) {
            result.problems.push_back(
                {NS_MESSAGE("Message", "\"%1\": the file was renamed to \"%2\" since."),
                 {entry.original, std::string(now)}});
        } else if (now != target) {
            moves.push_back({i, now, target});
        }
    }
    return moves;
}

// The history a finished batch is kept in: with the files a recovery found done before its
// renames began.
HistoryKeeping finishKeeping(const std::string& stateDirectory, const HistoryBound& bound,
                             const Journal& journal, const std::vector<std::string_view>& names,
                             const std::vector<PlannedChange>& moves) {
    HistoryKeeping keeping{
        stateDirectory,
        bound,
        HistoryCommand::Finish,
        [&moves](std::size_t change) { return static_cast<std::uint32_t>(moves[change].file); },
        {},
        {}};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const JournalEntry& entry = journal.entries[i];
        if (names[i] == entry.final && entry.original != entry.final) {
            keeping.doneBefore.push_back(static_cast<std::uint32_t>(i));
        }
    }
    return keeping;
}

}  // namespace

Journal filesOf(const HistoryRecord& record) {
    Journal files = record.journal;
    files.entries.clear();
    for (const std::uint32_t entry : record.done) {
        files.entries.push_back(record.journal.entries[entry]);
    }
    return files;
}

void removeOwnRestoreFile(platform::FileSystem& fileSystem, const platform::Directory& directory,
                          const Journal& journal) {
    if (holdsOwnRecord(fileSystem, directory, journal, true)) {
        fileSystem.removeFileIn(directory, kRestoreFileName);
    }
}

std::vector<InterruptedBatch> findInterruptedBatches(platform::FileSystem& fileSystem,
                                                     const std::string& stateDirectory) {
    std::vector<InterruptedBatch> batches;
    if (stateDirectory.empty() || stateFolderRefusal(fileSystem, stateDirectory)) {
        return batches;
    }
    const auto entries = fileSystem.listDirectory(stateDirectory);
    if (!entries.ok()) {
        return batches;
    }
    std::vector<platform::DirEntry> journals;
    for (const platform::DirEntry& entry : *entries) {
        if (entry.isDirectory) {
            continue;
        }
        if (entry.name.ends_with(kJournalSuffix)) {
            journals.push_back(entry);
        } else if (entry.name.ends_with(kLockSuffix) ||
                   platform::isWriteTemporary(entry.name, kJournalSuffix) ||
                   isEarlierRestoreNote(entry.name)) {
            removeUnheld(fileSystem, stateDirectory + "/" + entry.name);
        }
    }
    std::sort(journals.begin(), journals.end(),
              [](const auto& a, const auto& b) { return a.writeTimeNs < b.writeTimeNs; });
    for (const platform::DirEntry& entry : journals) {
        const std::string path = stateDirectory + "/" + entry.name;
        // Only a journal of the user's own is acted on.
        const auto owner = fileSystem.identify(path);
        const auto text = owner.ok() && owner->userAlone
                              ? readJournal(fileSystem, path, *owner)
                              : platform::Result<std::string>(owner.status());
        if (!owner.ok() || !owner->userAlone || !text.ok()) {
            continue;
        }
        std::optional<Journal> journal = parseJournal(*text);
        if (!journal) {
            continue;
        }
        InterruptedBatch batch{path, std::move(*journal), 0};
        if (const auto directory = fileSystem.openDirectory(batch.journal.directory);
            directory.ok()) {
            // A batch still running holds its directory's lock; its journal is not a leftover.
            const auto named = fileSystem.identifyIn(*directory, ".");
            if (named.ok() &&
                judgeFolder(batch.journal.folder(), *named,
                            fileSystem.keepsFileNumbers(*directory)) == Verdict::Same &&
                !lockBatchDirectory(fileSystem, stateDirectory, *directory, *named).ok()) {
                continue;
            }
            if (const auto listing =
                    listFolderEntries(fileSystem, *directory, journalFolders(batch.journal));
                listing.ok()) {
                removeAbandonedRestoreFiles(fileSystem, directory->path(), *listing);
                const std::vector<std::string_view> names =
                    findJournalFiles(fileSystem, *directory, batch.journal, *listing);
                for (std::size_t i = 0; i < names.size(); ++i) {
                    batch.done += names[i] == batch.journal.entries[i].final ? 1 : 0;
                }
            }
        }
        batches.push_back(std::move(batch));
    }
    return batches;
}

std::vector<platform::Message> unreadableJournals(platform::FileSystem& fileSystem,
                                                  const std::string& stateDirectory) {
    std::vector<platform::Message> found;
    if (stateDirectory.empty() || stateFolderRefusal(fileSystem, stateDirectory)) {
        return found;
    }
    const auto entries = fileSystem.listDirectory(stateDirectory);
    if (!entries.ok()) {
        return found;
    }
    for (const platform::DirEntry& entry : *entries) {
        if (entry.isDirectory || !entry.name.ends_with(kJournalSuffix)) {
            continue;
        }
        const std::string path = stateDirectory + "/" + entry.name;
        const auto identity = fileSystem.identify(path);
        const auto text = identity.ok() ? readJournal(fileSystem, path, *identity)
                                        : platform::Result<std::string>(identity.status());
        if (text.ok() && parseJournal(*text)) {
            continue;
        }
        platform::MessageText said =
            text.ok()
                ? platform::MessageText{NS_MESSAGE(
                                            "Message",
                                            "The record \"%1\" of an interrupted batch is "
                                            "not a whole record, so its batch can be neither "
                                            "undone nor finished. Check the file names in its "
                                            "folder (files may wait under hidden names that "
                                            "begin with \".nameshift-\"), then move the "
                                            "record away."),
                                        {path}}
                : platform::MessageText{
                      NS_MESSAGE("Message",
                                 "The record \"%1\" of an interrupted batch "
                                 "cannot be read: %2. Its batch can be neither "
                                 "undone nor finished. Check the file names in its "
                                 "folder (files may wait under hidden names that "
                                 "begin with \".nameshift-\"), then move the "
                                 "record away."),
                      {path, text.status().message()}};
        found.emplace_back(std::move(said), NS_MESSAGE("Message", "Interrupted Batch"), Icon::Stop);
    }
    return found;
}

std::string describeInterruptedBatch(const InterruptedBatch& batch) {
    return "A batch in \"" + batch.journal.directory + "\" was interrupted after " +
           std::to_string(batch.done) + " of " + std::to_string(batch.journal.entries.size()) +
           " renames.";
}

RecoveryResult recoverBatch(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                            const InterruptedBatch& batch, RecoveryAction action,
                            BatchProgress* progress, const HistoryBound& bound) {
    RecoveryResult result;
    ReportedMessages messages(result.messages);
    const Journal& journal = batch.journal;
    const auto directory = fileSystem.openDirectory(journal.directory);
    const auto identity =
        directory.ok() ? fileSystem.identifyIn(*directory, ".") : directory.status();
    if (!identity.ok() || judgeFolder(journal.folder(), *identity,
                                      fileSystem.keepsFileNumbers(*directory)) != Verdict::Same) {
        result.problems.push_back(
            {NS_MESSAGE("Message",
                        "The directory \"%1\" cannot be found; its batch is kept for later."),
             {journal.directory}});
        result.journalKept = true;
        return result;
    }
    auto guard = adoptBatch(fileSystem, stateDirectory, *directory, *identity, batch.journalPath,
                            reachOf(journal));
    const auto listing = listFolderEntries(fileSystem, *directory, journalFolders(journal));
    if (!guard.ok() || !listing.ok()) {
        result.problems.push_back(
            {NS_MESSAGE("Message",
                        "The directory \"%1\" is busy or cannot be read; its batch is kept for "
                        "later."),
             {journal.directory}});
        result.journalKept = true;
        return result;
    }

    std::vector<Absence> absences;
    std::vector<std::string_view> names =
        findJournalFiles(fileSystem, *directory, journal, *listing, &absences);
    bool unresolved = false;
    const std::vector<PlannedChange> moves = recoveryMoves(
        fileSystem, *directory, journal, *listing, action, names, absences, result, unresolved);
    BatchSteps steps;
    steps.afterRenames = [&](const RenameRun& run) {
        result.renamed = run.renamed.size();
        result.cancelled = run.cancelled;
        for (const RenameFailure& failure : run.failures) {
            const PlannedChange& move = moves[failure.change];
            result.problems.push_back(
                {NS_MESSAGE("Message", "\"%1\" to \"%2\": %3"),
                 {std::string(move.oldName), move.newName, failure.status.message()}});
        }
    };
    RecordedRestoreFile written;
    steps.record = [&](const RenameRun& run) {
        const bool over =
            recordRecovery(fileSystem, messages, stateDirectory, batch, action,
                           {*directory, names, moves, unresolved, written}, run, result);
        if (steps.history) {
            steps.history->restoreFile = written;
        }
        return over;
    };
    // Finished, the batch needs its new folders; undone, it leaves those it emptied.
    const bool makes = makesFolders(journal.kind) == (action == RecoveryAction::Finish);
    (makes ? steps.foldersToMake : steps.foldersToRemove) = journal.folders;
    // An undo or a redo changes the record of the batch it acts on instead of adding one.
    if (action == RecoveryAction::Finish && !actsOnHistory(journal)) {
        steps.history = finishKeeping(stateDirectory, bound, journal, names, moves);
    }
    const auto executed = executeBatch(guard.value(), fileSystem, *directory, moves,
                                       orderRenames(moves), steps, progress);
    result.journalKept = std::get<ExecutedBatch>(executed).journalKept;
    if (std::get<ExecutedBatch>(executed).historyLost) {
        result.problems.emplace_back(
            NS_MESSAGE("Message", "The record of the batch in the history could not be written."));
    }
    return result;
}

}  // namespace nameshift::engine
