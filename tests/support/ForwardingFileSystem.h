#pragma once

#include "platform/PosixFileSystem.h"

namespace nameshift::testing {

// The real file system, every operation passed on; doubles override the few they change.
class ForwardingFileSystem : public platform::FileSystem {
public:
    platform::Result<std::vector<platform::DirEntry>> listDirectory(
        const std::string& path) override {
        return real_.listDirectory(path);
    }
    platform::Result<std::vector<platform::DirEntry>> listDirectory(
        const platform::Directory& directory) override {
        return real_.listDirectory(directory);
    }
    platform::Result<std::vector<platform::DirEntry>> listDirectoryKinds(
        const std::string& path) override {
        return real_.listDirectoryKinds(path);
    }
    platform::Result<std::vector<platform::DirEntry>> listDirectoryKinds(
        const platform::Directory& directory) override {
        return real_.listDirectoryKinds(directory);
    }
    platform::Status canEnter(const std::string& path) override { return real_.canEnter(path); }
    std::size_t longestNameIn(const std::string& path) override {
        return real_.longestNameIn(path);
    }
    platform::Status writeFile(const std::string& path, const platform::FileContents& contents,
                               platform::WriteMode mode) override {
        return real_.writeFile(path, contents, mode);
    }
    platform::Result<std::string> readFile(const std::string& path, std::size_t maxBytes) override {
        return real_.readFile(path, maxBytes);
    }
    platform::Result<std::string> readFileStart(const std::string& path,
                                                std::size_t bytes) override {
        return real_.readFileStart(path, bytes);
    }
    platform::Status removeFile(const std::string& path) override { return real_.removeFile(path); }
    platform::Result<platform::FileIdentity> identify(const std::string& path) override {
        return real_.identify(path);
    }
    platform::Status makeDirectories(const std::string& path) override {
        return real_.makeDirectories(path);
    }
    platform::Result<platform::FileLock> lockFile(const std::string& path) override {
        return real_.lockFile(path);
    }
    platform::Result<platform::FileLock> lockFileShared(const std::string& path) override {
        return real_.lockFileShared(path);
    }
    platform::Result<platform::FileLock> lockDirectory(
        const platform::Directory& directory) override {
        return real_.lockDirectory(directory);
    }
    platform::Result<std::vector<platform::FileIdentity>> foldersAbove(
        const platform::Directory& directory) override {
        return real_.foldersAbove(directory);
    }
    platform::Result<platform::Directory> openDirectory(const std::string& path) override {
        return real_.openDirectory(path);
    }
    platform::Result<platform::Directory> openDirectoryIn(const platform::Directory& directory,
                                                          const std::string& name) override {
        return real_.openDirectoryIn(directory, name);
    }
    platform::Status makeDirectoryIn(const platform::Directory& directory,
                                     const std::string& name) override {
        return real_.makeDirectoryIn(directory, name);
    }
    platform::Status removeDirectoryIn(const platform::Directory& directory,
                                       const std::string& name) override {
        return real_.removeDirectoryIn(directory, name);
    }
    platform::Status renameIn(const platform::Directory& directory, const std::string& from,
                              const std::string& to) override {
        return real_.renameIn(directory, from, to);
    }
    platform::Status writeFileIn(const platform::Directory& directory, const std::string& name,
                                 const platform::FileContents& contents,
                                 platform::WriteMode mode) override {
        return real_.writeFileIn(directory, name, contents, mode);
    }
    platform::Status removeFileIn(const platform::Directory& directory,
                                  const std::string& name) override {
        return real_.removeFileIn(directory, name);
    }
    platform::Result<platform::FileIdentity> identifyIn(const platform::Directory& directory,
                                                        const std::string& name) override {
        return real_.identifyIn(directory, name);
    }
    bool keepsFileNumbers(const platform::Directory& directory) override {
        return real_.keepsFileNumbers(directory);
    }
    bool holdSameBytesIn(const platform::Directory& directory, const std::string& first,
                         const std::string& second) override {
        return real_.holdSameBytesIn(directory, first, second);
    }

protected:
    platform::PosixFileSystem real_;
};

}  // namespace nameshift::testing
