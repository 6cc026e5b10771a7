#include "platform/Status.h"

#include <cerrno>
#include <cstring>

namespace nameshift::platform {

ErrorKind Status::kind() const {
    switch (error_) {
        case 0:
            return ErrorKind::None;
        case EEXIST:
            return ErrorKind::Exists;
        case ENOSPC:
        case EDQUOT:
            return ErrorKind::DiskFull;
        case EWOULDBLOCK:
            return ErrorKind::Busy;
        default:
            return ErrorKind::Other;
    }
}

std::string Status::message() const {
    return std::strerror(error_);
}

}  // namespace nameshift::platform
