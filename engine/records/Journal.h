#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/naming/NamePath.h"
#include "engine/records/FileEvidence.h"
#include "platform/Directory.h"
#include "platform/FileContents.h"

namespace nameshift::engine {

// One file of a batch: the file itself (its inode), the name it had when the batch began and the
// name the batch gives it, and what tells the file from one made since.
struct JournalEntry {
    std::uint64_t inode = 0;
    std::string original;
    std::string final;
    FileTraits traits;

    FileEvidence evidence() const { return {inode, traits}; }

    bool operator==(const JournalEntry&) const = default;
};

// A batch as written down before its first rename. After a crash it tells, with the files found
// by inode, which renames were done and how to undo or finish them.
struct Journal {
    // An undo or a redo acts on a batch of the history, whose record it changes once it is over.
    enum class Kind { Apply, Restore, Undo, Redo };
    // How the restore file of an apply (or a redo) is to be written once the batch is done.
    enum class Record { None, CreateNew, Replace };

    Kind kind = Kind::Apply;
    // The history's number of the batch an undo or a redo acts on; written for those only, so
    // that the journals of other batches read as earlier versions wrote them.
    std::uint64_t historyId = 0;
    std::string directory;
    std::uint64_t directoryDevice = 0;
    std::uint64_t directoryInode = 0;
    std::int64_t directoryBirthNs = 0;  // 0 where not known
    Record record = Record::None;
    // A restore consumes its restore file: the path and the file it read.
    std::string restoreFile;
    std::uint64_t restoreFileDevice = 0;
    std::uint64_t restoreFileInode = 0;
    std::vector<JournalEntry> entries;
    // The folders beneath the batch's folder that names moving files into new folders need,
    // parents first: an apply or a redo makes those missing before its first rename, and its undo
    // takes those left empty away after its last. Written only when there are any.
    std::vector<std::string> folders;

    FolderEvidence folder() const { return {directoryDevice, directoryInode, directoryBirthNs}; }
    bool operator==(const Journal&) const = default;
};

// Whether two journals' batches renamed in one folder: the same path (a medium mounted again
// has other numbers), or the same device and number (a folder moved), as long as the birth
// times do not tell two folders apart. Meant for the checks that hold a batch back.
bool sameFolder(const Journal& a, const Journal& b);
// Whether a batch of this kind makes the journal's folders (an apply, a restore, a redo) or
// empties them (an undo) when it is carried out.
inline bool makesFolders(Journal::Kind kind) {
    return kind != Journal::Kind::Undo;
}

// The largest journal read back: a batch of a million files whose names, before and after, all
// have the longest length a batch gives a name (a path from its folder, each as "1024:PATH,"),
// each moved into a new folder of such a path, with inodes, sizes and times of twenty digits
// ("20:INODE,") and a flag ("1:1,"), and room for the header's two paths. Anything larger was not
// written by a batch, and reading it whole could take all the memory there is; it is left unread
// and nothing is renamed from it.
inline constexpr std::size_t kMaxJournalBytes =
    64 * 1024 + std::size_t{1'000'000} * (4 * (3 + 20 + 1) + 4 + 3 * (5 + kLongestPath + 1));

// One entry as the journal's writer takes it, from wherever the batch keeps its names.
struct JournalEntryView {
    std::uint64_t inode = 0;
    std::string_view original;
    std::string_view final;
    FileTraits traits;
};

// The bytes of a journal whose `count` entries are not kept in `journal` (its own entries are
// left out) but handed out by `entryAt`, in pieces of some thousand entries each. Both must
// outlive the contents.
platform::FileContents journalContents(const Journal& journal, std::size_t count,
                                       std::function<JournalEntryView(std::size_t)> entryAt);
// The bytes of a journal with its own entries, made as they are written.
platform::FileContents journalContents(const Journal& journal);
std::string formatJournal(const Journal& journal);
// How many bytes a journal's header can take, its two paths at their longest: enough of a file's
// start to find its count of entries.
inline constexpr std::size_t kJournalHeaderBytes = 16 * 1024;
// The most bytes a journal can take whose start is `start`, by the count of entries its header
// gives; nothing when `start` does not begin a journal.
std::optional<std::uint64_t> journalSizeBound(std::string_view start);
// Nothing unless the text is a whole journal, every field in its place.
std::optional<Journal> parseJournal(std::string_view text);

}  // namespace nameshift::engine
