#pragma once

#include <string>
#include <vector>

#include "platform/Status.h"

namespace nameshift::platform {

// The mounted volumes the drive list offers, by mount path, sorted by bytes. The program reads
// the system's mount table; tests list directories of their own.
class VolumeSource {
public:
    virtual ~VolumeSource() = default;
    virtual Result<std::vector<std::string>> mountedVolumes() = 0;
};

}  // namespace nameshift::platform
