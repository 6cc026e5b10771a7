#pragma once

#include <cstddef>
#include <string>

#include "engine/TagReader.h"

namespace nameshift::engine {

// Reads the ID3v2 and ID3v1 tags of an MP3 file through TagLib. Only regular files are read, and
// only through a stream that cannot write; whatever goes wrong, the file simply has no frames.
// Where the ID3v2 tag lacks a frame that ID3v1 also knows (album, artist, title, year, track),
// the ID3v1 field fills in.
class TagLibTagReader final : public TagReader {
public:
    TagTexts read(const std::string& path) override;

    // The longest text taken from a frame, in UTF-8 bytes; track and year are shorter.
    static constexpr std::size_t kLongestText = 1023;
    static constexpr std::size_t kLongestNumber = 10;
};

}  // namespace nameshift::engine
