#include "platform/GlobMatch.h"

#include <fnmatch.h>

namespace nameshift::platform {

bool matchesGlob(const std::string& pattern, const std::string& name) {
    return ::fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
}

}  // namespace nameshift::platform
