#pragma once

#include <cstdint>
#include <string_view>

namespace nameshift::engine {

// One file of the directory listing, with what the list shows and sorts by. Its name lives in
// the listing's arena.
struct ListedFile {
    std::string_view name;  // exact bytes
    std::uint32_t attributes = 0;
    // Where the extension starts: at the last ".", or at 0 when the name has none, so that a name
    // without a dot is its own extension.
    std::uint32_t extensionAt = 0;
    std::uint64_t size = 0;
    std::int64_t writeTimeNs = 0;
    std::uint64_t inode = 0;       // tells the file again after a crash, whatever its name then
    std::int64_t birthTimeNs = 0;  // 0 where the filesystem does not keep it

    std::string_view extension() const { return name.substr(extensionAt); }
};

}  // namespace nameshift::engine
