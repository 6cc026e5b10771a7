#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DirEntry.h"
#include "platform/Status.h"

namespace nameshift::platform {

enum class WriteMode {
    CreateNew,  // fails with EEXIST when the file is there already
    Replace,    // replaces whatever is there
};

// Every file-system operation the program needs. Relative paths are taken from the process's
// current directory. Tests wrap the real implementation to inject failures.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The entries of one directory, "." and ".." left out, in the system's order.
    virtual Result<std::vector<DirEntry>> listDirectory(const std::string& path) = 0;

    virtual Result<std::string> currentDirectory() = 0;
    virtual Status setCurrentDirectory(const std::string& path) = 0;

    // Renames without ever replacing an existing file; renaming a file to its own name succeeds
    // and does nothing.
    virtual Status rename(const std::string& from, const std::string& to) = 0;

    // Writes the whole file or nothing: the text goes to a temporary file beside the target,
    // which takes the target's place only once every byte is on disk.
    virtual Status writeFile(const std::string& path, std::string_view contents,
                             WriteMode mode) = 0;

    // The whole file, refused with EFBIG when it holds more than `maxBytes`: every file the
    // program reads can be changed by the user or by another program, and none of them needs
    // more than its reader names. Only regular files are read.
    virtual Result<std::string> readFile(const std::string& path, std::size_t maxBytes) = 0;
    virtual Status removeFile(const std::string& path) = 0;
};

}  // namespace nameshift::platform
