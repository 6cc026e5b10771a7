#include "settings/ProgramOptionsFile.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "SettingsTestData.h"
#include "TempDir.h"

namespace nameshift::settings {
namespace {

using platform::Answer;
using platform::Icon;
using testing::fullProgramOptions;
using testing::goldenText;

TEST(ProgramOptionsFileTest, WritesAndReadsTheGoldenFiles) {
    EXPECT_EQ(formatProgramOptions(ProgramOptions{}), goldenText("opt-defaults.ini"));
    EXPECT_EQ(formatProgramOptions(fullProgramOptions()), goldenText("opt-full.ini"));
    ProgramOptions withoutPath = fullProgramOptions();
    withoutPath.startupDirPath.clear();
    EXPECT_EQ(parseProgramOptions(goldenText("opt-defaults.ini"), withoutPath), ProgramOptions{});
    EXPECT_EQ(parseProgramOptions(goldenText("opt-full.ini"), ProgramOptions{}),
              fullProgramOptions());
}

TEST(ProgramOptionsFileTest, RestoreFileUsageOutsideTheChoicesWritesNothingAndReadsAsZero) {
    ProgramOptions odd = fullProgramOptions();
    odd.restoreFileUsage = static_cast<RestoreFileUsage>(7);
    const std::string text = formatProgramOptions(odd);
    EXPECT_TRUE(text.ends_with("-= Restore File Usage =-\r\n"));
    EXPECT_EQ(parseProgramOptions(text, fullProgramOptions()).restoreFileUsage,
              RestoreFileUsage::Create);
}

class RestoreUsageReadTest : public ::testing::TestWithParam<std::pair<std::string_view, int>> {};

TEST_P(RestoreUsageReadTest, AnythingButZeroOneTwoReadsAsZero) {
    std::string text = goldenText("opt-full.ini");
    text.back() = GetParam().first[0];
    EXPECT_EQ(indexOf(parseProgramOptions(text, fullProgramOptions()).restoreFileUsage),
              GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Digits, RestoreUsageReadTest,
                         ::testing::Values(std::pair{"0", 0}, std::pair{"1", 1}, std::pair{"2", 2},
                                           std::pair{"3", 0}, std::pair{"7", 0},
                                           std::pair{"x", 0}));

TEST(ProgramOptionsFileTest, EmptyStartupPathKeepsTheCurrentOne) {
    ProgramOptions current;
    current.startupDirPath = "/current";
    EXPECT_EQ(parseProgramOptions(goldenText("opt-defaults.ini"), current).startupDirPath,
              "/current");
}

class ProgramOptionsStorageTest : public ::testing::Test {
protected:
    std::string path() const { return dir.file("opt.ini"); }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
};

TEST_F(ProgramOptionsStorageTest, MissingFileIsReportedAndGivesTheDefaults) {
    bool loaded = true;
    EXPECT_EQ(loadProgramOptions(fs, messages, path(), fullProgramOptions(), &loaded),
              ProgramOptions{});
    EXPECT_FALSE(loaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "An error occurred. Possible error: \"opt.ini\" file doesn't exist?\n"
              "Using default options instead.");
    EXPECT_EQ(messages.shown[0].caption, "Nameshift Pro");
    EXPECT_EQ(messages.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(readProgramOptions(fs, path(), ProgramOptions{}), std::nullopt);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ProgramOptionsStorageTest, AnsweringNoKeepsTheFileThatTheMainDialogReloads) {
    ASSERT_TRUE(saveProgramOptions(fs, messages, path(), fullProgramOptions()));
    messages.answers = {Answer::No};
    EXPECT_FALSE(saveProgramOptions(fs, messages, path(), ProgramOptions{}));
    EXPECT_EQ(readProgramOptions(fs, path(), ProgramOptions{}), fullProgramOptions());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{
                  "File Already Exists - Do you wish to overwrite the existing settings?"});
}

TEST_F(ProgramOptionsStorageTest, FailuresSpeakOfOptions) {
    fs.fail(testing::FaultyFileSystem::Op::Write, ENOSPC, "opt.ini", 1);
    fs.fail(testing::FaultyFileSystem::Op::Write, EROFS, "opt.ini", 1);
    ProgramOptions quoted;
    quoted.startupDirPath = "/srv/\"x\"";
    EXPECT_FALSE(saveProgramOptions(fs, messages, path(), ProgramOptions{}));
    EXPECT_FALSE(saveProgramOptions(fs, messages, path(), ProgramOptions{}));
    EXPECT_FALSE(saveProgramOptions(fs, messages, path(), quoted));
    EXPECT_EQ(
        messages.texts(),
        (std::vector<std::string>{
            "Cannot save options! - Reason: Disk is full.", "Cannot save options! - Unknown Error.",
            "Cannot save options! - Reason: The startup directory path holds a double "
            "quote, which opt.ini cannot store."}));
    EXPECT_EQ(messages.shown[0].caption, "Error - disk full");
    EXPECT_EQ(messages.shown[1].caption, "Error");
    EXPECT_FALSE(dir.exists("opt.ini"));
}

}  // namespace
}  // namespace nameshift::settings
