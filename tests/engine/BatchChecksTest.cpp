#include "engine/BatchChecks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace nameshift::engine
