#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/Journal.h"

namespace nameshift::engine {

// The restore file that holds a batch's pairs, as it was when it was written: which file it is,
// and its size, since the system may give the number of a file deleted to the next one made. All
// zero when the batch keeps none.
struct RecordedRestoreFile {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;

    static RecordedRestoreFile of(const platform::FileIdentity& file) {
        return {file.device, file.inode, file.size};
    }
    bool kept() const { return inode != 0; }
    bool operator==(const RecordedRestoreFile&) const = default;
};

// The command whose batch the history keeps.
enum class HistoryCommand { Apply, Restore, Finish };

// A batch of the history: its journal as it was written before the first rename, with when it
// ran, what ran it, which of the journal's files it renamed (in the order they were renamed) and
// whether it was undone since.
struct HistoryRecord {
    enum class State { Done, Undone };

    std::uint64_t time = 0;  // seconds since 1970
    HistoryCommand command = HistoryCommand::Apply;
    State state = State::Done;
    // When it was undone, in nanoseconds, which orders the undos for redo; and the highest
    // number of the history then: a later batch in its folder ends its redo.
    std::uint64_t undoneAtNs = 0;
    std::uint64_t undoneAfter = 0;
    // A restore that picks this file reads the folder and the files of its pairs from the record.
    RecordedRestoreFile restoreFile;
    // Places in journal.entries: the files the batch left under their new names.
    std::vector<std::uint32_t> done;
    Journal journal;

    // The record without its journal, to write a new head over it.
    HistoryRecord head() const {
        return {time, command, state, undoneAtNs, undoneAfter, restoreFile, done, {}};
    }
    bool operator==(const HistoryRecord&) const = default;
};

// The record's bytes: a short head and then `journalText`, the journal exactly as it was on
// disk, so that a record takes little more room than its journal. Only `journal` of `record` is
// left out.
std::string formatHistoryHead(const HistoryRecord& record);
std::string formatHistoryRecord(const HistoryRecord& record);
// Nothing unless the text is a whole record, every field in its place and its journal whole.
std::optional<HistoryRecord> parseHistoryRecord(std::string_view text);
// The restore file named in the head of the record that `start` begins, without reading further.
inline constexpr std::size_t kHistoryHeadBytes = 512;
std::optional<RecordedRestoreFile> historyRestoreFile(std::string_view start);
// Where the journal of the record `text` starts, its head read and nothing more.
std::optional<std::size_t> historyJournalOffset(std::string_view text);

// The largest record read back: a journal at its largest and a list of its files.
inline constexpr std::size_t kMaxHistoryRecordBytes = kMaxJournalBytes + kMaxJournalBytes / 5;

}  // namespace nameshift::engine
