#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileTimes.h"

namespace nameshift::engine {

// The texts a name can be built from, in code order: "%1" album title, "%2" artist, "%3" content
// group (the genre of formats other than MP3), "%4" title, "%5" track number, "%6" year, "%7"
// album artist, "%8" disc number, "%9" composer, then the file's dates "%m" modified and "%b"
// born, and "%t" when its photo or video was taken, then what the picture or recording is: "%c"
// the camera, "%x" the pixel size and "%d" the duration. Absent values are nullopt; a frame
// present with empty text is an empty string. The tag reader gives the nine tag texts; the rest
// are filled in by the naming from times(), taken() and fact().
using TagTexts = std::array<std::optional<std::string>, 15>;

inline constexpr std::size_t kTagTextCount = 9;
inline constexpr std::size_t kTrackNumberText = 4;
inline constexpr std::size_t kYearText = 5;
inline constexpr std::size_t kDiscNumberText = 7;
inline constexpr std::size_t kModifiedText = 9;
inline constexpr std::size_t kBornText = 10;
inline constexpr std::size_t kTakenText = 11;
inline constexpr std::size_t kCameraText = 12;
inline constexpr std::size_t kPixelSizeText = 13;
inline constexpr std::size_t kDurationText = 14;

// What a picture or a recording is, beyond its tags: the camera's model, as "Canon EOS 80D"; the
// pixel size, as "4032x3024"; the length, as "3.07" or "1.02.09".
enum class MediaFact : std::uint8_t { Camera, PixelSize, Duration };

// Whether a tag text holds a number or a date, which is kept shorter than the others.
constexpr bool isNumberText(std::size_t index) {
    return index == kTrackNumberText || index == kYearText || index == kDiscNumberText;
}

using platform::FileTimes;

// Reads the tag texts of one file. Never throws and never writes to the file; a file without a
// readable tag has no frames.
class TagReader {
public:
    virtual ~TagReader() = default;
    virtual TagTexts read(const std::string& path) = 0;
    // The file's times; a reader that looks at tags alone knows none.
    virtual FileTimes times(const std::string& /*path*/) { return {}; }
    // When the file's photo or video was taken, as the camera's clock showed it, or nothing.
    virtual std::optional<std::tm> taken(const std::string& /*path*/) { return std::nullopt; }
    // One fact of the file's picture or recording, or nothing when it holds none.
    virtual std::optional<std::string> fact(const std::string& /*path*/, MediaFact /*which*/) {
        return std::nullopt;
    }
    // A reader of the same files for another thread, sharing no state with this one; none when
    // this reader may only be used where it was made, and its files are then read there alone.
    virtual std::unique_ptr<TagReader> clone() const { return nullptr; }
};

}  // namespace nameshift::engine
