#pragma once

#include <string>

namespace nameshift::platform {

// True when `name` matches the shell pattern `pattern` ("*", "?", "[...]"), as a shell matches a
// file name against a glob in one directory.
bool matchesGlob(const std::string& pattern, const std::string& name);

}  // namespace nameshift::platform
