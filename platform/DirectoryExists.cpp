#include "platform/DirectoryExists.h"

namespace nameshift::platform {

bool directoryExists(FileSystem& fileSystem, const std::string& path) {
    if (path.empty()) {
        return false;
    }
    return fileSystem.canEnter(path).ok();
}

}  // namespace nameshift::platform
