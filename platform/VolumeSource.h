#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Status.h"

namespace nameshift::platform {

// What asking a mounted volume found: a directory to browse, or nothing a user can open there
// (a single file a container binds over its image, a mount point that is gone).
enum class VolumeAnswer { Ready, NotBrowsable };

// Asks one volume. It may block for as long as the volume takes to answer, which for a hung
// network share or a busy FUSE daemon may be for good, so it is run on a thread of its own; it
// holds everything it needs, since that thread may outlive the source that made it.
using VolumeCheck = std::function<VolumeAnswer()>;

// The mounted volumes the drive list offers, by mount path, sorted by bytes. The program reads
// the system's mount table; tests list directories of their own.
class VolumeSource {
public:
    virtual ~VolumeSource() = default;
    // Never waits for a volume: only the table of mounts is read.
    virtual Result<std::vector<std::string>> mountedVolumes() = 0;
    virtual VolumeCheck volumeCheck(const std::string& mountPath) const = 0;
};

}  // namespace nameshift::platform
