#include "engine/records/RestoreFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"

namespace nameshift::engine {
namespace {

using namespace std::string_literals;

// The bytes of golden/restore.dat, which holds goldenRecord().
std::string goldenText() {
    std::ifstream in(NAMESHIFT_ENGINE_GOLDEN_DIR "/restore.dat", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kGolden = goldenText();

RestoreRecord goldenRecord() {
    return {"/home/user/Music",
            {"track 01.mp3",
             "b\xc3\xa9"
             "b\xc3\xa9.txt"},
            {"01 Intro.mp3", "BEBE.TXT"}};
}

TEST(RestoreFileTest, WritesTheExactBytes) {
    EXPECT_EQ(formatRestoreFile(goldenRecord()), kGolden);
}

TEST(RestoreFileTest, BatchWithoutPairsEndsRightAfterTheFilesMarker) {
    const std::string text = formatRestoreFile({"/d", {}, {}});
    EXPECT_TRUE(text.ends_with("-= File path =-\r\n\"/d\"\r\n\r\n-= Files =-\r\n\"\""));
    EXPECT_EQ(parseRestoreFile(text), (RestoreRecord{"/d", {}, {}}));
}

TEST(RestoreFileTest, ReadsBackWhatItWrites) {
    EXPECT_EQ(parseRestoreFile(kGolden), goldenRecord());
    const RestoreRecord odd{"/tmp/-= Files =-/\r\nnext",
                            {"a b", "\xff\xfe", "line\r\nbreak", "-= Files =-"},
                            {"x", "\xc3\xa9", "...", ".hidden"}};
    EXPECT_EQ(parseRestoreFile(formatRestoreFile(odd)), odd);
}

// Large batches are written a few thousand pairs at a time, each piece as it is made: on either
// side of a piece's end the file on disk must read back whole, its terminator once.
TEST(RestoreFileTest, WrittenInPiecesReadsBackWhole) {
    testing::TempDir dir;
    platform::PosixFileSystem fs;
    testing::ScriptedMessageBox messages;
    const auto directory = fs.openDirectory(dir.path());
    ASSERT_TRUE(directory.ok());
    for (const std::size_t count : {4095u, 4096u, 4097u}) {
        RestoreRecord record{dir.path(), {}, {}};
        for (std::size_t i = 0; i < count; ++i) {
            record.namesBefore.push_back("before " + std::to_string(i));
            record.namesAfter.push_back("after " + std::to_string(i));
        }
        const auto contents = restoreFileContents(record.directory, count, [&](std::size_t i) {
            return std::pair<std::string_view, std::string_view>(record.namesBefore[i],
                                                                 record.namesAfter[i]);
        });
        ASSERT_TRUE(
            writeRestoreFile(fs, messages, *directory, contents, platform::WriteMode::Replace));
        EXPECT_EQ(dir.read(kRestoreFileName), formatRestoreFile(record)) << count;
        EXPECT_EQ(parseRestoreFile(dir.read(kRestoreFileName)), record) << count;
    }
}

TEST(RestoreFileTest, BannerLinesMayBeEditedFreely) {
    std::string text = kGolden;
    text.replace(0, 52, "my own notes\r\nmore notes\r\n");
    EXPECT_EQ(parseRestoreFile(text), goldenRecord());
    EXPECT_EQ(parseRestoreFile(text + "\r\n"), goldenRecord()) << "a final line end";
}

TEST(RestoreFileTest, NoProperPrefixOfAFileIsValid) {
    const std::string text = kGolden;
    for (std::size_t length = 0; length < text.size(); ++length) {
        // A buffer of exactly `length` bytes, so a read past its end shows under the sanitizers.
        const auto prefix = std::make_unique<char[]>(length);
        std::copy_n(text.data(), length, prefix.get());
        EXPECT_EQ(parseRestoreFile(std::string_view(prefix.get(), length)), std::nullopt)
            << "length " << length;
    }
    EXPECT_NE(parseRestoreFile(text), std::nullopt);
}

TEST(RestoreFileTest, NoSingleByteChangeCrashesTheReader) {
    const std::string text = kGolden;
    for (std::size_t i = 0; i < text.size(); ++i) {
        for (const char replacement : {'"', '\r', '\n', '\0', '/', 'x'}) {
            std::string changed = text;
            changed[i] = replacement;
            const std::optional<RestoreRecord> record = parseRestoreFile(changed);
            if (record) {
                EXPECT_EQ(record->namesBefore.size(), record->namesAfter.size());
            }
        }
    }
}

struct CorruptCase {
    const char* label;
    std::string from;
    std::string to;
};

class CorruptRestoreFileTest : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(CorruptRestoreFileTest, IsRefused) {
    std::string text = kGolden;
    const std::size_t at = text.find(GetParam().from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, GetParam().from.size(), GetParam().to);
    EXPECT_EQ(parseRestoreFile(text), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, CorruptRestoreFileTest,
    ::testing::Values(CorruptCase{"NoPathMarker", "-= File path =-", "-= Path =-"},
                      CorruptCase{"NoFilesMarker", "-= Files =-", "-= Names =-"},
                      CorruptCase{"EmptyPath", "\"/home/user/Music\"", "\"\""},
                      CorruptCase{"RelativePath", "\"/home/user/Music\"", "\"Music\""},
                      CorruptCase{"NulInPath", "/home/user", "/home\0/user"s},
                      CorruptCase{"UnclosedPath", "\"/home/user/Music\"\r\n\r\n-= Files =-\r\n",
                                  "\"/home/user/Music\r\n\r\n-= Files =-\r\n"},
                      CorruptCase{"MissingTerminator", "\r\n\"\"", "\r\n"},
                      CorruptCase{"HalfTerminator", "\r\n\"\"", "\r\n\""},
                      CorruptCase{"TextAfterTerminator", "\"BEBE.TXT\"\r\n\"\"",
                                  "\"BEBE.TXT\"\r\n\"\"x"},
                      CorruptCase{"EmptyName", "\"track 01.mp3\"", "\"\""},
                      CorruptCase{"NameWithSlash", "\"01 Intro.mp3\"", "\"../01 Intro.mp3\""},
                      CorruptCase{"NameWithNul", "\"BEBE.TXT\"", "\"BE\0BE.TXT\""s},
                      CorruptCase{"NameDotDot", "\"BEBE.TXT\"", "\"..\""},
                      CorruptCase{"NameDot", "\"track 01.mp3\"", "\".\""},
                      CorruptCase{"PairWithoutSecondName", "\"BEBE.TXT\"\r\n", ""},
                      // One file's name twice on a side: no batch writes that, and a restore
                      // could not order its renames by it.
                      CorruptCase{"NameTwiceBefore",
                                  "\"b\xc3\xa9"
                                  "b\xc3\xa9.txt\"",
                                  "\"track 01.mp3\""},
                      CorruptCase{"NameTwiceAfter", "\"BEBE.TXT\"", "\"01 Intro.mp3\""},
                      CorruptCase{"SpaceBetweenNames", "\"\r\n\"01", "\" \r\n\"01"},
                      CorruptCase{"LineFeedAfterMarker", "-= Files =-\r\n", "-= Files =-\n"}),
    [](const auto& param) { return std::string(param.param.label); });

TEST(RestoreFileTest, LineFeedOnlyLineEndsAreRefused) {
    std::string text = kGolden;
    std::erase(text, '\r');
    EXPECT_EQ(parseRestoreFile(text), std::nullopt);
}

class RestoreFileWriteTest : public ::testing::Test {
protected:
    RestoreRecord record() const { return {dir.path(), {"a"}, {"b"}}; }
    bool write(platform::WriteMode mode) {
        const auto directory = fs.openDirectory(dir.path());
        return directory.ok() &&
               writeRestoreFile(fs, messages, *directory, formatRestoreFile(record()), mode);
    }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
};

TEST_F(RestoreFileWriteTest, WritesRestoreDatIntoTheOpenDirectory) {
    EXPECT_TRUE(write(platform::WriteMode::CreateNew));
    EXPECT_EQ(dir.read(kRestoreFileName), formatRestoreFile(record()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RestoreFileWriteTest, ReplacesAnExistingFileOnlyWhenToldTo) {
    dir.write(kRestoreFileName, "older batch");
    EXPECT_FALSE(write(platform::WriteMode::CreateNew));
    EXPECT_EQ(dir.read(kRestoreFileName), "older batch");
    EXPECT_TRUE(write(platform::WriteMode::Replace));
    EXPECT_EQ(dir.read(kRestoreFileName), formatRestoreFile(record()));
}

struct WriteFailureCase {
    const char* label;
    int error;
    const char* text;
    const char* caption;
};

class RestoreFileWriteFailureTest : public RestoreFileWriteTest,
                                    public ::testing::WithParamInterface<WriteFailureCase> {};

TEST_P(RestoreFileWriteFailureTest, IsReportedAndLeavesNoFile) {
    fs.fail(testing::FaultyFileSystem::Op::Write, GetParam().error, kRestoreFileName);
    EXPECT_FALSE(write(platform::WriteMode::CreateNew));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, GetParam().text);
    EXPECT_EQ(messages.shown[0].caption, GetParam().caption);
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_TRUE(dir.names().empty());
}

TEST_P(RestoreFileWriteFailureTest, OfAReplacementIsReportedAndKeepsTheOldFile) {
    dir.write(kRestoreFileName, "older batch");
    fs.fail(testing::FaultyFileSystem::Op::Write, GetParam().error, kRestoreFileName);
    EXPECT_FALSE(write(platform::WriteMode::Replace));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, GetParam().text);
    EXPECT_EQ(dir.read(kRestoreFileName), "older batch");
}

TEST_P(RestoreFileWriteFailureTest, OfARewriteIsReportedAndKeepsTheOldFile) {
    dir.write("batch.dat", "older batch");
    fs.fail(testing::FaultyFileSystem::Op::Write, GetParam().error, "batch.dat");
    EXPECT_FALSE(replaceRestoreFile(fs, messages, dir.file("batch.dat"), record()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, GetParam().caption);
    EXPECT_EQ(dir.read("batch.dat"), "older batch");
}

INSTANTIATE_TEST_SUITE_P(
    Errors, RestoreFileWriteFailureTest,
    ::testing::Values(WriteFailureCase{"DiskFull", ENOSPC,
                                       "Cannot save settings! - Reason: Disk is full.",
                                       "Error - disk full"},
                      WriteFailureCase{"AccessDenied", EACCES,
                                       "Cannot save settings! - Unknown Error.", "Error"}),
    [](const auto& param) { return std::string(param.param.label); });

}  // namespace
}  // namespace nameshift::engine
