#include "cli/CliParser.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <sstream>
#include <string_view>
#include <utility>

#include "cli/ExitStatus.h"
#include "platform/ProgramVersion.h"
#include "settings/RenameSettings.h"

namespace nameshift::cli {
namespace {

constexpr const char* kFooter =
    "Settings come from renset.ini, opt.ini and ID3Opts.ini in the settings directory, as the "
    "dialog program reads them; a missing file gives its defaults. Every rule option overrides "
    "what renset.ini holds. Messages go to standard error as the caption, \": \" and the text: "
    "every failure and refusal, and with --verbose everything the dialog would show.\n"
    "\n"
    "Exit status: 0 done; 1 done, but some renames failed or the restore file could not be "
    "written (each failure listed); 2 refused before any file changed; 3 stopped part way, as "
    "when memory ran out (files renamed until then keep their new names); 64 bad usage.\n"
    "\n"
    "A value that starts with \"-\" is given as --option=VALUE; --option= gives an empty value.";

using Choice = std::pair<std::string_view, int>;

constexpr std::array<Choice, 3> kPositions = {{{"begin", settings::position::kBeginning},
                                               {"end", settings::position::kEnd},
                                               {"replace", settings::position::kReplace}}};
constexpr std::array<Choice, 2> kCounterPositions = {
    {{"prepend", settings::position::kBeginning}, {"append", settings::position::kEnd}}};
constexpr std::array<Choice, 4> kSortKeys = {
    {{"date", static_cast<int>(settings::SortKey::Date)},
     {"extension", static_cast<int>(settings::SortKey::Extension)},
     {"name", static_cast<int>(settings::SortKey::Name)},
     {"size", static_cast<int>(settings::SortKey::Size)}}};

template <std::size_t N>
std::vector<std::string> wordsOf(const std::array<Choice, N>& choices) {
    std::vector<std::string> words;
    for (const Choice& choice : choices) {
        words.emplace_back(choice.first);
    }
    return words;
}

// The choices go in the option's type name, so the validator's own description would only repeat
// them in the help text.
template <std::size_t N>
CLI::Validator oneOf(const std::array<Choice, N>& choices) {
    return CLI::IsMember(wordsOf(choices)).description("");
}

template <std::size_t N>
int valueOf(const std::array<Choice, N>& choices, const std::string& word) {
    const auto found = std::find_if(choices.begin(), choices.end(),
                                    [&](const Choice& choice) { return choice.first == word; });
    return found->second;
}

// The dialog's mask list holds "*.*" and "*" + one extension; nothing else can be chosen there.
std::string checkMask(const std::string& mask) {
    if (mask == "*.*") {
        return {};
    }
    const std::string_view extension =
        std::string_view(mask).substr(std::min<std::size_t>(2, mask.size()));
    if (mask.size() < 3 || mask.compare(0, 2, "*.") != 0 ||
        extension.find_first_of(".*?[/") != std::string_view::npos) {
        return "must be *.* or * followed by one extension, such as *.txt";
    }
    return {};
}

std::string checkCounter(const std::string& counter) {
    if (std::count(counter.begin(), counter.end(), ',') != 1) {
        return "must be START,STEP, such as 1,1";
    }
    return {};
}

std::string checkAttributes(const std::string& letters) {
    if (letters.find_first_not_of("ahrs") != std::string::npos) {
        return "takes only the letters a (archive), h (hidden), r (read-only), s (system)";
    }
    return {};
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

// The command line as the parser fills it: plain strings and flags, turned into CliOptions once
// every option is known to be well formed.
struct RawArguments {
    std::string prefixAt, counter, counterAt, extAt, sort, id3Mode;
    int counterDigits = 0;
    bool restoreFile = false;
    bool noRestoreFile = false;
};

}  // namespace

ParseOutcome CliParser::parse(const std::vector<std::string>& arguments) {
    CliOptions options;
    RawArguments raw;
    RuleOverrides& rules = options.rules;

    const CLI::Validator existingDirectory = CLI::Validator(CLI::ExistingDirectory).description("");

    CLI::App app{
        "Lists, previews, applies and restores batch renames with the engine, settings files "
        "and restore files of Nameshift Pro.",
        "nameshift-cli"};
    app.set_version_flag("--version", std::string("nameshift-cli ") + platform::kProgramVersion,
                         "Print the version and exit");
    app.footer(kFooter);
    app.require_subcommand(1);
    app.fallthrough();

    app.add_option("--settings-dir", options.settingsDirectory,
                   "Where renset.ini, opt.ini and ID3Opts.ini are read and saved (default: "
                   "$XDG_CONFIG_HOME/nameshift or ~/.config/nameshift, as for the program started "
                   "from the menu; . for the current directory)")
        ->check(existingDirectory)
        ->type_name("DIR");
    app.add_flag("--no-settings", options.noSettings,
                 "Skip renset.ini and start from the rules used when it cannot be read");
    CLI::Option* directory =
        app.add_option("--dir",
                       "The directory whose files are listed and renamed (default: the current "
                       "directory)")
            ->check(existingDirectory)
            ->type_name("DIR");
    app.add_option("--mask", options.mask,
                   "List only the files with this extension, such as *.txt (default: *.*)")
        ->check(CLI::Validator(checkMask, ""))
        ->type_name("PATTERN");
    app.add_option("--select", options.selectGlobs,
                   "Select the listed files whose names match this glob; repeatable (default: "
                   "every listed file)")
        ->allow_extra_args(false)
        ->type_name("GLOB");
    CLI::Option* attributes =
        app.add_option("--attributes",
                       "List files with any of these attributes: a archive (regular file), h "
                       "hidden (dot file), r read-only, s system (not a regular file)")
            ->check(CLI::Validator(checkAttributes, ""))
            ->type_name("LETTERS");
    CLI::Option* sort = app.add_option("--sort", raw.sort, "Sort the list by this key")
                            ->check(oneOf(kSortKeys))
                            ->type_name("date|extension|name|size");

    CLI::Option* prefix =
        app.add_option("--prefix", "Change Prefix: add or put this text")->type_name("TEXT");
    CLI::Option* prefixAt = app.add_option("--prefix-at", raw.prefixAt, "Where the prefix goes")
                                ->check(oneOf(kPositions))
                                ->type_name("begin|end|replace");
    CLI::Option* counter =
        app.add_option("--counter", raw.counter,
                       "Use Counter: start at START (up to 2 digits), add STEP (up to 2 digits, "
                       "not zero) for each file")
            ->check(CLI::Validator(checkCounter, ""))
            ->type_name("START,STEP");
    CLI::Option* counterDigits = app.add_option("--counter-digits", raw.counterDigits,
                                                "Pad the counter with zeros to this many digits")
                                     ->check(CLI::Range(1, 4).description(""))
                                     ->type_name("1..4");
    CLI::Option* counterAt = app.add_option("--counter-at", raw.counterAt, "Where the counter goes")
                                 ->check(oneOf(kCounterPositions))
                                 ->type_name("prepend|append");
    CLI::Option* extension =
        app.add_option("--ext", "Change Extension: add or put this text")->type_name("TEXT");
    CLI::Option* extAt = app.add_option("--ext-at", raw.extAt, "Where the extension text goes")
                             ->check(oneOf(kPositions))
                             ->type_name("begin|end|replace");
    app.add_flag("--remove-spaces", rules.removeSpaces, "Remove all spaces");
    app.add_flag("--remove-brackets", rules.removeBrackets, "Remove all square brackets");
    app.add_flag("--remove-tildes", rules.removeTildes, "Remove all tildes");
    app.add_flag("--remove-hyphens", rules.removeHyphens, "Remove all hyphens");
    CLI::Option* remove =
        app.add_option("--remove", "Remove the first occurrence of this text")->type_name("TEXT");
    CLI::Option* replace =
        app.add_option("--replace", "Replace the first occurrence of this text by the --with text")
            ->type_name("FROM");
    CLI::Option* with = app.add_option("--with", "The replacement for --replace (default: empty)")
                            ->type_name("TO")
                            ->needs(replace);
    app.add_flag("--lower", rules.lowerCase, "Make all lower case");
    app.add_flag("--upper", rules.upperCase, "Make all upper case");
    app.add_flag("--title", rules.firstLetterUpper,
                 "Make the first letter of each word upper case");
    app.add_flag("--id3", rules.supportId3,
                 "Name MP3 files from their ID3 tags, by the mode and format of ID3Opts.ini");
    CLI::Option* id3Format =
        app.add_option("--id3-format",
                       "The ID3 name format: %1 album, %2 artist, %3 genre, %4 track name, %5 "
                       "track number, %6 year")
            ->type_name("FMT");
    CLI::Option* id3Mode =
        app.add_option("--id3-mode", raw.id3Mode,
                       "When frames are missing: 0 rename by the rules, 1 keep the old name, 2 "
                       "use the frames that are there")
            ->check(CLI::IsMember({"0", "1", "2"}).description(""))
            ->type_name("0|1|2");

    app.add_flag("-0,--null", options.nullSeparated,
                 "Separate names with NUL bytes instead of tabs and newlines");
    CLI::Option* restoreFile = app.add_flag("--restore-file", raw.restoreFile,
                                            "apply: write restore.dat whatever opt.ini says");
    app.add_flag("--no-restore-file", raw.noRestoreFile,
                 "apply: write no restore file whatever opt.ini says")
        ->excludes(restoreFile);
    app.add_flag("--yes", options.yes,
                 "apply: replace an existing restore.dat; save-settings: replace renset.ini");
    bool verbose = false;
    bool quiet = false;
    CLI::Option* verboseFlag =
        app.add_flag("-v,--verbose", verbose,
                     "Also print each rename as OLD -> NEW, the directory worked in, and the "
                     "messages that only report, such as a missing settings file");
    app.add_flag("-q,--quiet", quiet, "Print nothing but failures and refusals")
        ->excludes(verboseFlag);

    CLI::App* list = app.add_subcommand("list", "Print the listed file names, one a line");
    CLI::App* previewCommand = app.add_subcommand(
        "preview", "Print each selected file's old name, a tab and its new name, one a line");
    CLI::App* apply = app.add_subcommand("apply", "Rename the selected files");
    CLI::App* restore = app.add_subcommand(
        "restore", "Rename the files of a restore file back and delete the file");
    restore->add_option("FILE", options.restoreFilePath, "The restore file, such as restore.dat")
        ->required();
    CLI::App* saveSettings = app.add_subcommand(
        "save-settings",
        "Write renset.ini from its rules and the rule options given, as the program's Save "
        "settings does");
    CLI::App* initSettings = app.add_subcommand(
        "init-settings",
        "Write each of renset.ini, opt.ini and ID3Opts.ini that is missing with the defaults the "
        "program saves; files that are there stay as they are");
    CLI::App* recover = app.add_subcommand(
        "recover",
        "List the batches that were interrupted (a crash, a power cut) before their end; with "
        "--undo or --finish, give their files their old names back or finish them");
    CLI::Option* undo =
        recover->add_flag("--undo", options.recoverUndo, "Give every file its old name back");
    recover->add_flag("--finish", options.recoverFinish, "Finish the batch and write its record")
        ->excludes(undo);
    // Options of the program are taken after the command as well, but a short option that is a
    // digit would there be taken for a stray argument unless the command knows it too.
    for (CLI::App* command :
         {list, previewCommand, apply, restore, saveSettings, initSettings, recover}) {
        command->add_flag("-0", options.nullSeparated)->group("");
    }

    ParseOutcome outcome;
    std::vector<std::string> reversed = withEmptyValuesSplit(arguments);
    std::reverse(reversed.begin(), reversed.end());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        std::ostringstream out;
        std::ostringstream err;
        app.exit(error, out, err);
        outcome.standardOutput = out.str();
        outcome.standardError = err.str();
        outcome.exitStatus =
            error.get_exit_code() == 0 ? exit_status::kDone : exit_status::kBadUsage;
        return outcome;
    }

    if (list->parsed()) {
        options.command = CliCommand::List;
    } else if (previewCommand->parsed()) {
        options.command = CliCommand::Preview;
    } else if (apply->parsed()) {
        options.command = CliCommand::Apply;
    } else if (restore->parsed()) {
        options.command = CliCommand::Restore;
    } else if (saveSettings->parsed()) {
        options.command = CliCommand::SaveSettings;
    } else if (recover->parsed()) {
        options.command = CliCommand::Recover;
    } else {
        options.command = CliCommand::InitSettings;
    }
    if (verbose) {
        options.verbosity = Verbosity::Verbose;
    } else if (quiet) {
        options.verbosity = Verbosity::Quiet;
    }
    if (directory->count() > 0) {
        options.directory = directory->as<std::string>();
    }
    if (attributes->count() > 0) {
        rules.attributes = attributes->as<std::string>();
    }
    if (sort->count() > 0) {
        rules.sortIndex = valueOf(kSortKeys, raw.sort);
    }
    if (prefix->count() > 0) {
        rules.prefix = prefix->as<std::string>();
    }
    if (prefixAt->count() > 0) {
        rules.prefixPosition = valueOf(kPositions, raw.prefixAt);
    }
    if (counter->count() > 0) {
        const auto comma = raw.counter.find(',');
        rules.counterStart = raw.counter.substr(0, comma);
        rules.counterIncrement = raw.counter.substr(comma + 1);
    }
    if (counterDigits->count() > 0) {
        rules.counterDigitsIndex = raw.counterDigits - 1;
    }
    if (counterAt->count() > 0) {
        rules.counterPosition = valueOf(kCounterPositions, raw.counterAt);
    }
    if (extension->count() > 0) {
        rules.extension = extension->as<std::string>();
    }
    if (extAt->count() > 0) {
        rules.extensionPosition = valueOf(kPositions, raw.extAt);
    }
    if (remove->count() > 0) {
        rules.stringToRemove = remove->as<std::string>();
    }
    if (replace->count() > 0) {
        rules.replaceFrom = replace->as<std::string>();
        rules.replaceWith = with->count() > 0 ? with->as<std::string>() : std::string();
    }
    if (id3Format->count() > 0) {
        rules.id3Format = id3Format->as<std::string>();
    }
    if (id3Mode->count() > 0) {
        rules.id3Mode = raw.id3Mode.front() - '0';
    }
    if (raw.restoreFile) {
        options.restoreFile = RestoreFileChoice::Create;
    } else if (raw.noRestoreFile) {
        options.restoreFile = RestoreFileChoice::None;
    }
    outcome.options = std::move(options);
    return outcome;
}

}  // namespace nameshift::cli
