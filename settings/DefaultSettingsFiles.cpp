#include "settings/DefaultSettingsFiles.h"

#include "settings/Id3OptionsFile.h"
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
             {kId3OptionsFileName, formatId3Options(Id3Options{})},
             {kRenameSettingsFileName, formatRenameSettings(RenameSettings::whenFileMissing())}}};
}

std::array<DefaultFileOutcome, 3> writeMissingSettingsFiles(platform::FileSystem& fileSystem,
                                                            const SettingsPaths& paths) {
    std::array<DefaultFileOutcome, 3> outcomes;
    const std::array<DefaultSettingsFile, 3> files = defaultSettingsFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        DefaultFileOutcome& outcome = outcomes[i];
        outcome.path = paths.programDirectory + std::string(files[i].fileName);
        const platform::Status status =
            fileSystem.writeFile(outcome.path, files[i].text, platform::WriteMode::CreateNew);
        outcome.written = status.ok();
        if (status.kind() != platform::ErrorKind::Exists) {
            outcome.status = status;
        }
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
