#pragma once

#include <string>

namespace nameshift::platform {

// `path` taken from `base` when it is relative: a path the program keeps names the directory it
// was given in, wherever the program works later.
inline std::string absolutePath(const std::string& path, const std::string& base) {
    if (path.empty() || path.front() == '/' || base.empty()) {
        return path;
    }
    return base.back() == '/' ? base + path : base + "/" + path;
}

}  // namespace nameshift::platform
