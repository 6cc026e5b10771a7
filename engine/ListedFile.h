#pragma once

#include <cstdint>
#include <string>

namespace nameshift::engine {

// One file of the directory listing, with what the list shows and sorts by.
struct ListedFile {
    std::string name;  // exact bytes
    std::uint32_t attributes = 0;
    std::string extension;  // from the last "." on, dot included; the whole name without a dot
    std::uint64_t size = 0;
    std::int64_t writeTimeNs = 0;
    std::uint64_t inode = 0;  // tells the file again after a crash, whatever its name then
};

}  // namespace nameshift::engine
