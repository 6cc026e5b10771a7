#include "settings/PresetStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ScriptedMessageBox.h"
#include "SettingsTestData.h"
#include "TempDir.h"
#include "platform/PosixFileSystem.h"
#include "settings/PresetFile.h"

namespace nameshift::settings {
namespace {

using Names = std::vector<std::string>;
using testing::fullPreset;
using testing::goldenText;

TEST(PresetFileTest, WritesAndReadsTheFileByteForByteAndLeavesTheListingAlone) {
    const std::string golden = goldenText("preset-full.ini");
    ASSERT_FALSE(golden.empty());
    RenameSettings full = fullPreset();
    full.attributeArchive = full.attributeSystem = true;
    full.sortKey = SortKey::Name;
    EXPECT_EQ(PresetFile::format(full), golden);
    EXPECT_EQ(PresetFile::parse(golden, RenameSettings{}), fullPreset());
    // The listing options of the rules it is read over stay.
    const RenameSettings read = PresetFile::parse(golden, RenameSettings::whenFileMissing());
    EXPECT_EQ(read.attributeMask(), RenameSettings::whenFileMissing().attributeMask());
    EXPECT_EQ(read.sortKey, RenameSettings::whenFileMissing().sortKey);
}

// A store in a fresh folder whose presets folder is not there yet.
class PresetStoreTest : public ::testing::Test {
protected:
    std::string folder() const { return dir.file("nameshift/presets"); }

    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    testing::ScriptedMessageBox messages;
    PresetStore store{fileSystem, messages, PresetStore::directoryIn(dir.file("nameshift/"))};
};

TEST_F(PresetStoreTest, SavesListsLoadsReplacesOnlyWhenAllowedAndRemoves) {
    EXPECT_EQ(store.names(), Names{});
    RenameSettings rules;
    rules.upperCase = true;
    ASSERT_TRUE(store.save("b", fullPreset()));
    ASSERT_TRUE(store.save("a", rules));
    EXPECT_EQ(std::filesystem::status(folder()).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    // A save stopped part way, and a folder, are no presets.
    dir.write("nameshift/presets/.a.0123456789abcdef~", "half");
    dir.makeDirectory("nameshift/presets/folder");
    EXPECT_EQ(store.names(), (Names{"a", "b"}));
    EXPECT_EQ(store.load("b", RenameSettings{}), fullPreset());

    EXPECT_FALSE(store.save("a", fullPreset(), [] { return false; }));
    EXPECT_EQ(store.load("a", RenameSettings{}), rules);
    EXPECT_TRUE(store.save("a", fullPreset(), [] { return true; }));
    EXPECT_EQ(store.load("a", RenameSettings{}), fullPreset());

    EXPECT_TRUE(store.remove("a"));
    EXPECT_EQ(store.names(), Names{"b"});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(store.remove("a"));
    EXPECT_FALSE(store.load("a", RenameSettings{}).has_value());
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"There is no preset \"a\".", "There is no preset \"a\"."}));
}

struct NameCase {
    std::string name;
    std::string preset;
    std::string refusal;  // empty when the name is taken
};

class PresetNameTest : public PresetStoreTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(PresetNameTest, RefusesWhatCannotNameAFileWithItsReason) {
    const bool refused = !GetParam().refusal.empty();
    EXPECT_EQ(store.save(GetParam().preset, RenameSettings{}), !refused);
    EXPECT_EQ(store.names()->size(), refused ? 0u : 1u);
    if (refused) {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].caption, "Invalid Preset Name");
        EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
        EXPECT_EQ(messages.shown[0].text, GetParam().refusal);
        EXPECT_FALSE(store.remove(GetParam().preset));
        EXPECT_FALSE(store.load(GetParam().preset, RenameSettings{}));
        EXPECT_EQ(messages.shown.size(), 3u);
    } else {
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_TRUE(store.load(GetParam().preset, RenameSettings{}).has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Presets, PresetNameTest,
    ::testing::Values(NameCase{"Empty", "", "A preset needs a name."},
                      NameCase{"Dot", ".", "\".\" cannot name a preset: it names a folder."},
                      NameCase{"DotDot", "..", "\"..\" cannot name a preset: it names a folder."},
                      NameCase{"Slash", "a/b", "\"a/b\" cannot name a preset: it holds a \"/\"."},
                      NameCase{"NulByte", std::string("a\0b", 3),
                               "A preset name cannot hold a NUL byte."},
                      NameCase{"LineBreak", "a\nb",
                               "A preset name cannot hold a line break or another control "
                               "character."},
                      // A save's temporary file needs 19 bytes more than the name.
                      NameCase{"TooLongForTheSavesTemporaryFile", std::string(237, 'x'),
                               "A preset name can be at most 236 bytes long; this one has 237."},
                      NameCase{"LongerThanAFileName", std::string(256, 'x'),
                               "A preset name can be at most 236 bytes long; this one has 256."},
                      NameCase{"Longest", std::string(236, 'x'), ""},
                      NameCase{"DotFileAndUtf8", ".\xc3\xa9t\xc3\xa9 photos", ""},
                      NameCase{"DotsAround", "...", ""}),
    testing::CaseName());

}  // namespace
}  // namespace nameshift::settings
