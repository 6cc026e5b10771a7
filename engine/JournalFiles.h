#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Journal.h"
#include "platform/DirEntry.h"
#include "platform/Directory.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {

// Whether `name` is one a batch's temporary step gives.
bool isTemporaryName(std::string_view name);

// Where each file of the journal is now, a name of `entries`; empty for a file not found. The
// file's two names are looked at first, each confirmed by the file's identity (another file of the
// batch may hold it, in a chain or a cycle); only a file under neither name is looked for among the
// rest of the folder, temporary names first. Matching the whole listing by number alone took two
// names of one file (hard links) for one entry.
std::vector<std::string_view> findJournalFiles(platform::FileSystem& fileSystem,
                                               const platform::Directory& directory,
                                               const Journal& journal,
                                               const std::vector<platform::DirEntry>& entries);

}  // namespace nameshift::engine
