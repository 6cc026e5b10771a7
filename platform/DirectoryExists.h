#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace nameshift::platform {

// True when the process can make `path` its current directory; the current directory is put
// back at once. An empty path never exists.
bool directoryExists(FileSystem& fileSystem, const std::string& path);

}  // namespace nameshift::platform
