#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "cli/CliOptions.h"
#include "settings/RenameSettings.h"

namespace CLI {
class Option;
}  // namespace CLI

namespace nameshift::cli {

// What an option's value is, which says how it is checked and how the shells complete it.
enum class ValueKind {
    Help,         // CLI11's own help flag
    Version,      // CLI11's own version flag
    Flag,         // no value
    Text,         // any text
    Repeated,     // any text, given once per value
    Directory,    // an existing directory
    Choice,       // one of the words of `choices`
    Count,        // a whole number from `least` to `most`
    Preset,       // the name of a saved preset
    RestoreFile,  // a restore file, such as restore.dat
    Command,      // one of the tool's commands
};

// The subsection of the manual's OPTIONS that describes an option.
enum class OptionGroup { Settings, Listing, Rules, Id3, Output, Command };

// Sets anything an option needs beyond one field; the option was given.
using OptionSetter = void (*)(CliOptions& options, const CLI::Option& given);

// What an option that is given sets: a field of the run's options, a rule it turns on, a text of
// kRuleTexts, an override of the rules, or whatever a setter does.
using OptionTarget =
    std::variant<std::monostate, bool CliOptions::*, std::string CliOptions::*,
                 std::optional<std::string> CliOptions::*, std::vector<std::string> CliOptions::*,
                 bool settings::RenameSettings::*, std::string settings::RenameSettings::*,
                 std::optional<std::string> RuleOverrides::*,
                 std::optional<settings::Position> RuleOverrides::*,
                 std::optional<settings::SortKey> RuleOverrides::*, OptionSetter>;

// One option of the command line, from which the parser, its help, the shell completions and the
// manual all come.
struct CliOptionRow {
    const char* names = nullptr;  // as CLI11 takes them, "-v,--verbose"; a positional's "FILE"
    ValueKind kind = ValueKind::Flag;
    const char* valueName = nullptr;  // the help's word for the value
    const char* choices = nullptr;    // "begin|end|replace"
    int least = 0;                    // the range of a count
    int most = 0;
    std::string (*check)(const std::string& value) = nullptr;  // an error, or empty
    OptionTarget target{};
    OptionGroup group = OptionGroup::Settings;
    const char* command = nullptr;   // the command whose own option it is; none: the tool's
    const char* excludes = nullptr;  // the name of an option of an earlier row
    const char* needs = nullptr;
    bool required = false;
    const char* help = nullptr;  // none: a hidden option
    // The head of the manual's item, in mdoc; none: made of the names and the value.
    const char* manualHead = nullptr;
    // The paragraph of the manual's item, in mdoc; none: the item of an earlier row tells it.
    const char* manual = nullptr;
};

// A command of the tool.
struct CliCommandRow {
    const char* name = nullptr;
    std::optional<CliCommand> command;  // none: help, which runs nothing
    const char* help = nullptr;
};

// Every option in the order of the help, every command in the order of the help.
std::span<const CliOptionRow> cliOptionRows();
std::span<const CliCommandRow> cliCommandRows();

// The names of a row, "-v,--verbose" as {"-v", "--verbose"}.
std::vector<std::string> namesOf(const CliOptionRow& row);
// The words of a choice, or the numbers of a short count; empty for any other value.
std::vector<std::string> valuesOf(const CliOptionRow& row);
// A help line up to its first "; " or " (default", for the lists of the shells.
std::string briefOf(const char* help);
std::string joined(const std::vector<std::string>& words, const std::string& separator);

}  // namespace nameshift::cli
