#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/naming/BatchChecks.h"
#include "engine/records/HistoryRecord.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// One batch as its restore file keeps it: the directory and, pair by pair in batch order, the
// name each file had before the batch and the name the batch gave it.
struct RestoreRecord {
    std::string directory;
    std::vector<std::string> namesBefore;
    std::vector<std::string> namesAfter;

    bool operator==(const RestoreRecord&) const = default;
};

// The exact bytes of a restore file: a banner, the quoted directory, the quoted pairs and a
// closing "" with no line end. Lines end in CR LF so that files move between systems unchanged.
std::string formatRestoreFile(const RestoreRecord& record);

// The pair `i` of a batch: the name before, the name after.
using RestorePairSource =
    std::function<std::pair<std::string_view, std::string_view>(std::size_t i)>;
// The same bytes for `count` pairs handed out by `pairAt`, made piece by piece as they are
// written; `directory` and whatever `pairAt` reads must outlive the contents.
platform::FileContents restoreFileContents(std::string_view directory, std::size_t count,
                                           RestorePairSource pairAt);

// The largest restore file that is read: a batch of a million files whose names both have the
// longest length a name can have (255 bytes, each quoted on its own line), and room for the
// banner and the longest directory path. Anything larger was not written by a batch, and reading
// it whole could take all the memory there is.
inline constexpr std::size_t kRestoreFileMaxBytes =
    64 * 1024 + std::size_t{1'000'000} * 2 * (255 + 4);

// Reads a restore file's text. Nothing when the markers, quotes or CR LF separators are not where
// they belong, the terminator is missing or followed by more than line ends, the directory is not
// an absolute path, or a name could reach outside the directory (empty, ".", "..", holding "/" or
// NUL). The directory must be absolute, with no "." or ".." among its parts. Banner lines are
// free text.
std::optional<RestoreRecord> parseRestoreFile(std::string_view text);

// Writes "restore.dat" into the open directory, new or in place of the one there as the batch
// settled before it began. A failure is reported and leaves no partial file. True when written.
bool writeRestoreFile(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                      const platform::Directory& directory, const platform::FileContents& contents,
                      platform::WriteMode mode);

// The restore file in the open directory, as a record names it; all zero when there is none.
RecordedRestoreFile restoreFileIn(platform::FileSystem& fileSystem,
                                  const platform::Directory& directory);

// Puts the record in place of the restore file at `path`, whole or not at all; a failure is
// reported. True when written.
bool replaceRestoreFile(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, const RestoreRecord& record);

}  // namespace nameshift::engine
