#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/contents/TagReader.h"

namespace nameshift::engine {

// The tag texts of an audio file other than MP3 (FLAC, Ogg Vorbis, Opus, Speex, MP4, ASF, WAV,
// AIFF, WavPack, Musepack, APE), read by TagLib from an open regular file. TagLib reads the tags
// only, never the audio properties, through a stream that cannot write and that stops after
// kReadBudget bytes: a file whose tags need more, or that TagLib cannot parse, has no texts. A file
// that does not open as one of these formats does is not handed to TagLib at all.
class AudioFileTags {
public:
    // Tags with a cover picture fit; a file that needs more is most likely no audio file at all.
    static constexpr std::uint64_t kReadBudget = std::uint64_t{16} << 20;

    // The extension of `fileName` in lower case, empty when it has none.
    static std::string lowerExtension(std::string_view fileName);

    // Whether the name's extension is one of the formats read here. MP3 is not: its own reader
    // keeps reading it.
    static bool handles(std::string_view fileName);

    // The texts of the file open as `fd`, `length` bytes long, named `fileName`.
    static TagTexts read(int fd, long length, std::string_view fileName, std::uint64_t& bytesRead);
};

}  // namespace nameshift::engine
