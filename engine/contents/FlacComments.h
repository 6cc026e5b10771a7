#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/contents/TagReader.h"

namespace nameshift::engine {

// The tag texts of a plain FLAC file, read from its Vorbis comment in a read or two, as TagLib
// gives them: the first value of each key, whatever the key's letter case. TagLib first checks
// every metadata block up to the last, and a file failing that has no tags for it; this reader
// checks them the same way. Whatever it is not sure TagLib reads the same way, it leaves to
// TagLib: it then has no answer.
class FlacComments {
public:
    // The texts of the file open as `fd`, `length` bytes long, whose first bytes, as many as the
    // file has up to AudioFileTags::kHeadLength, are `head`.
    static std::optional<TagTexts> read(int fd, long length, std::string_view head,
                                        std::uint64_t& bytesRead);
};

}  // namespace nameshift::engine
