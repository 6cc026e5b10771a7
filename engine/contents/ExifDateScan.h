#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace nameshift::engine {

// The dates in the EXIF block of a JPEG, read straight from its TIFF structure: the first IFD and
// the EXIF IFD it points to, nothing else. exiv2 reads every entry of every IFD, maker notes
// included, into objects, most of the cost of naming a photo by its date; where the two IFDs are
// plainly well formed the four dates read here are the ones exiv2 finds. Anything unusual on the
// way (an entry out of bounds, a type or count exiv2 would make more of, a date given twice) is
// left to exiv2.
class ExifDateScan {
public:
    // In the order a name takes them: EXIF's DateTimeOriginal, the first IFD's, the date the
    // picture was digitised, the first IFD's DateTime.
    using Dates = std::array<std::optional<std::string>, 4>;

    // The dates of the TIFF structure `tiff`, each as its text up to the first null; nothing when
    // the block is one to leave to exiv2.
    static std::optional<Dates> read(std::string_view tiff);
};

}  // namespace nameshift::engine
