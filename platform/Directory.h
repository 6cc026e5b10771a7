#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/OpenedSubfolders.h"

namespace nameshift::platform {

// An open directory. Batches rename, examine and write files in it by their plain names, so a
// directory that is moved, or replaced by a link, while a batch runs cannot send the renames
// anywhere else.
// What a directory's filesystem was found to refuse of the ways to rename without replacing, so
// that a batch learns it at its first rename rather than asking again for every file.
struct RenameRefusals {
    bool noReplaceFlag = false;
    bool hardLinks = false;
};

class Directory {
public:
    Directory() = default;
    Directory(int descriptor, std::string path)
        : descriptor_(descriptor),
          path_(std::move(path)),
          subfolders_(std::make_unique<OpenedSubfolders>()) {}
    Directory(Directory&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, -1)),
          path_(std::move(other.path_)),
          refusals_(other.refusals_),
          subfolders_(std::move(other.subfolders_)) {}
    Directory& operator=(Directory&& other) noexcept;
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;
    ~Directory();

    int descriptor() const { return descriptor_; }
    // The path it was opened by: what the user sees, and what a restore file records.
    const std::string& path() const { return path_; }
    // Learnt as files are renamed in it; what is learnt does not change which directory it is.
    RenameRefusals& refusals() const { return refusals_; }
    // The subfolders opened last for calls on the names beneath it.
    OpenedSubfolders& subfolders() const;

private:
    int descriptor_ = -1;
    std::string path_;
    mutable RenameRefusals refusals_;
    mutable std::unique_ptr<OpenedSubfolders> subfolders_;
};

// Which file an entry is, beyond its name: two names with the same device and inode are one file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t links = 0;
    // Owned by the user who runs the program, and no other user may write to it.
    bool userAlone = false;
    std::uint64_t size = 0;
    // Nanoseconds since the epoch; a birth time of 0 where the filesystem does not keep one.
    std::int64_t writeTimeNs = 0;
    std::int64_t birthTimeNs = 0;
    bool isDirectory = false;  // the entry itself, a link not followed

    bool sameFileAs(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
};

// A lock held for as long as the object lives; the system drops it if the process dies.
class FileLock {
public:
    FileLock() = default;
    explicit FileLock(int descriptor) : descriptor_(descriptor) {}
    FileLock(FileLock&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    bool held() const { return descriptor_ >= 0; }

private:
    int descriptor_ = -1;
};

}  // namespace nameshift::platform
