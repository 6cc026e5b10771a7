#include "engine/NameComputation.h"

#include <gtest/gtest.h>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"

namespace nameshift::engine {
namespace {

class NameComputationTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            dir.write(name);
        }
        list.setAttributeMask(platform::attribute::kArchive);
        list.setSortIndex(static_cast<int>(settings::SortKey::Name));
        ASSERT_TRUE(list.fill(dir.path()));
    }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
    FileList list{fs, messages};
    WorkLists lists;
    settings::RenameSettings settings;
};

TEST_F(NameComputationTest, GathersTickedRowsInListOrder) {
    list.setTicked(2, true);
    list.setTicked(0, true);
    settings.changePrefix = true;
    settings.prefixText = "new-";
    settings.prefixPosition = settings::position::kBeginning;
    ASSERT_TRUE(computeNewNames(settings, list, lists, messages));
    EXPECT_EQ(lists.oldNames, (std::vector<std::string>{"a.txt", "c.txt"}));
    EXPECT_EQ(lists.newNames, (std::vector<std::string>{"new-a.txt", "new-c.txt"}));
    ASSERT_EQ(lists.files.size(), 2u);
    EXPECT_EQ(lists.files[1].extension, ".txt");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NameComputationTest, NothingTickedIsRefusedFirst) {
    settings.changePrefix = true;  // also invalid, but the first check wins
    EXPECT_FALSE(computeNewNames(settings, list, lists, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Nothing to preview. You must select at least one file first.");
    EXPECT_EQ(messages.shown[0].caption, "Warning!");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Information);
}

struct RefusalCase {
    const char* label;
    void (*configure)(settings::RenameSettings&);
    const char* text;
    const char* caption;
};

class NameRefusalTest : public NameComputationTest,
                        public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(NameRefusalTest, RefusesWithItsMessageAndEmptiesTheLists) {
    list.setTicked(0, true);
    lists.oldNames = {"left over"};
    lists.newNames = {"left over"};
    GetParam().configure(settings);
    EXPECT_FALSE(computeNewNames(settings, list, lists, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, GetParam().text);
    EXPECT_EQ(messages.shown[0].caption, GetParam().caption);
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Information);
    EXPECT_TRUE(lists.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, NameRefusalTest,
    ::testing::Values(
        RefusalCase{"EmptyPrefix", [](settings::RenameSettings& s) { s.changePrefix = true; },
                    "Please Note: If you wish to alter the prefix you must enter a name in the "
                    "prefix edit box",
                    "No Prefix Specified!"},
        RefusalCase{"EmptyExtension", [](settings::RenameSettings& s) { s.changeExtension = true; },
                    "Please Note: If you wish to alter the extension you must enter a name in "
                    "the extension edit box",
                    "No Extension Specified!"},
        RefusalCase{"EmptyIncrement",
                    [](settings::RenameSettings& s) {
                        s.useCounter = true;
                        s.counterStart = "1";
                    },
                    "Please Note: If you wish to add a counter you must specify the counter "
                    "increment in the increment edit box",
                    "Counter Increment Not Specified!"},
        RefusalCase{"EmptyStart",
                    [](settings::RenameSettings& s) {
                        s.useCounter = true;
                        s.counterIncrement = "1";
                    },
                    "Please Note: If you wish to add a counter you must specify the counter's "
                    "start position in the start position edit box",
                    "No Start Position Specified!"}),
    [](const auto& test) { return std::string(test.param.label); });

}  // namespace
}  // namespace nameshift::engine
