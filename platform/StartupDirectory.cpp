#include "platform/StartupDirectory.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace nameshift::platform {

Result<std::string> startupDirectory() {
    // Without a size, the path is as long as it needs to be.
    std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
    if (!path) {
        return Status::fromErrno(errno);
    }
    return std::string(path.get());
}

}  // namespace nameshift::platform
