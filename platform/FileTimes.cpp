#include "platform/FileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace nameshift::platform {

FileTimes fileTimes(const std::string& path) {
    struct statx info {};
    // No automount: naming a file by its dates must not wake a mount point.
    if (::statx(AT_FDCWD, path.c_str(), AT_NO_AUTOMOUNT, STATX_MTIME | STATX_BTIME, &info) != 0) {
        return {};
    }
    FileTimes times;
    if ((info.stx_mask & STATX_MTIME) != 0) {
        times.modified = static_cast<std::time_t>(info.stx_mtime.tv_sec);
    }
    if ((info.stx_mask & STATX_BTIME) != 0) {
        times.born = static_cast<std::time_t>(info.stx_btime.tv_sec);
    }
    return times;
}

}  // namespace nameshift::platform
