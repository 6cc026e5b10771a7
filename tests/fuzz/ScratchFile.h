#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

// One file for a whole fuzzing run, written anew for each input through a descriptor kept open.
// Its name ends with `extension`, which the tag reader picks a format by.
struct ScratchFile {
    explicit ScratchFile(const std::string& extension = {}) {
        path = (std::filesystem::temp_directory_path() / "nameshift-tag-fuzz-XXXXXX").string() +
               extension;
        fd = ::mkstemps(path.data(), static_cast<int>(extension.size()));
        if (fd < 0) {
            std::abort();
        }
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() {
        ::close(fd);
        ::unlink(path.c_str());
    }
    void write(const std::uint8_t* data, std::size_t size) const {
        if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
            std::abort();
        }
    }

    std::string path;
    int fd = -1;
};
