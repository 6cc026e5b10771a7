#include "engine/contents/TagLibTagReader.h"

#include "engine/contents/AudioFileTags.h"
#include "engine/contents/Id3v2FramePicker.h"
#include "engine/contents/MediaFacts.h"
#include "engine/naming/FileDateText.h"
#include "engine/naming/TagNaming.h"
#include "settings/InvalidCharacters.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "AudioFiles.h"
#include "Id3Bytes.h"
#include "TempDir.h"

namespace nameshift::engine {
namespace {

using testing::id3::Encoding;
using testing::id3::id3v1Tag;
using testing::id3::id3v2Frame;
using testing::id3::id3v2FrameHeader;
using testing::id3::id3v2Header;
using testing::id3::id3v2Tag;
using testing::id3::mpegAudio;
using testing::id3::TextFrame;
using testing::id3::unsynchronised;

constexpr std::size_t kArtist = 1;
constexpr std::size_t kTitle = 3;

struct ReadCase {
    const char* label;
    std::string bytes;
    TagTexts expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.label;
}

class TagReadTest : public ::testing::TestWithParam<ReadCase> {
protected:
    testing::TempDir dir;
    TagLibTagReader reader;
};

TEST_P(TagReadTest, ReadsTheSixTexts) {
    dir.write("song.mp3", GetParam().bytes);
    EXPECT_EQ(reader.read(dir.file("song.mp3")), GetParam().expected);
    EXPECT_EQ(dir.read("song.mp3"), GetParam().bytes) << "reading changed the file";
}

std::string longText(std::size_t asciiBytes, std::string_view tail = {}) {
    return std::string(asciiBytes, 'a') + std::string(tail);
}

// iTunes wrote v2.4 tags with the plain frame sizes of v2.3.
std::string asVersion4(std::string tag) {
    tag[3] = 4;
    return tag;
}

std::string withExtendedHeader(const std::string& tag) {
    const std::string extended("\0\0\0\x06\x01\0", 6);  // its synchsafe size, no flags
    const std::string body = extended + tag.substr(10);
    return id3v2Header(tag[3], static_cast<std::uint32_t>(body.size()), 0x40) + body;
}

// The footer repeats the header, after the frames and outside the size.
std::string withFooter(const std::string& tag) {
    std::string header = tag.substr(0, 10);
    header[5] = 0x10;
    return header + tag.substr(10) + "3DI" + header.substr(3);
}

constexpr std::size_t kPastTheBound = Id3v2FramePicker::kLongestFrame + 1;

INSTANTIATE_TEST_SUITE_P(
    Versions, TagReadTest,
    ::testing::Values(
        ReadCase{"V23Latin1",
                 id3v2Tag(3,
                          {{"TALB", "Début à Paris"},
                           {"TPE1", "Björk"},
                           {"TIT1", "Café"},
                           {"TIT2", "Human Behaviour"},
                           {"TRCK", "1/11"},
                           {"TYER", "1993"}},
                          64) +
                     mpegAudio(),
                 {"Début à Paris", "Björk", "Café", "Human Behaviour", "1/11", "1993"}},
        ReadCase{"V23Utf16",
                 id3v2Tag(3, {{"TALB", "Ágætis byrjun", Encoding::Utf16},
                              {"TPE1", "Sigur Rós", Encoding::Utf16},
                              {"TIT1", "Ωμέγα", Encoding::Utf16},
                              {"TIT2", "Svefn-g-englar 🎵", Encoding::Utf16},
                              {"TRCK", "4", Encoding::Utf16},
                              {"TYER", "1999", Encoding::Utf16}}) +
                     mpegAudio(),
                 {"Ágætis byrjun", "Sigur Rós", "Ωμέγα", "Svefn-g-englar 🎵", "4", "1999"}},
        ReadCase{"V24Utf8",
                 id3v2Tag(4, {{"TALB", "東京の夜", Encoding::Utf8},
                              {"TPE1", "Über Ünïcødé", Encoding::Utf8},
                              {"TIT2", "Привет", Encoding::Utf16Be},
                              {"TRCK", "12/16", Encoding::Utf8},
                              {"TDRC", "2024-05-17T10:00", Encoding::Utf8}}) +
                     mpegAudio(),
                 {"東京の夜", "Über Ünïcødé", std::nullopt, "Привет", "12/16", "2024-05-17"}},
        ReadCase{"V24FirstOfSeveralValues",
                 id3v2Tag(4, {{"TPE1", std::string("First\0Second", 12), Encoding::Utf8},
                              {"TIT2", std::string("Eins\0Zwei", 9), Encoding::Utf16}}),
                 {std::nullopt, "First", std::nullopt, "Eins", std::nullopt, std::nullopt}},
        ReadCase{"V22",
                 id3v2Tag(2, {{"TAL", "Old Album"},
                              {"TP1", "Old Artist"},
                              {"TT1", "Old Group"},
                              {"TT2", "Old Title"},
                              {"TRK", "3"},
                              {"TYE", "1998"}}) +
                     mpegAudio(),
                 {"Old Album", "Old Artist", "Old Group", "Old Title", "3", "1998"}},
        ReadCase{"V24MisspeltRecordingTimeFirst",
                 id3v2Tag(4, {{"TRDC", "2002", Encoding::Utf8}, {"TDRC", "2001", Encoding::Utf8}}),
                 {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, "2002"}},
        ReadCase{
            "V23RecordingTimeJoinedToItsDate",
            id3v2Tag(3, {{"TDRC", "2024"}, {"TDAT", "1705"}}),
            {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, "2024-05-17"}},
        ReadCase{"TextsAfterEmptyOnesAndOfNoByteOrder",
                 id3v2Header(3, 32) + id3v2FrameHeader(3, "TIT2", 8) +
                     std::string("\0\0\0Title", 8) + id3v2FrameHeader(3, "TPE1", 4) +
                     std::string("\x01"
                                 "A\0\0",
                                 4),
                 {std::nullopt, "", std::nullopt, "Title", std::nullopt, std::nullopt}},
        ReadCase{"V23YearStaysAsStoredBesideDateAndTime",
                 id3v2Tag(3, {{"TYER", "2024"}, {"TDAT", "1705"}, {"TIME", "1030"}}),
                 {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, "2024"}},
        ReadCase{"V22YearStaysAsStoredBesideDate",
                 id3v2Tag(2, {{"TYE", "1987"}, {"TDA", "0102"}}),
                 {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, "1987"}},
        ReadCase{
            "V23YearOverTenCharacters",
            id3v2Tag(3, {{"TYER", "12345678901234"}}),
            {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, "1234567890"}},
        ReadCase{"V23AlbumArtistDiscComposer",
                 id3v2Tag(3, {{"TPE2", "Band"}, {"TPOS", "1/2"}, {"TCOM", "Bach"}}) + mpegAudio(),
                 {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                  std::nullopt, "Band", "1/2", "Bach"}},
        ReadCase{"V22AlbumArtistDiscComposer",
                 id3v2Tag(2, {{"TP2", "Old Band"}, {"TPA", "3"}, {"TCM", "Händel"}}),
                 {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                  std::nullopt, "Old Band", "3", "Händel"}},
        ReadCase{"V24DiscOverTenCharacters",
                 id3v2Tag(4, {{"TPOS", "12345678901234", Encoding::Utf8}}),
                 {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                  std::nullopt, std::nullopt, "1234567890"}},
        ReadCase{"GenreFrameIsNotTheGroup", id3v2Tag(3, {{"TCON", "(17)Rock"}}), TagTexts{}},
        ReadCase{"EmptyFrameIsPresent",
                 id3v2Tag(3, {{"TALB", ""}, {"TIT2", "", Encoding::Utf16}}) +
                     id3v1Tag("v1 title", "", "v1 album", ""),
                 {"", std::nullopt, std::nullopt, "", std::nullopt, std::nullopt}},
        ReadCase{"V1Only",
                 mpegAudio() + id3v1Tag("One Title", "One Artist", "One Album", "1987",
                                        std::nullopt, "no track here"),
                 {"One Album", "One Artist", std::nullopt, "One Title", std::nullopt, "1987"}},
        ReadCase{"V11Track",
                 mpegAudio() + id3v1Tag("T\xE9l\xE9", "", "", "2001", 9),
                 {std::nullopt, std::nullopt, std::nullopt, "Télé", "9", "2001"}},
        ReadCase{"V1FillsWhatV2Lacks",
                 id3v2Tag(3, {{"TIT2", "v2 title"}, {"TPE1", "v2 artist"}}) + mpegAudio() +
                     id3v1Tag("v1 title", "v1 artist", "v1 album", "1970", 5),
                 {"v1 album", "v2 artist", std::nullopt, "v2 title", "5", "1970"}},
        ReadCase{
            "LongTextIsCut",
            id3v2Tag(4, {{"TALB", longText(2000), Encoding::Utf8}}),
            {longText(1023), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        ReadCase{
            "CutKeepsWholeCharacters",
            id3v2Tag(4, {{"TALB", longText(1022, "é"), Encoding::Utf8},
                         {"TPE1", longText(1021, "€"), Encoding::Utf8},
                         {"TRCK", "123456789é", Encoding::Utf8},
                         {"TDRC", "2024-05-1€", Encoding::Utf8}}),
            {longText(1022), longText(1021), std::nullopt, std::nullopt, "123456789", "2024-05-1"}},
        ReadCase{
            "V22Unsynchronised",
            unsynchronised(id3v2Tag(2, {{"TT2", "ÿÿ Title", Encoding::Utf16}})),
            {std::nullopt, std::nullopt, std::nullopt, "ÿÿ Title", std::nullopt, std::nullopt}},
        ReadCase{"V23Unsynchronised",
                 unsynchronised(id3v2Tag(3, {{"TALB", "Ÿ Album", Encoding::Utf16},
                                             {"TIT2", "Title ÿ"}})),
                 {"Ÿ Album", std::nullopt, std::nullopt, "Title ÿ", std::nullopt, std::nullopt}},
        ReadCase{"V24Unsynchronised",
                 unsynchronised(id3v2Tag(4, {{"TPE1", "Ÿ Artist", Encoding::Utf16},
                                             {"TIT2", "Zipped ÿ", Encoding::Utf16, true}})),
                 {std::nullopt, "Ÿ Artist", std::nullopt, "Zipped ÿ", std::nullopt, std::nullopt}},
        ReadCase{"V23Compressed",
                 id3v2Tag(3, {{"TIT2", "Zipped", Encoding::Latin1, true}, {"TRCK", "5"}}),
                 {std::nullopt, std::nullopt, std::nullopt, "Zipped", "5", std::nullopt}},
        ReadCase{"InflatingPastTheBoundIsMissing",
                 id3v2Tag(4, {{"TIT2", longText(1 << 24), Encoding::Utf8, true},
                              {"TPE1", "Artist", Encoding::Utf8}}),
                 {std::nullopt, "Artist", std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        ReadCase{"FramePastTheBoundIsMissing",
                 id3v2Tag(3, {{"TIT2", longText(kPastTheBound)}, {"TALB", "Album"}}),
                 {"Album", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        ReadCase{"V24WithPlainFrameSizes",
                 asVersion4(id3v2Tag(3, {{"TIT2", longText(255)}, {"TPE1", "Artist"}})),
                 {std::nullopt, "Artist", std::nullopt, longText(255), std::nullopt, std::nullopt}},
        ReadCase{"V24ExtendedHeader",
                 withExtendedHeader(id3v2Tag(4, {{"TIT2", "Title", Encoding::Utf8}})),
                 {std::nullopt, std::nullopt, std::nullopt, "Title", std::nullopt, std::nullopt}},
        ReadCase{"V24Footer",
                 withFooter(id3v2Tag(4, {{"TIT2", "Title", Encoding::Utf8}, {"TRCK", "5"}})),
                 {std::nullopt, std::nullopt, std::nullopt, "Title", "5", std::nullopt}},
        ReadCase{"NoTag", mpegAudio(), TagTexts{}}, ReadCase{"EmptyFile", "", TagTexts{}},
        ReadCase{"PngImage", testing::id3::pngImage(), TagTexts{}},
        ReadCase{"UnknownVersion",
                 std::string("ID3\xFF\0\0\0\0\0\x20", 10) + std::string(32, 'x') + mpegAudio(),
                 TagTexts{}},
        ReadCase{"ApeFooterIsNoId3v1", mpegAudio() + "APETAGEX" + std::string(123, 'x'),
                 TagTexts{}},
        ReadCase{"SizeBeyondTheFile",
                 std::string("ID3\x03\0\0\x7F\x7F\x7F\x7F", 10) + "TIT2" +
                     std::string("\x7F\xFF\xFF\xFF\0\0\0", 7) + "x",
                 TagTexts{}}),
    [](const auto& test) { return std::string(test.param.label); });

// A tag that the file ends inside is broken: reading it would give the frame at the cut with
// part of its text.
TEST(TagLibTagReaderTest, TagCutAnywhereHasNoFrames) {
    testing::TempDir dir;
    const TagTexts whole = {"Album", "Artist", "Group", "Title", "11", "2011"};
    const std::string bytes = id3v2Tag(3, {{"TALB", "Album"},
                                           {"TPE1", "Artist", Encoding::Utf16},
                                           {"TIT1", "Group"},
                                           {"TIT2", "Title"},
                                           {"TRCK", "11"},
                                           {"TYER", "2011"},
                                           {"TDAT", "0101"}});
    TagLibTagReader reader;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        dir.write("cut.mp3", bytes.substr(0, length));
        EXPECT_EQ(reader.read(dir.file("cut.mp3")), TagTexts{}) << "cut at " << length;
    }
    dir.write("cut.mp3", bytes);
    EXPECT_EQ(reader.read(dir.file("cut.mp3")), whole);
}

TEST(TagLibTagReaderTest, AudioCutAfterAWholeTagKeepsTheTag) {
    testing::TempDir dir;
    const std::string bytes = id3v2Tag(3, {{"TIT2", "Whole"}}, 16) + mpegAudio();
    dir.write("cut.mp3", bytes.substr(0, bytes.size() - 500));
    EXPECT_EQ(TagLibTagReader().read(dir.file("cut.mp3"))[kTitle], "Whole");
}

// The tag is looked for at the start of the file only, never searched for in its body.
TEST(TagLibTagReaderTest, TagAfterLeadingJunkIsNotLookedFor) {
    testing::TempDir dir;
    const std::string tag = id3v2Tag(4, {{"TPE1", "Found", Encoding::Utf8}});
    dir.write("junk.mp3", std::string(37, 'j') + tag + mpegAudio());
    dir.write("audio.mp3", mpegAudio() + tag + mpegAudio());
    TagLibTagReader reader;
    EXPECT_EQ(reader.read(dir.file("junk.mp3")), TagTexts{});
    EXPECT_EQ(reader.read(dir.file("audio.mp3")), TagTexts{});
}

// Large files, made sparse where their content allows. Each lays out `head`, then `tail` so
// that the file ends `size` bytes long.
struct LargeFileCase {
    const char* label;
    const char* name;
    std::string head;
    std::string tail;
    off_t size;
    bool text;             // filled with lines of text instead of a hole
    std::size_t tagBytes;  // what the tags that count take up
    TagTexts expected;
};

void PrintTo(const LargeFileCase& c, std::ostream* os) {
    *os << c.label;
}

void makeLargeFile(const std::string& path, const LargeFileCase& c) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    std::string fill;
    if (c.text) {
        const std::string line = "The quick brown fox jumps over the lazy dog, 0123456789.\n";
        while (fill.size() < (1 << 20)) {
            fill += line;
        }
    }
    off_t at = 0;
    auto put = [&](std::string_view bytes) {
        ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), at), static_cast<ssize_t>(bytes.size()));
        at += static_cast<off_t>(bytes.size());
    };
    put(c.head);
    const off_t tailStart = c.size - static_cast<off_t>(c.tail.size());
    while (c.text && at < tailStart) {
        put(std::string_view(fill).substr(
            0, static_cast<std::size_t>(std::min<off_t>(tailStart - at, off_t(fill.size())))));
    }
    at = tailStart;
    put(c.tail);
    ASSERT_EQ(::ftruncate(fd, c.size), 0);
    ::close(fd);
}

class TagLargeFileTest : public ::testing::TestWithParam<LargeFileCase> {};

// Reading tags costs what the tags hold, not what the file holds: a scan of the body would read
// it all. The bytes are counted through the reader's stream, which TagLib reads the file by.
TEST_P(TagLargeFileTest, ReadsOnlyTheTags) {
    const LargeFileCase& c = GetParam();
    testing::TempDir dir;
    makeLargeFile(dir.file(c.name), c);
    TagLibTagReader reader;
    EXPECT_EQ(reader.read(dir.file(c.name)), c.expected);
    constexpr std::uint64_t kLookingAround = 1024;
    EXPECT_LE(reader.bytesRead(), c.tagBytes + kLookingAround);
}

constexpr off_t kTwoGigabytes = off_t{2} << 30;
// The most a tag can declare; the files below end with the tag.
constexpr std::uint32_t kHugeTag = (1u << 28) - 1;
constexpr std::size_t kBudget = Id3v2FramePicker::kReadBudget;

const std::string kFound = id3v2Frame(3, {"TIT2", "Found"});

// Frames of one byte, more than the budget lets the reader walk through, before a title.
std::string smallFramesBeforeATitle() {
    std::string frames;
    while (frames.size() <= kBudget + (kBudget >> 1)) {
        frames += id3v2Frame(3, {"PRIV", ""});
    }
    return id3v2Header(3, static_cast<std::uint32_t>(frames.size() + kFound.size())) + frames;
}

const std::string kLongPlay = id3v2Tag(3, {{"TIT2", "Long Play"}, {"TPE1", "Artist"}});
const std::string kFirst = id3v2Tag(3, {{"TIT2", "First"}});

std::string tagHeadersOneAfterAnother() {
    std::string headers = kFirst;
    while (headers.size() < (1 << 20)) {
        headers += id3v2Tag(3, {}, 1);
    }
    return headers;
}

INSTANTIATE_TEST_SUITE_P(
    Files, TagLargeFileTest,
    ::testing::Values(
        LargeFileCase{"SparseMp3", "hole.mp3", "", "", kTwoGigabytes, false, 0, TagTexts{}},
        LargeFileCase{"SparseIso", "disc.iso", "", "", kTwoGigabytes, false, 0, TagTexts{}},
        LargeFileCase{"SparseFlac", "hole.flac", "", "", kTwoGigabytes, false, 0, TagTexts{}},
        LargeFileCase{"SparseM4a", "hole.m4a", "", "", kTwoGigabytes, false, 0, TagTexts{}},
        LargeFileCase{"SparseOgg", "hole.ogg", "", "", kTwoGigabytes, false, 0, TagTexts{}},
        LargeFileCase{"SparseWav", "hole.wav", "", "", kTwoGigabytes, false, 0, TagTexts{}},
        LargeFileCase{"FlacBlockDeclaringMoreThanTheFileHolds", "huge.flac",
                      std::string("fLaC\x04\xFF\xFF\xFF", 8), "", off_t{64} << 20, false,
                      AudioFileTags::kReadBudget, TagTexts{}},
        LargeFileCase{"SparseMp3BetweenItsTags", "tagged.mp3", kLongPlay,
                      id3v1Tag("v1 title", "v1 artist", "v1 album", "1999", 3), kTwoGigabytes,
                      false, kLongPlay.size() + 128,
                      TagTexts{"v1 album", "Artist", std::nullopt, "Long Play", "3", "1999"}},
        LargeFileCase{"AudioWithTagInTheMiddle", "late.mp3", mpegAudio(),
                      id3v2Tag(3, {{"TIT2", "Hidden"}}) + std::string(128, 'x'), off_t{64} << 20,
                      false, 0, TagTexts{}},
        LargeFileCase{"TagHeadersOneAfterAnother", "stack.mp3", tagHeadersOneAfterAnother(), "",
                      off_t{2} << 20, false, kFirst.size(),
                      TagTexts{std::nullopt, std::nullopt, std::nullopt, "First", std::nullopt,
                               std::nullopt}},
        LargeFileCase{"TextFile", "notes.txt", "", "", off_t{100} << 20, true, 0, TagTexts{}},
        LargeFileCase{"HugeTagOfOneTitle", "huge.mp3",
                      id3v2Header(3, kHugeTag) + id3v2FrameHeader(3, "TIT2", kHugeTag - 10) +
                          std::string("\0Title", 6),
                      "", kHugeTag + 10, false, kBudget, TagTexts{}},
        LargeFileCase{
            "HugeTagWithATitleAfterItsPicture", "picture.mp3",
            id3v2Header(3, kHugeTag) +
                id3v2FrameHeader(3, "APIC",
                                 kHugeTag - 10 - static_cast<std::uint32_t>(kFound.size())),
            kFound, kHugeTag + 10, false, kBudget,
            TagTexts{std::nullopt, std::nullopt, std::nullopt, "Found", std::nullopt,
                     std::nullopt}},
        LargeFileCase{"HugeUnsynchronisedTag", "unsynchronised.mp3",
                      id3v2Header(3, kHugeTag, 0x80) + kFound, "", kHugeTag + 10, false, kBudget,
                      TagTexts{}},
        LargeFileCase{"TagOfMoreSmallFramesThanTheBudget", "many.mp3", smallFramesBeforeATitle(),
                      kFound, off_t(smallFramesBeforeATitle().size() + kFound.size()), false,
                      kBudget, TagTexts{}}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(TagLibTagReaderTest, ReadsAFileWithoutWritePermission) {
    testing::TempDir dir;
    const std::string bytes = id3v2Tag(4, {{"TIT2", "Locked", Encoding::Utf8}}) + mpegAudio();
    dir.write("locked.mp3", bytes);
    ASSERT_EQ(::chmod(dir.file("locked.mp3").c_str(), 0444), 0);
    EXPECT_EQ(TagLibTagReader().read(dir.file("locked.mp3"))[kTitle], "Locked");
    EXPECT_EQ(dir.read("locked.mp3"), bytes);
}

struct SpecialCase {
    const char* label;
    std::function<bool(const testing::TempDir&)> make;  // false: not possible here
};

class TagSpecialFileTest : public ::testing::TestWithParam<SpecialCase> {};

// Entries that are no regular file must neither block nor stream forever; they have no frames.
TEST_P(TagSpecialFileTest, HasNoFrames) {
    testing::TempDir dir;
    if (!GetParam().make(dir)) {
        GTEST_SKIP() << "cannot make this kind of entry here";
    }
    EXPECT_EQ(TagLibTagReader().read(dir.file("x.mp3")), TagTexts{});
    EXPECT_FALSE(TagLibTagReader().taken(dir.file("x.mp3")));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, TagSpecialFileTest,
    ::testing::Values(SpecialCase{"Missing", [](const testing::TempDir&) { return true; }},
                      SpecialCase{"Fifo",
                                  [](const testing::TempDir& d) {
                                      return ::mkfifo(d.file("x.mp3").c_str(), 0644) == 0;
                                  }},
                      SpecialCase{"Directory",
                                  [](const testing::TempDir& d) {
                                      d.makeDirectory("x.mp3");
                                      return true;
                                  }},
                      SpecialCase{"EndlessDeviceOfThatName",
                                  [](const testing::TempDir& d) {
                                      return ::mknod(d.file("x.mp3").c_str(), S_IFCHR | 0600,
                                                     makedev(1, 5)) == 0;
                                  }},
                      SpecialCase{"LinkToEndlessDevice",
                                  [](const testing::TempDir& d) {
                                      return ::symlink("/dev/zero", d.file("x.mp3").c_str()) == 0 &&
                                             std::filesystem::exists("/dev/zero");
                                  }},
                      SpecialCase{"DanglingLink",
                                  [](const testing::TempDir& d) {
                                      return ::symlink(d.file("nowhere.mp3").c_str(),
                                                       d.file("x.mp3").c_str()) == 0;
                                  }}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(TagLibTagReaderTest, FollowsALinkToATaggedFile) {
    testing::TempDir dir;
    dir.write("real.mp3", id3v2Tag(3, {{"TPE1", "Linked"}}));
    ASSERT_EQ(::symlink("real.mp3", dir.file("x.mp3").c_str()), 0);
    EXPECT_EQ(TagLibTagReader().read(dir.file("x.mp3"))[kArtist], "Linked");
}

TEST(TagLibTagReaderTest, TimesAreTheFilesOwn) {
    testing::TempDir dir;
    dir.write("notes.txt", "not audio");
    const std::time_t modified = 1715941800;
    const timespec times[2] = {{modified, 0}, {modified, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.file("notes.txt").c_str(), times, 0), 0);
    TagLibTagReader reader;
    EXPECT_EQ(reader.times(dir.file("notes.txt")).modified, modified);
    // A filesystem may keep no birth time; one it keeps is from before this test looked.
    const std::optional<std::time_t> born = reader.times(dir.file("notes.txt")).born;
    EXPECT_TRUE(!born || *born <= std::time(nullptr));
    EXPECT_EQ(reader.times(dir.file("missing.txt")), FileTimes{});
}

// The formats TagLib reads, each made once for the suite: a file tagged with a value for every
// code, and one with a title alone.
struct AudioFormat {
    const char* label;
    const char* extension;
    const char* groupKey;  // where the format keeps what "%3" reads: TagLib calls TIT1 "WORK"
    // Values of "%3", "%5" and "%8" other than the codes' own.
    const char* group = nullptr;
    const char* track = nullptr;
    const char* disc = nullptr;
    // Changes the files' bytes once tagged, as other taggers write them.
    void (*retag)(std::string& bytes) = nullptr;
};

void PrintTo(const AudioFormat& f, std::ostream* os) {
    *os << f.label;
}

struct AudioCode {
    const char* code;
    const char* key;  // TagLib's property, "%3"'s from the format
    const char* value;
};

// An MP4 genre as iTunes once wrote it, "gnre": the ID3v1 genre's number, one more, in place of
// the text of "\251gen".
void genreByNumber(std::string& bytes) {
    const auto at = bytes.find("\251gen");
    if (at != std::string::npos) {
        bytes.replace(at, 4, "gnre");
        bytes.replace(at + 20, 2, std::string("\0\x12", 2));  // 17, "Rock"
    }
}

// A FLAC file's comment with its keys in lower case, which TagLib reads all the same.
void keysInLowerCase(std::string& bytes) {
    for (const char* key : {"ALBUM=", "ARTIST=", "GENRE=", "TITLE=", "TRACKNUMBER=", "DATE=",
                            "DISCNUMBER=", "COMPOSER="}) {
        if (const auto at = bytes.find(key); at != std::string::npos) {
            std::transform(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                           bytes.begin() + static_cast<std::ptrdiff_t>(at + std::strlen(key)),
                           bytes.begin() + static_cast<std::ptrdiff_t>(at),
                           [](char c) { return static_cast<char>(std::tolower(c)); });
        }
    }
}

// A FLAC file behind an ID3v2 tag, which some taggers put there.
void id3v2TagInFront(std::string& bytes) {
    bytes.insert(0, id3v2Tag(3, {}, 64));
}

constexpr AudioFormat kAudioFormats[] = {
    {"Mp3", ".mp3", "WORK"},
    {"Flac", ".flac", "GENRE"},
    {"FlacTrackAndDiscOfCounts", ".flac", "GENRE", nullptr, "3/12", "1/2"},
    {"FlacKeysInLowerCase", ".flac", "GENRE", nullptr, nullptr, nullptr, keysInLowerCase},
    {"FlacAfterAnId3v2Tag", ".flac", "GENRE", nullptr, nullptr, nullptr, id3v2TagInFront},
    {"OggVorbis", ".ogg", "GENRE"},
    {"Opus", ".opus", "GENRE"},
    {"Speex", ".spx", "GENRE"},
    {"M4a", ".m4a", "GENRE"},
    {"M4aTrackAndDiscOfCounts", ".m4a", "GENRE", nullptr, "3/12", "1/2"},
    {"M4aGenreByNumber", ".m4a", "GENRE", "Rock", nullptr, nullptr, genreByNumber},
    {"M4b", ".m4b", "GENRE"},
    {"Wma", ".wma", "GENRE"},
    {"Wav", ".wav", "GENRE"},
    {"Aiff", ".aiff", "GENRE"},
    {"WavPack", ".wv", "GENRE"}};

// The value `code` names a file of `format` by.
std::string valueOf(const AudioFormat& format, const AudioCode& code) {
    const std::string_view which = code.code;
    const char* value = which == "3"   ? format.group
                        : which == "5" ? format.track
                        : which == "8" ? format.disc
                                       : nullptr;
    return value != nullptr ? value : code.value;
}

constexpr const char* kTitleValue = "Svefn-g-englar";

constexpr AudioCode kAudioCodes[] = {
    {"1", "ALBUM", "Ágætis byrjun"}, {"2", "ARTIST", "Sigur Rós"}, {"3", nullptr, "Post-rock"},
    {"4", "TITLE", kTitleValue},     {"5", "TRACKNUMBER", "4"},    {"6", "DATE", "1999"},
    {"7", "ALBUMARTIST", "Various"}, {"8", "DISCNUMBER", "2"},     {"9", "COMPOSER", "Jónsi"}};

// One row a format: its two files are made once (ffmpeg is slow to start), then every code is
// read from them under every mode.
class AudioFormatTest : public ::testing::TestWithParam<AudioFormat> {};

// Each code names a file of each format by its value, and a file without it as the mode says.
TEST_P(AudioFormatTest, NamesByEveryCodeAsTheModeSays) {
    const AudioFormat& format = GetParam();
    const std::string extension = format.extension;
    const std::string tagged = "tagged" + extension;
    const std::string titled = "titled" + extension;
    testing::TempDir corpus;
    testing::AudioFiles::Properties every;
    for (const AudioCode& code : kAudioCodes) {
        every[code.key != nullptr ? code.key : format.groupKey] = valueOf(format, code);
    }
    ASSERT_TRUE(testing::AudioFiles::make(corpus.file(tagged), every));
    ASSERT_TRUE(testing::AudioFiles::make(corpus.file(titled), {{"TITLE", kTitleValue}}));
    if (format.retag != nullptr) {
        for (const std::string& name : {tagged, titled}) {
            std::string bytes = corpus.read(name);
            format.retag(bytes);
            corpus.write(name, bytes);
        }
    }
    TagLibTagReader reader;
    for (const AudioCode& code : kAudioCodes) {
        for (const settings::Id3RenameMode mode :
             {settings::Id3RenameMode::AllOrRules, settings::Id3RenameMode::AllOrKeep,
              settings::Id3RenameMode::WhateverIsThere}) {
            SCOPED_TRACE(std::string("%") + code.code + " mode " +
                         std::to_string(static_cast<int>(mode)));
            std::vector<PlannedChange> changes{{0, tagged, "RULE" + extension},
                                               {1, titled, "RULE" + extension}};
            applyTagNaming({mode, std::string("%") + code.code + " - %4"}, reader, corpus.path(),
                           changes);
            EXPECT_EQ(changes[0].newName,
                      settings::replaceInvalidCharacters(valueOf(format, code)) + " - " +
                          kTitleValue + extension);
            std::string untagged = "RULE" + extension;
            if (std::string_view(code.code) == "4") {
                untagged = std::string(kTitleValue) + " - " + kTitleValue + extension;
            } else if (mode == settings::Id3RenameMode::AllOrKeep) {
                untagged = titled;
            } else if (mode == settings::Id3RenameMode::WhateverIsThere) {
                untagged = kTitleValue + extension;
            }
            EXPECT_EQ(changes[1].newName, untagged);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, AudioFormatTest, ::testing::ValuesIn(kAudioFormats),
                         [](const auto& row) { return std::string(row.param.label); });

// The photo and video formats "%t" reads, each made once for its row: a file with a date, one
// without. A picture keeps its camera's clock; a video's UTC time reads in local time.
struct DatedFormat {
    const char* label;
    const char* extension;
    const char* date;
};

void PrintTo(const DatedFormat& f, std::ostream* os) {
    *os << f.label;
}

constexpr const char* kExifDate = "2021:03:04 05:06:07";
constexpr const char* kMovieDate = "2021-03-04T05:06:07Z";
constexpr DatedFormat kDatedFormats[] = {{"Jpeg", ".jpg", kExifDate}, {"Tiff", ".tiff", kExifDate},
                                         {"Png", ".png", kExifDate},  {"Heic", ".heic", kExifDate},
                                         {"Mp4", ".mp4", kMovieDate}, {"Mov", ".mov", kMovieDate}};

class DatedFormatTest : public ::testing::TestWithParam<DatedFormat> {};

TEST_P(DatedFormatTest, NamesByTheTakenDateAsTheModeSays) {
    const DatedFormat& format = GetParam();
    const std::string extension = format.extension;
    const std::string dated = "dated" + extension;
    const std::string bare = "bare" + extension;
    testing::TempDir corpus;
    ASSERT_TRUE(testing::DatedFiles::make(corpus.file(dated), format.date));
    ASSERT_TRUE(testing::DatedFiles::make(corpus.file(bare), std::nullopt));
    const std::tm shot = testing::DatedFiles::clock(2021, 3, 4, 5, 6, 7);
    const auto spelt = [&format, &shot](const char* dateFormat) {
        return format.date == kExifDate ? fileDateText(shot, dateFormat)
                                        : fileDateText(std::time_t{1614834367}, dateFormat);
    };
    TagLibTagReader reader;
    for (const settings::Id3RenameMode mode :
         {settings::Id3RenameMode::AllOrRules, settings::Id3RenameMode::AllOrKeep,
          settings::Id3RenameMode::WhateverIsThere}) {
        SCOPED_TRACE("mode " + std::to_string(static_cast<int>(mode)));
        std::vector<PlannedChange> changes{{0, dated, "RULE" + extension},
                                           {1, bare, "RULE" + extension}};
        applyTagNaming({mode, "Shot %t"}, reader, corpus.path(), changes);
        EXPECT_EQ(changes[0].newName, "Shot " + spelt("").value_or("?") + extension);
        EXPECT_EQ(changes[1].newName,
                  mode == settings::Id3RenameMode::AllOrKeep ? bare : "RULE" + extension);
    }
    std::vector<PlannedChange> changes{{0, dated, "RULE" + extension}};
    applyTagNaming({settings::Id3RenameMode::AllOrRules, "%t"}, reader, corpus.path(), changes,
                   "%d/%m/%Y %H");
    EXPECT_EQ(changes[0].newName, spelt("%d/%m/%Y %H").value_or("?") + extension);
}

INSTANTIATE_TEST_SUITE_P(Formats, DatedFormatTest, ::testing::ValuesIn(kDatedFormats),
                         [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace nameshift::engine
namespace nameshift::engine {
namespace {

// What "%c", "%x" and "%d" read of each format, from a file made for its row: pictures by exiv2,
// songs by TagLib's audio properties, films by libavformat. `name` is what "%c_%x_%d" names it.
struct FactFormat {
    const char* label;
    const char* extension;
    const char* input;
    std::vector<std::string> extra;
    const char* make;
    const char* model;
    const char* name;
};

void PrintTo(const FactFormat& f, std::ostream* os) {
    *os << f.label;
}

const FactFormat kFactFormats[] = {
    {"Jpeg",
     ".jpg",
     "color=s=64x48",
     {"-frames:v", "1"},
     "Canon",
     "Canon EOS 80D",
     "Canon EOS 80D_64x48"},
    {"Png",
     ".png",
     "color=s=40x30",
     {"-frames:v", "1"},
     "NIKON CORPORATION",
     "NIKON D750",
     "NIKON D750_40x30"},
    // x265, which heif-enc encodes with, pads the coded picture to a multiple of 64 pixels; this
    // one needs no cropping, which exiv2 would not see.
    {"Heic",
     ".heic",
     "color=s=128x64",
     {"-frames:v", "1"},
     "Apple",
     "iPhone 12",
     "Apple iPhone 12_128x64"},
    {"Mp3", ".mp3", "anullsrc=r=8000:cl=mono", {"-t", "62", "-c:a", "libmp3lame"}, "", "", "1.02"},
    {"Flac", ".flac", "anullsrc=r=8000:cl=mono", {"-t", "3.4"}, "", "", "0.03"},
    {"M4a", ".m4a", "anullsrc=r=8000:cl=mono", {"-t", "3"}, "", "", "0.03"},
    {"Ogg", ".ogg", "anullsrc=r=8000:cl=mono", {"-t", "3", "-c:a", "libvorbis"}, "", "", "0.03"},
    {"Mp4",
     ".mp4",
     "color=s=32x24:d=3",
     {"-c:v", "mpeg4", "-movflags", "use_metadata_tags", "-metadata", "make=Apple", "-metadata",
      "model=iPhone 12"},
     "",
     "",
     "Apple iPhone 12_32x24_0.03"},
    {"Mkv",
     ".mkv",
     "color=s=48x16:d=3",
     {"-c:v", "mpeg4", "-metadata", "make=Apple", "-metadata", "model=iPhone 12"},
     "",
     "",
     "Apple iPhone 12_48x16_0.03"},
    {"Webm", ".webm", "color=s=16x16:d=3", {"-c:v", "libvpx"}, "", "", "16x16_0.03"},
};

class FactFormatTest : public ::testing::TestWithParam<FactFormat> {};

TEST_P(FactFormatTest, NamesByCameraSizeAndLength) {
    const FactFormat& format = GetParam();
    const std::string file = std::string("made") + format.extension;
    if (file.ends_with(".heic") && !testing::MediaFiles::readsHeif()) {
        GTEST_SKIP() << "heif-enc or exiv2's HEIF reader is missing";
    }
    testing::TempDir corpus;
    ASSERT_TRUE(testing::MediaFiles::make(corpus.file(file), format.input, format.extra,
                                          format.make, format.model));
    TagLibTagReader reader;
    std::vector<PlannedChange> changes{{0, file, "RULE"}};
    applyTagNaming({settings::Id3RenameMode::WhateverIsThere, "%c_%x_%d"}, reader, corpus.path(),
                   changes);
    EXPECT_EQ(changes[0].newName, format.name);
    // A file without one of the values keeps its name in the mode that asks for all.
    const bool complete = std::count(format.name, format.name + std::strlen(format.name), '_') == 2;
    changes = {{0, file, "RULE"}};
    applyTagNaming({settings::Id3RenameMode::AllOrKeep, "%c_%x_%d"}, reader, corpus.path(),
                   changes);
    EXPECT_EQ(changes[0].newName, complete ? format.name : file);
}

INSTANTIATE_TEST_SUITE_P(Formats, FactFormatTest, ::testing::ValuesIn(kFactFormats),
                         [](const auto& row) { return std::string(row.param.label); });

TEST(MediaFactsTest, SpellsLengthsAndCameras) {
    EXPECT_EQ(MediaFacts::durationText(3'599'400), "59.59");
    EXPECT_EQ(MediaFacts::durationText(3'599'600), "1.00.00");
    EXPECT_EQ(MediaFacts::durationText(0), std::nullopt);
    EXPECT_EQ(MediaFacts::cameraName(" Apple ", "iPhone 12\0"), "Apple iPhone 12");
    EXPECT_EQ(MediaFacts::cameraName("Canon", "canon EOS 80D"), "canon EOS 80D");
    EXPECT_EQ(MediaFacts::cameraName("Canon", ""), std::nullopt);
    EXPECT_EQ(MediaFacts::cameraName("", "EOS\n80D"), "EOS 80D");
    EXPECT_EQ(MediaFacts::cameraName("", std::string(2000, 'x'))->size(),
              MediaFacts::kLongestCamera);
}

}  // namespace
}  // namespace nameshift::engine
