#include "engine/naming/BatchChecks.h"
#include "engine/naming/DuplicateMarks.h"
#include "engine/naming/DuplicateNumbering.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <optional>
#include <string>
#include <vector>

namespace nameshift::engine {
namespace {

using namespace std::string_literals;

struct FindCase {
    const char* label;
    std::vector<std::pair<std::string, std::string>> pairs;  // old name, new name
    std::optional<std::size_t> expected;
};

std::vector<PlannedChange> changesOf(const FindCase& test) {
    std::vector<PlannedChange> changes;
    for (const auto& [oldName, newName] : test.pairs) {
        changes.push_back({changes.size(), oldName, newName});
    }
    return changes;
}

std::string caseName(const auto& info) {
    return info.param.label;
}

class DuplicateNameTest : public ::testing::TestWithParam<FindCase> {};

// Marks the same changes whichever order they are noted in; `expected` is the first marked.
TEST_P(DuplicateNameTest, MarksEveryChangeThatSharesItsName) {
    const std::vector<PlannedChange> changes = changesOf(GetParam());
    DuplicateMarks forward(changes);
    DuplicateMarks backward(changes);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        forward.note(i);
        backward.note(changes.size() - 1 - i);
    }
    std::optional<std::size_t> first;
    for (std::size_t i = changes.size(); i-- > 0;) {
        EXPECT_EQ(forward.marked(i), backward.marked(i)) << i;
        first = forward.marked(i) ? std::optional(i) : first;
    }
    EXPECT_EQ(first, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, DuplicateNameTest,
    ::testing::Values(
        FindCase{"Empty", {}, std::nullopt}, FindCase{"Single", {{"1", "a"}}, std::nullopt},
        FindCase{"LetterCaseCounts", {{"1", "a.txt"}, {"2", "A.txt"}}, std::nullopt},
        FindCase{"LaterRepeat", {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "b"}}, 1},
        FindCase{"FirstOfTwoRepeats", {{"1", "x"}, {"2", "y"}, {"3", "y"}, {"4", "x"}}, 0},
        FindCase{"BytesNotText", {{"1", "\xc3\xa9"}, {"2", "e\xcc\x81"}}, std::nullopt}),
    [](const auto& param) { return caseName(param); });

class EmptyBaseTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(EmptyBaseTest, FindsTheFirstNameARuleLeftWithNothingBeforeItsExtension) {
    EXPECT_EQ(findEmptyBase(changesOf(GetParam())), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, EmptyBaseTest,
    ::testing::Values(
        FindCase{"PlainNames", {{"a", "a.txt"}, {"n", "noext"}, {"b", "b."}}, std::nullopt},
        FindCase{"OnlyExtension", {{"a", "a.txt"}, {"x.txt", ".txt"}}, 1},
        FindCase{"LoneDot", {{"a", "."}, {"b", ".b"}}, 0},
        FindCase{"LastDotDecides", {{"a", "..txt"}, {"b", ".a.b"}}, std::nullopt},
        FindCase{"DotFileKeepsItsName",
                 {{".bashrc", ".bashrc"}, {".profile", ".PROFILE"}},
                 std::nullopt},
        FindCase{"RuleEmptiesTheBase", {{".bashrc", ".bashrc"}, {"x.txt", ".TXT"}}, 1}),
    [](const auto& param) { return caseName(param); });

// Names in, names out: the new names once duplicates are numbered.
struct NumberingCase {
    const char* label;
    std::vector<std::pair<std::string, std::string>> pairs;  // old name, new name
    std::vector<std::string> expected;
    std::vector<std::string> held = {};  // by files and folders outside the batch
};

class DuplicateNumberingTest : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(DuplicateNumberingTest, GivesEveryFileItsOwnName) {
    std::vector<PlannedChange> changes;
    for (const auto& [oldName, newName] : GetParam().pairs) {
        changes.push_back({changes.size(), oldName, newName});
    }
    const std::vector<std::string>& held = GetParam().held;
    numberDuplicateNames(changes, [&held](std::string_view name) {
        return std::find(held.begin(), held.end(), name) != held.end();
    });
    std::vector<std::string> names;
    names.reserve(changes.size());
    for (const PlannedChange& change : changes) {
        names.push_back(change.newName);
    }
    EXPECT_EQ(names, GetParam().expected);
    EXPECT_TRUE(namesAreDistinct(changes.size(), [&changes](std::size_t i) -> std::string_view {
        return changes[i].newName;
    }));
}

INSTANTIATE_TEST_SUITE_P(
    Batches, DuplicateNumberingTest,
    ::testing::Values(
        NumberingCase{"NoDuplicates", {{"a", "x.mp3"}, {"b", "y.mp3"}}, {"x.mp3", "y.mp3"}},
        NumberingCase{"InListOrder",
                      {{"a", "x.mp3"}, {"b", "x.mp3"}, {"c", "y"}, {"d", "x.mp3"}},
                      {"x.mp3", "x (2).mp3", "y", "x (3).mp3"}},
        NumberingCase{"NoExtension", {{"a", "x"}, {"b", "x"}}, {"x", "x (2)"}},
        NumberingCase{"DotFile", {{"a", ".x"}, {"b", ".x"}}, {".x", ".x (2)"}},
        NumberingCase{
            "LastDotDecides", {{"a", "x.tar.gz"}, {"b", "x.tar.gz"}}, {"x.tar.gz", "x.tar (2).gz"}},
        NumberingCase{"SkipsANameTheBatchGives",
                      {{"a", "x.mp3"}, {"b", "x.mp3"}, {"c", "x (2).mp3"}},
                      {"x.mp3", "x (3).mp3", "x (2).mp3"}},
        NumberingCase{"AFileKeepingItsNameKeepsIt",
                      {{"a", "x.mp3"}, {"x.mp3", "x.mp3"}},
                      {"x (2).mp3", "x.mp3"}},
        NumberingCase{"LetterCaseCounts", {{"a", "X.mp3"}, {"b", "x.mp3"}}, {"X.mp3", "x.mp3"}},
        NumberingCase{"GoesAroundNamesHeldOutsideTheBatch",
                      {{"a", "x.mp3"}, {"b", "x.mp3"}, {"c", "y.mp3"}},
                      {"x (3).mp3", "x (4).mp3", "y.mp3"},
                      {"x.mp3", "x (2).mp3"}}),
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

}  // namespace
}  // namespace nameshift::engine
