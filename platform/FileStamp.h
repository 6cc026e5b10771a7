#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nameshift::platform {

// What changes when a file's contents do: which file it is, its size, and when its data and its
// inode last changed. The change time moves on every write, even one that puts the old
// modification time back, as tag editors that keep file dates do.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file that `path` names, a link followed; nothing for anything else and
// for a path that cannot be examined.
std::optional<FileStamp> fileStamp(const std::string& path);

}  // namespace nameshift::platform
