#include "cli/CliParser.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "cli/ExitStatus.h"
#include "cli/RuleTexts.h"
#include "platform/ProgramVersion.h"
#include "settings/RenameSettings.h"
#include "settings/RenameSettingsFile.h"

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

// The words of an option and the choices they stand for.
template <typename Value, std::size_t N>
using Choices = std::array<std::pair<std::string_view, Value>, N>;

using settings::CaseScope;
using settings::Position;
using settings::SortKey;
using R = settings::RenameSettings;

constexpr Choices<Position, 3> kPositions = {
    {{"begin", Position::Beginning}, {"end", Position::End}, {"replace", Position::Replace}}};
constexpr Choices<Position, 2> kCounterPositions = {
    {{"prepend", Position::Beginning}, {"append", Position::End}}};
constexpr Choices<SortKey, 4> kSortKeys = {{{"date", SortKey::Date},
                                            {"extension", SortKey::Extension},
                                            {"name", SortKey::Name},
                                            {"size", SortKey::Size}}};
constexpr Choices<CaseScope, 3> kCaseScopes = {
    {{"name", CaseScope::NameOnly}, {"ext", CaseScope::ExtensionOnly}, {"both", CaseScope::Both}}};

// The longest base name has 255 characters; a count of them goes no further.
constexpr int kLongestCount = 255;

// The flags of the "More rules" group that turn rules on, in the order of their help. The
// regular expression, all-occurrences and match-case flags depend on the texts given, by hand.
struct MoreRuleFlag {
    const char* name = nullptr;
    bool R::*rule = nullptr;
    bool R::*alsoRule = nullptr;  // a second rule the same flag turns on
    const char* help = nullptr;
};
constexpr std::array<MoreRuleFlag, 1> kInsertFlags = {{
    {"--insert-from-end", &R::insertFromEnd, nullptr,
     "Count the --insert-at characters from the end of the base name"},
}};
constexpr std::array<MoreRuleFlag, 1> kRemoveCharacterFlags = {{
    {"--remove-from-end", &R::removeFromEnd, nullptr,
     "Count the --remove-at characters from the end of the base name"},
}};
constexpr std::array<MoreRuleFlag, 3> kTidyingFlags = {{
    {"--trim", &R::trimEnds, &R::collapseSpaces,
     "Trim spaces, dots, underscores and hyphens from both ends of the base name and make each "
     "run of spaces one"},
    {"--remove-accents", &R::removeAccents, nullptr, "Take the accents off letters"},
    {"--ascii", &R::latinOnly, nullptr, "Spell every letter in plain ASCII"},
}};
constexpr std::array<MoreRuleFlag, 1> kLetterCaseFlags = {{
    {"--lower-ext", &R::lowerExtension, nullptr, "Make the extension lower case"},
}};
constexpr std::array<MoreRuleFlag, 1> kCounterFlags = {{
    {"--continue-counter", &R::continueCounter, nullptr,
     "Start the counter where the last batch in the directory stopped"},
}};
constexpr std::array<MoreRuleFlag, 2> kSortFlags = {{
    {"--natural", &R::naturalOrder, nullptr,
     "Sort names by the value of their numbers, file2 before file10"},
    {"--number-duplicates", &R::numberDuplicates, nullptr,
     "Give files that would get one name \" (2)\", \" (3)\" before the extension, in list "
     "order, instead of refusing the batch"},
}};

template <typename Value, std::size_t N>
std::vector<std::string> wordsOf(const Choices<Value, N>& choices) {
    std::vector<std::string> words;
    for (const auto& choice : choices) {
        words.emplace_back(choice.first);
    }
    return words;
}

// The choices go in the option's type name, so the validator's own description would only repeat
// them in the help text.
template <typename Value, std::size_t N>
CLI::Validator oneOf(const Choices<Value, N>& choices) {
    return CLI::IsMember(wordsOf(choices)).description("");
}

template <typename Value, std::size_t N>
Value valueOf(const Choices<Value, N>& choices, const std::string& word) {
    const auto found = std::find_if(choices.begin(), choices.end(),
                                    [&](const auto& choice) { return choice.first == word; });
    return found->second;
}

// A batch's number is digits alone, as history prints it: "-1" would read as 2^64 - 1.
std::string checkBatchNumber(const std::string& number) {
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        return "\"" + number + "\" is not a batch's number; history prints them";
    }
    return {};
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

// The command line as the parser fills it: plain strings and flags, turned into CliOptions once
// every option is known to be well formed.
struct RawArguments {
    std::string prefixAt, counter, counterAt, extAt, sort, id3Mode, caseScope;
    int counterDigits = 0;
    int insertAt = 0;
    int removeCount = 0;
    int removeAt = 0;
    bool regex = false;
    bool allOccurrences = false;
    bool ignoreCase = false;
    bool restoreFile = false;
    bool noRestoreFile = false;
};

// The tool's command line: its options and commands declared once, then one parse that fills
// CliOptions from them.
class CommandLine {
public:
    CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    ParseOutcome parse(const std::vector<std::string>& arguments);

private:
    void addSettingsOptions();
    void addListingOptions();
    void addNameTextOptions();
    void addCleanUpOptions();
    void addMatchingOptions();
    void addInsertOptions();
    template <std::size_t N>
    void addMoreRuleFlags(const std::array<MoreRuleFlag, N>& flags);
    // The flags renset.ini's table gives the rules of `group`, in the order of the file.
    void addRuleFlags(settings::OptionGroup group);
    // The options of the texts of kRuleTexts that go at `place`, in the order of the table.
    void addRuleTexts(TextPlace place);
    void addId3Options();
    void addOutputOptions();
    void addCommands();

    std::vector<std::string> commandNames() const;
    // A word where the command goes that names none, when that is what went wrong.
    std::optional<std::string> unknownCommandWord() const;
    // What --help prints, for the tool or for `command`.
    ParseOutcome helpFor(const std::string& command) const;
    CliCommand parsedCommand() const;
    void takeListingValues();
    void takeRuleValues();
    void takeMoreRuleValues();
    void takeOutputValues();

    CliOptions options_;
    RawArguments raw_;
    bool verbose_ = false;
    bool quiet_ = false;
    std::string helpTopic_;
    // A rule's flag and whether it was given; a deque, as the parser holds on to each `given`.
    struct RuleFlag {
        bool settings::RenameSettings::*rule = nullptr;
        bool settings::RenameSettings::*alsoRule = nullptr;
        bool given = false;
    };
    std::deque<RuleFlag> ruleFlags_;
    // The option of each row of kRuleTexts; none for the texts given by a hand-made option.
    std::array<CLI::Option*, kRuleTexts.size()> ruleTextOptions_{};
    CLI::App app_{
        "Lists, previews, applies and restores batch renames with the engine, settings files "
        "and restore files of Nameshift Pro.",
        "nameshift-cli"};
    const CLI::Validator existingDirectory_ =
        CLI::Validator(CLI::ExistingDirectory).description("");

    // The options whose values are taken only when they are given.
    CLI::Option* directory_ = nullptr;
    CLI::Option* attributes_ = nullptr;
    CLI::Option* sort_ = nullptr;
    CLI::Option* prefixAt_ = nullptr;
    CLI::Option* counter_ = nullptr;
    CLI::Option* counterDigits_ = nullptr;
    CLI::Option* counterAt_ = nullptr;
    CLI::Option* extAt_ = nullptr;
    CLI::Option* id3Format_ = nullptr;
    CLI::Option* id3Mode_ = nullptr;
    CLI::Option* dateFormat_ = nullptr;
    CLI::Option* preset_ = nullptr;
    CLI::Option* insertAt_ = nullptr;
    CLI::Option* removeCount_ = nullptr;
    CLI::Option* removeAt_ = nullptr;
    CLI::Option* caseScope_ = nullptr;

    CLI::App* list_ = nullptr;
    CLI::App* preview_ = nullptr;
    CLI::App* apply_ = nullptr;
    CLI::App* restore_ = nullptr;
    CLI::App* saveSettings_ = nullptr;
    CLI::App* initSettings_ = nullptr;
    CLI::App* recover_ = nullptr;
    CLI::App* presets_ = nullptr;
    CLI::App* savePreset_ = nullptr;
    CLI::App* deletePreset_ = nullptr;
    CLI::App* history_ = nullptr;
    CLI::App* undo_ = nullptr;
    CLI::App* redo_ = nullptr;
    CLI::App* help_ = nullptr;
};

CommandLine::CommandLine() {
    app_.set_version_flag("--version", std::string("nameshift-cli ") + platform::kProgramVersion,
                          "Print the version and exit");
    app_.footer(kFooter);
    app_.require_subcommand(1);
    app_.fallthrough();
    // The order of the help text.
    addSettingsOptions();
    addListingOptions();
    addNameTextOptions();
    addCleanUpOptions();
    addId3Options();
    addOutputOptions();
    addCommands();
}

void CommandLine::addSettingsOptions() {
    app_.add_option("--settings-dir", options_.settingsDirectory,
                    "Where renset.ini, opt.ini and ID3Opts.ini are read and saved (default: "
                    "$XDG_CONFIG_HOME/nameshift or ~/.config/nameshift, as for the program started "
                    "from the menu; . for the current directory)")
        ->check(existingDirectory_)
        ->type_name("DIR");
    CLI::Option* savedRules = app_.add_flag(
        "--saved-rules", options_.savedRules,
        "Start from the rules saved in renset.ini, as the program does; the rule options given "
        "override them");
    app_.add_flag("--no-settings", options_.noSettings,
                  "Skip renset.ini and start from the rules used when it cannot be read, as "
                  "without --saved-rules")
        ->excludes(savedRules);
    preset_ = app_.add_option("--preset",
                              "Put the rules of this preset (see save-preset) over the saved "
                              "ones; the rule options given override them")
                  ->type_name("NAME");
}

void CommandLine::addListingOptions() {
    directory_ = app_.add_option("--dir",
                                 "The directory whose files are listed and renamed (default: the "
                                 "current directory)")
                     ->check(existingDirectory_)
                     ->type_name("DIR");
    app_.add_option("--mask", options_.mask,
                    "List only the files with this extension, such as *.txt (default: *.*)")
        ->check(CLI::Validator(checkMask, ""))
        ->type_name("PATTERN");
    app_.add_option("--select", options_.selectGlobs,
                    "Select the listed files whose names match this glob; repeatable (default: "
                    "every listed file)")
        ->allow_extra_args(false)
        ->type_name("GLOB");
    attributes_ =
        app_.add_option("--attributes",
                        "List files with any of these attributes: a archive (regular file), h "
                        "hidden (dot file), r read-only, s system (not a regular file)")
            ->check(CLI::Validator(checkAttributes, ""))
            ->type_name("LETTERS");
    sort_ = app_.add_option("--sort", raw_.sort, "Sort the list by this key")
                ->check(oneOf(kSortKeys))
                ->type_name("date|extension|name|size");
    addMoreRuleFlags(kSortFlags);
}

void CommandLine::addNameTextOptions() {
    addRuleTexts(TextPlace::Prefix);
    prefixAt_ = app_.add_option("--prefix-at", raw_.prefixAt, "Where the prefix goes")
                    ->check(oneOf(kPositions))
                    ->type_name("begin|end|replace");
    addRuleTexts(TextPlace::Counter);
    counter_ = app_.add_option("--counter", raw_.counter,
                               "Use Counter: start at START (up to 6 digits), add STEP (up to 3 "
                               "digits, not zero) for each file")
                   ->check(CLI::Validator(checkCounter, ""))
                   ->type_name("START,STEP");
    counterDigits_ = app_.add_option("--counter-digits", raw_.counterDigits,
                                     "Pad the counter with zeros to this many digits")
                         ->check(CLI::Range(1, 6).description(""))
                         ->type_name("1..6");
    counterAt_ = app_.add_option("--counter-at", raw_.counterAt, "Where the counter goes")
                     ->check(oneOf(kCounterPositions))
                     ->type_name("prepend|append");
    addMoreRuleFlags(kCounterFlags);
    addRuleTexts(TextPlace::Extension);
    extAt_ = app_.add_option("--ext-at", raw_.extAt, "Where the extension text goes")
                 ->check(oneOf(kPositions))
                 ->type_name("begin|end|replace");
}

void CommandLine::addRuleFlags(settings::OptionGroup group) {
    for (const auto& field : settings::renameSettingsFields()) {
        if (field.flag.group == group) {
            RuleFlag& flag = ruleFlags_.emplace_back(
                RuleFlag{std::get<bool settings::RenameSettings::*>(field.member), nullptr});
            app_.add_flag(field.flag.name, flag.given, field.flag.help);
        }
    }
}

void CommandLine::addRuleTexts(TextPlace place) {
    for (std::size_t row = 0; row < kRuleTexts.size(); ++row) {
        const RuleText& text = kRuleTexts[row];
        if (text.place != place || text.option == nullptr) {
            continue;
        }
        CLI::Option* option = app_.add_option(text.option, text.help)->type_name(text.valueName);
        if (text.completes != nullptr) {
            option->needs(ruleTextOptions_.at(ruleTextIndex(text.completes)));
        }
        ruleTextOptions_.at(row) = option;
    }
}

template <std::size_t N>
void CommandLine::addMoreRuleFlags(const std::array<MoreRuleFlag, N>& flags) {
    for (const MoreRuleFlag& flag : flags) {
        RuleFlag& given = ruleFlags_.emplace_back(RuleFlag{flag.rule, flag.alsoRule});
        app_.add_flag(flag.name, given.given, flag.help);
    }
}

void CommandLine::addCleanUpOptions() {
    addRuleFlags(settings::OptionGroup::Removals);
    addRuleTexts(TextPlace::CleanUp);
    addMatchingOptions();
    addInsertOptions();
    addMoreRuleFlags(kTidyingFlags);
    addRuleFlags(settings::OptionGroup::LetterCase);
    caseScope_ = app_.add_option("--case-scope", raw_.caseScope,
                                 "What the letter case changes: the base name, the extension or "
                                 "both (default: both)")
                     ->check(oneOf(kCaseScopes))
                     ->type_name("name|ext|both");
    addMoreRuleFlags(kLetterCaseFlags);
}

void CommandLine::addMatchingOptions() {
    app_.add_flag("--regex", raw_.regex,
                  "The --remove and --replace texts are regular expressions (ICU syntax), and "
                  "--with may use their groups as $1 or ${name}; without either text, the saved "
                  "texts of both are");
    app_.add_flag("--all", raw_.allOccurrences,
                  "Remove or replace every occurrence, not the first; without --remove or "
                  "--replace, in both rules");
    app_.add_flag("--ignore-case", raw_.ignoreCase,
                  "Remove and replace whatever the letter case of the text");
}

void CommandLine::addInsertOptions() {
    addRuleTexts(TextPlace::Insert);
    insertAt_ = app_.add_option("--insert-at", raw_.insertAt,
                                "Insert after this many characters of the base name (default: 0, "
                                "at its start)")
                    ->check(CLI::Range(0, kLongestCount).description(""))
                    ->type_name("N");
    addMoreRuleFlags(kInsertFlags);
    removeCount_ = app_.add_option("--remove-chars", raw_.removeCount,
                                   "Remove this many characters of the base name")
                       ->check(CLI::Range(1, kLongestCount).description(""))
                       ->type_name("N");
    removeAt_ = app_.add_option("--remove-at", raw_.removeAt,
                                "Remove them after this many characters of the base name "
                                "(default: 0, from its start)")
                    ->check(CLI::Range(0, kLongestCount).description(""))
                    ->type_name("M");
    addMoreRuleFlags(kRemoveCharacterFlags);
}

void CommandLine::addId3Options() {
    addRuleFlags(settings::OptionGroup::Id3);
    id3Format_ = app_.add_option("--id3-format",
                                 "The tag name format: %1 album, %2 artist, %3 genre, %4 track "
                                 "name, %5 track number, %6 year, %7 album artist, %8 disc "
                                 "number, %9 composer, %m date modified, %b date created, %t date "
                                 "a photo or video was taken")
                     ->type_name("FMT");
    dateFormat_ = app_.add_option("--date-format",
                                  "How %m, %b and %t spell a date, in strftime's codes (here %m is "
                                  "the month); default \"%Y-%m-%d %H.%M.%S\"; / and : become - "
                                  "and .")
                      ->type_name("FMT");
    id3Mode_ = app_.add_option("--id3-mode", raw_.id3Mode,
                               "When frames are missing: 0 rename by the rules, 1 keep the old "
                               "name, 2 use the frames that are there")
                   ->check(CLI::IsMember({"0", "1", "2"}).description(""))
                   ->type_name("0|1|2");
}

void CommandLine::addOutputOptions() {
    app_.add_flag("-0,--null", options_.nullSeparated,
                  "Separate names with NUL bytes instead of tabs and newlines");
    CLI::Option* restoreFile = app_.add_flag("--restore-file", raw_.restoreFile,
                                             "apply: write restore.dat whatever opt.ini says");
    app_.add_flag("--no-restore-file", raw_.noRestoreFile,
                  "apply: write no restore file whatever opt.ini says")
        ->excludes(restoreFile);
    app_.add_flag("--history-only", options_.historyOnly,
                  "apply, redo: keep the undo record only in the history, no restore.dat")
        ->excludes(restoreFile);
    app_.add_flag("--yes", options_.yes,
                  "apply: replace an existing restore.dat; save-settings: replace renset.ini; "
                  "save-preset: replace the preset of that name");
    CLI::Option* verboseFlag =
        app_.add_flag("-v,--verbose", verbose_,
                      "Also print each rename as OLD -> NEW, the directory worked in, and the "
                      "messages that only report, such as a missing settings file");
    app_.add_flag("-q,--quiet", quiet_, "Print nothing but failures and refusals")
        ->excludes(verboseFlag);
}

void CommandLine::addCommands() {
    list_ = app_.add_subcommand("list", "Print the listed file names, one a line");
    preview_ = app_.add_subcommand(
        "preview", "Print each selected file's old name, a tab and its new name, one a line");
    apply_ = app_.add_subcommand("apply", "Rename the selected files");
    apply_->add_flag("--dry-run", options_.dryRun,
                     "Rename nothing; print what preview prints and exit as apply would");
    restore_ = app_.add_subcommand("restore",
                                   "Rename the files of a restore file back and delete the file");
    restore_->add_option("FILE", options_.restoreFilePath, "The restore file, such as restore.dat")
        ->required();
    saveSettings_ = app_.add_subcommand(
        "save-settings",
        "Write renset.ini from the rule options given (with --saved-rules, over its saved rules), "
        "as the program's Save settings does");
    initSettings_ = app_.add_subcommand(
        "init-settings",
        "Write each of renset.ini, opt.ini and ID3Opts.ini that is missing with the defaults the "
        "program saves; files that are there stay as they are");
    recover_ = app_.add_subcommand(
        "recover",
        "List the batches that were interrupted (a crash, a power cut) before their end; with "
        "--undo or --finish, give their files their old names back or finish them");
    CLI::Option* undo =
        recover_->add_flag("--undo", options_.recoverUndo, "Give every file its old name back");
    recover_->add_flag("--finish", options_.recoverFinish, "Finish the batch and write its record")
        ->excludes(undo);
    presets_ = app_.add_subcommand("presets", "Print the names of the saved presets, one a line");
    savePreset_ = app_.add_subcommand(
        "save-preset",
        "Save the rules the options give (over the saved rules and --preset, as preview would "
        "use them) as a preset; --yes replaces one of that name");
    savePreset_->add_option("NAME", options_.presetName, "The preset's name")->required();
    deletePreset_ = app_.add_subcommand("delete-preset", "Delete a saved preset");
    deletePreset_->add_option("NAME", options_.presetName, "The preset's name")->required();
    history_ = app_.add_subcommand(
        "history",
        "Print the batches the history keeps, oldest first, one a line: number, time, folder, "
        "count of files and state");
    undo_ = app_.add_subcommand(
        "undo", "Give the files of the last batch not undone yet, or of batch ID, their old names");
    undo_->add_option("ID", options_.batchId, "The batch's number, as history prints it")
        ->check(CLI::Validator(checkBatchNumber, ""));
    redo_ = app_.add_subcommand(
        "redo",
        "Rename again the files of the batch undone last, until a batch runs in its folder");
    help_ = app_.add_subcommand(
        "help", "Print this help, or with COMMAND what COMMAND --help prints, and exit");
    help_->add_option("COMMAND", helpTopic_, "The command to describe");
    // Options of the program are taken after the command as well, but a short option that is a
    // digit would there be taken for a stray argument unless the command knows it too.
    for (CLI::App* command :
         {list_, preview_, apply_, restore_, saveSettings_, initSettings_, recover_, presets_,
          savePreset_, deletePreset_, history_, undo_, redo_}) {
        command->add_flag("-0", options_.nullSeparated)->group("");
    }
}

ParseOutcome CommandLine::parse(const std::vector<std::string>& arguments) {
    ParseOutcome outcome;
    std::vector<std::string> reversed = withEmptyValuesSplit(arguments);
    std::reverse(reversed.begin(), reversed.end());
    try {
        app_.parse(reversed);
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
    if (help_->parsed()) {
        return helpFor(helpTopic_);
    }
    options_.command = parsedCommand();
    takeListingValues();
    takeRuleValues();
    takeOutputValues();
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

CliCommand CommandLine::parsedCommand() const {
    if (list_->parsed()) {
        return CliCommand::List;
    }
    if (preview_->parsed()) {
        return CliCommand::Preview;
    }
    if (apply_->parsed()) {
        return CliCommand::Apply;
    }
    if (restore_->parsed()) {
        return CliCommand::Restore;
    }
    if (saveSettings_->parsed()) {
        return CliCommand::SaveSettings;
    }
    if (recover_->parsed()) {
        return CliCommand::Recover;
    }
    if (presets_->parsed()) {
        return CliCommand::ListPresets;
    }
    if (savePreset_->parsed()) {
        return CliCommand::SavePreset;
    }
    if (deletePreset_->parsed()) {
        return CliCommand::DeletePreset;
    }
    if (history_->parsed()) {
        return CliCommand::History;
    }
    if (undo_->parsed()) {
        return CliCommand::Undo;
    }
    if (redo_->parsed()) {
        return CliCommand::Redo;
    }
    return CliCommand::InitSettings;
}

void CommandLine::takeListingValues() {
    if (directory_->count() > 0) {
        options_.directory = directory_->as<std::string>();
    }
    if (preset_->count() > 0) {
        options_.preset = preset_->as<std::string>();
    }
    if (attributes_->count() > 0) {
        options_.rules.attributes = attributes_->as<std::string>();
    }
    if (sort_->count() > 0) {
        options_.rules.sortKey = valueOf(kSortKeys, raw_.sort);
    }
}

void CommandLine::takeRuleValues() {
    RuleOverrides& rules = options_.rules;
    for (const RuleFlag& flag : ruleFlags_) {
        if (flag.given) {
            rules.rulesTurnedOn.push_back(flag.rule);
            if (flag.alsoRule != nullptr) {
                rules.rulesTurnedOn.push_back(flag.alsoRule);
            }
        }
    }
    for (std::size_t row = 0; row < kRuleTexts.size(); ++row) {
        const RuleText& text = kRuleTexts[row];
        const CLI::Option* option = ruleTextOptions_.at(row);
        if (option != nullptr && option->count() > 0) {
            rules.texts.at(row) = option->as<std::string>();
        } else if (text.completes != nullptr && rules.text(text.completes)) {
            rules.texts.at(row) = std::string();
        }
    }
    if (prefixAt_->count() > 0) {
        rules.prefixPosition = valueOf(kPositions, raw_.prefixAt);
    }
    if (counter_->count() > 0) {
        const auto comma = raw_.counter.find(',');
        rules.text(&settings::RenameSettings::counterStart) = raw_.counter.substr(0, comma);
        rules.text(&settings::RenameSettings::counterIncrement) = raw_.counter.substr(comma + 1);
    }
    if (counterDigits_->count() > 0) {
        rules.counterDigitsIndex = raw_.counterDigits - 1;
    }
    if (counterAt_->count() > 0) {
        rules.counterPosition = valueOf(kCounterPositions, raw_.counterAt);
    }
    if (extAt_->count() > 0) {
        rules.extensionPosition = valueOf(kPositions, raw_.extAt);
    }
    if (id3Format_->count() > 0) {
        rules.id3Format = id3Format_->as<std::string>();
    }
    if (id3Mode_->count() > 0) {
        rules.id3Mode = settings::choiceAt<settings::Id3RenameMode>(raw_.id3Mode.front() - '0');
    }
    if (dateFormat_->count() > 0) {
        rules.dateFormat = dateFormat_->as<std::string>();
    }
    takeMoreRuleValues();
}

void CommandLine::takeMoreRuleValues() {
    RuleOverrides& rules = options_.rules;
    // --regex and --all mean the texts given; given none, they mean the saved texts of both.
    const bool removing = rules.text(&R::stringToRemove).has_value();
    const bool replacing = rules.text(&R::replaceFrom).has_value();
    const bool remove = removing || !replacing;
    const bool replace = replacing || !removing;
    const auto turnOn = [&](bool given, bool R::*removeRule, bool R::*replaceRule) {
        if (given && remove) {
            rules.rulesTurnedOn.push_back(removeRule);
        }
        if (given && replace) {
            rules.rulesTurnedOn.push_back(replaceRule);
        }
    };
    turnOn(raw_.regex, &R::removeRegex, &R::replaceRegex);
    turnOn(raw_.allOccurrences, &R::removeAllOccurrences, &R::replaceAllOccurrences);
    if (raw_.ignoreCase) {
        rules.rulesTurnedOff = {&R::removeMatchCase, &R::replaceMatchCase};
    }
    if (insertAt_->count() > 0) {
        rules.text(&R::insertAt) = std::to_string(raw_.insertAt);
    }
    if (removeCount_->count() > 0) {
        rules.text(&R::removeCount) = std::to_string(raw_.removeCount);
    }
    if (removeAt_->count() > 0) {
        rules.text(&R::removeAt) = std::to_string(raw_.removeAt);
    }
    if (caseScope_->count() > 0) {
        rules.caseScope = valueOf(kCaseScopes, raw_.caseScope);
    }
}

void CommandLine::takeOutputValues() {
    if (verbose_) {
        options_.verbosity = Verbosity::Verbose;
    } else if (quiet_) {
        options_.verbosity = Verbosity::Quiet;
    }
    if (raw_.restoreFile) {
        options_.restoreFile = RestoreFileChoice::Create;
    } else if (raw_.noRestoreFile) {
        options_.restoreFile = RestoreFileChoice::None;
    }
}

}  // namespace

ParseOutcome CliParser::parse(const std::vector<std::string>& arguments) {
    CommandLine commandLine;
    return commandLine.parse(arguments);
}

}  // namespace nameshift::cli
