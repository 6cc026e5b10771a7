#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "SettingsTestData.h"
#include "TempDir.h"
#include "settings/MoreRulesFile.h"
#include "settings/StartupSettings.h"

namespace nameshift::settings {
namespace {

class StartupSettingsTest : public ::testing::Test {
protected:
    SettingsPaths paths() const { return SettingsPaths::fromWorkingDirectory(dir.path()); }

    // Each file's messages go to a box of their own; `order` records which box was asked.
    LoadMessagesFor recording() {
        return [this](const std::string& path) -> platform::MessageBox& {
            order.push_back(path.substr(path.rfind('/') + 1));
            return messages;
        };
    }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
    std::vector<std::string> order;
};

TEST_F(StartupSettingsTest, ReadsTheFilesInTheProgramsOrderAroundTheStartupStep) {
    dir.write("opt.ini", testing::goldenText("opt-full.ini"));
    dir.write("ID3Opts.ini", testing::goldenText("id3-full.ini"));
    dir.write("renset.ini", testing::goldenText("renset-full.ini"));
    dir.write("morerules.ini", testing::goldenText("morerules-full.ini"));
    const StartupSettings loaded = loadStartupSettings(
        fs, paths(), recording(),
        {.afterOptions = [this](const ProgramOptions&) { order.emplace_back("start-up"); }});
    EXPECT_EQ(loaded.options, testing::fullProgramOptions());
    EXPECT_EQ(loaded.id3, (Id3Naming{Id3RenameMode::WhateverIsThere, "%6 %2 - %4"}));
    RenameSettings rules = testing::fullRenameSettings();
    testing::setEveryMoreRule(rules);
    EXPECT_EQ(loaded.rules, rules);
    EXPECT_EQ(order, (std::vector<std::string>{"opt.ini", "ID3Opts.ini", "start-up", "renset.ini",
                                               "morerules.ini"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupSettingsTest, MissingFilesAreReportedInOrderAndGiveTheirDefaults) {
    const StartupSettings loaded = loadStartupSettings(fs, paths(), recording());
    EXPECT_EQ(loaded.options, ProgramOptions{});
    EXPECT_EQ(loaded.id3, Id3Naming{});
    EXPECT_EQ(loaded.rules, RenameSettings::whenFileMissing());
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_NE(messages.shown[0].text.find("\"opt.ini\""), std::string::npos);
    EXPECT_NE(messages.shown[1].text.find("\"ID3Opts.ini\""), std::string::npos);
    EXPECT_NE(messages.shown[2].text.find("\"renset.ini\""), std::string::npos);
}

TEST_F(StartupSettingsTest, AMoreRulesFileThatCannotBeReadIsReportedByName) {
    dir.write("renset.ini", testing::goldenText("renset-full.ini"));
    dir.write("morerules.ini", testing::goldenText("morerules-full.ini"));
    fs.fail(testing::FaultyFileSystem::Op::Read, EACCES, "morerules.ini");
    const StartupSettings loaded = loadStartupSettings(fs, paths(), recording());
    EXPECT_EQ(loaded.rules, testing::fullRenameSettings());
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_NE(messages.shown[2].text.find("\"morerules.ini\""), std::string::npos);
}

TEST_F(StartupSettingsTest, MoreRulesAreSavedOnlyOnceUsedAndThenAlways) {
    const std::string path = paths().moreRules;
    RenameSettings rules = RenameSettings::whenFileMissing();
    EXPECT_TRUE(saveMoreRules(fs, messages, path, rules));
    EXPECT_FALSE(dir.exists("morerules.ini"));
    rules.naturalOrder = true;
    EXPECT_TRUE(saveMoreRules(fs, messages, path, rules));
    EXPECT_EQ(parseMoreRules(dir.read("morerules.ini"), {}).naturalOrder, true);
    rules.naturalOrder = false;
    EXPECT_TRUE(saveMoreRules(fs, messages, path, rules));
    EXPECT_EQ(dir.read("morerules.ini"), formatMoreRules(RenameSettings{}));
    EXPECT_TRUE(messages.shown.empty()) << "no question: renset.ini's save asked it";
}

TEST_F(StartupSettingsTest, RulesLeftUnreadAreThoseOfAStartWithoutTheFile) {
    dir.write("renset.ini", testing::goldenText("renset-full.ini"));
    const StartupSettings loaded =
        loadStartupSettings(fs, paths(), recording(), {.afterOptions = {}, .readRules = false});
    EXPECT_EQ(loaded.rules, RenameSettings::whenFileMissing());
    EXPECT_EQ(order, (std::vector<std::string>{"opt.ini", "ID3Opts.ini"}));
}

TEST_F(StartupSettingsTest, RulesLeftUnreadStillTakeTheHistorysOptionsWithoutAWord) {
    RenameSettings saved;
    saved.historyOnly = true;
    saved.historyBatches = "7";
    saved.naturalOrder = true;
    dir.write("morerules.ini", formatMoreRules(saved));
    RenameSettings expected = RenameSettings::whenFileMissing();
    expected.historyOnly = true;
    expected.historyBatches = "7";
    const StartupSettings loaded = loadStartupSettings(
        fs, paths(), recording(),
        {.afterOptions = {}, .readRules = false, .readProgramOptionsOfRules = true});
    EXPECT_EQ(loaded.rules, expected) << "the rule of the file stays unread";
    EXPECT_EQ(order, (std::vector<std::string>{"opt.ini", "ID3Opts.ini"}));
}

}  // namespace
}  // namespace nameshift::settings
