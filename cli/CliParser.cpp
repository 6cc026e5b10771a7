#include "cli/CliParser.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstddef>
#include <deque>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/CliOptionTable.h"
#include "cli/ExitStatus.h"
#include "cli/RuleTexts.h"
#include "platform/ProgramVersion.h"
#include "settings/RenameSettings.h"

namespace nameshift::cli {
namespace {

constexpr const char* kToolName = "nameshift-cli";

constexpr const char* kFooter =
    "The rename rules are the rule options given, over the rules of a start without renset.ini; "
    "with --saved-rules, over the rules saved in renset.ini; with --preset, over those of the "
    "preset put over either. opt.ini and ID3Opts.ini come from "
    "the settings directory, as the dialog program reads them; a missing file gives its "
    "defaults. Messages go to standard error as the caption, \": \" and the text: every failure "
    "and refusal, and with --verbose everything the dialog would show.\n"
    "\n"
    "Exit status: 0 done; 1 done, but some renames failed or the restore file could not be "
    "written (each failure listed); 2 refused before any file changed, or a command line that "
    "cannot be read; 3 stopped part way, as when memory ran out (files renamed until then keep "
    "their new names).\n"
    "\n"
    "A value that starts with \"-\" is given as --option=VALUE; --option= gives an empty value.\n"
    "\n"
    "The rules change a name in this order: prefix, counter, extension, the removals of spaces, "
    "brackets, tildes and hyphens, remove string, replace string, insert, remove characters, "
    "trim, accents and ASCII, letter case (in its scope), lower-case extension.";

// The number of single-character edits, a swap of neighbours counting as one, that turn `from`
// into `to`.
std::size_t editDistance(std::string_view from, std::string_view to) {
    std::vector<std::vector<std::size_t>> d(from.size() + 1,
                                            std::vector<std::size_t>(to.size() + 1));
    for (std::size_t i = 0; i <= from.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= to.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= from.size(); ++i) {
        for (std::size_t j = 1; j <= to.size(); ++j) {
            const std::size_t changed = from[i - 1] == to[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + changed});
            if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[from.size()][to.size()];
}

// The command a mistyped word most likely meant: the nearest, when a slip of a key or two (one
// in three letters) explains the difference; none when nothing is that near.
std::optional<std::string> nearestCommand(const std::string& word,
                                          const std::vector<std::string>& commands) {
    const std::size_t allowed = std::max<std::size_t>(1, word.size() / 3);
    std::optional<std::string> nearest;
    std::size_t nearestDistance = allowed + 1;
    for (const std::string& command : commands) {
        const std::size_t distance = editDistance(word, command);
        if (distance < nearestDistance) {
            nearest = command;
            nearestDistance = distance;
        }
    }
    return nearest;
}

ParseOutcome usageError(const std::string& message) {
    ParseOutcome outcome;
    outcome.exitStatus = exit_status::kBadUsage;
    outcome.standardError = std::string(kToolName) + ": " + message + "\nRun \"" + kToolName +
                            " --help\" for the options and commands.\n";
    return outcome;
}

ParseOutcome unknownCommand(const std::string& word, const std::vector<std::string>& commands) {
    const std::optional<std::string> nearest = nearestCommand(word, commands);
    return usageError("unknown command \"" + word + "\"" +
                      (nearest ? "; did you mean \"" + *nearest + "\"?" : std::string()));
}

// "--with=" is the option with an empty value, but the parser would take the next argument for
// its value; given as two arguments, the empty one is the value.
std::vector<std::string> withEmptyValuesSplit(const std::vector<std::string>& arguments) {
    std::vector<std::string> split;
    split.reserve(arguments.size());
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument.size() > 3 && argument.starts_with("--") &&
            argument.find('=') == argument.size() - 1) {
            split.push_back(argument.substr(0, argument.size() - 1));
            split.emplace_back();
            continue;
        }
        optionsEnded = optionsEnded || argument == "--";
        split.push_back(argument);
    }
    return split;
}

template <typename... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <typename... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

// The tool's command line: its commands and options registered from their tables, then one
// parse that fills CliOptions from them.
class CommandLine {
public:
    CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    ParseOutcome parse(const std::vector<std::string>& arguments);

private:
    // The tool, or the command whose own option the row gives; "*": every command but help.
    std::vector<CLI::App*> appsOf(const CliOptionRow& row);
    void addOption(std::size_t row);
    // What the row's value may be, and with which other options it may be given.
    void constrain(CLI::App& app, const CliOptionRow& row, CLI::Option& option) const;
    void take(const CliOptionRow& row, const CLI::Option& given);
    void takeRuleText(const CliOptionRow& row, std::string settings::RenameSettings::*field,
                      const CLI::Option& given);

    std::vector<std::string> commandNames() const;
    // A word where the command goes that names none, when that is what went wrong.
    std::optional<std::string> unknownCommandWord() const;
    // What --help prints, for the tool or for `command`.
    ParseOutcome helpFor(const std::string& command) const;
    // The command given; none for help.
    std::optional<CliCommand> parsedCommand() const;

    CliOptions options_;
    // Whether each row's flag was given; a deque, as the parser holds on to each of them.
    std::deque<bool> flagsGiven_;
    std::vector<CLI::Option*> rowOptions_;  // the option of each row
    CLI::App app_{
        "Lists, previews, applies and restores batch renames with the engine, settings files "
        "and restore files of Nameshift Pro.",
        "nameshift-cli"};
    std::vector<CLI::App*> commands_;  // by the rows of cliCommandRows()
};

CommandLine::CommandLine()
    : flagsGiven_(cliOptionRows().size()), rowOptions_(cliOptionRows().size()) {
    // The commands take the footer and the count of commands from the tool.
    app_.footer(kFooter);
    app_.require_subcommand(1);
    app_.fallthrough();
    for (const CliCommandRow& command : cliCommandRows()) {
        commands_.push_back(app_.add_subcommand(command.name, command.help));
    }
    for (std::size_t row = 0; row < cliOptionRows().size(); ++row) {
        addOption(row);
    }
}

std::vector<CLI::App*> CommandLine::appsOf(const CliOptionRow& row) {
    if (row.command == nullptr) {
        return {&app_};
    }
    std::vector<CLI::App*> apps;
    for (std::size_t index = 0; index < commands_.size(); ++index) {
        const CliCommandRow& command = cliCommandRows()[index];
        if (std::string_view(row.command) == "*" ? command.command.has_value()
                                                 : row.command == std::string_view(command.name)) {
            apps.push_back(commands_[index]);
        }
    }
    return apps;
}

void CommandLine::addOption(std::size_t index) {
    const CliOptionRow& row = cliOptionRows()[index];
    const std::string help = row.help == nullptr ? "" : row.help;
    for (CLI::App* app : appsOf(row)) {
        CLI::Option* option = nullptr;
        switch (row.kind) {
            case ValueKind::Help:
                option = app->set_help_flag(row.names, help);
                break;
            case ValueKind::Version:
                option = app->set_version_flag(
                    row.names, std::string(kToolName) + " " + platform::kProgramVersion, help);
                break;
            case ValueKind::Flag:
                option = app->add_flag(row.names, flagsGiven_[index], help);
                break;
            default:
                option = app->add_option(row.names, help)
                             ->type_name(row.valueName != nullptr ? row.valueName : row.choices);
                break;
        }
        constrain(*app, row, *option);
        rowOptions_.at(index) = option;
    }
}

void CommandLine::constrain(CLI::App& app, const CliOptionRow& row, CLI::Option& option) const {
    if (row.kind == ValueKind::Repeated) {
        option.expected(CLI::detail::expected_max_vector_size)->allow_extra_args(false);
    }
    // The choices and the range are in the option's type name, so the validators' own
    // descriptions would only repeat them in the help text.
    if (row.kind == ValueKind::Directory) {
        option.check(CLI::Validator(CLI::ExistingDirectory).description(""));
    } else if (row.kind == ValueKind::Choice) {
        option.check(CLI::IsMember(valuesOf(row)).description(""));
    } else if (row.kind == ValueKind::Count) {
        option.check(CLI::Range(row.least, row.most).description(""));
    } else if (row.check != nullptr) {
        option.check(CLI::Validator(row.check, ""));
    }
    if (row.required) {
        option.required();
    }
    if (row.excludes != nullptr) {
        option.excludes(app.get_option(row.excludes));
    }
    if (row.needs != nullptr) {
        option.needs(app.get_option(row.needs));
    }
    if (row.help == nullptr) {
        option.group("");
    }
}

void CommandLine::take(const CliOptionRow& row, const CLI::Option& given) {
    using R = settings::RenameSettings;
    RuleOverrides& rules = options_.rules;
    const auto choice = [&] {
        const std::vector<std::string> words = valuesOf(row);
        const auto word = std::find(words.begin(), words.end(), given.as<std::string>());
        return static_cast<int>(word - words.begin());
    };
    std::visit(
        Overloaded{
            [](std::monostate) {},
            [&](bool CliOptions::*field) { options_.*field = true; },
            [&](std::string CliOptions::*field) { options_.*field = given.as<std::string>(); },
            [&](std::optional<std::string> CliOptions::*field) {
                options_.*field = given.as<std::string>();
            },
            [&](std::vector<std::string> CliOptions::*field) {
                options_.*field = given.as<std::vector<std::string>>();
            },
            [&](bool R::*rule) { rules.rulesTurnedOn.push_back(rule); },
            [&](std::string R::*field) { takeRuleText(row, field, given); },
            [&](std::optional<std::string> RuleOverrides::*field) {
                rules.*field = given.as<std::string>();
            },
            [&](std::optional<settings::Position> RuleOverrides::*field) {
                rules.*field = settings::choiceAt<settings::Position>(choice());
            },
            [&](std::optional<settings::SortKey> RuleOverrides::*field) {
                rules.*field = settings::choiceAt<settings::SortKey>(choice());
            },
            [&](OptionSetter set) { set(options_, given); },
        },
        row.target);
}

void CommandLine::takeRuleText(const CliOptionRow& row,
                               std::string settings::RenameSettings::*field,
                               const CLI::Option& given) {
    RuleOverrides& rules = options_.rules;
    rules.text(field) =
        row.kind == ValueKind::Count ? std::to_string(given.as<int>()) : given.as<std::string>();
    // Given alone, the text that completes this one is empty; its own option, later in the
    // table, gives it otherwise.
    for (const RuleText& text : kRuleTexts) {
        if (text.completes == field && !rules.text(text.field)) {
            rules.text(text.field) = std::string();
        }
    }
}

ParseOutcome CommandLine::parse(const std::vector<std::string>& arguments) {
    ParseOutcome outcome;
    std::vector<std::string> reversed = withEmptyValuesSplit(arguments);
    std::reverse(reversed.begin(), reversed.end());
    try {
        app_.parse(reversed);
        const std::optional<CliCommand> command = parsedCommand();
        if (!command) {
            const CLI::Option* topic = app_.get_subcommand("help")->get_option("COMMAND");
            return helpFor(topic->count() > 0 ? topic->as<std::string>() : std::string());
        }
        options_.command = *command;
        for (std::size_t row = 0; row < cliOptionRows().size(); ++row) {
            const CLI::Option& option = *rowOptions_.at(row);
            if (cliOptionRows()[row].kind == ValueKind::Flag ? flagsGiven_[row]
                                                             : option.count() > 0) {
                take(cliOptionRows()[row], option);
            }
        }
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() != 0) {
            if (const std::optional<std::string> word = unknownCommandWord()) {
                return unknownCommand(*word, commandNames());
            }
            if (app_.get_subcommands().empty() &&
                dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
                std::string names;
                for (const std::string& name : commandNames()) {
                    names += (names.empty() ? "" : ", ") + name;
                }
                return usageError("no command given; the commands are " + names);
            }
            return usageError(error.what());
        }
        std::ostringstream out;
        std::ostringstream err;
        app_.exit(error, out, err);
        outcome.standardOutput = out.str();
        outcome.standardError = err.str();
        return outcome;
    }
    outcome.options = std::move(options_);
    return outcome;
}

std::vector<std::string> CommandLine::commandNames() const {
    std::vector<std::string> names;
    for (const CLI::App* command : app_.get_subcommands({})) {
        names.push_back(command->get_name());
    }
    return names;
}

std::optional<std::string> CommandLine::unknownCommandWord() const {
    if (!app_.get_subcommands().empty()) {
        return std::nullopt;
    }
    for (const std::string& argument : app_.remaining()) {
        if (!argument.starts_with('-')) {
            return argument;
        }
    }
    return std::nullopt;
}

ParseOutcome CommandLine::helpFor(const std::string& command) const {
    const std::vector<std::string> commands = commandNames();
    if (command.empty()) {
        return CommandLine().parse({"--help"});
    }
    if (std::find(commands.begin(), commands.end(), command) == commands.end()) {
        return unknownCommand(command, commands);
    }
    return CommandLine().parse({command, "--help"});
}

std::optional<CliCommand> CommandLine::parsedCommand() const {
    for (std::size_t index = 0; index < commands_.size(); ++index) {
        if (commands_[index]->parsed()) {
            return cliCommandRows()[index].command;
        }
    }
    return std::nullopt;
}

}  // namespace

ParseOutcome CliParser::parse(const std::vector<std::string>& arguments) {
    CommandLine commandLine;
    return commandLine.parse(arguments);
}

}  // namespace nameshift::cli
