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
                  {"--sort", "size", "--attributes", "ah", "--select", "a*", "--select", "b c",
                   "--id3", "--id3-mode", "1", "--no-restore-file", "restore", "old batch.dat"},
                  [](CliOptions& o) {
                      o.command = CliCommand::Restore;
                      o.restoreFilePath = "old batch.dat";
                      o.rules.sortKey = settings::SortKey::Size;
                      o.rules.attributes = "ah";
                      o.selectGlobs = {"a*", "b c"};
                      o.rules.rulesTurnedOn = {&settings::RenameSettings::supportId3};
                      o.rules.id3Mode = settings::Id3RenameMode::AllOrKeep;
                      o.restoreFile = RestoreFileChoice::None;
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
        Arguments{"--prefix-at", "middle", "list"}, Arguments{"--counter-digits", "5", "list"},
        Arguments{"--counter", "12", "list"}, Arguments{"--with", "x", "list"},
        Arguments{"--attributes", "ax", "list"}, Arguments{"--mask", "*.tar.gz", "list"},
        Arguments{"--dir", "/nonexistent/nowhere", "list"},
        Arguments{"--restore-file", "--no-restore-file", "apply"}, Arguments{"restore"},
        Arguments{"-v", "--quiet", "list"}, Arguments{"--with=", "list"},
        Arguments{"--saved-rules", "--no-settings", "list"}, Arguments{"help", "list", "apply"}));

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
                               "--lower",
                               "--upper",
                               "--title",
                               "--id3",
                               "--id3-format",
                               "--id3-mode",
                               "--null",
                               "--restore-file",
                               "--no-restore-file",
                               "--yes",
                               "--version",
                               "list",
                               "preview",
                               "apply",
                               "restore",
                               "help",
                               "Exit status"}) {
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
