#include "engine/commands/UndoCommand.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <variant>
#include <vector>

#include "engine/batch/BatchRecovery.h"
#include "engine/batch/BatchRunner.h"
#include "engine/batch/FolderEntries.h"
#include "engine/batch/RenameOrder.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/records/BatchHistory.h"
#include "engine/records/FileEvidence.h"
#include "engine/records/JournalFiles.h"
#include "engine/records/RestoreFile.h"

namespace nameshift::engine {
namespace {

using platform::Icon;

enum class Direction { Undo, Redo };

const char* const kUndoCaption = NS_MESSAGE("Message", "Undo");
const char* const kRedoCaption = NS_MESSAGE("Message", "Redo");

const char* captionOf(Direction direction) {
    return direction == Direction::Undo ? kUndoCaption : kRedoCaption;
}

platform::Message historyRefusal(platform::MessageText text,
                                 Direction direction = Direction::Undo) {
    return {std::move(text), captionOf(direction), Icon::Stop};
}

// What an undo or a redo settles on in the history as it reads it: the place of the batch to run
// among the entries, or why none runs.
using HistoryChoice = std::variant<std::size_t, platform::Message>;
using HistoryChooser = std::function<HistoryChoice(std::vector<HistoryEntry>&)>;

// A record that cannot be read tells neither its folder nor its files: the batch may have renamed
// the files of any batch before it, which must not be undone on top of it.
platform::Message unreadableRecordRefusal(const HistoryEntry& entry) {
    return historyRefusal({NS_MESSAGE("Message",
                                      "The record of batch %1, \"%2\", cannot be read, so "
                                      "neither it nor a batch before it can be undone: it may "
                                      "have renamed their files since. Check the files it named, "
                                      "move the record away and try again. Nothing was renamed."),
                           {std::to_string(entry.id), entry.path}});
}

bool inSameFolder(const HistoryRecord& a, const HistoryRecord& b) {
    return sameFolder(a.journal, b.journal);
}

// The latest batch after `at`, in its folder and not undone, that renamed one of its files
// again: it must be undone first, or `at` would send its files to names that are no longer
// theirs. A later batch took such a file from the name `at` gave it, or by its number where the
// rest of the evidence does not tell another file; where the evidence cannot tell, the later
// batch is taken to be in the way.
std::optional<std::uint64_t> laterBatchInTheWay(const std::vector<HistoryEntry>& entries,
                                                std::size_t at) {
    const HistoryRecord& record = *entries[at].record;
    // Made at the first later batch in the folder: most undos meet none, and the names of a
    // large batch take long to gather.
    std::unordered_set<std::string_view> givenNames;
    std::unordered_multimap<std::uint64_t, const JournalEntry*> byInode;
    bool gathered = false;
    const auto renamedAgain = [&](const JournalEntry& later) {
        if (givenNames.contains(later.original)) {
            return true;
        }
        const auto [from, to] = byInode.equal_range(later.inode);
        return std::any_of(from, to, [&later](const auto& earlier) {
            return judgeFile(earlier.second->evidence(), later.evidence(), true,
                             Sighting::OtherName) != Verdict::Other;
        });
    };
    for (std::size_t later = entries.size(); later-- > at + 1;) {
        const std::optional<HistoryRecord>& other = entries[later].record;
        if (!other || other->state != HistoryRecord::State::Done || !inSameFolder(*other, record)) {
            continue;
        }
        if (!gathered) {
            for (const std::uint32_t entry : record.done) {
                const JournalEntry& renamed = record.journal.entries[entry];
                givenNames.insert(renamed.final);
                byInode.emplace(renamed.inode, &renamed);
            }
            gathered = true;
        }
        if (std::any_of(other->done.begin(), other->done.end(), [&](std::uint32_t entry) {
                return renamedAgain(other->journal.entries[entry]);
            })) {
            return entries[later].id;
        }
    }
    return std::nullopt;
}

std::uint64_t nanosecondsNow() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count());
}

// The head of the record once the run is over. An undo that moved every file it found marks the
// batch undone, its list kept for a redo; otherwise the batch keeps the files still under its
// names. A redo lists what it renamed again.
HistoryRecord recordAfter(const HistoryRecord& before, Direction direction,
                          const std::vector<std::uint32_t>& stayed,
                          const std::vector<std::uint32_t>& arrived, std::uint64_t newestId) {
    HistoryRecord record{before.time,        before.command,     before.state, before.undoneAtNs,
                         before.undoneAfter, before.restoreFile, before.done,  {}};
    if (direction == Direction::Undo) {
        if (stayed.empty()) {
            record.state = HistoryRecord::State::Undone;
            record.undoneAtNs = nanosecondsNow();
            record.undoneAfter = newestId;
        } else {
            record.done = stayed;
        }
    } else if (!arrived.empty()) {
        record.state = HistoryRecord::State::Done;
        record.done = arrived;
    }
    return record;
}

// How a redo writes the restore file: as its apply did, unless the options now keep the record
// only in the history or want none. One that another batch wrote since the undo stays, unless
// the apply had replaced its folder's one too.
Journal::Record redoRecord(const RenameSession& session, const HistoryRecord& record,
                           const platform::Directory& directory) {
    if (record.command != HistoryCommand::Apply || record.journal.record == Journal::Record::None ||
        session.options.restoreFileUsage == settings::RestoreFileUsage::None ||
        session.rules.historyOnly) {
        return Journal::Record::None;
    }
    if (!session.fileSystem.identifyIn(directory, kRestoreFileName).ok()) {
        return Journal::Record::CreateNew;
    }
    return record.journal.record == Journal::Record::Replace ? Journal::Record::Replace
                                                             : Journal::Record::None;
}

// An undo or a redo of one batch of the history, as its maker reads it: the batch's entry, its
// files, and what became of each once the renames are over.
struct HistoryRun {
    const HistoryEntry& entry;
    Direction direction;
    const HistoryChooser& choose;
    // The batch's files as a journal of their own: the batch's journal itself while the batch
    // holds every file of it, as after its apply.
    Journal some;
    const Journal* files = nullptr;
    std::vector<std::uint32_t> stayed;
    std::vector<std::uint32_t> arrived;
    // An undo keeps the files it could not tell in the batch, to be undone once they can be.
    std::vector<std::uint32_t> untold;
    std::uint64_t newestId = 0;
    // The folder as read under the lock, whose names the moves name.
    std::vector<platform::DirEntry> listing;

    const HistoryRecord& record() const { return *entry.record; }
};

// The batch's folder, opened and held to the one its record names.
bool openHistoryFolder(RenameSession& session, HistoryRun& history, Batch& batch,
                       CommandReport& report) {
    platform::FileSystem& fileSystem = session.fileSystem;
    const Journal& recorded = history.record().journal;
    auto directory = fileSystem.openDirectory(recorded.directory);
    const auto identity =
        directory.ok() ? fileSystem.identifyIn(*directory, ".") : directory.status();
    if (!identity.ok() || judgeFolder(recorded.folder(), *identity,
                                      fileSystem.keepsFileNumbers(*directory)) != Verdict::Same) {
        report = refused(std::move(report),
                         historyRefusal({NS_MESSAGE("Message",
                                                    "The folder \"%1\" of batch %2 is no longer "
                                                    "there. Nothing was renamed."),
                                         {recorded.directory, std::to_string(history.entry.id)}},
                                        history.direction));
        return false;
    }
    const bool undo = history.direction == Direction::Undo;
    batch.kind = undo ? Batch::Kind::Undo : Batch::Kind::Redo;
    batch.head.kind = undo ? Journal::Kind::Undo : Journal::Kind::Redo;
    batch.head.historyId = history.entry.id;
    batch.head.directory = directory->path();
    batch.head.directoryDevice = identity->device;
    batch.head.directoryInode = identity->inode;
    batch.head.directoryBirthNs = identity->birthTimeNs;
    batch.head.folders = history.record().journal.folders;
    batch.reach = reachOf(recorded);
    if (!undo) {
        batch.head.record = redoRecord(session, history.record(), *directory);
    }
    batch.directory.emplace(std::move(directory.value()));
    return true;
}

// The history read before the lock may be old already: a batch that ran in the folder since, or
// another undo or redo of this one, is in it now, and none can start there while the lock is
// held. The batch runs only as the history under the lock tells of it.
bool chosenAgain(HistoryRun& history, CommandReport& report) {
    std::vector<HistoryEntry> current;
    HistoryChoice again = history.choose(current);
    if (const auto* refusal = std::get_if<platform::Message>(&again)) {
        report = refused(std::move(report), *refusal);
        return false;
    }
    if (const HistoryEntry& chosen = current[std::get<std::size_t>(again)];
        chosen.id != history.entry.id || chosen.record != history.entry.record) {
        report = refused(std::move(report),
                         historyRefusal({NS_MESSAGE("Message",
                                                    "The history changed while batch %1 was "
                                                    "looked up. Nothing was renamed; try again."),
                                         {std::to_string(history.entry.id)}},
                                        history.direction));
        return false;
    }
    history.newestId = current.back().id;
    return true;
}

const char* absenceText(Absence absence) {
    return absence == Absence::Replaced
               ? NS_MESSAGE("Message",
                            "\"%1\": the file was replaced since by another file, which is "
                            "left as it is.")
           : absence == Absence::Undecided
               ? NS_MESSAGE("Message",
                            "\"%1\": a file is there that cannot be told for sure to be the "
                            "batch's; it is left as it is.")
               : NS_MESSAGE("Message", "\"%1\": the file is gone.");
}

// Finds the batch's files where they are now, under the lock, and makes a move of each that is
// not under the name the undo or the redo gives it yet.
bool findHistoryFiles(RenameSession& session, HistoryRun& history, Batch& batch,
                      CommandReport& report) {
    if (!chosenAgain(history, report)) {
        return false;
    }
    platform::FileSystem& fileSystem = session.fileSystem;
    const std::vector<JournalEntry>& entries = history.record().journal.entries;
    // Files moved into folders are looked for on both sides.
    auto listing = listFolderEntries(
        fileSystem, *batch.directory,
        foldersBeneath(2 * entries.size(), [&entries](std::size_t i) -> std::string_view {
            return i % 2 == 0 ? entries[i / 2].original : entries[i / 2].final;
        }));
    if (!listing.ok()) {
        report =
            refused(std::move(report), directoryError(batch.directory->path(), listing.status()));
        return false;
    }
    history.listing = std::move(listing.value());
    // Held to the end of the batch, since the moves name its names: without the room its
    // growth left over.
    history.listing.shrink_to_fit();
    const HistoryRecord& record = history.record();
    bool whole = record.done.size() == record.journal.entries.size();
    for (std::size_t i = 0; whole && i < record.done.size(); ++i) {
        whole = record.done[i] == i;
    }
    for (std::size_t i = 0; !whole && i < record.done.size(); ++i) {
        history.some.entries.push_back(record.journal.entries[record.done[i]]);
    }
    history.files = whole ? &record.journal : &history.some;
    const Journal& files = *history.files;
    std::vector<Absence> absences;
    const std::vector<std::string_view> names =
        findJournalFiles(fileSystem, *batch.directory, files, history.listing, &absences);
    const bool undo = history.direction == Direction::Undo;
    ReportedMessages messages(report.messages);
    batch.moves.reserve(files.entries.size());
    batch.files.reserve(files.entries.size());
    for (std::size_t i = 0; i < files.entries.size(); ++i) {
        const JournalEntry& file = files.entries[i];
        const std::string& target = undo ? file.original : file.final;
        if (names[i].empty()) {
            ++batch.missing;
            if (undo && absences[i] == Absence::Undecided) {
                history.untold.push_back(record.done[i]);
            }
            messages.show({absenceText(absences[i]), {undo ? file.final : file.original}},
                          captionOf(history.direction), Icon::Stop);
        } else if (names[i] == target) {
            history.arrived.push_back(record.done[i]);
        } else {
            batch.moves.push_back({i, names[i], target});
            batch.files.push_back(file.evidence());
        }
    }
    // A file that took the restore file's name since cannot be recorded in one.
    if (std::any_of(batch.moves.begin(), batch.moves.end(), [](const PlannedChange& move) {
            return move.oldName == kRestoreFileName || move.newName == kRestoreFileName;
        })) {
        batch.head.record = Journal::Record::None;
    }
    batch.order = orderRenames(batch.moves);
    return true;
}

// Once the renames are over: which files the batch now holds under which names, written over the
// head of its record.
bool recordHistoryRun(RenameSession& session, HistoryRun& history, const Batch& batch,
                      const RenameRun& run) {
    const HistoryRecord& record = history.record();
    std::vector<char> moved(batch.moves.size(), 0);
    for (const std::size_t change : run.renamed) {
        moved[change] = 1;
        history.arrived.push_back(record.done[batch.moves[change].file]);
    }
    for (std::size_t i = 0; i < batch.moves.size(); ++i) {
        if (moved[i] == 0) {
            history.stayed.push_back(record.done[batch.moves[i].file]);
        }
    }
    history.stayed.insert(history.stayed.end(), history.untold.begin(), history.untold.end());
    // In the order of the batch already, unless a chain or a cycle was renamed out of it.
    for (std::vector<std::uint32_t>* indices : {&history.arrived, &history.stayed}) {
        if (!std::is_sorted(indices->begin(), indices->end())) {
            std::sort(indices->begin(), indices->end());
        }
    }
    HistoryRecord after =
        recordAfter(record, history.direction, history.stayed, history.arrived, history.newestId);
    // A redo's restore file holds the pairs of the batch redone.
    if (batch.restoreFileWritten.kept()) {
        after.restoreFile = batch.restoreFileWritten;
    }
    if (!BatchHistory(session.fileSystem, session.stateDirectory)
             .replaceHead(history.entry.id, after)) {
        return false;
    }
    // Only once the record says undone: an undo stopped before it is taken back with the
    // restore file still there, and a finished one takes it away then.
    if (history.direction == Direction::Undo && history.stayed.empty() &&
        record.command == HistoryCommand::Apply) {
        removeOwnRestoreFile(session.fileSystem, *batch.directory, *history.files);
    }
    return true;
}

// Runs the batch of `entries[at]` backwards (undo) or forwards again (redo), once `choose` has
// chosen it again under its folder's lock.
CommandReport runHistoryBatch(RenameSession& session, std::vector<HistoryEntry>& entries,
                              std::size_t at, Direction direction, BatchProgress* progress,
                              const HistoryChooser& choose) {
    HistoryRun history{entries[at], direction, choose, {}, nullptr, {}, {}, {}, 0, {}};
    CommandReport report;
    Batch batch;
    if (!openHistoryFolder(session, history, batch, report)) {
        return report;
    }
    batch.steps.record = [&](const RenameRun& run) {
        return recordHistoryRun(session, history, batch, run);
    };
    runBatch(
        session, batch,
        [&](Batch& made, const BatchGuard&, CommandReport& told) {
            return findHistoryFiles(session, history, made, told);
        },
        report, progress);
    return report;
}

}  // namespace

namespace {

HistoryChoice chooseUndo(RenameSession& session, std::vector<HistoryEntry>& entries,
                         std::optional<std::uint64_t> id) {
    BatchHistory history(session.fileSystem, session.stateDirectory);
    if (auto refusal = history.folderRefusal()) {
        return std::move(*refusal);
    }
    // Read from the newest back to the batch undone: the earlier records, which may be many
    // and large, play no part.
    entries = history.entries(false);
    std::optional<std::size_t> at;
    for (std::size_t i = entries.size(); i-- > 0;) {
        if (!id || entries[i].id >= *id) {
            history.read(entries[i]);
        }
        const std::optional<HistoryRecord>& record = entries[i].record;
        if (id ? entries[i].id == *id : record && record->state == HistoryRecord::State::Done) {
            at = i;
            break;
        }
        if (!record && (!id || entries[i].id > *id)) {
            return unreadableRecordRefusal(entries[i]);
        }
    }
    if (!at) {
        return historyRefusal(
            id ? platform::MessageText{NS_MESSAGE("Message",
                                                  "There is no batch %1 "
                                                  "in the history."),
                                       {std::to_string(*id)}}
               : platform::MessageText{NS_MESSAGE("Message", "There is no batch to undo.")});
    }
    const HistoryEntry& entry = entries[*at];
    if (!entry.record) {
        return historyRefusal({NS_MESSAGE("Message",
                                          "The record of batch %1 cannot be read, "
                                          "so the batch cannot be undone."),
                               {std::to_string(entry.id)}});
    }
    if (entry.record->state == HistoryRecord::State::Undone) {
        return historyRefusal(
            {NS_MESSAGE("Message", "Batch %1 is undone already."), {std::to_string(entry.id)}});
    }
    if (const auto later = laterBatchInTheWay(entries, *at)) {
        return historyRefusal({NS_MESSAGE("Message",
                                          "Batch %1 cannot be undone yet: batch %2 "
                                          "renamed some of its files since. Undo "
                                          "batch %2 first. Nothing was renamed."),
                               {std::to_string(entry.id), std::to_string(*later)}});
    }
    return *at;
}

HistoryChoice chooseRedo(RenameSession& session, std::vector<HistoryEntry>& entries,
                         std::optional<std::uint64_t> id) {
    BatchHistory history(session.fileSystem, session.stateDirectory);
    if (auto refusal = history.folderRefusal()) {
        refusal->caption = kRedoCaption;
        return std::move(*refusal);
    }
    entries = history.entries();
    std::optional<std::size_t> at;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::optional<HistoryRecord>& record = entries[i].record;
        if (record && record->state == HistoryRecord::State::Undone &&
            (!id || entries[i].id == *id) &&
            (!at || record->undoneAtNs > entries[*at].record->undoneAtNs)) {
            at = i;
        }
    }
    if (!at) {
        return historyRefusal({NS_MESSAGE("Message", "There is no undone batch to redo.")},
                              Direction::Redo);
    }
    const HistoryRecord& record = *entries[*at].record;
    for (const HistoryEntry& later : entries) {
        if (later.id <= record.undoneAfter) {
            continue;
        }
        if (!later.record) {
            return historyRefusal(
                {NS_MESSAGE("Message",
                            "Batch %1 cannot be redone: the record of batch "
                            "%2, \"%3\", cannot be read, and that batch may "
                            "have run in its folder since it was undone. "
                            "Nothing was renamed."),
                 {std::to_string(entries[*at].id), std::to_string(later.id), later.path}},
                Direction::Redo);
        }
        if (inSameFolder(*later.record, record)) {
            return historyRefusal({NS_MESSAGE("Message",
                                              "Batch %1 cannot be redone: batch %2 "
                                              "ran in its folder since it was "
                                              "undone. Nothing was renamed."),
                                   {std::to_string(entries[*at].id), std::to_string(later.id)}},
                                  Direction::Redo);
        }
    }
    return *at;
}

// Chooses the batch from the history as it stands, then runs it: the choice is made again under
// its folder's lock.
CommandReport runChosenBatch(RenameSession& session, const HistoryChooser& choose,
                             Direction direction, BatchProgress* progress) {
    std::vector<HistoryEntry> entries;
    HistoryChoice chosen = choose(entries);
    if (const auto* refusal = std::get_if<platform::Message>(&chosen)) {
        return refused({}, *refusal);
    }
    return runHistoryBatch(session, entries, std::get<std::size_t>(chosen), direction, progress,
                           choose);
}

}  // namespace

CommandReport undoBatch(RenameSession& session, std::optional<std::uint64_t> id,
                        BatchProgress* progress) {
    return runChosenBatch(
        session,
        [&session, id](std::vector<HistoryEntry>& entries) {
            return chooseUndo(session, entries, id);
        },
        Direction::Undo, progress);
}

CommandReport redoBatch(RenameSession& session, BatchProgress* progress,
                        std::optional<std::uint64_t> id) {
    return runChosenBatch(
        session,
        [&session, id](std::vector<HistoryEntry>& entries) {
            return chooseRedo(session, entries, id);
        },
        Direction::Redo, progress);
}

}  // namespace nameshift::engine
