#include "cli/ValueValidation.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "cli/CliOptions.h"

namespace nameshift::cli {
namespace {

using Check = std::optional<platform::Message> (*)(std::string_view);

struct EditCase {
    std::string name;
    Check check;
    std::string value;
    std::string refusal;  // caption and text as printed; empty when the value is taken

    // Test names in CTest show the case, not its bytes.
    friend void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }
};

class EditValueTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditValueTest, TakesOrRefusesAsTheEditWould) {
    const std::optional<platform::Message> refusal = GetParam().check(GetParam().value);
    EXPECT_EQ(refusal ? refusal->caption + ": " + refusal->text : "", GetParam().refusal);
}

const std::string kInvalid = "Invalid Character: You have entered an invalid character - ";
const std::string kNonNumeric = "Non-Numeric Value: Entered value can only be a numeric.";
const std::string kZeroStep =
    "Invalid Increment: You must increment by a number greater than zero!";

INSTANTIATE_TEST_SUITE_P(
    Cli, EditValueTest,
    ::testing::Values(EditCase{"Utf8Text", checkNameText, "\xc3\xa9t\xc3\xa9 (1)", ""},
                      EditCase{"FirstBadCharacter", checkNameText, "a|b/c", kInvalid + "|"},
                      EditCase{"Slash", checkNameText, "../x", kInvalid + "/"},
                      EditCase{"LongestText", checkNameText, std::string(255, 'x'), ""},
                      EditCase{"TextTooLong", checkNameText, std::string(256, 'x'),
                               "Value Too Long: Entered value can be at most 255 characters long."},
                      EditCase{"StartZero", checkCounterStart, "0", ""},
                      EditCase{
                          "StartLeadingZero", checkCounterStart, "05",
                          "Invalid Start Position: If you wish to pad the counter with zeros then "
                          "specify, to use, 2 or more digits from the drop down list"},
                      EditCase{"StartNegative", checkCounterStart, "-1", kNonNumeric},
                      EditCase{"LongestStart", checkCounterStart, "999999", ""},
                      EditCase{"StartTooLong", checkCounterStart, "1000000",
                               "Value Too Long: Entered value can be at most 6 characters long."},
                      EditCase{"LongestStep", checkCounterIncrement, "100", ""},
                      EditCase{"StepTooLong", checkCounterIncrement, "1000",
                               "Value Too Long: Entered value can be at most 3 characters long."},
                      EditCase{"CountEmpty", checkCharacterCount, "", ""},
                      EditCase{"CountZero", checkCharacterCount, "0", ""},
                      EditCase{"CountNegative", checkCharacterCount, "-1", kNonNumeric},
                      EditCase{"CountTooLong", checkCharacterCount, "1000",
                               "Value Too Long: Entered value can be at most 3 characters long."},
                      EditCase{"StepZero", checkCounterIncrement, "0", kZeroStep},
                      EditCase{"StepDoubleZero", checkCounterIncrement, "00", kZeroStep},
                      EditCase{"StepLeadingZero", checkCounterIncrement, "05", ""},
                      EditCase{"StepSpace", checkCounterIncrement, " 1", kNonNumeric},
                      EditCase{"Id3FormatNamesEachBadCharacterOnce", checkId3Format, "%1|%2/%3|?",
                               kInvalid + "/?|"}),
    [](const auto& param) { return param.param.name; });

TEST(FindRefusedValueTest, ChecksEveryEditInTheDialogsOrderWhetherItsRuleIsOnOrNot) {
    settings::RenameSettings rules;
    const RuleOverrides none;
    EXPECT_FALSE(findRefusedValue(rules, none).has_value());
    rules.counterIncrement = "0";
    rules.replaceWith = "a*b";
    EXPECT_EQ(findRefusedValue(rules, none)->field, "the replacement string");
    rules.replaceWith.clear();
    EXPECT_EQ(findRefusedValue(rules, none)->field, "the counter increment");
}

}  // namespace
}  // namespace nameshift::cli
