#pragma once

#include <string>

namespace nameshift::platform {

// `path` taken from `base` when it is relative. The commands change the process's current
// directory while they work, so a path they keep must not depend on it.
inline std::string absolutePath(const std::string& path, const std::string& base) {
    if (path.empty() || path.front() == '/' || base.empty()) {
        return path;
    }
    return base.back() == '/' ? base + path : base + "/" + path;
}

}  // namespace nameshift::platform
