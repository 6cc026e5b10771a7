#include "engine/naming/TagNaming.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "AudioFiles.h"

namespace nameshift::engine {
namespace {

using settings::Id3RenameMode;

// Hands out prepared tag texts by path and remembers which paths were asked for.
class FakeTagReader final : public TagReader {
public:
    TagTexts read(const std::string& path) override {
        asked.push_back(path);
        const auto found = tags.find(path);
        return found == tags.end() ? TagTexts{} : found->second;
    }

    FileTimes times(const std::string& path) override {
        askedTimes.push_back(path);
        const auto found = fileTimes.find(path);
        return found == fileTimes.end() ? FileTimes{} : found->second;
    }

    std::optional<std::tm> taken(const std::string& path) override {
        const auto found = takenDates.find(path);
        return found == takenDates.end() ? std::nullopt : std::optional(found->second);
    }

    std::map<std::string, TagTexts> tags;
    std::map<std::string, FileTimes> fileTimes;
    std::map<std::string, std::tm> takenDates;
    std::vector<std::string> asked;
    std::vector<std::string> askedTimes;
};

// Dates are spelt in local time; the tests spell them in UTC, whatever the machine's zone.
class UtcZone {
public:
    UtcZone() {
        if (const char* zone = std::getenv("TZ")) {
            previous_ = zone;
        }
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    UtcZone(const UtcZone&) = delete;
    UtcZone& operator=(const UtcZone&) = delete;
    ~UtcZone() {
        if (previous_) {
            ::setenv("TZ", previous_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

private:
    std::optional<std::string> previous_;
};

// 2024-05-17 10:30:00 and 2024-05-01 08:00:00 UTC.
const FileTimes kDates = {1715941800, 1714550400};

const TagTexts kComplete = {"Album", "Artist", "Group", "Title", "7", "2024"};
const TagTexts kEveryTag = {"Album", "Artist", "Group", "Title",   "7",
                            "2024",  "Band",   "2/3",   "Composer"};

TagTexts without(TagTexts tags, std::size_t index) {
    tags[index].reset();
    return tags;
}

TagTexts with(TagTexts tags, std::size_t index, std::string text) {
    tags[index] = std::move(text);
    return tags;
}

struct NamingCase {
    const char* label;
    std::string format;
    Id3RenameMode mode;
    TagTexts tags;
    std::string ruleName;
    std::string expected;
};

void PrintTo(const NamingCase& c, std::ostream* os) {
    *os << c.label;
}

std::vector<std::string> newNamesOf(const std::vector<PlannedChange>& changes) {
    std::vector<std::string> names;
    names.reserve(changes.size());
    for (const PlannedChange& change : changes) {
        names.push_back(change.newName);
    }
    return names;
}

class TagNamingModeTest : public ::testing::TestWithParam<NamingCase> {
protected:
    UtcZone utc;
};

TEST_P(TagNamingModeTest, GivesTheExpectedNewName) {
    const NamingCase& c = GetParam();
    FakeTagReader reader;
    reader.tags["/music/old name.mp3"] = c.tags;
    reader.fileTimes["/music/old name.mp3"] = kDates;
    std::vector<PlannedChange> changes{{0, "old name.mp3", c.ruleName}};
    applyTagNaming({c.mode, c.format}, reader, "/music", changes);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].newName, c.expected);
    EXPECT_EQ(changes[0].oldName, "old name.mp3");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TagNamingModeTest,
    ::testing::Values(
        NamingCase{"RulesModeComplete", "%2 - %4", Id3RenameMode::AllOrRules, kComplete, "RULE.MP3",
                   "Artist - Title.MP3"},
        NamingCase{"RulesModeIncomplete", "%2 - %5", Id3RenameMode::AllOrRules,
                   without(kComplete, 4), "RULE.MP3", "RULE.MP3"},
        NamingCase{"RulesModeNoTag", "%2 - %4", Id3RenameMode::AllOrRules, TagTexts{}, "RULE.MP3",
                   "RULE.MP3"},
        NamingCase{"KeepModeComplete", "%1_%6", Id3RenameMode::AllOrKeep, kComplete, "RULE.mp3",
                   "Album_2024.mp3"},
        NamingCase{"KeepModeIncomplete", "%1_%6", Id3RenameMode::AllOrKeep, without(kComplete, 5),
                   "RULE.ogg", "old name.mp3"},
        NamingCase{"KeepModeNoTag", "%1", Id3RenameMode::AllOrKeep, TagTexts{}, "RULE.ogg",
                   "old name.mp3"},
        NamingCase{"KeepModeOnlyFramesTheFormatLacks", "%1_%6", Id3RenameMode::AllOrKeep,
                   TagTexts{std::nullopt, "Artist", "Group", "Title"}, "RULE.ogg", "old name.mp3"},
        NamingCase{"WhateverModeComplete", "%2 - %4", Id3RenameMode::WhateverIsThere, kComplete,
                   "RULE.MP3", "Artist - Title.MP3"},
        NamingCase{"WhateverModeDropsAnAbsentCodeBetween", "%2 - %5 - %4",
                   Id3RenameMode::WhateverIsThere, without(kComplete, 4), "RULE.MP3",
                   "Artist - Title.MP3"},
        NamingCase{"WhateverModeDropsAnAbsentFirstCode", "%1 - %4", Id3RenameMode::WhateverIsThere,
                   without(kComplete, 0), "RULE.MP3", "Title.MP3"},
        NamingCase{"WhateverModeDropsAnAbsentLastCodeWithItsBrackets", "%2 - %4 (%6)",
                   Id3RenameMode::WhateverIsThere, without(kComplete, 5), "RULE.MP3",
                   "Artist - Title.MP3"},
        NamingCase{"WhateverModeDropsAnAbsentFirstCodeWithItsBrackets", "[%6] %2 - %4",
                   Id3RenameMode::WhateverIsThere, without(kComplete, 5), "r.mp3",
                   "Artist - Title.mp3"},
        NamingCase{"WhateverModeJoinsByTheTextBeforeTheLaterCode", "%5. %2 (%6)",
                   Id3RenameMode::WhateverIsThere, without(kComplete, 1), "r.mp3", "7 (2024).mp3"},
        NamingCase{"WhateverModeDropsEveryOccurrence", "%4 %5 [%5]", Id3RenameMode::WhateverIsThere,
                   without(kComplete, 4), "r.mp3", "Title.mp3"},
        NamingCase{"WhateverModeWithoutSeparators", "%2%1%4", Id3RenameMode::WhateverIsThere,
                   without(kComplete, 0), "r.mp3", "ArtistTitle.mp3"},
        NamingCase{"WhateverModeNoTag", "%2 - %4", Id3RenameMode::WhateverIsThere, TagTexts{},
                   "RULE.MP3", "RULE.MP3"},
        NamingCase{"WhateverModeOnlyFramesTheFormatLacks", "%2 - %4",
                   Id3RenameMode::WhateverIsThere, TagTexts{"Album"}, "RULE.MP3", "RULE.MP3"},
        NamingCase{"OnlyNamedFramesCount", "%4", Id3RenameMode::AllOrKeep,
                   TagTexts{std::nullopt, std::nullopt, std::nullopt, "Title"}, "r.mp3",
                   "Title.mp3"},
        NamingCase{"NoCodesRulesMode", "Plain text", Id3RenameMode::AllOrRules, TagTexts{}, "r.mp3",
                   "Plain text.mp3"},
        NamingCase{"NoCodesKeepMode", "Plain text", Id3RenameMode::AllOrKeep, TagTexts{}, "r.mp3",
                   "Plain text.mp3"},
        NamingCase{"NoCodesWhateverMode", "Plain text", Id3RenameMode::WhateverIsThere, TagTexts{},
                   "r.mp3", "Plain text.mp3"},
        NamingCase{"InvalidCharactersBecomeHyphens", "%4", Id3RenameMode::AllOrRules,
                   with(kComplete, 3, "Rock/Pop: Live?"), "r.mp3", "Rock-Pop- Live-.mp3"},
        NamingCase{"EveryInvalidCharacter", "%4", Id3RenameMode::AllOrRules,
                   with(kComplete, 3, "a\\b/c:d*e?f\"g<h>i|j"), "r.mp3", "a-b-c-d-e-f-g-h-i-j.mp3"},
        NamingCase{"ControlCharactersBecomeHyphens", "%4", Id3RenameMode::AllOrRules,
                   with(kComplete, 3, "Line one\nLine two\tend\r\x7F"), "r.mp3",
                   "Line one-Line two-end--.mp3"},
        NamingCase{"RuleNameWithoutDot", "%2 - %4", Id3RenameMode::AllOrRules, kComplete, "README",
                   "Artist - Title"},
        NamingCase{"ExtensionFromTheLastDot", "%4", Id3RenameMode::AllOrRules, kComplete,
                   "x.tar.gz", "Title.gz"},
        NamingCase{"DotOnlyName", "%4", Id3RenameMode::AllOrRules, kComplete, ".profile",
                   "Title.profile"},
        NamingCase{"InsertedCodeStays", "%1", Id3RenameMode::AllOrRules,
                   with(kComplete, 0, "Best of %1"), "r.mp3", "Best of %1.mp3"},
        NamingCase{"InsertedLaterCodeStays", "%1 by %2", Id3RenameMode::AllOrRules,
                   with(kComplete, 0, "Live %2 %6"), "r.mp3", "Live %2 %6 by Artist.mp3"},
        NamingCase{"InsertedTextDoesNotJoinTheFormat", "%12", Id3RenameMode::AllOrRules,
                   with(kComplete, 0, "100%"), "r.mp3", "100%2.mp3"},
        NamingCase{"EveryOccurrenceReplaced", "%4 (%4)", Id3RenameMode::AllOrRules, kComplete,
                   "r.mp3", "Title (Title).mp3"},
        NamingCase{"EmptyFrameCountsAsFound", "%2-%4", Id3RenameMode::AllOrKeep,
                   with(kComplete, 3, ""), "r.mp3", "Artist-.mp3"},
        NamingCase{"PercentSignsThatAreNoCodes", "100% %0 %%1 %q %", Id3RenameMode::AllOrRules,
                   kComplete, "r.mp3", "100% %0 %Album %q %.mp3"},
        NamingCase{"AlbumArtistDiscAndComposer", "%7 - %8 - %9", Id3RenameMode::AllOrRules,
                   kEveryTag, "r.flac", "Band - 2-3 - Composer.flac"},
        NamingCase{"RulesModeNoComposer", "%2 - %9", Id3RenameMode::AllOrRules,
                   without(kEveryTag, 8), "RULE.ogg", "RULE.ogg"},
        NamingCase{"KeepModeNoDisc", "%8. %4", Id3RenameMode::AllOrKeep, without(kEveryTag, 7),
                   "RULE.ogg", "old name.mp3"},
        NamingCase{"WhateverModeNoAlbumArtist", "%7 - %4", Id3RenameMode::WhateverIsThere,
                   kComplete, "r.m4a", "Title.m4a"},
        NamingCase{"ModifiedDateAlone", "%m", Id3RenameMode::AllOrKeep, TagTexts{}, "r.txt",
                   "2024-05-17 10.30.00.txt"},
        NamingCase{"DatesBesideTags", "%2 %b (%m)", Id3RenameMode::AllOrRules, kComplete, "r.mp3",
                   "Artist 2024-05-01 08.00.00 (2024-05-17 10.30.00).mp3"},
        NamingCase{"DateCodesNextToDigits", "%m%1", Id3RenameMode::AllOrRules, kComplete, "r.mp3",
                   "2024-05-17 10.30.00Album.mp3"},
        NamingCase{"AllSixCodes", "%1 - %2 - %3 - %4 - %5 - %6", Id3RenameMode::AllOrRules,
                   kComplete, "r.mp3", "Album - Artist - Group - Title - 7 - 2024.mp3"}),
    [](const auto& test) { return std::string(test.param.label); });

// How "%m" and "%b" spell a file's dates, and what a date missing does in each mode.
struct DateCase {
    const char* label;
    std::string format;
    std::string dateFormat;
    FileTimes times;
    Id3RenameMode mode;
    std::string expected;
    std::optional<std::tm> taken = std::nullopt;
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.label;
}

class TagNamingDateTest : public ::testing::TestWithParam<DateCase> {
protected:
    UtcZone utc;
};

TEST_P(TagNamingDateTest, SpellsTheDatesByTheDateFormat) {
    const DateCase& c = GetParam();
    FakeTagReader reader;
    reader.fileTimes["/d/photo.jpg"] = c.times;
    if (c.taken) {
        reader.takenDates["/d/photo.jpg"] = *c.taken;
    }
    std::vector<PlannedChange> changes{{0, "photo.jpg", "RULE.jpg"}};
    applyTagNaming({c.mode, c.format}, reader, "/d", changes, c.dateFormat);
    EXPECT_EQ(changes[0].newName, c.expected);
    EXPECT_TRUE(reader.asked.empty()) << "a name of dates alone reads no tag";
}

const FileTimes kNoBirth = {kDates.modified, std::nullopt};
// 2023-12-31 23:59:58 on the camera's clock, a Sunday.
const std::tm kShot = testing::DatedFiles::clock(2023, 12, 31, 23, 59, 58);

INSTANTIATE_TEST_SUITE_P(
    Dates, TagNamingDateTest,
    ::testing::Values(
        DateCase{"DefaultFormat", "%m", "%Y-%m-%d %H.%M.%S", kDates, Id3RenameMode::AllOrRules,
                 "2024-05-17 10.30.00.jpg"},
        DateCase{"EmptyFormatIsTheDefault", "%b", "", kDates, Id3RenameMode::AllOrRules,
                 "2024-05-01 08.00.00.jpg"},
        DateCase{"SlashesAndColonsAreReplaced", "%m", "%d/%m/%Y %H:%M", kDates,
                 Id3RenameMode::AllOrRules, "17-05-2024 10.30.jpg"},
        DateCase{"DateCodesAreTheirOwnNamespace", "%m %b", "%m%%m", kDates,
                 Id3RenameMode::AllOrRules, "05%m 05%m.jpg"},
        DateCase{"TextAroundTheCodes", "Shot %m", "%Y (day %j)", kDates, Id3RenameMode::AllOrRules,
                 "Shot 2024 (day 138).jpg"},
        DateCase{"TooLongADateIsMissing", "%m", std::string(300, 'x'), kDates,
                 Id3RenameMode::AllOrKeep, "photo.jpg"},
        DateCase{"RulesModeNoBirth", "%b", "%Y", kNoBirth, Id3RenameMode::AllOrRules, "RULE.jpg"},
        DateCase{"KeepModeNoBirth", "%m %b", "%Y", kNoBirth, Id3RenameMode::AllOrKeep, "photo.jpg"},
        DateCase{"WhateverModeNoBirth", "%b - %m", "%Y", kNoBirth, Id3RenameMode::WhateverIsThere,
                 "2024.jpg"},
        DateCase{"WhateverModeNoDates", "%b - %m", "%Y", FileTimes{},
                 Id3RenameMode::WhateverIsThere, "RULE.jpg"},
        DateCase{"TakenDefaultFormat", "%t", "", kDates, Id3RenameMode::AllOrRules,
                 "2023-12-31 23.59.58.jpg", kShot},
        DateCase{"TakenByTheDateFormat", "%t", "%a %d/%m/%Y (%j)", kDates,
                 Id3RenameMode::AllOrRules, "Sun 31-12-2023 (365).jpg", kShot},
        DateCase{"RulesModeNoTaken", "%t", "%Y", kDates, Id3RenameMode::AllOrRules, "RULE.jpg"},
        DateCase{"KeepModeNoTaken", "%m %t", "%Y", kDates, Id3RenameMode::AllOrKeep, "photo.jpg"},
        DateCase{"WhateverModeNoTaken", "%t - %m", "%Y", kDates, Id3RenameMode::WhateverIsThere,
                 "2024.jpg"}),
    [](const auto& test) { return std::string(test.param.label); });

// Whichever frames a file has, a name built from them holds no unfilled code and no separator
// left hanging at either end.
TEST(TagNamingTest, WhateverModeNeverLeavesACodeOrALooseSeparator) {
    const std::string format = "%1 - %2 - %3 - %4 - %5 - %6";
    for (unsigned present = 1; present < 64; ++present) {
        TagTexts tags;
        for (std::size_t i = 0; i < tags.size(); ++i) {
            if ((present >> i) & 1) {
                tags[i] = kComplete[i];
            }
        }
        const std::string name = buildTagName(format, tags);
        EXPECT_EQ(name.find('%'), std::string::npos) << name;
        EXPECT_FALSE(name.starts_with(' ') || name.ends_with(' ')) << name;
        EXPECT_EQ(name.find(" -  - "), std::string::npos) << name;
    }
}

TEST(TagNamingTest, EachFileIsDecidedByItsOwnFrames) {
    FakeTagReader reader;
    reader.tags["d/a.mp3"] = kComplete;
    reader.tags["d/b.mp3"] = without(kComplete, 1);
    reader.tags["d/c.mp3"] = kComplete;
    std::vector<PlannedChange> changes{
        {0, "a.mp3", "A.MP3"}, {1, "b.mp3", "B.MP3"}, {2, "c.mp3", "C.MP3"}};
    applyTagNaming({Id3RenameMode::AllOrKeep, "%2 %4"}, reader, "d", changes);
    EXPECT_EQ(newNamesOf(changes),
              (std::vector<std::string>{"Artist Title.MP3", "b.mp3", "Artist Title.MP3"}));
    EXPECT_EQ(reader.asked, (std::vector<std::string>{"d/a.mp3", "d/b.mp3", "d/c.mp3"}));
}

struct DirectoryCase {
    const char* label;
    std::string directory;
    std::string expectedPath;
};

class TagNamingPathTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(TagNamingPathTest, ReadsTheFileInTheGivenDirectory) {
    FakeTagReader reader;
    std::vector<PlannedChange> changes{{0, "song.mp3", "song.mp3"}};
    applyTagNaming({settings::Id3RenameMode::AllOrRules, "%4"}, reader, GetParam().directory,
                   changes);
    EXPECT_EQ(reader.asked, std::vector<std::string>{GetParam().expectedPath});
}

INSTANTIATE_TEST_SUITE_P(
    Directories, TagNamingPathTest,
    ::testing::Values(DirectoryCase{"Plain", "/home/me/music", "/home/me/music/song.mp3"},
                      DirectoryCase{"TrailingSlash", "/home/me/music/", "/home/me/music/song.mp3"},
                      DirectoryCase{"Root", "/", "/song.mp3"},
                      DirectoryCase{"CurrentDirectory", "", "song.mp3"}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(TagNamingTest, FormatWithoutCodesReadsNoTag) {
    FakeTagReader reader;
    std::vector<PlannedChange> changes{{0, "a.mp3", "a.mp3"}, {1, "b.wav", "b.wav"}};
    applyTagNaming({Id3RenameMode::AllOrKeep, "Same"}, reader, "/d", changes);
    EXPECT_TRUE(reader.asked.empty());
    EXPECT_EQ(newNamesOf(changes), (std::vector<std::string>{"Same.mp3", "Same.wav"}));
}

TEST(TagNamingTest, EmptyBatchReadsNoTag) {
    FakeTagReader reader;
    std::vector<PlannedChange> changes;
    applyTagNaming({settings::Id3RenameMode::AllOrRules, "%1"}, reader, "/d", changes);
    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(reader.asked.empty());
}

}  // namespace
}  // namespace nameshift::engine
