#pragma once

#include <cstdint>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ForwardingFileSystem.h"

namespace nameshift::testing {

// The real file system, with failures injected on demand: a rule names an operation, an optional
// part of the path it applies to, the errno to fail with, and how many times (-1: always). The
// operations inside an open directory match the rule against the directory's path, a "/" and
// the name.
class FaultyFileSystem final : public ForwardingFileSystem {
public:
    enum class Op {
        List,
        Enter,
        OpenDirectory,
        Rename,
        Write,
        Read,
        Remove,
        Lock,
    };

    void fail(Op op, int error, std::string pathPart = {}, int times = -1) {
        rules_.push_back({op, error, std::move(pathPart), times});
    }
    // As fail, but the operation throws std::bad_alloc, as one that asks for more memory than
    // there is would.
    void runOutOfMemory(Op op, std::string pathPart = {}, int times = -1) {
        rules_.push_back({op, kOutOfMemory, std::move(pathPart), times});
    }
    void clearFaults() { rules_.clear(); }
    // Runs before every rename, for tests that change the disk in the middle of a batch.
    std::function<void(const std::string& from, const std::string& to)> beforeRename;
    // Runs once, at the next lock of a directory: another batch gets there just before.
    std::function<void()> beforeLock;

    // The longest name the folders take, as a filesystem of shorter names would say; none: the
    // real filesystem's.
    std::optional<std::size_t> longestName;

    // From now on numbers as a share gives them: none kept, every file numbered anew at each
    // call, and a quick listing's all 4294967295 (as sshfs's readdir gives them); no birth times.
    void numberAnew() {
        numbersKept_ = false;
        ++numbering_;
    }
    // From now on a share as sshfs is: no numbers kept from one mount to the next, and none in
    // its directory entries, so that every listing looks at each file and tells what it saw.
    void lookAtListedFiles() {
        numbersKept_ = false;
        listingsLook_ = true;
    }
    // Another device number, as a medium mounted again gets.
    void mountAgain() { ++mounts_; }
    // From now on a share that refuses both ways of renaming that cannot replace a file, so that
    // each rename looks its new name up just before, as the platform learns of such a share.
    bool namesCheckedJustBefore = false;
    // The statfs type of the filesystem whose answers the failed renames are told by; none: told
    // as a local filesystem's.
    std::optional<unsigned long> filesystemType;

    std::vector<std::string> renames;  // "from -> to" of every rename tried
    int writes = 0;
    int identifications = 0;  // looks at a file by its name in an open directory

    platform::Result<std::vector<platform::DirEntry>> listDirectory(
        const std::string& path) override {
        if (int error = faultFor(Op::List, path)) {
            return platform::Status::fromErrno(error);
        }
        return numbered(real_.listDirectory(path), false);
    }
    platform::Result<std::vector<platform::DirEntry>> listDirectory(
        const platform::Directory& directory) override {
        if (int error = faultFor(Op::List, directory.path())) {
            return platform::Status::fromErrno(error);
        }
        return numbered(real_.listDirectory(directory), false);
    }
    platform::Result<std::vector<platform::DirEntry>> listDirectoryKinds(
        const std::string& path) override {
        if (int error = faultFor(Op::List, path)) {
            return platform::Status::fromErrno(error);
        }
        return listingsLook_ ? numbered(real_.listDirectory(path), false)
                             : numbered(real_.listDirectoryKinds(path), true);
    }
    platform::Result<std::vector<platform::DirEntry>> listDirectoryKinds(
        const platform::Directory& directory) override {
        if (int error = faultFor(Op::List, directory.path())) {
            return platform::Status::fromErrno(error);
        }
        return listingsLook_ ? numbered(real_.listDirectory(directory), false)
                             : numbered(real_.listDirectoryKinds(directory), true);
    }
    platform::Status canEnter(const std::string& path) override {
        if (int error = faultFor(Op::Enter, path)) {
            return platform::Status::fromErrno(error);
        }
        return real_.canEnter(path);
    }
    std::size_t longestNameIn(const std::string& path) override {
        return longestName ? *longestName : real_.longestNameIn(path);
    }
    platform::Status writeFile(const std::string& path, const platform::FileContents& contents,
                               platform::WriteMode mode) override {
        ++writes;
        if (int error = faultFor(Op::Write, path)) {
            return platform::Status::fromErrno(error);
        }
        return real_.writeFile(path, contents, mode);
    }
    platform::Result<std::string> readFile(const std::string& path, std::size_t maxBytes) override {
        if (int error = faultFor(Op::Read, path)) {
            return platform::Status::fromErrno(error);
        }
        return real_.readFile(path, maxBytes);
    }
    platform::Result<std::string> readFileStart(const std::string& path,
                                                std::size_t bytes) override {
        if (int error = faultFor(Op::Read, path)) {
            return platform::Status::fromErrno(error);
        }
        return real_.readFileStart(path, bytes);
    }
    platform::Status removeFile(const std::string& path) override {
        if (int error = faultFor(Op::Remove, path)) {
            return platform::Status::fromErrno(error);
        }
        return real_.removeFile(path);
    }
    platform::Result<platform::FileLock> lockFile(const std::string& path) override {
        if (int error = faultFor(Op::Lock, path)) {
            return platform::Status::fromErrno(error);
        }
        return real_.lockFile(path);
    }
    platform::Result<platform::FileLock> lockDirectory(
        const platform::Directory& directory) override {
        if (beforeLock) {
            std::exchange(beforeLock, {})();
        }
        if (int error = faultFor(Op::Lock, directory.path())) {
            return platform::Status::fromErrno(error);
        }
        return real_.lockDirectory(directory);
    }
    platform::Result<platform::Directory> openDirectory(const std::string& path) override {
        if (int error = faultFor(Op::OpenDirectory, path)) {
            return platform::Status::fromErrno(error);
        }
        return real_.openDirectory(path);
    }
    platform::Status renameIn(const platform::Directory& directory, const std::string& from,
                              const std::string& to) override {
        if (platform::Status status = before(from, to, inside(directory, from)); !status.ok()) {
            return filesystemType ? platform::renameStatusOn(*filesystemType, status) : status;
        }
        if (namesCheckedJustBefore) {
            directory.refusals() = {true, true};
        }
        return real_.renameIn(directory, from, to);
    }
    platform::Status writeFileIn(const platform::Directory& directory, const std::string& name,
                                 const platform::FileContents& contents,
                                 platform::WriteMode mode) override {
        ++writes;
        if (int error = faultFor(Op::Write, inside(directory, name))) {
            return platform::Status::fromErrno(error);
        }
        return real_.writeFileIn(directory, name, contents, mode);
    }
    platform::Status removeFileIn(const platform::Directory& directory,
                                  const std::string& name) override {
        if (int error = faultFor(Op::Remove, inside(directory, name))) {
            return platform::Status::fromErrno(error);
        }
        return real_.removeFileIn(directory, name);
    }
    platform::Result<platform::FileIdentity> identify(const std::string& path) override {
        return numbered(real_.identify(path));
    }
    platform::Result<platform::FileIdentity> identifyIn(const platform::Directory& directory,
                                                        const std::string& name) override {
        ++identifications;
        return numbered(real_.identifyIn(directory, name));
    }
    bool keepsFileNumbers(const platform::Directory& directory) override {
        return numbersKept_ && real_.keepsFileNumbers(directory);
    }

private:
    bool listingsLook_ = false;

    std::uint64_t numberOf(std::uint64_t inode) const {
        return numbersKept_ ? inode : inode ^ (numbering_ * 0x9e3779b97f4a7c15ULL);
    }
    platform::Result<std::vector<platform::DirEntry>> numbered(
        platform::Result<std::vector<platform::DirEntry>> entries, bool quick) {
        if (entries.ok()) {
            for (platform::DirEntry& entry : entries.value()) {
                entry.inode = quick && !numbersKept_ ? 4294967295U : numberOf(entry.inode);
                entry.birthTimeNs = numbersKept_ ? entry.birthTimeNs : 0;
            }
        }
        return entries;
    }
    platform::Result<platform::FileIdentity> numbered(
        platform::Result<platform::FileIdentity> identity) {
        if (identity.ok()) {
            identity.value().inode = numberOf(identity->inode);
            identity.value().birthTimeNs = numbersKept_ ? identity->birthTimeNs : 0;
            identity.value().device += mounts_;
            numbering_ += numbersKept_ || listingsLook_ ? 0 : 1;
        }
        return identity;
    }

    static constexpr int kOutOfMemory = -1;

    struct Rule {
        Op op;
        int error;
        std::string pathPart;
        int times;
    };

    static std::string inside(const platform::Directory& directory, const std::string& name) {
        return directory.path() + "/" + name;
    }

    platform::Status before(const std::string& from, const std::string& to,
                            const std::string& matched) {
        renames.push_back(from + " -> " + to);
        if (beforeRename) {
            beforeRename(from, to);
        }
        return platform::Status::fromErrno(faultFor(Op::Rename, matched));
    }

    int faultFor(Op op, const std::string& path) {
        for (Rule& rule : rules_) {
            if (rule.op != op || rule.times == 0 || path.find(rule.pathPart) == std::string::npos) {
                continue;
            }
            if (rule.times > 0) {
                --rule.times;
            }
            if (rule.error == kOutOfMemory) {
                throw std::bad_alloc();
            }
            return rule.error;
        }
        return 0;
    }

    std::vector<Rule> rules_;
    bool numbersKept_ = true;
    std::uint64_t numbering_ = 0;
    std::uint64_t mounts_ = 0;
};

}  // namespace nameshift::testing
