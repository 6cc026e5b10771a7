#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/HistoryRecord.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

// How much history is kept: the last `batches` batches, and no more than `bytes` of records;
// older records go whole.
struct HistoryBound {
    std::size_t batches = 100;
    std::uint64_t bytes = std::uint64_t{50} * 1024 * 1024;

    bool operator==(const HistoryBound&) const = default;
};

// The most each option takes: more than anyone undoes, and more than any disk would spare.
inline constexpr std::uint64_t kMostHistoryBatches = 100'000;
inline constexpr std::uint64_t kMostHistoryMebibytes = 102'400;

// The bound the rules' options set; an option that historyOptionRefusal refuses keeps its
// default.
HistoryBound historyBoundOf(const settings::RenameSettings& rules);

// A history option of the rules that is not a whole number the option takes: its name (the key
// it has in its file), its value as written and the most it takes.
struct RefusedHistoryOption {
    std::string_view name;
    std::string value;
    std::uint64_t most = 0;
};
std::optional<RefusedHistoryOption> refusedHistoryOption(const settings::RenameSettings& rules);
// What the command-line tool refuses with, and the window tells, when the history options of
// `rules`, read from the file at `path`, hold a value they do not take; nothing when they do not.
std::optional<platform::Message> historyOptionRefusal(const settings::RenameSettings& rules,
                                                      const std::string& path);

// One record of the history folder; without `record` when it cannot be read, which is then
// listed and never acted on.
struct HistoryEntry {
    std::uint64_t id = 0;
    std::string path;
    std::uint64_t size = 0;
    std::optional<HistoryRecord> record;
};

// What the history keeps of a batch once it is recorded.
struct HistoryKeeping {
    std::string stateDirectory;
    HistoryBound bound;
    HistoryCommand command = HistoryCommand::Apply;
    // The journal entry that change `i` of the run gives its new name; kNoEntry for a change the
    // journal leaves out (one whose names are equal).
    std::function<std::uint32_t(std::size_t)> entryOf;
    // Entries under their new names before the renames began (those a recovery finds done).
    std::vector<std::uint32_t> doneBefore;
    // The restore file the batch wrote of its pairs, once it is written.
    RecordedRestoreFile restoreFile;
    static constexpr std::uint32_t kNoEntry = std::numeric_limits<std::uint32_t>::max();
};

// The records of the batches that ran, in the state folder's "history" folder, one file a
// batch, numbered in the order they ran. Each is written whole or not at all.
class BatchHistory {
public:
    BatchHistory(platform::FileSystem& fileSystem, const std::string& stateDirectory);

    const std::string& folder() const { return folder_; }
    std::string pathOf(std::uint64_t id) const;

    // The refusal to act on the history of a folder that another user owns or may write to: a
    // record planted there would rename the user's files. Nothing while the folder is missing.
    std::optional<platform::Message> folderRefusal();
    // The refusal to start a batch whose record the history could not keep: the folder cannot be
    // made, is not the user's alone, or takes no file (read-only, full). Without its record, a
    // later undo would take the batch before it for the last one and undo that on top of it.
    std::optional<platform::Message> writingRefusal();

    // Every record, oldest first, read when `read`.
    std::vector<HistoryEntry> entries(bool read = true);
    // Reads the record of `entry`, listed unread.
    void read(HistoryEntry& entry);
    // The newest record, read, whose batch's pairs are in the restore file `file`; nothing when
    // the history keeps none, or is not the user's alone: a record planted there could stop
    // every restore.
    std::optional<HistoryEntry> recordOfRestoreFile(const platform::FileIdentity& file);
    // Writes a new record: `head` followed by the journal's own bytes. Its number, or nothing
    // when it could not be written.
    std::optional<std::uint64_t> add(const HistoryRecord& head,
                                     const platform::FileContents& journal);
    // Whether the newest record of the folder of `journal` is that very batch, not undone since:
    // then the batch is recorded already, and only its journal outlived it.
    bool recordsLast(const Journal& journal);
    // Writes the head of `head` (its time, command, state and done entries) over record `id`'s,
    // whole or not at all, its journal's bytes kept as they are: an undo or a redo changes what
    // the head says of a batch, never its journal, which a 100,000-file batch takes long to
    // write out again.
    bool replaceHead(std::uint64_t id, const HistoryRecord& head);
    // Drops the oldest records whole until `bound` holds, and what stopped writes left.
    void trim(const HistoryBound& bound);

private:
    // The records among the entries of the history's folder, oldest first, unread.
    std::vector<HistoryEntry> recordsIn(const std::vector<platform::DirEntry>& listed) const;

    platform::FileSystem& fileSystem_;
    std::string folder_;
};

// Keeps in the history the batch whose journal is at `journalPath`, with the changes its run
// renamed. A batch that renamed nothing leaves no record. The journal's bytes are made again from
// `journal` when the batch wrote it, so that a large batch's journal is never held whole in
// memory, and read back from `journalPath` otherwise (a recovery's). False when the record could
// not be written: the batch's journal must stay then, as its only record.
bool keepInHistory(platform::FileSystem& fileSystem, const std::string& journalPath,
                   const HistoryKeeping& keeping, const std::vector<std::size_t>& renamed,
                   const platform::FileContents* journal = nullptr);

}  // namespace nameshift::engine
