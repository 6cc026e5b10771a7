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

bool Status::unsupportedByShare() const {
    return share_ && error_ == EPERM;
}

std::string Status::message() const {
    return unsupportedByShare() ? kUnsupportedByShare : std::strerror(error_);
}

MessageText Status::reason() const {
    return unsupportedByShare() ? MessageText(kUnsupportedByShare) : MessageText(message());
}

}  // namespace nameshift::platform
