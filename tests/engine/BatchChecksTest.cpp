#include "engine/BatchChecks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ScriptedMessageBox.h"

namespace nameshift::engine {
namespace {

using namespace std::string_literals;
using Names = std::vector<std::string>;

struct FindCase {
    const char* label;
    Names names;
    std::optional<std::size_t> expected;
};

std::string caseName(const auto& info) {
    return info.param.label;
}

class DuplicateNameTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(DuplicateNameTest, FindsTheFirstRepeatedName) {
    EXPECT_EQ(findDuplicateName(GetParam().names), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, DuplicateNameTest,
    ::testing::Values(FindCase{"Empty", {}, std::nullopt}, FindCase{"Single", {"a"}, std::nullopt},
                      FindCase{"LetterCaseCounts", {"a.txt", "A.txt"}, std::nullopt},
                      FindCase{"LaterRepeat", {"a", "b", "c", "b"}, 3},
                      FindCase{"FirstOfTwoRepeats", {"x", "y", "y", "x"}, 2},
                      FindCase{"BytesNotText", {"\xc3\xa9", "e\xcc\x81"}, std::nullopt}),
    [](const auto& param) { return caseName(param); });

class EmptyBaseTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(EmptyBaseTest, FindsTheFirstNameWithNothingBeforeItsExtension) {
    EXPECT_EQ(findEmptyBase(GetParam().names), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, EmptyBaseTest,
    ::testing::Values(FindCase{"PlainNames", {"a.txt", "noext", "b."}, std::nullopt},
                      FindCase{"OnlyExtension", {"a.txt", ".txt"}, 1},
                      FindCase{"LoneDot", {".", ".b"}, 0},
                      FindCase{"LastDotDecides", {"..txt", ".a.b"}, std::nullopt}),
    [](const auto& param) { return caseName(param); });

struct PlainCase {
    const char* label;
    std::string name;
    bool plain;
};

class PlainFileNameTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainFileNameTest, KeepsEveryNameInsideItsDirectory) {
    EXPECT_EQ(isPlainFileName(GetParam().name), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PlainFileNameTest,
    ::testing::Values(PlainCase{"Empty", "", false}, PlainCase{"Dot", ".", false},
                      PlainCase{"DotDot", "..", false}, PlainCase{"Slash", "sub/a.txt", false},
                      PlainCase{"LeadingSlash", "/etc/passwd", false},
                      PlainCase{"Nul", "a\0b"s, false}, PlainCase{"ThreeDots", "...", true},
                      PlainCase{"Hidden", ".profile", true},
                      PlainCase{"SpacesAndUtf8", "na\xc3\xafve name.txt", true},
                      PlainCase{"InvalidUtf8", "\xff\xfe.bin", true},
                      PlainCase{"Backslash", "a\\b", true}),
    [](const auto& param) { return caseName(param); });

struct RefusalCase {
    const char* label;
    Names oldNames;
    Names newNames;
    bool (*check)(WorkLists&, platform::MessageBox&);
    const char* text;
    const char* caption;
};

class BatchRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(BatchRefusalTest, RefusesWithItsMessageAndEmptiesTheLists) {
    const RefusalCase& refusal = GetParam();
    WorkLists lists{refusal.oldNames, refusal.newNames, {}};
    testing::ScriptedMessageBox messages;
    EXPECT_FALSE(refusal.check(lists, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, refusal.text);
    EXPECT_EQ(messages.shown[0].caption, refusal.caption);
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_EQ(messages.shown[0].buttons, platform::Buttons::Ok);
    EXPECT_TRUE(lists.empty());
    EXPECT_TRUE(lists.newNames.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, BatchRefusalTest,
    ::testing::Values(
        RefusalCase{"Duplicate",
                    {"a", "b"},
                    {"x", "x"},
                    checkDuplicateNames,
                    "Duplicate filenames found! Cannot continue.",
                    "Duplicate Filenames"},
        RefusalCase{"EmptyBase",
                    {"a.txt"},
                    {".txt"},
                    checkEmptyBases,
                    "Process cannot continue - You are about to remove a file's prefix",
                    "No Prefix"},
        RefusalCase{"Slash",
                    {"a", "b"},
                    {"a2", "../b"},
                    checkPlainNames,
                    "Cannot continue - the new file name \"../b\" is not a plain file name.",
                    "Invalid File Name"},
        RefusalCase{"EmptyName",
                    {"abc"},
                    {""},
                    checkPlainNames,
                    "Cannot continue - the new file name \"\" is not a plain file name.",
                    "Invalid File Name"},
        RefusalCase{"QuoteInNewName",
                    {"a", "b"},
                    {"a", "say \"hi\""},
                    checkNoDoubleQuotes,
                    "Cannot continue - the file name \"say \"hi\"\" contains a double quote, "
                    "which a restore file cannot record.",
                    "Invalid File Name"},
        RefusalCase{"QuoteInOldName",
                    {"\"q\".txt"},
                    {"q.txt"},
                    checkNoDoubleQuotes,
                    "Cannot continue - the file name \"\"q\".txt\" contains a double quote, "
                    "which a restore file cannot record.",
                    "Invalid File Name"}),
    [](const auto& param) { return caseName(param); });

TEST(BatchChecksTest, SoundBatchPassesEveryCheckSilently) {
    WorkLists lists{{"a.txt", "b.txt"}, {"b.txt", "a.txt"}, {}};
    testing::ScriptedMessageBox messages;
    EXPECT_TRUE(checkDuplicateNames(lists, messages));
    EXPECT_TRUE(checkEmptyBases(lists, messages));
    EXPECT_TRUE(checkPlainNames(lists, messages));
    EXPECT_TRUE(checkNoDoubleQuotes(lists, messages));
    EXPECT_TRUE(checkDirectoryRecordable("/home/user/Music", lists, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(lists.oldNames.size(), 2u);
}

TEST(BatchChecksTest, DirectoryWithQuoteCannotBeRecorded) {
    WorkLists lists{{"a"}, {"b"}, {}};
    testing::ScriptedMessageBox messages;
    EXPECT_FALSE(checkDirectoryRecordable("/tmp/\"x\"", lists, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Cannot continue - the directory path \"/tmp/\"x\"\" contains a double quote, "
              "which a restore file cannot record.");
    EXPECT_TRUE(lists.empty());
}

TEST(BatchChecksTest, DuplicateAmongManyNamesIsFound) {
    Names names;
    for (int i = 0; i < 50000; ++i) {
        names.push_back("file " + std::to_string(i));
    }
    EXPECT_EQ(findDuplicateName(names), std::nullopt);
    names.push_back("file 17");
    EXPECT_EQ(findDuplicateName(names), names.size() - 1);
}

}  // namespace
}  // namespace nameshift::engine
