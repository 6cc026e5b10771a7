#include "platform/FileSize.h"

#include <sys/stat.h>

namespace nameshift::platform {

std::optional<std::uint64_t> fileSize(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(status.st_size);
}

}  // namespace nameshift::platform
