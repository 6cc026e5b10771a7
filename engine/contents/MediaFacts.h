#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/contents/TagReader.h"

namespace nameshift::engine {

// What the picture or recording in an open regular file is: its camera, its pixel size or its
// length. A picture's camera and size come from exiv2, which reads a copy of the file's head as
// TakenDate does; an audio file's length from TagLib's audio properties; a video's (MP4,
// QuickTime, Matroska, WebM, AVI) everything from libavformat's reading of the container's
// header, through a stream that cannot write. A file none of them makes sense of holds no fact;
// nothing is thrown.
class MediaFacts {
public:
    // The most read of one file: a container whose header needs more is most likely broken.
    static constexpr std::uint64_t kReadBudget = std::uint64_t{16} << 20;

    // The fact `which` of the file open as `fd`, `length` bytes long, named `fileName`; adds the
    // bytes read to `bytesRead`.
    static std::optional<std::string> read(int fd, long length, std::string_view fileName,
                                           MediaFact which, std::uint64_t& bytesRead);

    // "M.SS", or "H.MM.SS" from an hour up, of a length in milliseconds rounded to the second;
    // nothing for a length of none.
    static std::optional<std::string> durationText(long long milliseconds);

    // The longest camera name given, in UTF-8 bytes, as long as the longest tag text.
    static constexpr std::size_t kLongestCamera = 1023;

    // The model, the make in front only where the model does not start with it ("Apple iPhone 12"
    // but "Canon EOS 80D"), control characters as spaces; nothing without a model.
    static std::optional<std::string> cameraName(std::string_view make, std::string_view model);
};

}  // namespace nameshift::engine
