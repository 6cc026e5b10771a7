#include "engine/batch/NameComputation.h"

#include "engine/naming/PatternRule.h"

#include <gtest/gtest.h>

namespace nameshift::engine {
namespace {

class NameComputationTest : public ::testing::Test {
protected:
    settings::RenameSettings settings;
};

TEST_F(NameComputationTest, NothingTickedIsRefusedFirst) {
    settings.changePrefix = true;  // also invalid, but the first check wins
    const std::optional<platform::Message> refusal = findSettingsRefusal(settings, 0);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "Nothing to preview. You must select at least one file first.");
    EXPECT_EQ(refusal->caption, "Warning!");
    EXPECT_EQ(refusal->icon, platform::Icon::Information);
}

struct RefusalCase {
    const char* label;
    void (*configure)(settings::RenameSettings&);
    const char* text;
    const char* caption;
};

class NameRefusalTest : public NameComputationTest,
                        public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(NameRefusalTest, RefusesWithItsMessage) {
    GetParam().configure(settings);
    const std::optional<platform::Message> refusal = findSettingsRefusal(settings, 1);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, GetParam().text);
    EXPECT_EQ(refusal->caption, GetParam().caption);
    EXPECT_EQ(refusal->icon, platform::Icon::Information);
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
                    "No Start Position Specified!"},
        RefusalCase{"UnbalancedRemovePattern",
                    [](settings::RenameSettings& s) {
                        s.removeString = s.removeRegex = true;
                        s.stringToRemove = "(ab";
                    },
                    "The regular expression \"(ab\" cannot be used: a parenthesis without its "
                    "pair at character 4 (U_REGEX_MISMATCHED_PAREN).",
                    "Invalid Regular Expression"},
        RefusalCase{"BadReplacePatternIgnoringCase",
                    [](settings::RenameSettings& s) {
                        s.replaceString = s.replaceRegex = true;
                        s.replaceMatchCase = false;
                        s.replaceFrom = "a**";
                    },
                    "The regular expression \"a**\" cannot be used: a syntax error at character "
                    "4 (U_REGEX_RULE_SYNTAX).",
                    "Invalid Regular Expression"},
        RefusalCase{"ReplacementNamesAGroupWithADigit",
                    [](settings::RenameSettings& s) {
                        s.replaceString = s.replaceRegex = true;
                        s.replaceFrom = "(?<w0>[a-z]+)";
                        s.replaceWith = "${w0}";
                    },
                    "The replacement \"${w0}\" cannot be used with the regular expression "
                    "\"(?<w0>[a-z]+)\": a \"$\" that names no group of the pattern (group names "
                    "in a replacement are letters alone) (U_REGEX_INVALID_CAPTURE_GROUP_NAME).",
                    "Invalid Regular Expression"},
        RefusalCase{"ReplacementNumbersAMissingGroup",
                    [](settings::RenameSettings& s) {
                        s.replaceString = s.replaceRegex = true;
                        s.replaceFrom = "IMG_([0-9]+)";
                        s.replaceWith = "photo-$5";
                    },
                    "The replacement \"photo-$5\" cannot be used with the regular expression "
                    "\"IMG_([0-9]+)\": a group number that the pattern does not have "
                    "(U_INDEX_OUTOFBOUNDS_ERROR).",
                    "Invalid Regular Expression"},
        RefusalCase{"TemplateWithAnUnknownCode",
                    [](settings::RenameSettings& s) { s.nameTemplate = "{taken} {artst}"; },
                    "The name template has no code \"{artst}\" (at character 10).",
                    "Invalid Name Template"}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(PatternRuleTest, TheSearchesOfAWholeBatchAreBoundTogether) {
    // Each name takes a few of the matcher's time steps, far from the bound of one name.
    const std::string slow = std::string(16, 'a') + "!";
    PatternRule bounded("(a+)+b", "", {.regex = true, .batchTimeSteps = 100});
    PatternRule usual("(a+)+b", "", {.regex = true});
    std::vector<PatternRule::Outcome> outcomes;
    for (int i = 0; i < 5; ++i) {
        std::string name = slow;
        outcomes.push_back(bounded.apply(name));
        EXPECT_EQ(usual.apply(name), PatternRule::Outcome::Done);
    }
    using Outcome = PatternRule::Outcome;
    EXPECT_EQ(outcomes,
              (std::vector<Outcome>{Outcome::Done, Outcome::Done, Outcome::Done,
                                    Outcome::BatchTookTooLong, Outcome::BatchTookTooLong}));
}

TEST(PatternProblemTest, GivesTheReasonAndPlaceOnlyForBadPatterns) {
    EXPECT_EQ(patternProblem("(?<y>[0-9]{4})", true), std::nullopt);
    EXPECT_EQ(patternProblem("[a-", false),
              "a range of a set that cannot be used at character 4 (U_REGEX_INVALID_RANGE)");
    EXPECT_EQ(patternProblem("ok\xff", true), "the pattern is not valid UTF-8");
}

}  // namespace
}  // namespace nameshift::engine
