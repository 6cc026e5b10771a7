#include "platform/FileStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace nameshift::platform {
namespace {

std::int64_t nanoseconds(const struct statx_timestamp& time) {
    constexpr std::int64_t kPerSecond = 1'000'000'000;
    return time.tv_sec * kPerSecond + time.tv_nsec;
}

}  // namespace

std::optional<FileStamp> fileStamp(const std::string& path) {
    constexpr unsigned kWanted = STATX_TYPE | STATX_INO | STATX_SIZE | STATX_MTIME | STATX_CTIME;
    struct statx info {};
    // No automount, as for the file's dates.
    if (::statx(AT_FDCWD, path.c_str(), AT_NO_AUTOMOUNT, kWanted, &info) != 0 ||
        (info.stx_mask & kWanted) != kWanted || !S_ISREG(info.stx_mode)) {
        return std::nullopt;
    }
    return FileStamp{makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino, info.stx_size,
                     nanoseconds(info.stx_mtime), nanoseconds(info.stx_ctime)};
}

}  // namespace nameshift::platform
