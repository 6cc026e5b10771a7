#include <gtest/gtest.h>

#include <QMenu>

#include <optional>
#include <string>

#include "ui/CaseWarnings.h"
#include "ui/EditCorrections.h"
#include "ui/NameTemplateField.h"

namespace nameshift::ui {
namespace {

struct CorrectionCase {
    const char* text;
    const char* mended;  // nullptr: nothing to mend
    const char* message;
    const char* caption;
};

void PrintTo(const CorrectionCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

void expectCorrection(const std::optional<EditCorrection>& got, const CorrectionCase& c) {
    if (c.mended == nullptr) {
        EXPECT_FALSE(got.has_value());
        return;
    }
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->text, QString::fromUtf8(c.mended));
    EXPECT_EQ(got->message.text, c.message);
    EXPECT_EQ(got->message.caption, c.caption);
    EXPECT_EQ(got->message.icon, platform::Icon::Stop);
    EXPECT_EQ(got->message.buttons, platform::Buttons::Ok);
}

class NameTextCorrection : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(NameTextCorrection, TakesOutTheFirstInvalidCharacter) {
    expectCorrection(correctNameText(QString::fromUtf8(GetParam().text)), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    EveryInvalidCharacter, NameTextCorrection,
    ::testing::Values(
        CorrectionCase{"a:b", "ab",
                       "You have entered an invalid character - :", "Invalid Character"},
        CorrectionCase{"\\x", "x", "You have entered an invalid character - \\",
                       "Invalid Character"},
        CorrectionCase{"x/", "x", "You have entered an invalid character - /", "Invalid Character"},
        CorrectionCase{"*", "", "You have entered an invalid character - *", "Invalid Character"},
        CorrectionCase{"a?b?", "ab?", "You have entered an invalid character - ?",
                       "Invalid Character"},
        CorrectionCase{"\"q", "q", "You have entered an invalid character - \"",
                       "Invalid Character"},
        CorrectionCase{"<>", ">", "You have entered an invalid character - <", "Invalid Character"},
        CorrectionCase{"a|", "a", "You have entered an invalid character - |", "Invalid Character"},
        CorrectionCase{"Grüße - 01 (live) ~.mp3", nullptr, "", ""},
        CorrectionCase{"", nullptr, "", ""}));

class IncrementCorrection : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(IncrementCorrection, RefusesZeroAndWhatIsNoDigit) {
    expectCorrection(correctCounterIncrement(QString::fromUtf8(GetParam().text)), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Increments, IncrementCorrection,
    ::testing::Values(
        CorrectionCase{"0", "", "You must increment by a number greater than zero!",
                       "Invalid Increment"},
        CorrectionCase{"00", "", "You must increment by a number greater than zero!",
                       "Invalid Increment"},
        CorrectionCase{"1x", "1", "Entered value can only be a numeric.", "Non-Numeric Value"},
        CorrectionCase{"-5", "5", "Entered value can only be a numeric.", "Non-Numeric Value"},
        CorrectionCase{"10", nullptr, "", ""}, CorrectionCase{"05", nullptr, "", ""},
        CorrectionCase{"", nullptr, "", ""}));

class StartCorrection : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(StartCorrection, RefusesALeadingZeroAndWhatIsNoDigit) {
    expectCorrection(correctCounterStart(QString::fromUtf8(GetParam().text)), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Starts, StartCorrection,
    ::testing::Values(
        CorrectionCase{"05", "5",
                       "If you wish to pad the counter with zeros then specify, to use, 2 or more "
                       "digits from the drop down list",
                       "Invalid Start Position"},
        CorrectionCase{"0a", "a",
                       "If you wish to pad the counter with zeros then specify, to use, 2 or more "
                       "digits from the drop down list",
                       "Invalid Start Position"},
        CorrectionCase{"a", "", "Entered value can only be a numeric.", "Non-Numeric Value"},
        CorrectionCase{"0", nullptr, "", ""}, CorrectionCase{"99", nullptr, "", ""}));

class CountCorrection : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(CountCorrection, TakesOutWhatIsNoDigitButKeepsZero) {
    expectCorrection(correctCharacterCount(QString::fromUtf8(GetParam().text)), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Positions, CountCorrection,
    ::testing::Values(
        CorrectionCase{"1x", "1", "Entered value can only be a numeric.", "Non-Numeric Value"},
        CorrectionCase{" 3", "3", "Entered value can only be a numeric.", "Non-Numeric Value"},
        CorrectionCase{"-2", "2", "Entered value can only be a numeric.", "Non-Numeric Value"},
        CorrectionCase{"0", nullptr, "", ""}, CorrectionCase{"007", nullptr, "", ""},
        CorrectionCase{"255", nullptr, "", ""}, CorrectionCase{"", nullptr, "", ""}));

struct WarningCase {
    CaseBox turnedOn;
    bool lower;
    bool upper;
    bool firstLetter;
    const char* text;  // nullptr: no warning
};

class CaseWarningTable : public ::testing::TestWithParam<WarningCase> {};

TEST_P(CaseWarningTable, NamesTheOtherBoxesAndTheOutcome) {
    const WarningCase& c = GetParam();
    const std::optional<std::string> warning =
        caseWarning(c.turnedOn, c.lower, c.upper, c.firstLetter);
    if (c.text == nullptr) {
        EXPECT_FALSE(warning.has_value());
    } else {
        EXPECT_EQ(warning.value_or("(none)"), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllNine, CaseWarningTable,
    ::testing::Values(
        WarningCase{CaseBox::Lower, true, false, true,
                    "Please Note: While this & \"Make 1st character in each word upper case\" "
                    "checkboxes are set, the result will NOT be all lower case."},
        WarningCase{CaseBox::Lower, true, true, false,
                    "Please Note: While this & \"Make all upper case\" checkboxes are set, the "
                    "result will be all upper case."},
        WarningCase{CaseBox::Lower, true, true, true,
                    "Please Note: While this & \"Make 1st character in each word upper case\" & "
                    "\"Make all upper case\" checkboxes are set, the result will be ALL upper "
                    "case."},
        WarningCase{CaseBox::Upper, false, true, true,
                    "Please Note: While this & \"Make 1st character in each word upper case\" "
                    "checkboxes are set, the result will be ALL upper case."},
        WarningCase{CaseBox::Upper, true, true, false,
                    "Please Note: While this & \"Make all lower case\" checkboxes are set, the "
                    "result will be ALL upper case."},
        WarningCase{CaseBox::Upper, true, true, true,
                    "Please Note: While this & \"Make all lower case\" & \"Make 1st character in "
                    "each word upper case\" checkboxes are set, the result will be ALL upper "
                    "case."},
        WarningCase{CaseBox::FirstLetter, false, true, true,
                    "Please Note: While this & \"Make all upper case\" checkboxes are set, the "
                    "result will be ALL upper case."},
        WarningCase{CaseBox::FirstLetter, true, false, true,
                    "Please Note: While this & \"Make all lower case\" checkboxes are set, the "
                    "result will NOT be all lower case."},
        WarningCase{CaseBox::FirstLetter, true, true, true,
                    "Please Note: While this & \"Make all lower case\" & \"Make all upper case\" "
                    "checkboxes are set, the result will be ALL upper case."},
        WarningCase{CaseBox::Lower, true, false, false, nullptr},
        WarningCase{CaseBox::Upper, false, true, false, nullptr},
        WarningCase{CaseBox::FirstLetter, false, false, true, nullptr}));

// What is wrong with the template shows under it as it is typed, and goes once it is mended; a
// code from the menu goes in where the cursor is.
TEST(NameTemplateFieldTest, SaysWhatIsWrongAsItIsTypedAndInsertsCodes) {
    NameTemplateField field;
    field.edit()->setText(QStringLiteral("Ä{artst}"));
    EXPECT_FALSE(field.problem()->isHidden());
    EXPECT_EQ(field.problem()->text(),
              QStringLiteral("The name template has no code \"{artst}\" (at character 3)."));
    field.edit()->setText(QStringLiteral("x"));
    EXPECT_TRUE(field.problem()->isHidden());
    field.edit()->setCursorPosition(0);
    field.insertButton()->menu()->actions().at(0)->menu()->actions().at(1)->trigger();
    EXPECT_EQ(field.edit()->text(), QStringLiteral("{n:3}x"));
}

}  // namespace
}  // namespace nameshift::ui
