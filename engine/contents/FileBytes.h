#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nameshift::engine {

// The bytes the audio formats' own readers take from a file: read by position, so that no reader
// shares a file offset, and counted as TagLib's stream counts what it reads.
class FileBytes {
public:
    // `size` bytes from `offset` of the file open as `fd`; fewer where the file ends or fails.
    static std::string read(int fd, long offset, std::size_t size, std::uint64_t& bytesRead);

    // Whether `text` is UTF-8 that TagLib's strings take in and give back byte for byte: no NUL,
    // which ends its strings early, and nothing its converter refuses or may change (overlong
    // forms, surrogates, U+FFFE and U+FFFF, past U+10FFFF).
    static bool isPlainUtf8(std::string_view text);
};

}  // namespace nameshift::engine
