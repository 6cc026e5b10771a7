#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/contents/TagReader.h"

namespace nameshift::engine {

// The tag texts of a plain MP4 file (M4A and its kin), read from its item list
// (moov/udta/meta/ilst) in a read or two, without building TagLib's tree of the whole file.
// TagLib first checks every box it knows to hold others, and a file failing that has no tags for
// it; this reader checks the same boxes, so what it gives is what TagLib gives. Whatever it is
// not sure TagLib reads the same way, it leaves to TagLib: it then has no answer.
class Mp4ItemList {
public:
    // The texts of the file open as `fd`, `length` bytes long, whose first bytes, as many as the
    // file has up to AudioFileTags::kHeadLength, are `head`.
    static std::optional<TagTexts> read(int fd, long length, std::string_view head,
                                        std::uint64_t& bytesRead);
};

}  // namespace nameshift::engine
