#pragma once

#include <array>
#include <optional>
#include <string>

namespace nameshift::engine {

// The six tag texts a name can be built from, in code order: "%1" album title, "%2" artist,
// "%3" content group, "%4" title, "%5" track number, "%6" year. Absent frames are nullopt; a frame
// present with empty text is an empty string.
using TagTexts = std::array<std::optional<std::string>, 6>;

// Reads the tag texts of one file. Never throws and never writes to the file; a file without a
// readable tag has no frames.
class TagReader {
public:
    virtual ~TagReader() = default;
    virtual TagTexts read(const std::string& path) = 0;
};

}  // namespace nameshift::engine
