#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "SettingsTestData.h"
#include "TempDir.h"
#include "settings/DefaultSettingsFiles.h"
#include "settings/SettingsPaths.h"
#include "settings/StartupDirectory.h"
#include "settings/UserSettingsDirectory.h"

namespace nameshift::settings {
namespace {

class SettingsPathsTest
    : public ::testing::TestWithParam<std::pair<std::string_view, std::string_view>> {};

TEST_P(SettingsPathsTest, JoinsTheFileNamesToTheWorkingDirectory) {
    const SettingsPaths paths = SettingsPaths::fromWorkingDirectory(std::string(GetParam().first));
    const std::string directory(GetParam().second);
    EXPECT_EQ(paths.programDirectory, directory);
    EXPECT_EQ(paths.renameSettings, directory + "renset.ini");
    EXPECT_EQ(paths.programOptions, directory + "opt.ini");
    EXPECT_EQ(paths.id3Options, directory + "ID3Opts.ini");
}

INSTANTIATE_TEST_SUITE_P(Directories, SettingsPathsTest,
                         ::testing::Values(std::pair{"/home/ann/bin", "/home/ann/bin/"},
                                           std::pair{"/", "/"}, std::pair{"/a b", "/a b/"}));

TEST(SettingsPathsAtStartupTest, TakesTheStartDirectoryOrItsFailure) {
    const auto paths = SettingsPaths::atStartup(std::string("/start"));
    ASSERT_TRUE(paths.ok());
    EXPECT_EQ(paths->renameSettings, "/start/renset.ini");

    EXPECT_EQ(SettingsPaths::atStartup(platform::Status::fromErrno(ENOENT)).status().error(),
              ENOENT);
}

struct UserFolderCase {
    const char* name;
    const char* xdgConfigHome;
    const char* home;
    std::string expected;
};

class UserSettingsDirectoryTest : public ::testing::TestWithParam<UserFolderCase> {};

TEST_P(UserSettingsDirectoryTest, FollowsTheXdgRules) {
    EXPECT_EQ(userSettingsDirectory(GetParam().xdgConfigHome, GetParam().home),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Variables, UserSettingsDirectoryTest,
    ::testing::Values(UserFolderCase{"ConfigHome", "/c", "/h", "/c/nameshift"},
                      UserFolderCase{"Unset", nullptr, "/h", "/h/.config/nameshift"},
                      UserFolderCase{"Empty", "", "/h", "/h/.config/nameshift"},
                      UserFolderCase{"Relative", "c", "/h", "/h/.config/nameshift"},
                      UserFolderCase{"NoHome", nullptr, nullptr, ""},
                      UserFolderCase{"RelativeHome", "", "h", ""}),
    [](const auto& param) { return std::string(param.param.name); });

// A folder the user names is taken as it is; the user's own folder is made, and its first start
// finds every file, its own kept.
TEST(PrepareSettingsDirectoryTest, WritesTheFirstStartFilesOnlyIntoTheUsersFolder) {
    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    const std::string user = dir.file("config/nameshift");
    EXPECT_EQ(prepareSettingsDirectory(fs, ".", user), ".");
    EXPECT_FALSE(dir.exists("config"));
    EXPECT_EQ(prepareSettingsDirectory(fs, "", ""), "");
    EXPECT_EQ(prepareSettingsDirectory(fs, "", user), user);
    EXPECT_EQ(dir.read("config/nameshift/opt.ini"), testing::goldenText("opt-first-start.ini"));
    dir.write("config/nameshift/renset.ini", "mine");
    prepareSettingsDirectory(fs, "", user);
    EXPECT_EQ(dir.read("config/nameshift/renset.ini"), "mine");
}

TEST(SettingsPathsAtStartupTest, TakesAGivenDirectoryFromTheStartDirectory) {
    EXPECT_EQ(SettingsPaths::atStartup(std::string("/start"), "cfg")->programOptions,
              "/start/cfg/opt.ini");
    EXPECT_EQ(SettingsPaths::atStartup(platform::Status::fromErrno(ENOENT), "/cfg")->programOptions,
              "/cfg/opt.ini");
}

class StartupDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.makeDirectory("start");
        dir.makeDirectory("here");
        ASSERT_EQ(::chdir(dir.file("here").c_str()), 0);
        here = std::filesystem::current_path().string();
    }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
    std::string here;
};

TEST_F(StartupDirectoryTest, AValidDirectoryIsUsedAndTheCurrentOneStays) {
    ProgramOptions options;
    options.useStartupDir = true;
    options.startupDirPath = dir.file("start");
    EXPECT_EQ(chooseStartupDirectory(fs, messages, options), dir.file("start"));
    EXPECT_EQ(std::filesystem::current_path().string(), here);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupDirectoryTest, AnInvalidDirectoryIsReportedAndTheDefaultUsed) {
    ProgramOptions options;
    options.useStartupDir = true;
    fs.fail(testing::FaultyFileSystem::Op::Enter, EACCES, "/start");
    for (const std::string& path : {dir.file("gone"), std::string(), dir.file("start")}) {
        options.startupDirPath = path;
        EXPECT_EQ(chooseStartupDirectory(fs, messages, options), "") << path;
        EXPECT_EQ(std::filesystem::current_path().string(), here);
    }
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text,
              "The supplied startup directory path is invalid!\nUsing default path");
    EXPECT_EQ(messages.shown[0].caption, "Nameshift Pro");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Exclamation);
}

TEST_F(StartupDirectoryTest, AnUnusedDirectoryIsNotChecked) {
    ProgramOptions options;
    options.startupDirPath = dir.file("gone");
    EXPECT_EQ(chooseStartupDirectory(fs, messages, options), "");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupDirectoryTest, AFolderOfTheCommandLineComesBeforeTheOptionsUnlessItFails) {
    ProgramOptions options;
    options.useStartupDir = true;
    options.startupDirPath = dir.file("start");
    dir.makeDirectory("given");
    EXPECT_EQ(chooseStartupDirectory(fs, messages, options, dir.file("given")), dir.file("given"));
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(chooseStartupDirectory(fs, messages, options, dir.file("gone")), dir.file("start"));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"The supplied startup directory path "
                                                         "is invalid!\nUsing default path"});
    EXPECT_EQ(std::filesystem::current_path().string(), here);
}

}  // namespace
}  // namespace nameshift::settings
