#include "engine/contents/ExifDateScan.h"

#include <array>
#include <cstdint>

namespace nameshift::engine {
namespace {

constexpr std::uint16_t kDateTime = 0x0132;
constexpr std::uint16_t kExifPointer = 0x8769;
constexpr std::uint16_t kDateTimeOriginal = 0x9003;
constexpr std::uint16_t kDateTimeDigitized = 0x9004;
constexpr std::uint16_t kAscii = 2;
constexpr std::uint16_t kLong = 4;
constexpr std::uint16_t kIfd = 13;
// exiv2 reads no IFD of more entries than this.
constexpr std::uint32_t kMostEntries = 256;
constexpr std::size_t kEntrySize = 12;

// The bytes of one value of each TIFF type up to 12, the types exiv2 reads as they are.
constexpr std::array<std::uint64_t, 13> kTypeSizes = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

class Tiff {
public:
    explicit Tiff(std::string_view bytes) : bytes_(bytes) {}

    bool readByteOrder() {
        if (bytes_.size() < 8) {
            return false;
        }
        little_ = bytes_.starts_with("II");
        return (little_ || bytes_.starts_with("MM")) && number(2, 2) == 42;
    }

    std::uint32_t number(std::size_t at, std::size_t width) const {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t byte = little_ ? at + width - 1 - i : at + i;
            value = (value << 8) | static_cast<unsigned char>(bytes_[byte]);
        }
        return value;
    }

    std::size_t size() const { return bytes_.size(); }
    std::string_view bytes(std::size_t at, std::size_t length) const {
        return bytes_.substr(at, length);
    }

private:
    std::string_view bytes_;
    bool little_ = false;
};

struct Entry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::string_view value;
};

// Calls `visit` with each entry of the IFD at `offset`; false when the IFD or one of its entries
// is not plainly well formed.
template <typename Visit>
bool readIfd(const Tiff& tiff, std::uint64_t offset, Visit visit) {
    if (offset < 8 || offset + 2 > tiff.size()) {
        return false;
    }
    const std::uint32_t count = tiff.number(offset, 2);
    if (count > kMostEntries || offset + 2 + count * kEntrySize > tiff.size()) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t at = offset + 2 + i * kEntrySize;
        Entry entry{static_cast<std::uint16_t>(tiff.number(at, 2)),
                    static_cast<std::uint16_t>(tiff.number(at + 2, 2)),
                    tiff.number(at + 4, 4),
                    {}};
        if (entry.type == 0 || entry.type >= kTypeSizes.size()) {
            return false;
        }
        const std::uint64_t size = kTypeSizes[entry.type] * entry.count;
        std::uint64_t data = at + 8;
        if (size > 4) {
            data = tiff.number(at + 8, 4);
        }
        // exiv2 takes a value at offset 0 for none; the header holds no value anyway.
        if ((size > 4 && data < 8) || data + size > tiff.size()) {
            return false;
        }
        entry.value = tiff.bytes(data, size);
        if (!visit(entry)) {
            return false;
        }
    }
    return true;
}

// Takes the text of a date entry into `date`; false for a second one, or one of another type.
bool takeDate(const Entry& entry, std::optional<std::string>& date) {
    if (date || entry.type != kAscii) {
        return false;
    }
    date = std::string(entry.value.substr(0, entry.value.find('\0')));
    return true;
}

}  // namespace

std::optional<ExifDateScan::Dates> ExifDateScan::read(std::string_view bytes) {
    Tiff tiff(bytes);
    if (!tiff.readByteOrder()) {
        return std::nullopt;
    }
    const std::uint32_t first = tiff.number(4, 4);
    Dates dates;
    std::optional<std::uint32_t> exif;
    const bool firstRead = readIfd(tiff, first, [&](const Entry& entry) {
        switch (entry.tag) {
            case kDateTimeOriginal:
                return takeDate(entry, dates[1]);
            case kDateTime:
                return takeDate(entry, dates[3]);
            case kExifPointer:
                if (exif || (entry.type != kLong && entry.type != kIfd) || entry.count != 1) {
                    return false;
                }
                exif = tiff.number(static_cast<std::size_t>(entry.value.data() - bytes.data()), 4);
                return *exif != first;
            default:
                return true;
        }
    });
    if (!firstRead) {
        return std::nullopt;
    }
    if (exif && !readIfd(tiff, *exif, [&](const Entry& entry) {
            switch (entry.tag) {
                case kDateTimeOriginal:
                    return takeDate(entry, dates[0]);
                case kDateTimeDigitized:
                    return takeDate(entry, dates[2]);
                default:
                    return true;
            }
        })) {
        return std::nullopt;
    }
    return dates;
}

}  // namespace nameshift::engine
