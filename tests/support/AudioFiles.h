#pragma once

#include <map>
#include <string>

namespace nameshift::testing {

// Tiny audio files for the tag tests: a twentieth of a second of silence that ffmpeg encodes in
// the format the file's extension names, then tagged by TagLib's own writer, so that every format
// carries exactly the given properties (TagLib's keys: "ARTIST", "ALBUMARTIST", "DISCNUMBER"...).
// ffmpeg is one of the test packages (scripts/install-deps.sh): without it the test fails, as
// without any other tool the tests are built with.
class AudioFiles {
public:
    using Properties = std::map<std::string, std::string>;

    // Makes `path`, whose extension gives the format; false with a failure reported when it
    // cannot.
    static bool make(const std::string& path, const Properties& properties);
};

}  // namespace nameshift::testing
