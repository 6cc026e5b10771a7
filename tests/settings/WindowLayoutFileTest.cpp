#include "settings/WindowLayoutFile.h"

#include <gtest/gtest.h>

#include <string>

#include "FaultyFileSystem.h"
#include "TempDir.h"

namespace nameshift::settings {
namespace {

// The width as window.ini spells it, and the width read back; 0: none.
class WindowLayoutReadTest : public ::testing::TestWithParam<std::pair<std::string, int>> {};

TEST_P(WindowLayoutReadTest, TakesAWholeWidthAndNothingElse) {
    std::string text = formatWindowLayout({.filePaneWidth = 123});
    text.replace(text.find("\"123\""), 5, "\"" + GetParam().first + "\"");
    EXPECT_EQ(parseWindowLayout(text).filePaneWidth, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Widths, WindowLayoutReadTest,
                         ::testing::Values(std::pair{"440", 440}, std::pair{"100000", 100'000},
                                           std::pair{"0", 0}, std::pair{"-5", 0},
                                           std::pair{"44x", 0}, std::pair{" 44", 0},
                                           std::pair{"100001", 0}, std::pair{"", 0},
                                           std::pair{"99999999999", 0}));

TEST(WindowLayoutFileTest, WritesWhatItReadsAndAMissingFileGivesNone) {
    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    EXPECT_EQ(readWindowLayout(fs, dir.file("window.ini")), WindowLayout{});
    ASSERT_TRUE(writeWindowLayout(fs, dir.file("window.ini"), {.filePaneWidth = 512}).ok());
    EXPECT_EQ(readWindowLayout(fs, dir.file("window.ini")).filePaneWidth, 512);
}

}  // namespace
}  // namespace nameshift::settings
