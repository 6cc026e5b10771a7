#include "settings/RenameSettingsFile.h"

#include "settings/MoreRulesFile.h"
#include "settings/PresetFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "SettingsTestData.h"
#include "TempDir.h"

namespace nameshift::settings {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using testing::FaultyFileSystem;
using testing::fullRenameSettings;
using testing::goldenText;

struct GoldenCase {
    const char* file;
    RenameSettings record;
    const SettingsFile<RenameSettings>& (*format)() = &renameSettingsFile;
};

void PrintTo(const GoldenCase& c, std::ostream* os) {
    *os << c.file;
}

class RenameSettingsGoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(RenameSettingsGoldenTest, WritesAndReadsTheFileByteForByte) {
    const std::string golden = goldenText(GetParam().file);
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(GetParam().format().format(GetParam().record), golden);
    EXPECT_EQ(GetParam().format().parse(golden, RenameSettings{}), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RenameSettingsGoldenTest,
    ::testing::Values(GoldenCase{"renset-initial.ini", RenameSettings{}},
                      GoldenCase{"renset-defaults.ini", RenameSettings::whenFileMissing()},
                      GoldenCase{"renset-full.ini", fullRenameSettings()},
                      GoldenCase{"morerules-full.ini", testing::fullMoreRules(), &moreRulesFile}));

// Entries written only while they are set: a file with one is its golden file with the entry put
// in, and without it stays that file byte for byte.
struct SetOnlyCase {
    const char* label;
    const char* golden;
    RenameSettings record;
    const char* before;  // the entry it goes before; nothing for the file's end
    const char* added;
    const SettingsFile<RenameSettings>& (*format)() = &renameSettingsFile;
};

class SetOnlyEntryTest : public ::testing::TestWithParam<SetOnlyCase> {};

TEST_P(SetOnlyEntryTest, IsPutIntoTheFileAndReadBack) {
    std::string expected = goldenText(GetParam().golden);
    ASSERT_FALSE(expected.empty());
    if (GetParam().before != nullptr) {
        const std::size_t at = expected.find(GetParam().before);
        ASSERT_NE(at, std::string::npos);
        expected.insert(at, GetParam().added);
    } else {
        expected += GetParam().added;
    }
    EXPECT_EQ(GetParam().format().format(GetParam().record), expected);
    EXPECT_EQ(GetParam().format().parse(expected, RenameSettings{}), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SetOnlyEntryTest,
    ::testing::Values(
        SetOnlyCase{"Folders", "renset-full.ini",
                    [] {
                        RenameSettings withFolders = fullRenameSettings();
                        withFolders.attributeFolders = true;
                        return withFolders;
                    }(),
                    "-= Sort FileNames By", "-= Attribute Mask - Folders =-\r\nTRUE\r\n\r\n"},
        SetOnlyCase{"Filters", "morerules-full.ini", testing::moreRulesWithFilters(), nullptr,
                    "\r\n\r\n-= Include Filter =-\r\n\"\\.jpe?g$\"\r\n\r\n-= Exclude Filter "
                    "=-\r\n\"^cache/\"",
                    &moreRulesFile}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(RenameSettingsFileTest, TheMoreRulesNeverReachRensetIni) {
    RenameSettings both = fullRenameSettings();
    testing::setEveryMoreRule(both);
    both.counterDigitsIndex = fullRenameSettings().counterDigitsIndex;
    EXPECT_EQ(formatRenameSettings(both), goldenText("renset-full.ini"));
    EXPECT_EQ(formatMoreRules(RenameSettings{}), formatMoreRules(fullRenameSettings()));
    EXPECT_FALSE(usesMoreRules(RenameSettings::whenFileMissing()));
    RenameSettings wide = fullRenameSettings();
    wide.counterDigitsIndex = 3;
    const std::string fourDigits = formatRenameSettings(wide);
    for (const int index : {4, 5}) {
        wide.counterDigitsIndex = index;
        EXPECT_EQ(formatRenameSettings(wide), fourDigits) << "the widest renset.ini knows";
        EXPECT_EQ(parseMoreRules(formatMoreRules(wide), parseRenameSettings(fourDigits, {})), wide);
    }
}

// The options of the history follow the rules, each only while it is off its default, and so
// does the name template, which presets carry too.
TEST(RenameSettingsFileTest, HistoryOptionsAndTheTemplateAreWrittenOnlyOffTheirDefaults) {
    RenameSettings rules = testing::fullMoreRules();
    const std::string rulesOnly = formatMoreRules(rules);
    rules.historyBatches = "20";
    rules.historyMebibytes = "200";
    rules.historyOnly = true;
    const std::string both = formatMoreRules(rules);
    EXPECT_TRUE(both.starts_with(rulesOnly));
    const RenameSettings read = parseMoreRules(both, {});
    EXPECT_EQ(read.historyBatches, "20");
    EXPECT_EQ(read.historyMebibytes, "200");
    EXPECT_TRUE(read.historyOnly);
    EXPECT_TRUE(usesMoreRules(read));
    EXPECT_EQ(PresetFile::format(rules).find("Name Template"), std::string::npos);
    rules.nameTemplate = "{n:3} {name}";
    const std::string withTemplate = formatMoreRules(rules);
    EXPECT_TRUE(withTemplate.starts_with(both));
    EXPECT_EQ(parseMoreRules(withTemplate, {}).nameTemplate, rules.nameTemplate);
    EXPECT_EQ(PresetFile::parse(PresetFile::format(rules), {}).nameTemplate, rules.nameTemplate);
}

TEST(RenameSettingsFileTest, EntriesInAnyOrderReadTheSame) {
    const std::string golden = goldenText("renset-full.ini");
    const std::size_t bodyStart = golden.find("-= ");
    // Entries are separated by an empty line; the last one has no line end of its own.
    std::vector<std::string> entries;
    std::size_t start = bodyStart;
    while (start < golden.size()) {
        const std::size_t end = golden.find("\r\n\r\n", start);
        entries.push_back(golden.substr(start, end - start));
        start = end == std::string::npos ? golden.size() : end + 4;
    }
    ASSERT_EQ(entries.size(), 29u);
    std::reverse(entries.begin(), entries.end());
    std::string reversed = golden.substr(0, bodyStart);
    for (const std::string& entry : entries) {
        reversed += entry + "\r\n\r\n";
    }
    EXPECT_EQ(parseRenameSettings(reversed, RenameSettings{}), fullRenameSettings());
}

struct QuirkCase {
    const char* name;
    std::string from;                             // a piece of renset-full.ini
    std::string to;                               // what it becomes
    std::function<void(RenameSettings&)> expect;  // the change from the full record
};

void PrintTo(const QuirkCase& c, std::ostream* os) {
    *os << c.name;
}

class RenameSettingsQuirkTest : public ::testing::TestWithParam<QuirkCase> {};

// Read over a record that differs from the full one wherever a kept value shows.
RenameSettings currentRecord() {
    RenameSettings current;
    current.prefixText = "current";
    current.prefixPosition = Position::Beginning;
    current.supportId3 = false;
    current.counterDigitsIndex = 0;
    current.sortKey = SortKey::Name;
    return current;
}

TEST_P(RenameSettingsQuirkTest, ReadsHandEditedValuesByTheFileRules) {
    std::string text = goldenText("renset-full.ini");
    const std::size_t at = text.find(GetParam().from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, GetParam().from.size(), GetParam().to);
    RenameSettings expected = fullRenameSettings();
    GetParam().expect(expected);
    EXPECT_EQ(parseRenameSettings(text, currentRecord()), expected);
}

const std::string kSortKey = "-= Sort FileNames By - Date, Size, Extension, Name =-\r\n";

INSTANTIATE_TEST_SUITE_P(
    Edits, RenameSettingsQuirkTest,
    ::testing::Values(QuirkCase{"SortDate", kSortKey + "Size", kSortKey + "Date",
                                [](RenameSettings& s) { s.sortKey = SortKey::Date; }},
                      QuirkCase{"SortExtension", kSortKey + "Size", kSortKey + "Extension",
                                [](RenameSettings& s) { s.sortKey = SortKey::Extension; }},
                      QuirkCase{"SortExteIsEnough", kSortKey + "Size", kSortKey + "Exte",
                                [](RenameSettings& s) { s.sortKey = SortKey::Extension; }},
                      QuirkCase{"SortUnknownKeeps", kSortKey + "Size", kSortKey + "size",
                                [](RenameSettings& s) { s.sortKey = SortKey::Name; }},
                      QuirkCase{"LowerCaseTrueIsFalse", "-= Change Prefix =-\r\nTRUE",
                                "-= Change Prefix =-\r\ntrue",
                                [](RenameSettings& s) { s.changePrefix = false; }},
                      QuirkCase{"EmptyPairKeeps", "\"Holiday \"", "\"\"",
                                [](RenameSettings& s) { s.prefixText = "current"; }},
                      QuirkCase{"NoRadioChoiceKeeps", "-= Add Prefix To =-\r\nREP\r\n",
                                "-= Add Prefix To =-\r\n",
                                [](RenameSettings& s) { s.prefixPosition = Position::Beginning; }},
                      QuirkCase{"CounterCannotReplace", "-= Counter Position =-\r\nEND",
                                "-= Counter Position =-\r\nREP",
                                [](RenameSettings& s) { s.counterPosition = std::nullopt; }},
                      QuirkCase{"DigitFourIsLast", "To Use =-\r\n3", "To Use =-\r\n4",
                                [](RenameSettings& s) { s.counterDigitsIndex = 3; }},
                      QuirkCase{"DigitZeroSelectsNothing", "To Use =-\r\n3", "To Use =-\r\n0",
                                [](RenameSettings& s) { s.counterDigitsIndex = -1; }},
                      QuirkCase{"DigitFiveSelectsNothing", "To Use =-\r\n3", "To Use =-\r\n5",
                                [](RenameSettings& s) { s.counterDigitsIndex = -1; }},
                      QuirkCase{"MissingKeyKeeps", "-= Support ID3 Tags =-\r\nTRUE\r\n\r\n", "",
                                [](RenameSettings& s) { s.supportId3 = false; }}),
    testing::CaseName());

class RenameSettingsStorageTest : public ::testing::Test {
protected:
    std::string path() const { return dir.file("renset.ini"); }

    testing::TempDir dir;
    FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
};

TEST_F(RenameSettingsStorageTest, MissingFileIsReportedAndGivesTheDefaults) {
    bool loaded = true;
    EXPECT_EQ(loadRenameSettings(fs, messages, path(), fullRenameSettings(), &loaded),
              RenameSettings::whenFileMissing());
    EXPECT_FALSE(loaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "An error occurred. Possible error: \"renset.ini\" file doesn't exist?\n"
              "Using default settings instead.");
    EXPECT_EQ(messages.shown[0].caption, "Nameshift Pro");
    EXPECT_EQ(messages.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(messages.shown[0].buttons, Buttons::Ok);
}

TEST_F(RenameSettingsStorageTest, UnreadableFileReadsAsNothingQuietly) {
    dir.write("renset.ini", goldenText("renset-full.ini"));
    fs.fail(FaultyFileSystem::Op::Read, EACCES, "renset.ini");
    EXPECT_EQ(readRenameSettings(fs, path(), RenameSettings{}), std::nullopt);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RenameSettingsStorageTest, SavesANewFileWithoutAskingAndLoadsItBack) {
    ASSERT_TRUE(saveRenameSettings(fs, messages, path(), fullRenameSettings()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dir.read("renset.ini"), goldenText("renset-full.ini"));
    bool loaded = false;
    EXPECT_EQ(loadRenameSettings(fs, messages, path(), RenameSettings{}, &loaded),
              fullRenameSettings());
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RenameSettingsStorageTest, ReplacesAnExistingFileOnlyAfterYes) {
    dir.write("renset.ini", "old");
    messages.answers = {Answer::No, Answer::Yes};

    EXPECT_FALSE(saveRenameSettings(fs, messages, path(), fullRenameSettings()));
    EXPECT_EQ(dir.read("renset.ini"), "old");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "File Already Exists - Do you wish to overwrite the existing settings?");
    EXPECT_EQ(messages.shown[0].caption, "File Already Exists");
    EXPECT_EQ(messages.shown[0].buttons, Buttons::YesNo);

    EXPECT_TRUE(saveRenameSettings(fs, messages, path(), fullRenameSettings()));
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(dir.read("renset.ini"), goldenText("renset-full.ini"));
    EXPECT_EQ(dir.names(), std::vector<std::string>{"renset.ini"});
}

struct FailureCase {
    const char* name;
    int error;
    bool atReplace;  // the file exists and the failure comes after Yes
    const char* text;
    const char* caption;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class RenameSettingsSaveFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(RenameSettingsSaveFailureTest, ReportsTheFailureAndKeepsTheOldFile) {
    testing::TempDir dir;
    testing::ScriptedMessageBox messages;
    dir.write("renset.ini", "old");
    FaultyFileSystem faulty;
    testing::FailingReplaceFileSystem failingReplace(GetParam().error);
    platform::FileSystem* fs = &failingReplace;
    if (!GetParam().atReplace) {
        faulty.fail(FaultyFileSystem::Op::Write, GetParam().error, "renset.ini");
        fs = &faulty;
    }

    EXPECT_FALSE(saveRenameSettings(*fs, messages, dir.file("renset.ini"), fullRenameSettings()));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.size(), GetParam().atReplace ? 2u : 1u);
    EXPECT_EQ(messages.shown.back().text, GetParam().text);
    EXPECT_EQ(messages.shown.back().caption, GetParam().caption);
    EXPECT_EQ(messages.shown.back().icon, Icon::Stop);
    EXPECT_EQ(dir.read("renset.ini"), "old");
}

INSTANTIATE_TEST_SUITE_P(
    Errors, RenameSettingsSaveFailureTest,
    ::testing::Values(
        FailureCase{"DiskFullAtCreate", ENOSPC, false,
                    "Cannot save settings! - Reason: Disk is full.", "Error - disk full"},
        FailureCase{"QuotaAtCreate", EDQUOT, false, "Cannot save settings! - Reason: Disk is full.",
                    "Error - disk full"},
        FailureCase{"DeniedAtCreate", EACCES, false, "Cannot save settings! - Unknown Error.",
                    "Error"},
        FailureCase{"DiskFullAfterYes", ENOSPC, true,
                    "Cannot save settings! - Reason: Disk is full.", "Error - disk full"},
        FailureCase{"InputOutputAfterYes", EIO, true, "Cannot save settings! - Unknown Error.",
                    "Error"}),
    testing::CaseName());

TEST_F(RenameSettingsStorageTest, RefusesStringsThatWouldReadBackDifferently) {
    RenameSettings quoted = fullRenameSettings();
    quoted.replaceWith = "say \"cheese\"";
    EXPECT_FALSE(saveRenameSettings(fs, messages, path(), quoted));

    RenameSettings holdingKey = fullRenameSettings();
    holdingKey.prefixText = "-= Use Counter =-";
    EXPECT_FALSE(saveRenameSettings(fs, messages, path(), holdingKey));

    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{
                  "Cannot save settings! - Reason: The replacement string holds a double quote, "
                  "which renset.ini cannot store.",
                  "Cannot save settings! - Reason: The prefix holds the text \"-= Use Counter "
                  "=-\", which renset.ini cannot store."}));
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
    EXPECT_EQ(fs.writes, 0);
    EXPECT_FALSE(dir.exists("renset.ini"));
}

}  // namespace
}  // namespace nameshift::settings
