#include "platform/DirectoryExists.h"

namespace nameshift::platform {

bool directoryExists(FileSystem& fileSystem, const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const Result<std::string> previous = fileSystem.currentDirectory();
    if (!fileSystem.setCurrentDirectory(path).ok()) {
        return false;
    }
    if (previous.ok()) {
        fileSystem.setCurrentDirectory(*previous);
    }
    return true;
}

}  // namespace nameshift::platform
