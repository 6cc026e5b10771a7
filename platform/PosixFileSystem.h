#pragma once

#include "platform/FileSystem.h"

namespace nameshift::platform {

class PosixFileSystem final : public FileSystem {
public:
    Result<std::vector<DirEntry>> listDirectory(const std::string& path) override;
    Result<std::string> currentDirectory() override;
    Status setCurrentDirectory(const std::string& path) override;
    Status rename(const std::string& from, const std::string& to) override;
    Status writeFile(const std::string& path, std::string_view contents, WriteMode mode) override;
    Result<std::string> readFile(const std::string& path, std::size_t maxBytes) override;
    Status removeFile(const std::string& path) override;
};

// The attribute bits of an entry, from its name and its own (not followed) file mode.
std::uint32_t attributesOf(std::string_view name, unsigned mode);

}  // namespace nameshift::platform
