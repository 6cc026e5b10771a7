#include "cli/CliParser.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "settings/RenameSettings.h"

namespace nameshift::cli {
namespace {

struct ParseCase {
    std::string name;
    std::vector<std::string> arguments;
    std::function<void(CliOptions&)> expect;  // turns the defaults into the expected options

    // Test names in CTest show the case, not its bytes.
    friend void PrintTo(const ParseCase& c, std::ostream* out) { *out << c.name; }
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, FillsTheOptions) {
    const ParseOutcome outcome = CliParser::parse(GetParam().arguments);
    ASSERT_TRUE(outcome.options.has_value()) << outcome.standardError;
    CliOptions expected;
    GetParam().expect(expected);
    EXPECT_EQ(*outcome.options, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ParseTest,
    ::testing::Values(
        ParseCase{"Defaults", {"list"}, [](CliOptions&) {}},
        ParseCase{"OptionsAfterTheCommandAndTextsKeptAsGiven",
                  {"apply", "-0", "--prefix", " a b ", "--ext=-x", "--prefix-at", "end", "--yes"},
                  [](CliOptions& o) {
                      o.command = CliCommand::Apply;
                      o.nullSeparated = true;
                      o.rules.text(&settings::RenameSettings::prefixText) = " a b ";
                      o.rules.text(&settings::RenameSettings::extensionText) = "-x";
                      o.rules.prefixPosition = settings::Position::End;
                      o.yes = true;
                  }},
        ParseCase{"CounterAndReplaceWithoutWith",
                  {"--counter", "1,12", "--counter-digits", "3", "--counter-at", "append",
                   "--replace", "a", "preview"},
                  [](CliOptions& o) {
                      o.command = CliCommand::Preview;
                      o.rules.text(&settings::RenameSettings::counterStart) = "1";
                      o.rules.text(&settings::RenameSettings::counterIncrement) = "12";
                      o.rules.counterDigitsIndex = 2;
                      o.rules.counterPosition = settings::Position::End;
                      o.rules.text(&settings::RenameSettings::replaceFrom) = "a";
                      o.rules.text(&settings::RenameSettings::replaceWith) = "";
                  }},
        ParseCase{"ListingAndId3",
                  {"--sort", "size", "--attributes", "ah", "--include", "\\.mp3$", "--exclude",
                   "^live/", "--select", "a*", "--select", "b c", "--id3", "--id3-mode", "1",
                   "--no-restore-file", "restore", "old batch.dat"},
                  [](CliOptions& o) {
                      o.command = CliCommand::Restore;
                      o.restoreFilePath = "old batch.dat";
                      o.rules.sortKey = settings::SortKey::Size;
                      o.rules.attributes = "ah";
                      o.rules.includeFilter = "\\.mp3$";
                      o.rules.excludeFilter = "^live/";
                      o.selectGlobs = {"a*", "b c"};
                      o.rules.rulesTurnedOn = {&settings::RenameSettings::supportId3};
                      o.rules.id3Mode = settings::Id3RenameMode::AllOrKeep;
                      o.restoreFile = RestoreFileChoice::None;
                  }},
        ParseCase{"DatesAndNumberedDuplicates",
                  {"--id3", "--id3-format", "%m %7", "--date-format", "%d/%m/%Y",
                   "--number-duplicates", "preview"},
                  [](CliOptions& o) {
                      o.command = CliCommand::Preview;
                      o.rules.rulesTurnedOn = {&settings::RenameSettings::numberDuplicates,
                                               &settings::RenameSettings::supportId3};
                      o.rules.id3Format = "%m %7";
                      o.rules.dateFormat = "%d/%m/%Y";
                  }},
        ParseCase{"EmptyValuesNeverTakeTheNextArgument",
                  {"--replace", "a", "--with=", "--lower", "--prefix=", "-v", "save-settings"},
                  [](CliOptions& o) {
                      o.command = CliCommand::SaveSettings;
                      o.rules.text(&settings::RenameSettings::replaceFrom) = "a";
                      o.rules.text(&settings::RenameSettings::replaceWith) = "";
                      o.rules.rulesTurnedOn = {&settings::RenameSettings::lowerCase};
                      o.rules.text(&settings::RenameSettings::prefixText) = "";
                      o.verbosity = Verbosity::Verbose;
                  }},
        ParseCase{"RuleFlagsInTheOrderOfTheSettingsFile",
                  {"--id3", "--title", "--remove-tildes", "--remove-spaces", "list"},
                  [](CliOptions& o) {
                      using R = settings::RenameSettings;
                      o.rules.rulesTurnedOn = {&R::removeSpaces, &R::removeTildes,
                                               &R::firstLetterUpper, &R::supportId3};
                  }},
        ParseCase{
            "SavedRules", {"--saved-rules", "list"}, [](CliOptions& o) { o.savedRules = true; }},
        ParseCase{"InsertAndRemoveCharactersCountsAsNumbers",
                  {"--insert", "x", "--insert-at", "3", "--insert-from-end", "--remove-chars", "2",
                   "--remove-at", "007", "--remove-from-end", "--case-scope", "ext", "preview"},
                  [](CliOptions& o) {
                      using R = settings::RenameSettings;
                      o.command = CliCommand::Preview;
                      o.rules.text(&R::insertedText) = "x";
                      o.rules.text(&R::insertAt) = "3";
                      o.rules.text(&R::removeCount) = "2";
                      o.rules.text(&R::removeAt) = "7";
                      o.rules.rulesTurnedOn = {&R::insertFromEnd, &R::removeFromEnd};
                      o.rules.caseScope = settings::CaseScope::ExtensionOnly;
                  }},
        ParseCase{
            "RegexAndAllMeanTheTextGivenIgnoreCaseBoth",
            {"--replace", "(a)", "--regex", "--all", "--ignore-case", "--case-scope=name", "list"},
            [](CliOptions& o) {
                using R = settings::RenameSettings;
                o.rules.text(&R::replaceFrom) = "(a)";
                o.rules.text(&R::replaceWith) = "";
                o.rules.rulesTurnedOn = {&R::replaceRegex, &R::replaceAllOccurrences};
                o.rules.rulesTurnedOff = {&R::removeMatchCase, &R::replaceMatchCase};
                o.rules.caseScope = settings::CaseScope::NameOnly;
            }},
        ParseCase{"RegexWithoutATextMeansBothSavedTexts",
                  {"--regex", "--remove", "a", "--replace", "b", "list"},
                  [](CliOptions& o) {
                      using R = settings::RenameSettings;
                      o.rules.text(&R::stringToRemove) = "a";
                      o.rules.text(&R::replaceFrom) = "b";
                      o.rules.text(&R::replaceWith) = "";
                      o.rules.rulesTurnedOn = {&R::removeRegex, &R::replaceRegex};
                  }},
        ParseCase{"AllWithoutATextMeansBoth",
                  {"--all", "--case-scope", "both", "list"},
                  [](CliOptions& o) {
                      using R = settings::RenameSettings;
                      o.rules.rulesTurnedOn = {&R::removeAllOccurrences, &R::replaceAllOccurrences};
                      o.rules.caseScope = settings::CaseScope::Both;
                  }},
        ParseCase{
            "MoreRuleFlagsAndTheWidestCounter",
            {"--lower-ext", "--ascii", "--trim", "--natural", "--remove-accents",
             "--continue-counter", "--counter", "123456,999", "--counter-digits", "6", "list"},
            [](CliOptions& o) {
                using R = settings::RenameSettings;
                o.rules.rulesTurnedOn = {&R::naturalOrder,   &R::continueCounter, &R::trimEnds,
                                         &R::collapseSpaces, &R::removeAccents,   &R::latinOnly,
                                         &R::lowerExtension};
                o.rules.text(&R::counterStart) = "123456";
                o.rules.text(&R::counterIncrement) = "999";
                o.rules.counterDigitsIndex = 5;
            }},
        ParseCase{"PresetUnderTheRuleOptions",
                  {"--preset", "Holiday photos", "--upper", "apply"},
                  [](CliOptions& o) {
                      o.command = CliCommand::Apply;
                      o.preset = "Holiday photos";
                      o.rules.rulesTurnedOn = {&settings::RenameSettings::upperCase};
                  }},
        ParseCase{"SavePresetWithYes",
                  {"save-preset", "x-y", "--yes"},
                  [](CliOptions& o) {
                      o.command = CliCommand::SavePreset;
                      o.presetName = "x-y";
                      o.yes = true;
                  }},
        ParseCase{"ListPresets",
                  {"presets", "-q"},
                  [](CliOptions& o) {
                      o.command = CliCommand::ListPresets;
                      o.verbosity = Verbosity::Quiet;
                  }},
        ParseCase{"DeletePreset",
                  {"delete-preset", "a b"},
                  [](CliOptions& o) {
                      o.command = CliCommand::DeletePreset;
                      o.presetName = "a b";
                  }},
        ParseCase{"AnEqualsSignAloneIsAValue",
                  {"--prefix==", "init-settings", "-q"},
                  [](CliOptions& o) {
                      o.command = CliCommand::InitSettings;
                      o.rules.text(&settings::RenameSettings::prefixText) = "=";
                      o.verbosity = Verbosity::Quiet;
                  }}),
    [](const auto& param) { return param.param.name; });

class UsageErrorTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsageErrorTest, IsBadUsage) {
    const ParseOutcome outcome = CliParser::parse(GetParam());
    EXPECT_FALSE(outcome.options.has_value());
    EXPECT_EQ(outcome.exitStatus, 2);
    EXPECT_TRUE(outcome.standardError.starts_with("nameshift-cli: ")) << outcome.standardError;
}

using Arguments = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Cli, UsageErrorTest,
    ::testing::Values(
        Arguments{}, Arguments{"list", "preview"}, Arguments{"list", "--prefix"},
        Arguments{"--prefix-at", "middle", "list"}, Arguments{"--counter-digits", "7", "list"},
        Arguments{"--counter-digits", "0", "list"}, Arguments{"--insert-at", "256", "list"},
        Arguments{"--insert-at", "x", "list"}, Arguments{"--remove-chars", "0", "list"},
        Arguments{"--remove-chars", "256", "list"}, Arguments{"--remove-at", "-1", "list"},
        Arguments{"--remove-at", "1.5", "list"}, Arguments{"--case-scope", "all", "list"},
        Arguments{"--insert", "list"}, Arguments{"save-preset"}, Arguments{"delete-preset"},
        Arguments{"presets", "extra"}, Arguments{"--preset", "list"},
        Arguments{"--counter", "12", "list"}, Arguments{"--with", "x", "list"},
        Arguments{"--attributes", "ax", "list"}, Arguments{"--mask", "*.tar.gz", "list"},
        Arguments{"--dir", "/nonexistent/nowhere", "list"},
        Arguments{"--restore-file", "--no-restore-file", "apply"}, Arguments{"restore"},
        Arguments{"--restore-file", "--history-only", "apply"}, Arguments{"-v", "--quiet", "list"},
        Arguments{"--with=", "list"}, Arguments{"--saved-rules", "--no-settings", "list"},
        Arguments{"help", "list", "apply"}));

TEST(CliParserTest, HelpNamesEveryOptionAndVersionNamesTheTool) {
    const ParseOutcome help = CliParser::parse({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* option : {"--settings-dir",
                               "--saved-rules",
                               "--no-settings",
                               "--dir",
                               "--mask",
                               "--select",
                               "--attributes",
                               "--sort",
                               "--prefix",
                               "--prefix-at",
                               "--counter",
                               "--counter-digits",
                               "--counter-at",
                               "--ext",
                               "--ext-at",
                               "--remove-spaces",
                               "--remove-brackets",
                               "--remove-tildes",
                               "--remove-hyphens",
                               "--remove",
                               "--replace",
                               "--with",
                               "--regex",
                               "--all",
                               "--ignore-case",
                               "--insert",
                               "--insert-at",
                               "--insert-from-end",
                               "--remove-chars",
                               "--remove-at",
                               "--remove-from-end",
                               "--trim",
                               "--remove-accents",
                               "--ascii",
                               "--lower",
                               "--upper",
                               "--title",
                               "--case-scope name|ext|both",
                               "--lower-ext",
                               "--natural",
                               "--continue-counter",
                               "--counter-digits 1..6",
                               "--preset",
                               "--id3",
                               "--id3-format",
                               "--id3-mode",
                               "--date-format",
                               "--number-duplicates",
                               "%9 composer",
                               "--null",
                               "--restore-file",
                               "--no-restore-file",
                               "--history-only",
                               "--yes",
                               "--version",
                               "list",
                               "preview",
                               "apply",
                               "restore",
                               "presets",
                               "save-preset",
                               "delete-preset",
                               "help",
                               "Exit status",
                               "The rules change a name in this order"}) {
        EXPECT_NE(help.standardOutput.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(CliParser::parse({"--version"}).standardOutput, "nameshift-cli 1.0\n");
    EXPECT_EQ(CliParser::parse({"help"}).standardOutput, help.standardOutput);
    const ParseOutcome applyHelp = CliParser::parse({"--lower", "help", "apply"});
    EXPECT_EQ(applyHelp.exitStatus, 0);
    EXPECT_EQ(applyHelp.standardOutput, CliParser::parse({"apply", "--help"}).standardOutput);
    EXPECT_NE(applyHelp.standardOutput.find("--dry-run"), std::string::npos);
}

}  // namespace
}  // namespace nameshift::cli
