#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nameshift::platform {

// The attribute bits of a directory entry, in the values the settings and the file list use.
namespace attribute {
inline constexpr std::uint32_t kReadOnly = 0x01;  // the owner may not write
inline constexpr std::uint32_t kHidden = 0x02;    // the name starts with "."
inline constexpr std::uint32_t kSystem = 0x04;    // anything but a regular file
// A folder, listed as an entry of its own; only this bit in the mask lists folders.
inline constexpr std::uint32_t kFolder = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;  // a regular file
}  // namespace attribute

struct DirEntry {
    std::string name;  // the exact bytes of the name, no directory
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::int64_t writeTimeNs = 0;  // last modification, nanoseconds since the epoch
    bool isDirectory = false;      // follows a symbolic link for this test only
    bool isLink = false;           // a symbolic link, whatever it points to
    std::uint64_t inode = 0;
    std::int64_t birthTimeNs = 0;  // 0 where the filesystem does not keep it
    // The entry itself was looked at as it was listed, so its number, size and times are its
    // own: on a share a second look would be a second round trip.
    bool lookedAt = false;
};

// What a quick look at an entry gives: its name, valid while the look lasts, its number, and
// whether it is a directory; and where the entry itself had to be looked at to tell them, its
// size and times as well.
struct DirEntryView {
    std::string_view name;
    std::uint64_t inode = 0;
    bool isDirectory = false;  // follows a symbolic link for this test only
    bool lookedAt = false;
    std::uint64_t size = 0;
    std::int64_t writeTimeNs = 0;
    std::int64_t birthTimeNs = 0;
};

}  // namespace nameshift::platform
