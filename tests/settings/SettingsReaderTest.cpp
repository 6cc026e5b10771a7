#include "settings/SettingsReader.h"

#include <gtest/gtest.h>

#include <string>

#include "SettingsTestData.h"
#include "settings/RenameSettings.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {
namespace {

constexpr std::string_view kKey = "-= Key =-";

// A file holding one entry for kKey whose value is `value`, followed by `after`.
// Built by appending, here and below: GCC 12 at -O3 takes "literal" + std::string for an
// overlapping copy (a false -Wrestrict).
std::string fileWith(std::string_view value, std::string_view after = "\r\n\r\n-= Next =-\r\nX") {
    std::string text = "banner\r\n\r\n";
    text.append(kKey).append("\r\n").append(value).append(after);
    return text;
}

struct ReadCase {
    const char* name;
    std::string text;
    std::string expected;  // the field after reading, as text
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class BooleanReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(BooleanReadTest, ReadsTrueOnlyFromFourExactBytes) {
    const SettingsReader reader(GetParam().text);
    // Starts opposite to what a reading would give, so that every case must change or keep it.
    bool field = GetParam().expected != "true";
    reader.readBoolean(kKey, field);
    EXPECT_EQ(field, GetParam().expected != "false");
}

INSTANTIATE_TEST_SUITE_P(
    Values, BooleanReadTest,
    ::testing::Values(ReadCase{"Upper", fileWith("TRUE"), "true"},
                      ReadCase{"UpperWithTail", fileWith("TRUEISH"), "true"},
                      ReadCase{"Lower", fileWith("true"), "false"},
                      ReadCase{"False", fileWith("FALSE"), "false"},
                      ReadCase{"BlankLine", fileWith(""), "false"},
                      ReadCase{"CutInsideValue", fileWith("TRU", ""), "false"},
                      ReadCase{"NothingAfterKeyLine", fileWith("", ""), "false"},
                      ReadCase{"KeyLineEndCut", std::string("x").append(kKey).append("\r"), "kept"},
                      ReadCase{"KeyMissing", "TRUE", "kept"}),
    testing::CaseName());

class StringReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(StringReadTest, ReadsUpToTheNextQuote) {
    const SettingsReader reader(GetParam().text);
    std::string field = "current";
    reader.readString(kKey, field);
    EXPECT_EQ(field, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StringReadTest,
    ::testing::Values(ReadCase{"Quoted", fileWith("\"new name\""), "new name"},
                      ReadCase{"EmptyPairKeepsValue", fileWith("\"\""), "current"},
                      ReadCase{"OpeningQuoteUnchecked", fileWith("Xabc\""), "abc"},
                      ReadCase{"EmptyTextAfterOtherByte", fileWith("X\""), ""},
                      ReadCase{"SpansLinesToTheQuote", fileWith("\"a\r\nb\""), "a\r\nb"},
                      ReadCase{"HighBytes", fileWith("\"\xe9t\xe9\""), "\xe9t\xe9"},
                      ReadCase{"UnterminatedKeepsValue", fileWith("\"abc", ""), "current"},
                      ReadCase{"LoneQuoteKeepsValue", fileWith("\"", ""), "current"},
                      ReadCase{"NothingAfterKeyLine", fileWith("", ""), "current"},
                      ReadCase{"KeyMissing", "\"abc\"", "current"}),
    testing::CaseName());

class CodeReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CodeReadTest, ReadsKnownCodesAndLeavesOthers) {
    const SettingsReader reader(GetParam().text);
    int position = 7;
    int twoWay = 7;
    int sort = 7;
    reader.readPositionCode(kKey, position);
    reader.readPositionCode(kKey, twoWay, 2);
    reader.readSortWord(kKey, sort);
    EXPECT_EQ(std::to_string(position) + " " + std::to_string(twoWay) + " " + std::to_string(sort),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CodeReadTest,
    ::testing::Values(ReadCase{"Beginning", fileWith("BEG"), "0 0 7"},
                      ReadCase{"End", fileWith("END"), "1 1 7"},
                      ReadCase{"ReplaceOnlyInThreeWay", fileWith("REP"), "2 7 7"},
                      ReadCase{"LowerCaseCode", fileWith("beg"), "7 7 7"},
                      ReadCase{"CodeCut", fileWith("BE", ""), "7 7 7"},
                      ReadCase{"Date", fileWith("Date", ""), "7 7 0"},
                      ReadCase{"Extension", fileWith("Extension", ""), "7 7 1"},
                      ReadCase{"Exte", fileWith("Exte", ""), "7 7 1"},
                      ReadCase{"Name", fileWith("Name"), "7 7 2"},
                      ReadCase{"Size", fileWith("Size"), "7 7 3"},
                      ReadCase{"WordCut", fileWith("Siz", ""), "7 7 7"},
                      ReadCase{"LowerCaseWord", fileWith("size"), "7 7 7"},
                      ReadCase{"Empty", fileWith("", ""), "7 7 7"}),
    testing::CaseName());

TEST(SettingsReaderTest, DigitIsTheFirstByteOrNone) {
    EXPECT_EQ(SettingsReader(fileWith("3")).digitOf(kKey), 3);
    EXPECT_EQ(SettingsReader(fileWith("42")).digitOf(kKey), 4);
    EXPECT_EQ(SettingsReader(fileWith("x")).digitOf(kKey), -1);
    EXPECT_EQ(SettingsReader(fileWith("", "")).digitOf(kKey), -1);
    EXPECT_EQ(SettingsReader(std::string(kKey) + "\r").digitOf(kKey), std::nullopt);
    EXPECT_EQ(SettingsReader("7").digitOf(kKey), std::nullopt);
}

TEST(SettingsReaderTest, TakesTheFirstOccurrenceOfTheKeyAnywhere) {
    // The key text inside an earlier value is found before its own line.
    const std::string text = "-= Other =-\r\n\"-= Key =-\"\r\n\r\n-= Key =-\r\n\"right\"";
    std::string field;
    SettingsReader(text).readString(kKey, field);
    EXPECT_EQ(field, "\r\n-= Key =-\r\n");
}

TEST(SettingsWriterTest, UnwrittenValuesLeaveOneEmptyLineOrNothingAtTheEnd) {
    SettingsWriter writer("= Title =");
    writer.addBoolean("-= A =-", true);
    writer.addPositionCode("-= B =-", -1);
    writer.addPositionCode("-= C =-", indexOf(Position::Replace), 2);
    writer.addDigit("-= D =-", 10);
    writer.addString("-= E =-", "");
    writer.addWord("-= F =-", "");
    EXPECT_EQ(writer.text(), SettingsWriter::banner("= Title =") +
                                 "-= A =-\r\nTRUE\r\n\r\n"
                                 "-= B =-\r\n\r\n"
                                 "-= C =-\r\n\r\n"
                                 "-= D =-\r\n\r\n"
                                 "-= E =-\r\n\"\"\r\n\r\n"
                                 "-= F =-\r\n");
}

}  // namespace
}  // namespace nameshift::settings
