#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nameshift::platform {

// The size in bytes of what `path` names, a link followed; nothing when it cannot be examined.
std::optional<std::uint64_t> fileSize(const std::string& path);

}  // namespace nameshift::platform
