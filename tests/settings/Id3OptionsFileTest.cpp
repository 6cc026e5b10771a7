#include "settings/Id3OptionsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "SettingsTestData.h"
#include "TempDir.h"

namespace nameshift::settings {
namespace {

using platform::Icon;
using testing::fullId3Options;
using testing::goldenText;

using Frames = std::vector<std::string>;

TEST(Id3OptionsFileTest, WritesTheGoldenFiles) {
    EXPECT_EQ(formatId3Options(TagNamingOptions{}), goldenText("id3-defaults.ini"));
    EXPECT_EQ(formatId3Options(fullId3Options()), goldenText("id3-full.ini"));
}

TEST(Id3OptionsFileTest, TheDialogReadsBackWhatItSaved) {
    EXPECT_EQ(parseTagNamingDialogState(goldenText("id3-defaults.ini")),
              TagNamingDialogState::fromOptions(TagNamingOptions{}));
    const TagNamingDialogState full = parseTagNamingDialogState(goldenText("id3-full.ini"));
    EXPECT_EQ(full, TagNamingDialogState::fromOptions(fullId3Options()));
    EXPECT_EQ(full.availableFrames, (Frames{"Genre", "Track Name", "Year of Release"}));
}

TEST(Id3OptionsFileTest, TheDialogStartsFromNothingChosen) {
    const TagNamingDialogState state = parseTagNamingDialogState("-= Use Separators =-\r\nTRUE");
    EXPECT_EQ(state.renameMode, std::nullopt);
    EXPECT_EQ(state.useAdvanced, std::nullopt);
    EXPECT_EQ(state.separator, std::nullopt);
    EXPECT_TRUE(state.useSeparators);
    EXPECT_EQ(state.availableFrames.size(), 6u);

    std::string text = goldenText("id3-full.ini");
    text.replace(text.find("Options =-\r\n2"), 13, "Options =-\r\n7");
    text.replace(text.find("Underscores =-\r\n2"), 17, "Underscores =-\r\nx");
    EXPECT_EQ(parseTagNamingDialogState(text).renameMode, std::nullopt);
    EXPECT_EQ(parseTagNamingDialogState(text).separator, std::nullopt);
}

struct BasicCase {
    const char* name;
    Frames frames;
    bool useSeparators;
    std::optional<Id3Separator> separator;
    std::string format;
};

void PrintTo(const BasicCase& c, std::ostream* os) {
    *os << c.name;
}

class BasicFormatTest : public ::testing::TestWithParam<BasicCase> {};

TEST_P(BasicFormatTest, JoinsTheCodesOfTheSelectedFrames) {
    TagNamingOptions options;
    options.selectedFrames = GetParam().frames;
    options.useSeparators = GetParam().useSeparators;
    options.separator = GetParam().separator;
    EXPECT_EQ(basicFormat(options), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, BasicFormatTest,
    ::testing::Values(
        BasicCase{"Hyphen", {"Artist", "Album Title"}, true, Id3Separator::Hyphen, "%2-%1"},
        BasicCase{"Space", {"Artist", "Album Title"}, true, Id3Separator::Space, "%2 %1"},
        BasicCase{
            "Underscore", {"Year of Release", "Genre"}, true, Id3Separator::Underscore, "%6_%3"},
        BasicCase{"NoSeparators", {"Artist", "Album Title"}, false, Id3Separator::Hyphen, "%2%1"},
        BasicCase{"NoSeparatorChosen", {"Artist", "Genre"}, true, std::nullopt, "%2%3"},
        BasicCase{"OneFrame", {"Track Number"}, true, Id3Separator::Hyphen, "%5"},
        BasicCase{"NoFrame", {}, true, Id3Separator::Hyphen, ""},
        BasicCase{"UnknownNameLeftOut", {"Composer", "Artist"}, true, Id3Separator::Hyphen, "%2"}),
    testing::CaseName());

struct SelectionCase {
    const char* name;
    std::string storedFormat;  // as the file holds it, quotes included
    Frames selected;
};

void PrintTo(const SelectionCase& c, std::ostream* os) {
    *os << c.name;
}

class BasicSelectionTest : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(BasicSelectionTest, TakesFramesFromTheSecondByteOnEachOnce) {
    std::string text = goldenText("id3-full.ini");
    text.replace(text.find("\"%2_%5_%1\""), 10, GetParam().storedFormat);
    const TagNamingDialogState state = parseTagNamingDialogState(text);
    EXPECT_EQ(state.selectedFrames, GetParam().selected);
    Frames everything = state.selectedFrames;
    everything.insert(everything.end(), state.availableFrames.begin(), state.availableFrames.end());
    std::sort(everything.begin(), everything.end());
    EXPECT_EQ(everything, Frames(kFrameNames.begin(), kFrameNames.end()));
    EXPECT_TRUE(std::is_sorted(state.availableFrames.begin(), state.availableFrames.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, BasicSelectionTest,
    ::testing::Values(SelectionCase{"SpacedHyphens", "\"%4 - %2\"", {"Track Name", "Artist"}},
                      SelectionCase{"FirstByteNeverRead", "\"4%2\"", {"Artist"}},
                      SelectionCase{"FrameNamedTwice", "\"%2%4%2\"", {"Artist", "Track Name"}},
                      SelectionCase{"AllSix",
                                    "\"%6%5%4%3%2%1\"",
                                    {"Year of Release", "Track Number", "Track Name", "Genre",
                                     "Artist", "Album Title"}},
                      SelectionCase{"OtherDigitsSkipped", "\"%0%7%9x\"", {}},
                      SelectionCase{"EmptyPair", "\"\"", {}},
                      SelectionCase{
                          "MissingClosingQuoteReadsOn", "\"%1%2", {"Album Title", "Artist"}}),
    testing::CaseName());

struct NamingCase {
    const char* name;
    std::string modeDigit;
    std::string advancedDigit;
    std::string advancedFormat;  // quotes included
    Id3Naming expected;
};

void PrintTo(const NamingCase& c, std::ostream* os) {
    *os << c.name;
}

class Id3NamingTest : public ::testing::TestWithParam<NamingCase> {};

TEST_P(Id3NamingTest, TheMainDialogTakesTheStoredFormatWithoutBadCharacters) {
    std::string text = goldenText("id3-full.ini");
    text.replace(text.find("Options =-\r\n2"), 13, "Options =-\r\n" + GetParam().modeDigit);
    text.replace(text.find("ID3 Options =-\r\n1"), 17,
                 "ID3 Options =-\r\n" + GetParam().advancedDigit);
    text.replace(text.find("\"%6 %2 - %4\""), 12, GetParam().advancedFormat);
    EXPECT_EQ(parseId3Naming(text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Id3NamingTest,
    ::testing::Values(
        NamingCase{
            "Advanced", "2", "1", "\"%6 %2 - %4\"", {Id3RenameMode::WhateverIsThere, "%6 %2 - %4"}},
        NamingCase{"AdvancedColon", "1", "1", "\"%2: %4\"", {Id3RenameMode::AllOrKeep, "%2- %4"}},
        NamingCase{"AllBadCharacters",
                   "0",
                   "1",
                   "\"\\/:*?<>|%1\"",
                   {Id3RenameMode::AllOrRules, "--------%1"}},
        NamingCase{"BasicAsStored", "0", "0", "\"%1\"", {Id3RenameMode::AllOrRules, "%2_%5_%1"}},
        NamingCase{
            "UnknownChoiceIsAdvanced", "0", "x", "\"%3\"", {Id3RenameMode::AllOrRules, "%3"}},
        NamingCase{"ModeSevenIsZero", "7", "1", "\"%3\"", {Id3RenameMode::AllOrRules, "%3"}},
        NamingCase{"EmptyFormat", "2", "1", "\"\"", {Id3RenameMode::WhateverIsThere, ""}},
        NamingCase{"UnterminatedKeepsTheDefault",
                   "2",
                   "1",
                   "\"%3",
                   {Id3RenameMode::WhateverIsThere, Id3Naming{}.format}},
        NamingCase{"LongestFormatIsKept",
                   "2",
                   "1",
                   '"' + std::string(255, '/') + '"',
                   {Id3RenameMode::WhateverIsThere, std::string(255, '-')}},
        NamingCase{"LongerFormatIsCut",
                   "2",
                   "1",
                   '"' + std::string(254, 'a') + "%1%2" + '"',
                   {Id3RenameMode::WhateverIsThere, std::string(254, 'a') + "%"}},
        NamingCase{"CutKeepsWholeCharacters",
                   "2",
                   "1",
                   '"' + std::string(254, 'a') + "\xC3\xA9" + '"',
                   {Id3RenameMode::WhateverIsThere, std::string(254, 'a')}},
        NamingCase{"HugeFormatIsCut",
                   "2",
                   "1",
                   '"' + std::string(60000, '%') + '"',
                   {Id3RenameMode::WhateverIsThere, std::string(255, '%')}}),
    testing::CaseName());

class Id3OptionsStorageTest : public ::testing::Test {
protected:
    std::string path() const { return dir.file("ID3Opts.ini"); }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
};

TEST_F(Id3OptionsStorageTest, MissingFileGivesEachReaderItsDefaults) {
    bool loaded = true;
    EXPECT_EQ(loadId3Options(fs, messages, path(), &loaded),
              TagNamingDialogState::fromOptions(TagNamingOptions{}));
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loadId3Naming(fs, messages, path()).format, "%1 - %2 - %3 - %4 - %5 - %6");
    const std::string text =
        "An error occurred. Possible error: \"ID3Opts.ini\" file doesn't exist?\n"
        "Using default ID3 options instead.";
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{text, text}));
    EXPECT_EQ(messages.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(readId3Naming(fs, path()), std::nullopt);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(Id3OptionsStorageTest, SavingReplacesWithoutAsking) {
    dir.write("ID3Opts.ini", "old");
    ASSERT_TRUE(saveId3Options(fs, messages, path(), fullId3Options()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dir.read("ID3Opts.ini"), goldenText("id3-full.ini"));
    EXPECT_EQ(loadId3Naming(fs, messages, path()),
              (Id3Naming{Id3RenameMode::WhateverIsThere, "%6 %2 - %4"}));
}

TEST_F(Id3OptionsStorageTest, FailuresKeepTheOldFile) {
    dir.write("ID3Opts.ini", "old");
    fs.fail(testing::FaultyFileSystem::Op::Write, ENOSPC, "ID3Opts", 1);
    fs.fail(testing::FaultyFileSystem::Op::Write, EIO, "ID3Opts", 1);
    TagNamingOptions quoted;
    quoted.advancedFormat = "%1\"%2";
    EXPECT_FALSE(saveId3Options(fs, messages, path(), fullId3Options()));
    EXPECT_FALSE(saveId3Options(fs, messages, path(), fullId3Options()));
    EXPECT_FALSE(saveId3Options(fs, messages, path(), quoted));
    EXPECT_EQ(
        messages.texts(),
        (std::vector<std::string>{
            "Cannot save options! - Reason: Disk is full.", "Cannot save options! - Unknown Error.",
            "Cannot save options! - Reason: The advanced format holds a double quote, "
            "which ID3Opts.ini cannot store."}));
    EXPECT_EQ(messages.shown[0].caption, "Error - disk full");
    EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
    EXPECT_EQ(dir.read("ID3Opts.ini"), "old");
}

}  // namespace
}  // namespace nameshift::settings
