#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/records/Journal.h"
#include "platform/DirEntry.h"
#include "platform/Directory.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {

// The names temporary steps use: hidden, unlikely to exist, and recognisable as ours.
inline constexpr const char* kTemporaryPrefix = ".nameshift-";

// Whether `name` is one a batch's temporary step gives.
bool isTemporaryName(std::string_view name);

// Why a file of a journal was not found.
enum class Absence {
    None,       // found
    Gone,       // under none of its names, nor anywhere else in the folder
    Replaced,   // another file holds its name: made since, or put there by hand
    Undecided,  // the evidence cannot tell whether a file there is it; it is left alone
};

// Where each file of the journal is now, a name of `entries`; empty for a file not found, with
// why in `absences` when given. A file is the journal's only when its evidence says so (see
// judgeFile): the file's two names are looked at first, the old one first (two names of one file,
// hard links, count as the old one), then the rest of the folder, temporary names first. A file
// two entries could both be taken for is neither's.
std::vector<std::string_view> findJournalFiles(platform::FileSystem& fileSystem,
                                               const platform::Directory& directory,
                                               const Journal& journal,
                                               const std::vector<platform::DirEntry>& entries,
                                               std::vector<Absence>* absences = nullptr);

}  // namespace nameshift::engine
