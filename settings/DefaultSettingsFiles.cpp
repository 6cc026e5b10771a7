#include "settings/DefaultSettingsFiles.h"

#include "settings/Id3OptionsFile.h"
#include "settings/MoreRulesFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"

namespace nameshift::settings {

std::array<DefaultSettingsFile, 3> defaultSettingsFiles() {
    // A window that closes after every batch is taken for a crash by those who did not ask for
    // it; a missing opt.ini keeps its old defaults for those who rely on them.
    ProgramOptions options;
    options.exitAfterApply = false;
    options.exitAfterRestore = false;
    // The rules of a start without renset.ini, not the record's initial values: those are what
    // the main dialog shows, and so what its Save settings writes.
    return {{{kProgramOptionsFileName, formatProgramOptions(options)},
             {kId3OptionsFileName, formatId3Options(TagNamingOptions{})},
             {kRenameSettingsFileName, formatRenameSettings(RenameSettings::whenFileMissing())}}};
}

DefaultSettingsFile firstStartMoreRules() {
    // The history keeps every batch for undoing, so a new user gets no restore file in each
    // folder renamed; the Options dialog turns them back on. Those who start without the files
    // keep the restore files they always had.
    RenameSettings rules = RenameSettings::whenFileMissing();
    rules.historyOnly = true;
    return {kMoreRulesFileName, formatMoreRules(rules)};
}

std::vector<DefaultFileOutcome> writeMissingSettingsFiles(platform::FileSystem& fileSystem,
                                                          const SettingsPaths& paths) {
    std::vector<DefaultFileOutcome> outcomes;
    const auto write = [&](const DefaultSettingsFile& file) {
        DefaultFileOutcome& outcome = outcomes.emplace_back();
        outcome.path = paths.programDirectory + std::string(file.fileName);
        const platform::Status status =
            fileSystem.writeFile(outcome.path, file.text, platform::WriteMode::CreateNew);
        outcome.written = status.ok();
        if (status.kind() != platform::ErrorKind::Exists) {
            outcome.status = status;
        }
    };
    for (const DefaultSettingsFile& file : defaultSettingsFiles()) {
        write(file);
    }
    // A start that finds opt.ini is no first start, even without morerules.ini, which the
    // program writes only once a rule of it is used: its user's restore files stay.
    if (outcomes.front().written) {
        write(firstStartMoreRules());
    }
    return outcomes;
}

std::string prepareSettingsDirectory(platform::FileSystem& fileSystem, const std::string& named,
                                     const std::string& userFolder) {
    if (!named.empty() || userFolder.empty()) {
        return named;
    }
    // A file that cannot be written is told by the message for its missing file at the start.
    if (fileSystem.makeDirectories(userFolder).ok()) {
        writeMissingSettingsFiles(fileSystem, SettingsPaths::fromWorkingDirectory(userFolder));
    }
    return userFolder;
}

}  // namespace nameshift::settings
