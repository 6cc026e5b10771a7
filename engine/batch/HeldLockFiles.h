#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace nameshift::engine {

// Lock files of the state folder that a batch holds while it runs. When it lets them go, each
// that no other batch holds goes too, so the folder does not fill with the locks of every folder
// ever renamed in.
class HeldLockFiles {
public:
    HeldLockFiles() = default;
    explicit HeldLockFiles(platform::FileSystem& fileSystem) : fileSystem_(&fileSystem) {}
    HeldLockFiles(HeldLockFiles&& other) noexcept
        : fileSystem_(std::exchange(other.fileSystem_, nullptr)), held_(std::move(other.held_)) {}
    HeldLockFiles& operator=(HeldLockFiles&& other) noexcept;
    HeldLockFiles(const HeldLockFiles&) = delete;
    HeldLockFiles& operator=(const HeldLockFiles&) = delete;
    ~HeldLockFiles() { release(); }

    void add(platform::FileLock lock, std::string path) {
        held_.emplace_back(std::move(lock), std::move(path));
    }

private:
    void release();

    platform::FileSystem* fileSystem_ = nullptr;
    std::vector<std::pair<platform::FileLock, std::string>> held_;
};

}  // namespace nameshift::engine
