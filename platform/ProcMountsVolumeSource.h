#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/VolumeSource.h"

namespace nameshift::platform {

// The mount paths of a mount table in the form of /proc/self/mounts that hold files a user may
// rename: kernel and runtime filesystems (proc, sysfs, cgroup, devices, the tmpfs under /run
// and the like) are left out. Sorted by bytes, each path once.
std::vector<std::string> parseMountTable(std::string_view table);

// The volumes of the running system, from /proc/self/mounts. Reading the table never waits for a
// volume; asking a mount point about itself may, for as long as its server or daemon takes.
class ProcMountsVolumeSource final : public VolumeSource {
public:
    explicit ProcMountsVolumeSource(FileSystem& fileSystem,
                                    std::string mountTable = "/proc/self/mounts")
        : fileSystem_(fileSystem), mountTable_(std::move(mountTable)) {}

    Result<std::vector<std::string>> mountedVolumes() override;
    // Whether the mount point is a directory, from the system's answer about it.
    VolumeCheck volumeCheck(const std::string& mountPath) const override;

    // Far beyond the table of a machine with tens of thousands of mounts.
    static constexpr std::size_t kMountTableMaxBytes = 16 * 1024 * 1024;

private:
    FileSystem& fileSystem_;
    std::string mountTable_;
};

}  // namespace nameshift::platform
