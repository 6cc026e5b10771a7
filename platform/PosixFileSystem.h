#pragma once

#include "platform/FileSystem.h"

namespace nameshift::platform {

class PosixFileSystem final : public FileSystem {
public:
    Result<std::vector<DirEntry>> listDirectory(const std::string& path) override;
    Result<std::vector<DirEntry>> listDirectory(const Directory& directory) override;
    Result<std::vector<DirEntry>> listDirectoryKinds(const std::string& path) override;
    Result<std::vector<DirEntry>> listDirectoryKinds(const Directory& directory) override;
    Status visitDirectoryKinds(const Directory& directory,
                               const std::function<void(const DirEntryView&)>& visit) override;
    Status visitDirectoryKindsFor(const Directory& directory,
                                  const std::function<bool(std::string_view)>& wanted,
                                  const std::function<void(const DirEntryView&)>& visit) override;
    Status canEnter(const std::string& path) override;
    std::size_t longestNameIn(const std::string& path) override;
    Status writeFile(const std::string& path, const FileContents& contents,
                     WriteMode mode) override;
    Result<std::string> readFile(const std::string& path, std::size_t maxBytes) override;
    Result<std::string> readFileStart(const std::string& path, std::size_t bytes) override;
    Status removeFile(const std::string& path) override;
    Result<FileIdentity> identify(const std::string& path) override;
    Status makeDirectories(const std::string& path) override;
    Result<FileLock> lockFile(const std::string& path) override;
    Result<FileLock> lockFileShared(const std::string& path) override;
    Result<std::vector<FileIdentity>> foldersAbove(const Directory& directory) override;
    Result<FileLock> lockDirectory(const Directory& directory) override;

    Result<Directory> openDirectory(const std::string& path) override;
    Result<Directory> openDirectoryIn(const Directory& directory, const std::string& name) override;
    Status makeDirectoryIn(const Directory& directory, const std::string& name) override;
    Status removeDirectoryIn(const Directory& directory, const std::string& name) override;
    Status renameIn(const Directory& directory, const std::string& from,
                    const std::string& to) override;
    Status writeFileIn(const Directory& directory, const std::string& name,
                       const FileContents& contents, WriteMode mode) override;
    Status removeFileIn(const Directory& directory, const std::string& name) override;
    Result<FileIdentity> identifyIn(const Directory& directory, const std::string& name) override;
    bool keepsFileNumbers(const Directory& directory) override;
    bool holdSameBytesIn(const Directory& directory, const std::string& first,
                         const std::string& second) override;
};

// What a rename that failed with `failed` tells on a filesystem of this statfs type: on a network
// share (NFS, SMB and CIFS, 9p, AFS, Ceph, Coda) or a FUSE one (sshfs and the like) an EPERM is
// the share refusing renames as such (sshfs without its rename workaround), not a permission.
Status renameStatusOn(unsigned long filesystemType, Status failed);

// The attribute bits of an entry, from its name and its own (not followed) file mode.
std::uint32_t attributesOf(std::string_view name, unsigned mode);

}  // namespace nameshift::platform
