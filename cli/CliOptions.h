#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/RuleTexts.h"
#include "cli/Verbosity.h"
#include "settings/RenameSettings.h"
#include "settings/TagNamingOptions.h"

namespace nameshift::cli {

enum class CliCommand {
    List,
    Preview,
    Apply,
    Restore,
    SaveSettings,
    InitSettings,
    Recover,
    ListPresets,
    SavePreset,
    DeletePreset,
    History,
    Undo,
    Redo,
    Edit,
    Integrate,
};

// Whether apply writes a restore file: as opt.ini says, or as the command line says.
enum class RestoreFileChoice { FromOptions, Create, None };

// The rule options of the command line. Each one that is given overrides the rules of a start
// without renset.ini, or with --saved-rules what renset.ini holds; an empty optional or a false
// flag leaves that value alone.
struct RuleOverrides {
    // The rules whose flags were given (--remove-tildes, --lower, --id3 and the others renset.ini's
    // table names), in the order of the file.
    std::vector<bool settings::RenameSettings::*> rulesTurnedOn;
    // The options the flags turn off (--ignore-case: the match case of remove and replace).
    std::vector<bool settings::RenameSettings::*> rulesTurnedOff;
    // The texts given (--prefix, --counter, --replace and the others), by the rows of kRuleTexts.
    std::array<std::optional<std::string>, kRuleTexts.size()> texts;
    std::optional<settings::Position> prefixPosition;
    std::optional<int> counterDigitsIndex;
    std::optional<settings::Position> counterPosition;
    std::optional<settings::Position> extensionPosition;
    std::optional<settings::CaseScope> caseScope;
    // How many levels of subfolders are listed: -1 for every one.
    std::optional<int> subfolderDepth;
    std::optional<std::string> id3Format;
    std::optional<settings::Id3RenameMode> id3Mode;
    std::optional<std::string> dateFormat;  // how "%m", "%b" and "%t" spell a date
    std::optional<std::string> nameTemplate;
    std::optional<std::string> attributes;  // any of the letters a, h, r, s
    // The regular expressions the listed files must hold and must not hold.
    std::optional<std::string> includeFilter;
    std::optional<std::string> excludeFilter;
    std::optional<settings::SortKey> sortKey;

    // The value given for `field`, a text of kRuleTexts.
    std::optional<std::string>& text(std::string settings::RenameSettings::*field) {
        return texts.at(ruleTextIndex(field));
    }
    const std::optional<std::string>& text(std::string settings::RenameSettings::*field) const {
        return texts.at(ruleTextIndex(field));
    }

    bool operator==(const RuleOverrides&) const = default;
};

// One run of nameshift-cli, as its arguments describe it.
struct CliOptions {
    CliCommand command = CliCommand::List;
    std::string settingsDirectory;  // empty: the per-user settings folder
    // The rules saved in renset.ini under the given ones; without it a script means the same
    // whatever was last saved in the program.
    bool savedRules = false;
    bool noSettings = false;
    // The preset whose rules go over the saved ones, under the rule options given.
    std::optional<std::string> preset;
    std::optional<std::string> directory;  // none: the current directory
    std::string mask = "*.*";
    std::vector<std::string> selectGlobs;  // empty: every listed file
    RuleOverrides rules;
    bool nullSeparated = false;
    bool json = false;
    bool removeIntegration = false;  // integrate --remove
    // A file of new names, one a line for the listed files in their order; "-" for standard input.
    std::optional<std::string> namesFrom;
    RestoreFileChoice restoreFile = RestoreFileChoice::FromOptions;
    // The undo record of this apply or redo only in the history, whatever morerules.ini says.
    bool historyOnly = false;
    bool yes = false;
    std::string restoreFilePath;
    std::string presetName;  // save-preset, delete-preset
    // recover: what to do with the interrupted batches; neither lists them.
    bool recoverUndo = false;
    bool recoverFinish = false;
    // undo: the batch of the history to undo; none: the last one not undone.
    std::optional<std::uint64_t> batchId;
    // apply: judge and print the batch as preview does, renaming nothing.
    bool dryRun = false;
    Verbosity verbosity = Verbosity::Normal;

    bool operator==(const CliOptions&) const = default;
};

}  // namespace nameshift::cli
