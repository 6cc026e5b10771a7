#include "engine/contents/ExifDateScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <exiv2/exiv2.hpp>

namespace nameshift::engine {
namespace {

struct Field {
    std::uint16_t tag;
    std::string text;
    std::uint16_t type = 2;                 // ASCII
    std::optional<std::uint32_t> offset{};  // where the text is stored, when not after the IFDs
};

// A TIFF structure as cameras write it: the first IFD, the EXIF IFD it points to when `exif`
// has fields, then the texts.
std::string tiffBlock(bool little, const std::vector<Field>& first,
                      const std::vector<Field>& exif) {
    const auto number = [little](std::uint32_t value, int width) {
        std::string bytes;
        for (int i = 0; i < width; ++i) {
            const int shift = little ? 8 * i : 8 * (width - 1 - i);
            bytes += static_cast<char>((value >> shift) & 0xFF);
        }
        return bytes;
    };
    const auto ifdSize = [](std::size_t count) { return 2 + 12 * count + 4; };
    const auto exifAt =
        static_cast<std::uint32_t>(8 + ifdSize(first.size() + (exif.empty() ? 0 : 1)));
    const auto dataAt =
        static_cast<std::uint32_t>(exifAt + (exif.empty() ? 0 : ifdSize(exif.size())));
    std::string data;
    const auto ifd = [&](const std::vector<Field>& fields, std::uint32_t pointer) {
        std::string bytes = number(fields.size() + (pointer != 0 ? 1 : 0), 2);
        for (const Field& field : fields) {
            const auto at = field.offset.value_or(static_cast<std::uint32_t>(dataAt + data.size()));
            bytes += number(field.tag, 2) + number(field.type, 2) +
                     number(field.text.size() + 1, 4) + number(at, 4);
            if (!field.offset) {
                data += field.text + '\0';
            }
        }
        if (pointer != 0) {
            bytes += number(0x8769, 2) + number(4, 2) + number(1, 4) + number(pointer, 4);
        }
        return bytes + number(0, 4);
    };
    std::string block = (little ? "II" : "MM") + number(42, 2) + number(8, 4);
    block += ifd(first, exif.empty() ? 0 : exifAt);
    block += exif.empty() ? "" : ifd(exif, 0);
    return block + data;
}

struct ScanCase {
    const char* label;
    std::string block;
    bool scanned;
};

void PrintTo(const ScanCase& c, std::ostream* os) {
    *os << c.label;
}

class ExifDateScanTest : public ::testing::TestWithParam<ScanCase> {};

// The scan reads what exiv2 reads, or leaves the block to it.
TEST_P(ExifDateScanTest, ReadsTheDatesExiv2FindsOrLeavesTheBlockToIt) {
    const std::string& block = GetParam().block;
    const std::optional<ExifDateScan::Dates> dates = ExifDateScan::read(block);
    ASSERT_EQ(dates.has_value(), GetParam().scanned);
    if (!dates) {
        return;
    }
    EXPECT_TRUE(std::any_of(dates->begin(), dates->end(),
                            [](const auto& date) { return date && date->size() == 19; }));
    Exiv2::ExifData exif;
    Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(block.data()),
                              static_cast<std::uint32_t>(block.size()));
    const char* const keys[] = {"Exif.Photo.DateTimeOriginal", "Exif.Image.DateTimeOriginal",
                                "Exif.Photo.DateTimeDigitized", "Exif.Image.DateTime"};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto found = exif.findKey(Exiv2::ExifKey(keys[i]));
        EXPECT_EQ((*dates)[i], found == exif.end() ? std::nullopt
                                                   : std::optional<std::string>(found->toString()))
            << keys[i];
    }
}

const std::vector<Field> kFirst = {{0x9003, "2020:01:01 00:00:01"},
                                   {0x0132, "2020:01:01 00:00:03"}};
const std::vector<Field> kExif = {{0x9003, "2020:01:01 00:00:00"}, {0x9004, "2020:01:01 00:00:02"}};

INSTANTIATE_TEST_SUITE_P(
    Blocks, ExifDateScanTest,
    ::testing::Values(
        ScanCase{"AllFourLittleEndian", tiffBlock(true, kFirst, kExif), true},
        ScanCase{"AllFourBigEndian", tiffBlock(false, kFirst, kExif), true},
        ScanCase{"FirstIfdOnly", tiffBlock(true, kFirst, {}), true},
        ScanCase{"TextCutAtItsNull",
                 tiffBlock(true, {}, {{0x9003, std::string("2021:03:04 05:06:07\0junk", 24)}}),
                 true},
        ScanCase{"DateTwice", tiffBlock(true, {}, {kExif[0], kExif[0]}), false},
        ScanCase{"DateNotText", tiffBlock(true, {}, {{0x9003, "2020:01:01 00:00:00", 7}}), false},
        ScanCase{"TextAtOffsetZero", tiffBlock(true, {}, {{0x9003, "2020:01:01 00:00:00", 2, 0}}),
                 false},
        ScanCase{"TextPastTheEnd",
                 tiffBlock(true, {}, {{0x9003, "2020:01:01 00:00:00", 2, 0xFFFF}}), false},
        ScanCase{"NoTiff", "JFIF and nothing else", false}),
    [](const auto& test) { return std::string(test.param.label); });

}  // namespace
}  // namespace nameshift::engine
