#pragma once

#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

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

// Tiny photos and videos for the date tests, made by ffmpeg in the format the extension names:
// a picture (.jpg, .tiff, .png, .heic) carrying `date` as its EXIF DateTimeOriginal
// ("2021:03:04 05:06:07"), written by exiv2; a video (.mp4, .mov) carrying it as the movie's
// creation time ("2021-03-04T05:06:07Z"). HEIC is encoded from a JPEG by heif-enc, which keeps
// its EXIF. Without a date, the file has none.
class DatedFiles {
public:
    static bool make(const std::string& path, const std::optional<std::string>& date);
    // A time as a camera's clock shows it, in no zone.
    static std::tm clock(int year, int month, int day, int hour, int minute, int second);
};

// Photos, songs and films for the camera, size and length codes, made by ffmpeg from `input`
// (a lavfi source such as "color=s=64x48") with `extra` arguments into the format the extension
// names; a picture then gets `make` and `model` in its EXIF through exiv2's command-line tool.
// A HEIC picture is made as a JPEG, stamped, then encoded by heif-enc.
class MediaFiles {
public:
    // Whether heif-enc is there to make HEIC pictures and exiv2 was built to read them.
    static bool readsHeif();
    static bool make(const std::string& path, const std::string& input,
                     const std::vector<std::string>& extra, const std::string& make = {},
                     const std::string& model = {});
};

}  // namespace nameshift::testing
