#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/records/Journal.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {

// On a filesystem that refuses never-replacing renames (sshfs, NFS, SMB) a rename is a link under
// the new name and then the removal of the old one. A batch stopped between the two leaves its
// file under both names, and a recovery that only moved files would leave the second name behind.
class StoppedLinkRenames {
public:
    StoppedLinkRenames(const Journal& journal, const std::vector<platform::DirEntry>& listing);

    // Where entry `entry`'s file is found under one of its names and also has the other, takes
    // away the name that is not `keep`, and says so. Only where both names surely hold the one
    // file: the same number where the filesystem keeps numbers, else the same evidence and the
    // very same bytes; and never a name that another file of the batch had or gets.
    bool settle(platform::FileSystem& fileSystem, const platform::Directory& directory,
                std::size_t entry, std::string_view now, const std::string& keep,
                bool numbersKept) const;

private:
    const Journal& journal_;
    std::unordered_set<std::string_view> listed_;
    std::unordered_map<std::string_view, int> uses_;  // by the batch's entries, either side
};

}  // namespace nameshift::engine
