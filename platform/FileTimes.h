#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace nameshift::platform {

// When a file was last changed and when it was made, as far as its filesystem records them.
struct FileTimes {
    std::optional<std::time_t> modified;
    std::optional<std::time_t> born;

    bool operator==(const FileTimes&) const = default;
};

// The times of what `path` names, a link followed. A filesystem that keeps no birth time (or a
// kernel that cannot tell it) gives none; a path that cannot be examined gives neither.
FileTimes fileTimes(const std::string& path);

}  // namespace nameshift::platform
