#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace nameshift::platform {

// True when `path` is a directory the program may enter. An empty path never exists.
bool directoryExists(FileSystem& fileSystem, const std::string& path);

}  // namespace nameshift::platform
