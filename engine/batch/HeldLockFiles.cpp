#include "engine/batch/HeldLockFiles.h"

namespace nameshift::engine {

HeldLockFiles& HeldLockFiles::operator=(HeldLockFiles&& other) noexcept {
    if (this != &other) {
        release();
        fileSystem_ = std::exchange(other.fileSystem_, nullptr);
        held_ = std::move(other.held_);
    }
    return *this;
}

void HeldLockFiles::release() {
    for (auto& [lock, path] : held_) {
        lock = platform::FileLock();
        // Taken whole, it is no one else's: whoever opened it since finds it gone once it holds
        // it, and takes a new one.
        if (const auto whole = fileSystem_->lockFile(path); whole.ok()) {
            fileSystem_->removeFile(path);
        }
    }
    held_.clear();
}

}  // namespace nameshift::engine
