#include "engine/commands/RestoreCommand.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "engine/batch/BatchGuard.h"
#include "engine/batch/BatchRunner.h"
#include "engine/batch/RenameOrder.h"
#include "engine/batch/RenameRun.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/naming/NameIndex.h"
#include "engine/records/BatchHistory.h"
#include "engine/records/RestoreFile.h"
#include "platform/AbsolutePath.h"

namespace nameshift::engine {
namespace {

using platform::Icon;

// How many files that could not be renamed back get a message box of their own.
constexpr std::size_t kRestoreErrorBoxes = 10;

// The extension test is on the file name alone, so a dot in a directory above does not count.
bool hasRestoreExtension(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string_view name =
        std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    const auto dot = name.rfind('.');
    return dot != std::string_view::npos && name.substr(dot + 1) == "dat";
}

std::pair<std::string, std::string> splitPath(const std::string& path) {
    const auto slash = path.rfind('/');
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The restore file the user chose, as it was read, and the history's record of the batch whose
// pairs it holds, when the history keeps one: a restore file the program wrote is named in the
// record of its batch, which tells the folder the batch ran in and each file it renamed.
struct ChosenFile {
    std::string path;
    platform::FileIdentity identity;
    RestoreRecord record;
    std::optional<HistoryEntry> batch;

    bool ranIn(platform::FileSystem& fileSystem, const platform::Directory& folder) const {
        const auto identity = fileSystem.identifyIn(folder, ".");
        return identity.ok() && judgeFolder(batch->record->journal.folder(), *identity,
                                            fileSystem.keepsFileNumbers(folder)) == Verdict::Same;
    }
};

// The folder whose files the restore renames. That is the folder the file names, unless the
// record of its batch tells that the batch ran elsewhere: then a folder moved away together with
// its restore file is the file's own folder, and a copy left under the old path is not touched.
// The message to show when neither is the batch's folder.
std::optional<platform::Message> settleFolder(platform::FileSystem& fileSystem,
                                              const std::string& path, ChosenFile& chosen,
                                              std::optional<platform::Directory>& directory) {
    if (!chosen.batch || chosen.ranIn(fileSystem, *directory)) {
        return std::nullopt;
    }
    const std::string ownFolder = splitPath(path).first;
    platform::Result<platform::Directory> own = fileSystem.openDirectory(ownFolder);
    if (own.ok() && chosen.ranIn(fileSystem, *own)) {
        directory.emplace(std::move(own.value()));
        chosen.record.directory = directory->path();
        return std::nullopt;
    }
    return platform::Message(
        {NS_MESSAGE("Message",
                    "The files of the restore file \"%1\" are neither in \"%2\", the folder it "
                    "names, nor in \"%3\", the folder it is in. Nothing was restored."),
         {path, chosen.record.directory, ownFolder}},
        platform::kProgramTitle, Icon::Stop);
}

// Reads and checks the chosen file; the message to show when it cannot be used. A file whose
// pairs would rename the restore file itself is refused, since the restore ends by deleting that
// file.
std::variant<ChosenFile, platform::Message> readChosenFile(
    platform::FileSystem& fileSystem, const std::string& stateDirectory, const std::string& path,
    std::optional<platform::Directory>& directory) {
    const platform::Message corrupt(
        NS_MESSAGE("Message", "The restore file is corrupt and cannot be used!"),
        platform::kProgramTitle, Icon::Stop);
    platform::Result<platform::FileIdentity> identity = fileSystem.identify(path);
    platform::Result<std::string> text = identity.ok()
                                             ? fileSystem.readFile(path, kRestoreFileMaxBytes)
                                             : platform::Result<std::string>(identity.status());
    if (!text.ok()) {
        // A file larger than any restore file is one that was read and found wrong.
        if (text.status().error() == EFBIG) {
            return corrupt;
        }
        return platform::Message({NS_MESSAGE("Message", "Cannot read the restore file \"%1\": %2"),
                                  {path, text.status().message()}},
                                 platform::kProgramTitle, Icon::Stop);
    }
    std::optional<RestoreRecord> record = parseRestoreFile(*text);
    if (!record) {
        return corrupt;
    }
    platform::Result<platform::Directory> opened = fileSystem.openDirectory(record->directory);
    if (!opened.ok()) {
        return corrupt;
    }
    directory.emplace(std::move(opened.value()));
    ChosenFile chosen{path, *identity, std::move(*record), std::nullopt};
    if (!stateDirectory.empty()) {
        chosen.batch = BatchHistory(fileSystem, stateDirectory).recordOfRestoreFile(*identity);
    }
    if (auto refusal = settleFolder(fileSystem, path, chosen, directory)) {
        return std::move(*refusal);
    }
    const std::string fileName = splitPath(path).second;
    for (const std::vector<std::string>* names :
         {&chosen.record.namesBefore, &chosen.record.namesAfter}) {
        for (const std::string& name : *names) {
            if (name != fileName) {
                continue;
            }
            const auto named = fileSystem.identifyIn(*directory, name);
            if (named.ok() && named->sameFileAs(*identity)) {
                return corrupt;
            }
        }
    }
    return chosen;
}

// Undoing renames each file from its present name (the second of a pair) back to its earlier
// one, last pair first.
std::vector<PlannedChange> undoChanges(const RestoreRecord& record) {
    std::vector<PlannedChange> changes;
    const std::size_t count = record.namesBefore.size();
    changes.reserve(count);
    for (std::size_t i = count; i-- > 0;) {
        changes.push_back({i, record.namesAfter[i], record.namesBefore[i]});
    }
    return changes;
}

// One entry a file: the name it has now and the name the restore gives it, after following it
// through every pair that moves it. `stale` counts the files whose present name holds another
// file than the record of the batch says; `entryOf` tells the entry of each change.
Journal journalOf(platform::FileSystem& fileSystem, const platform::Directory& directory,
                  const platform::FileIdentity& directoryIdentity, const ChosenFile& chosen,
                  const std::vector<PlannedChange>& changes, std::size_t& stale,
                  std::vector<std::size_t>& entryOf) {
    Journal journal;
    journal.kind = Journal::Kind::Restore;
    journal.directory = directory.path();
    journal.directoryDevice = directoryIdentity.device;
    journal.directoryInode = directoryIdentity.inode;
    journal.restoreFile = chosen.path;
    journal.restoreFileDevice = chosen.identity.device;
    journal.restoreFileInode = chosen.identity.inode;
    journal.directoryBirthNs = directoryIdentity.birthTimeNs;
    const bool numbersKept = fileSystem.keepsFileNumbers(directory);
    // Both sides of a restore file hold each name once, so a name a pair undone earlier gave is
    // taken by at most one later pair, the next step of the same file.
    const auto newNameOf = [&changes](std::size_t i) -> std::string_view {
        return changes[i].newName;
    };
    NameIndex<decltype(newNameOf)> byNewName(changes.size(), newNameOf);
    // The record's files by the names the batch gave them, which are one name a file.
    static const std::vector<JournalEntry> kNoRecord;
    const std::vector<JournalEntry>& recorded =
        chosen.batch ? chosen.batch->record->journal.entries : kNoRecord;
    const auto finalOf = [&recorded](std::size_t i) -> std::string_view {
        return recorded[i].final;
    };
    NameIndex<decltype(finalOf)> byFinal(recorded.size(), finalOf);
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        byFinal.insert(i);
    }
    entryOf.assign(changes.size(), 0);
    journal.entries.reserve(changes.size());
    stale = 0;
    for (std::size_t at = 0; at < changes.size(); ++at) {
        const PlannedChange& change = changes[at];
        const std::size_t earlier = byNewName.find(change.oldName);
        std::size_t entry = 0;
        if (earlier == byNewName.kNone) {
            // Looked at by name, which also finds a name the folder holds under other letter
            // case, on media that fold it.
            const auto identity = fileSystem.identifyIn(directory, std::string(change.oldName));
            const FileEvidence now = identity.ok() ? evidenceOf(*identity) : FileEvidence{};
            // The first pair undone that names a file is the last the batch made with it. A
            // file the evidence cannot tell is restored as the file says, as without a record.
            const std::size_t file = byFinal.find(change.oldName);
            if (file != byFinal.kNone && identity.ok() &&
                judgeFile(recorded[file].evidence(), now, numbersKept, Sighting::RecordedName) ==
                    Verdict::Other) {
                ++stale;
            }
            entry = journal.entries.size();
            journal.entries.push_back(
                {now.inode, std::string(change.oldName), std::string(change.oldName), now.traits});
        } else {
            entry = entryOf[earlier];
        }
        journal.entries[entry].final = change.newName;
        entryOf[at] = entry;
        byNewName.insert(at);
    }
    return journal;
}

// The pairs still to restore, in their batch order, as the restore file keeps them.
RestoreRecord pairsLeft(const RestoreRecord& record, const RenameRun& run) {
    const std::size_t count = record.namesBefore.size();
    std::vector<char> restored(count, 0);
    for (const std::size_t change : run.renamed) {
        restored[count - 1 - change] = 1;
    }
    RestoreRecord left;
    left.directory = record.directory;
    for (std::size_t i = 0; i < count; ++i) {
        if (restored[i] == 0) {
            left.namesBefore.push_back(record.namesBefore[i]);
            left.namesAfter.push_back(record.namesAfter[i]);
        }
    }
    return left;
}

// Whether the restore file's path still names the file that was read.
bool isChosenFile(platform::FileSystem& fileSystem, const ChosenFile& chosen) {
    const auto identity = fileSystem.identify(chosen.path);
    return identity.ok() && identity->sameFileAs(chosen.identity);
}

// Deletes the restore file only while it is still the file that was read.
void removeChosenFile(platform::FileSystem& fileSystem, const ChosenFile& chosen) {
    const auto [parent, name] = splitPath(chosen.path);
    const platform::Result<platform::Directory> directory = fileSystem.openDirectory(parent);
    if (!directory.ok()) {
        return;
    }
    const auto identity = fileSystem.identifyIn(*directory, name);
    if (identity.ok() && identity->sameFileAs(chosen.identity)) {
        fileSystem.removeFileIn(*directory, name);
    }
}

// A box for each of the first few files that could not be restored; the rest, which could be a
// whole folder's, in one list.
void reportRestoreErrors(platform::MessageBox& messages, const std::vector<PlannedChange>& changes,
                         const RenameRun& run, std::size_t listed) {
    const std::size_t boxed = std::min(run.failures.size(), kRestoreErrorBoxes);
    for (std::size_t i = 0; i < boxed; ++i) {
        const PlannedChange& change = changes[run.failures[i].change];
        messages.show(
            restoreErrorText(std::string(change.oldName), change.newName, run.failures[i].status),
            NS_MESSAGE("Message", "Restore Error"), Icon::Stop);
    }
    if (run.failures.size() > boxed) {
        const std::vector<RenameFailure> rest(run.failures.begin() + static_cast<long>(boxed),
                                              run.failures.end());
        messages.show(renameErrorsText(changes, rest, listed),
                      NS_MESSAGE("Message", "Restore Error"), Icon::Stop);
    }
}

// Deletes the restore file when every pair was restored, and otherwise keeps in it exactly the
// pairs still to do, which must survive or the user could never restore them; the record of
// its batch then names the file rewritten. False when the restore file could not be kept so,
// and the journal must stay.
bool recordRestore(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                   const std::string& stateDirectory, const ChosenFile& chosen,
                   const RenameRun& run) {
    if (run.failures.empty() && !run.cancelled) {
        removeChosenFile(fileSystem, chosen);
        return true;
    }
    if (!isChosenFile(fileSystem, chosen)) {
        // Another file took the restore file's place meanwhile; it is not ours to replace, and
        // the journal keeps the pairs left for the next start.
        messages.show({NS_MESSAGE("Message",
                                  "The restore file \"%1\" was replaced by another file while "
                                  "the names were restored, and is left as it is. The files not "
                                  "restored yet are offered at the next start."),
                       {chosen.path}},
                      NS_MESSAGE("Message", "Restore Error"), Icon::Stop);
        return false;
    }
    if (!replaceRestoreFile(fileSystem, messages, chosen.path, pairsLeft(chosen.record, run))) {
        return false;
    }
    if (const auto rewritten = fileSystem.identify(chosen.path); chosen.batch && rewritten.ok()) {
        HistoryRecord head = chosen.batch->record->head();
        head.restoreFile = RecordedRestoreFile::of(*rewritten);
        BatchHistory(fileSystem, stateDirectory).replaceHead(chosen.batch->id, head);
    }
    return true;
}

// The batch from the restore file, under the lock: one journal entry a file, each file looked at
// where the file says it is now; refused when the files are no longer the ones it speaks of.
bool followUnderLock(RenameSession& session, const ChosenFile& chosen,
                     std::vector<std::size_t>& entryOf, Batch& batch, const BatchGuard& guard,
                     CommandReport& report) {
    std::size_t stale = 0;
    batch.head = journalOf(session.fileSystem, *batch.directory, guard.directory(), chosen,
                           batch.moves, stale, entryOf);
    if (stale > 0) {
        // Run anyway, it would send files that are not the batch's to names they never had.
        report = refused(std::move(report),
                         {{NS_MESSAGE_N("Message",
                                        "The restore file \"%1\" no longer matches the files in "
                                        "\"%2\": %n of its file(s) were renamed or replaced "
                                        "since it was written. Nothing was restored."),
                           {chosen.path, batch.directory->path()},
                           static_cast<long long>(stale)},
                          NS_MESSAGE("Message", "Restore Error"),
                          Icon::Stop});
        return false;
    }
    batch.steps.journal = journalContents(batch.head);
    return true;
}

// The restore file the user picks, read and checked, with its folder opened; nothing when the
// user picked none or the report says why it cannot be used.
std::optional<ChosenFile> pickRestoreFile(RenameSession& session, RestoreFilePicker& picker,
                                          std::optional<platform::Directory>& directory,
                                          CommandReport& report) {
    const std::string& initialDirectory = session.directory;
    const std::optional<std::string> choice = picker.chooseRestoreFile(initialDirectory);
    if (!choice) {
        return std::nullopt;
    }
    if (!hasRestoreExtension(*choice)) {
        report = refused(std::move(report),
                         {NS_MESSAGE("Message", "You have chosen an invalid restore file!"),
                          NS_MESSAGE("Message", "Invalid Restore File"), Icon::Exclamation});
        return std::nullopt;
    }
    auto read = readChosenFile(session.fileSystem, session.stateDirectory,
                               platform::absolutePath(*choice, initialDirectory), directory);
    if (const auto* refusal = std::get_if<platform::Message>(&read)) {
        report = refused(std::move(report), *refusal);
        return std::nullopt;
    }
    return std::move(std::get<ChosenFile>(read));
}

}  // namespace

platform::MessageText restoreErrorText(const std::string& currentName,
                                       const std::string& earlierName,
                                       const platform::Status& status) {
    platform::MessageText text{
        NS_MESSAGE("Message", "The file \"%1 cannot be renamed\n to \"%2\".\n\nError: %3"),
        {currentName, earlierName}};
    text.parts.push_back(status.reason());
    return text;
}

CommandReport restoreFilenames(RenameSession& session, RestoreFilePicker& picker,
                               BatchProgress* progress) {
    platform::FileSystem& fileSystem = session.fileSystem;
    CommandReport report;
    ReportedMessages messages(report.messages);
    std::optional<platform::Directory> directory;
    const std::optional<ChosenFile> picked = pickRestoreFile(session, picker, directory, report);
    if (!picked) {
        return report;
    }
    const ChosenFile& chosen = *picked;
    Batch batch;
    batch.kind = Batch::Kind::Restore;
    batch.directory = std::move(directory);
    batch.moves = undoChanges(chosen.record);
    batch.order = inSequence(batch.moves.size());
    batch.endsProgram = session.options.exitAfterRestore;
    std::vector<std::size_t> entryOf;
    batch.steps.afterRenames = [&](const RenameRun& run) {
        reportRestoreErrors(messages, batch.moves, run, session.listedRenameErrors);
    };
    batch.steps.record = [&](const RenameRun& run) {
        return recordRestore(fileSystem, messages, session.stateDirectory, chosen, run);
    };
    batch.steps.history = HistoryKeeping{
        session.stateDirectory,
        historyBoundOf(session.rules),
        HistoryCommand::Restore,
        [&entryOf](std::size_t change) { return static_cast<std::uint32_t>(entryOf[change]); },
        {},
        {}};
    runBatch(
        session, batch,
        [&](Batch& made, const BatchGuard& guard, CommandReport& told) {
            return followUnderLock(session, chosen, entryOf, made, guard, told);
        },
        report, progress);
    return report;
}

}  // namespace nameshift::engine
