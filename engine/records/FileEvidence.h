#pragma once

#include <cstdint>

#include "platform/DirEntry.h"
#include "platform/Directory.h"

namespace nameshift::engine {

// What a rename leaves as it is and a new file would not share, beside the file's number.
struct FileTraits {
    // False for the files of journals and receipts of earlier versions, which kept the number
    // alone.
    bool known = false;
    std::uint64_t size = 0;
    std::int64_t writeTimeNs = 0;
    std::int64_t birthTimeNs = 0;  // 0 where the filesystem does not keep it

    bool operator==(const FileTraits&) const = default;
    // A folder's traits, which keep no size or write time (see evidenceOf).
    bool folderLike() const { return known && size == 0 && writeTimeNs == 0; }
};

// Which file a name stands for, as far as the filesystem lets anyone tell.
struct FileEvidence {
    std::uint64_t inode = 0;
    FileTraits traits;
};

// A folder's evidence is its number and birth time alone: its size and write time change as
// its entries are renamed, by the batch that renames it as by any other. A folder's size and
// time are recorded and met as 0, which no rename inside it changes.
FileEvidence evidenceOf(const platform::FileIdentity& identity);
FileEvidence evidenceOf(const platform::DirEntry& entry);
FileTraits traitsOf(std::uint64_t size, std::int64_t writeTimeNs, std::int64_t birthTimeNs,
                    bool folder);

// Where a file was met: under a name the batch gave it or took from it, under a temporary name
// of a batch, or under any other name.
enum class Sighting { RecordedName, TemporaryName, OtherName };

enum class Verdict {
    Same,       // the recorded file
    Other,      // another file: a file made since, or the recorded one replaced
    Undecided,  // the evidence cannot tell; the file is left alone
};

// Whether the file met is the recorded one. The number counts only where the filesystem keeps
// numbers (`numbersKept`), and never alone: a deleted file's number goes to the next new file,
// but with a new birth time, so number and birth time together tell the file, even one written
// to since. Where either side lacks a birth time, size and write time must agree with the
// number, and a file written to since is another as far as anyone can tell, and is left alone.
// Where numbers are not kept, a name of the batch's and the rest decide, unless a birth time
// tells the file; a file under any other name cannot be told.
Verdict judgeFile(const FileEvidence& recorded, const FileEvidence& met, bool numbersKept,
                  Sighting where);

// The batch's folder as recorded: its device, number and birth time.
struct FolderEvidence {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t birthTimeNs = 0;
};

// Whether the folder now under the recorded path is the batch's. A folder deleted and made
// again may get the old number, but not the old birth time; a medium mounted again gets another
// device number, and its folder is found by path, number (where kept) and birth time. Where
// neither tells, the path stands, and each file's own evidence decides whether it is renamed.
Verdict judgeFolder(const FolderEvidence& recorded, const platform::FileIdentity& met,
                    bool numbersKept);

}  // namespace nameshift::engine
