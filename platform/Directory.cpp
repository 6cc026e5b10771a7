#include "platform/Directory.h"

#include <unistd.h>

namespace nameshift::platform {

Directory& Directory::operator=(Directory&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = std::exchange(other.descriptor_, -1);
        path_ = std::move(other.path_);
        refusals_ = other.refusals_;
        subfolders_ = std::move(other.subfolders_);
    }
    return *this;
}

OpenedSubfolders& Directory::subfolders() const {
    // Only a directory that was never opened, or was moved from, lacks them; it is never called
    // on from several threads at once.
    if (!subfolders_) {
        subfolders_ = std::make_unique<OpenedSubfolders>();
    }
    return *subfolders_;
}

Directory::~Directory() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

FileLock::~FileLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);  // closing the last descriptor releases the flock
    }
}

}  // namespace nameshift::platform
