#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace nameshift::engine {

// When the photo or video in an open regular file was taken. A photo's date comes from its EXIF
// block (JPEG, TIFF and the cameras' raw formats built on it, PNG, HEIC/HEIF), read by exiv2 from
// a copy of the file's head, never from the file itself. DateTimeOriginal comes first, else the
// date it was digitised, else the picture's own DateTime. Those are the camera's local time
// without a zone and stay as they are. A video's is the creation time of an
// MP4 or QuickTime movie header, kept in UTC and given in local time as the file's own dates are.
// A file the readers cannot make sense of, a date that is no date and a movie's unset zero are
// all no date; nothing is thrown.
class TakenDate {
public:
    // What is read first: the EXIF block of a JPEG or a phone's HEIC sits well within it.
    static constexpr std::uint64_t kHeadLength = std::uint64_t{64} << 10;
    // The most read of one file: a picture recognised but without a date in its head is looked
    // at again up to here, for EXIF behind large colour profiles or a raw file's long first IFD.
    static constexpr std::uint64_t kReadBudget = std::uint64_t{1} << 20;

    // exiv2 writes its warnings about odd files to stderr, which is the command-line tool's own;
    // its XMP toolkit is set up once here, before any file could want it.
    static void prepareExiv2();

    // The date of the file open as `fd`, `length` bytes long; adds the bytes read to
    // `bytesRead`.
    static std::optional<std::tm> read(int fd, long length, std::uint64_t& bytesRead);
};

}  // namespace nameshift::engine
