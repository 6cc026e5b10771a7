#include "engine/naming/EditCorrections.h"

#include <gtest/gtest.h>

namespace nameshift::engine {
namespace {

struct CorrectionCase {
    const char* label;
    std::optional<EditCorrection> (*correct)(std::string_view);
    const char* typed;
    const char* mended;  // nullptr: nothing to mend
    const char* message;
    const char* caption;
};

std::ostream& operator<<(std::ostream& out, const CorrectionCase& c) {
    return out << c.label;
}

class EditCorrectionsTest : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(EditCorrectionsTest, MendsOneFaultWithItsMessage) {
    const CorrectionCase& c = GetParam();
    const std::optional<EditCorrection> correction = c.correct(c.typed);
    if (c.mended == nullptr) {
        EXPECT_FALSE(correction.has_value());
        return;
    }
    ASSERT_TRUE(correction.has_value());
    EXPECT_EQ(correction->text, c.mended);
    EXPECT_EQ(correction->message.text, c.message);
    EXPECT_EQ(correction->message.caption, c.caption);
    EXPECT_EQ(correction->message.icon, platform::Icon::Stop);
}

constexpr const char* kNumeric = "Entered value can only be a numeric.";
constexpr const char* kPadding =
    "If you wish to pad the counter with zeros then specify, to use, 2 or more digits from the "
    "drop down list";

INSTANTIATE_TEST_SUITE_P(
    Edits, EditCorrectionsTest,
    ::testing::Values(
        CorrectionCase{"ColonBetweenLetters", correctNameText, "a:b", "ab",
                       "You have entered an invalid character - :", "Invalid Character"},
        CorrectionCase{"OnlyTheFirstBadCharacter", correctNameText, "\xc3\xa9|x?", "\xc3\xa9x?",
                       "You have entered an invalid character - |", "Invalid Character"},
        CorrectionCase{"GoodNameText", correctNameText, "caf\xc3\xa9 [1]", nullptr, "", ""},
        CorrectionCase{"ZeroIncrementEmpties", correctCounterIncrement, "0", "",
                       "You must increment by a number greater than zero!", "Invalid Increment"},
        CorrectionCase{"DoubleZeroIncrementEmpties", correctCounterIncrement, "00", "",
                       "You must increment by a number greater than zero!", "Invalid Increment"},
        CorrectionCase{"TenIncrement", correctCounterIncrement, "10", nullptr, "", ""},
        CorrectionCase{"LetterInIncrement", correctCounterIncrement, "1x", "1", kNumeric,
                       "Non-Numeric Value"},
        CorrectionCase{"LeadingZeroStart", correctCounterStart, "05", "5", kPadding,
                       "Invalid Start Position"},
        CorrectionCase{"ZeroAloneStart", correctCounterStart, "0", nullptr, "", ""},
        CorrectionCase{"SixDigitStart", correctCounterStart, "999999", nullptr, "", ""},
        CorrectionCase{"ThreeDigitIncrement", correctCounterIncrement, "250", nullptr, "", ""},
        CorrectionCase{"LongStartStillLosesItsLeadingZero", correctCounterStart, "012345", "12345",
                       kPadding, "Invalid Start Position"},
        CorrectionCase{"SignInStart", correctCounterStart, "-5", "5", kNumeric,
                       "Non-Numeric Value"},
        CorrectionCase{"SlashInFormat", correctId3Format, "%1/%2", "%1%2",
                       "You have entered an invalid character - /", "Invalid Character"},
        CorrectionCase{"FormatNamesEachOnceAndDropsTheLastNamed", correctId3Format, "a|b:c|:",
                       "ab:c|:", "You have entered an invalid character - :|", "Invalid Character"},
        CorrectionCase{"GoodFormat", correctId3Format, "%2 - %4", nullptr, "", ""}),
    [](const auto& test) { return std::string(test.param.label); });

}  // namespace
}  // namespace nameshift::engine
