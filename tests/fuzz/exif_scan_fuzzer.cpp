// Any bytes as the TIFF structure of a JPEG's EXIF block: the dates read straight from it are the
// ones exiv2 finds, wherever the scan answers and exiv2 reads the block without giving up on it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <exiv2/exiv2.hpp>

#include "engine/contents/ExifDateScan.h"

using nameshift::engine::ExifDateScan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool muted = [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        return true;
    }();
    static_cast<void>(muted);
    const std::optional<ExifDateScan::Dates> scanned =
        ExifDateScan::read(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!scanned) {
        return 0;
    }
    Exiv2::ExifData exif;
    try {
        Exiv2::ExifParser::decode(exif, data, static_cast<std::uint32_t>(size));
    } catch (...) {
        // A block exiv2 throws out for a fault elsewhere in it still has the dates read here.
        return 0;
    }
    static const std::array<const char*, 4> kKeys = {
        "Exif.Photo.DateTimeOriginal", "Exif.Image.DateTimeOriginal",
        "Exif.Photo.DateTimeDigitized", "Exif.Image.DateTime"};
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const auto found = exif.findKey(Exiv2::ExifKey(kKeys[i]));
        const std::optional<std::string> read =
            found == exif.end() ? std::nullopt : std::optional<std::string>(found->toString());
        if (read != (*scanned)[i]) {
            std::abort();
        }
    }
    return 0;
}
