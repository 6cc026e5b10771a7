#include "engine/contents/TakenDate.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include <taglib/tbytevector.h>
#include <exiv2/exiv2.hpp>

#include "engine/contents/ReadOnlyStream.h"

namespace nameshift::engine {

void TakenDate::prepareExiv2() {
    static const bool prepared = [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
#ifdef EXV_ENABLE_BMFF
        // exiv2 0.27 reads HEIF only when asked to.
        Exiv2::enableBMFF(true);
#endif
        return true;
    }();
    static_cast<void>(prepared);
}

namespace {

std::uint64_t bigEndian(const char* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

bool isDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

int daysIn(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// "YYYY:MM:DD HH:MM:SS" as EXIF writes it; some programs write the date with hyphens or join the
// two with a "T", and some add fractions or a zone after it, which a name has no use for. Blank
// or zero fields, which cameras write when their clock was never set, are no date.
std::optional<std::tm> exifDate(std::string_view text) {
    constexpr std::size_t kLength = 19;
    if (text.size() < kLength || (text[4] != ':' && text[4] != '-') || text[7] != text[4] ||
        (text[10] != ' ' && text[10] != 'T') || text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    const std::array<std::string_view, 6> fields = {text.substr(0, 4),  text.substr(5, 2),
                                                    text.substr(8, 2),  text.substr(11, 2),
                                                    text.substr(14, 2), text.substr(17, 2)};
    if (!std::all_of(fields.begin(), fields.end(), isDigits)) {
        return std::nullopt;
    }
    std::tm date{};
    const int year = number(fields[0]);
    const int month = number(fields[1]);
    const int day = number(fields[2]);
    date.tm_hour = number(fields[3]);
    date.tm_min = number(fields[4]);
    date.tm_sec = number(fields[5]);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysIn(year, month) ||
        date.tm_hour > 23 || date.tm_min > 59 || date.tm_sec > 59) {
        return std::nullopt;
    }
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    return date;
}

// The moment of taking first; the date a scan was digitised next; last the picture's DateTime,
// which an editor may have moved to when it saved the picture, but which is all a picture from a
// program or a plain scanner holds.
std::optional<std::tm> dateOf(const Exiv2::ExifData& exif) {
    // Made once: a key looks its tag up by name, which costs more than the search.
    static const std::array<Exiv2::ExifKey, 4> kKeys = {
        Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"),
        Exiv2::ExifKey("Exif.Image.DateTimeOriginal"),
        Exiv2::ExifKey("Exif.Photo.DateTimeDigitized"), Exiv2::ExifKey("Exif.Image.DateTime")};
    for (const Exiv2::ExifKey& key : kKeys) {
        const auto found = exif.findKey(key);
        if (found != exif.end()) {
            if (std::optional<std::tm> date = exifDate(found->toString())) {
                return date;
            }
        }
    }
    return std::nullopt;
}

// The TIFF structure of a JPEG's EXIF block, found by walking the segments in front of the image
// data: an APP1 segment that opens with "Exif". Handing it to exiv2's EXIF parser alone spares
// the reading of every other segment, which a name has no use for. Empty when the picture has none
// before its image data; nothing when the head ends first.
std::optional<std::string_view> jpegExif(const TagLib::ByteVector& head) {
    const std::string_view bytes(head.data(), head.size());
    constexpr std::string_view kExif("Exif\0\0", 6);
    std::size_t at = 2;  // past the start-of-image marker
    while (at + 4 <= bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF) {
            return std::string_view();
        }
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) {  // fill before a marker
            ++at;
            continue;
        }
        // Markers that stand alone; past the start of the scan only image data follows.
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) {
            return std::string_view();
        }
        const std::size_t length = bigEndian(bytes.data() + at + 2, 2);
        if (length < 2) {
            return std::string_view();
        }
        if (at + 2 + length > bytes.size()) {
            return std::nullopt;
        }
        const std::string_view body = bytes.substr(at + 4, length - 2);
        if (marker == 0xE1 && body.starts_with(kExif)) {
            return body.substr(kExif.size());
        }
        at += 2 + length;
    }
    return std::nullopt;
}

// The date of the picture whose first bytes are `head`. exiv2 reads them from memory: whatever
// offsets the file declares, it cannot read past them, and a reference that points past them
// counts as broken. `worthMore` tells whether more of the file could hold what the head lacks: a
// JPEG whose segments run past it, or a picture of a kind exiv2 knows.
std::optional<std::tm> photoDate(const TagLib::ByteVector& head, bool& worthMore) {
    worthMore = false;
    TakenDate::prepareExiv2();
    if (head.startsWith(TagLib::ByteVector("\xFF\xD8\xFF", 3))) {
        const std::optional<std::string_view> exif = jpegExif(head);
        worthMore = !exif;
        if (!exif || exif->empty()) {
            return std::nullopt;
        }
        try {
            Exiv2::ExifData data;
            Exiv2::ExifParser::decode(data, reinterpret_cast<const Exiv2::byte*>(exif->data()),
                                      static_cast<std::uint32_t>(exif->size()));
            return dateOf(data);
        } catch (...) {
            return std::nullopt;
        }
    }
    try {
        const auto image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(head.data()), static_cast<long>(head.size()));
        if (image.get() == nullptr) {
            return std::nullopt;
        }
        worthMore = true;
        // A head that ends inside the picture makes exiv2 give up on reading further, but what it
        // had read by then is there to use.
        try {
            image->readMetadata();
        } catch (...) {
        }
        return dateOf(image->exifData());
    } catch (...) {
        return std::nullopt;
    }
}

// One ISO base media box: its type and the bytes it spans, header included.
struct Box {
    std::string type;
    long start = 0;
    long size = 0;
    long header = 0;
};

// The box at `at`, which must end by `end`.
std::optional<Box> boxAt(int fd, long at, long end, std::uint64_t& bytesRead) {
    constexpr unsigned long kLongHeader = 16;
    const TagLib::ByteVector bytes =
        ReadOnlyStream(fd, at, end - at, bytesRead).readBlock(kLongHeader);
    if (bytes.size() < 8) {
        return std::nullopt;
    }
    Box box{std::string(bytes.data() + 4, 4), at, 0, 8};
    const std::uint64_t size = bigEndian(bytes.data(), 4);
    std::uint64_t length = size;
    if (size == 0) {
        length = static_cast<std::uint64_t>(end - at);  // to the end of the file
    } else if (size == 1) {
        if (bytes.size() < kLongHeader) {
            return std::nullopt;
        }
        length = bigEndian(bytes.data() + 8, 8);
        box.header = static_cast<long>(kLongHeader);
    }
    if (length < static_cast<std::uint64_t>(box.header) ||
        length > static_cast<std::uint64_t>(end - at)) {
        return std::nullopt;
    }
    box.size = static_cast<long>(length);
    return box;
}

// The first box of `type` among those from `at` to `end`. A file has a handful of boxes at each
// level; one that seems to have more is no movie worth searching on.
std::optional<Box> findBox(int fd, long at, long end, std::string_view type,
                           std::uint64_t& bytesRead) {
    constexpr int kMostBoxes = 64;
    for (int count = 0; count < kMostBoxes && at < end; ++count) {
        std::optional<Box> box = boxAt(fd, at, end, bytesRead);
        if (!box) {
            return std::nullopt;
        }
        if (box->type == type) {
            return box;
        }
        at += box->size;
    }
    return std::nullopt;
}

// The creation time in the movie header of an MP4 or QuickTime file, counted in seconds from
// 1904 in UTC. Only box headers are read on the way, however large the media data before it.
std::optional<std::tm> movieDate(int fd, long length, std::uint64_t& bytesRead) {
    const std::optional<Box> movie = findBox(fd, 0, length, "moov", bytesRead);
    if (!movie) {
        return std::nullopt;
    }
    const std::optional<Box> header =
        findBox(fd, movie->start + movie->header, movie->start + movie->size, "mvhd", bytesRead);
    if (!header) {
        return std::nullopt;
    }
    constexpr unsigned long kVersionAndTimes = 12;
    const long body = header->start + header->header;
    const TagLib::ByteVector bytes =
        ReadOnlyStream(fd, body, header->start + header->size - body, bytesRead)
            .readBlock(kVersionAndTimes);
    if (bytes.size() < 8) {
        return std::nullopt;
    }
    const bool wide = bytes[0] == 1;
    if (wide && bytes.size() < kVersionAndTimes) {
        return std::nullopt;
    }
    const std::uint64_t created = bigEndian(bytes.data() + 4, wide ? 8 : 4);
    // Writers that know no date leave it zero, which would read as the first day of 1904.
    constexpr std::uint64_t k1904To1970 = 2082844800;
    constexpr std::uint64_t kYear10000 = 253402300800 + k1904To1970;
    if (created == 0 || created >= kYear10000) {
        return std::nullopt;
    }
    const auto since1970 = static_cast<std::time_t>(static_cast<std::int64_t>(created) -
                                                    static_cast<std::int64_t>(k1904To1970));
    std::tm local{};
    if (::localtime_r(&since1970, &local) == nullptr) {
        return std::nullopt;
    }
    return local;
}

// Whether the head is that of an MP4 or QuickTime movie rather than a HEIF picture, which is
// built of the same boxes.
bool opensLikeMovie(const TagLib::ByteVector& head) {
    static constexpr std::array<const char*, 6> kFirstBoxes = {"ftyp", "moov", "mdat",
                                                               "free", "skip", "wide"};
    if (std::none_of(kFirstBoxes.begin(), kFirstBoxes.end(),
                     [&head](const char* type) { return head.containsAt(type, 4); })) {
        return false;
    }
    static constexpr std::array<const char*, 12> kPictureBrands = {"heic", "heix", "heim", "heis",
                                                                   "hevc", "hevx", "hevm", "hevs",
                                                                   "mif1", "msf1", "avif", "crx "};
    return !head.containsAt("ftyp", 4) ||
           std::none_of(kPictureBrands.begin(), kPictureBrands.end(),
                        [&head](const char* brand) { return head.containsAt(brand, 8); });
}

}  // namespace

std::optional<std::tm> TakenDate::read(int fd, long length, std::uint64_t& bytesRead) {
    TagLib::ByteVector head =
        ReadOnlyStream(fd, 0, length, bytesRead).readBlock(static_cast<unsigned long>(kHeadLength));
    if (head.size() < 12) {
        return std::nullopt;
    }
    if (opensLikeMovie(head)) {
        return movieDate(fd, length, bytesRead);
    }
    bool worthMore = false;
    std::optional<std::tm> date = photoDate(head, worthMore);
    if (!date && worthMore && static_cast<std::uint64_t>(length) > head.size()) {
        const long from = static_cast<long>(head.size());
        head.append(ReadOnlyStream(fd, from, length - from, bytesRead)
                        .readBlock(static_cast<unsigned long>(kReadBudget - head.size())));
        date = photoDate(head, worthMore);
    }
    return date;
}

}  // namespace nameshift::engine
