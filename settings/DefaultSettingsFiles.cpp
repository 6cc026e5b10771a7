#include "settings/DefaultSettingsFiles.h"

#include "settings/Id3OptionsFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"

namespace nameshift::settings {

std::array<DefaultSettingsFile, 3> defaultSettingsFiles() {
    // The rules of a start without renset.ini, not the record's initial values: those are what
    // the main dialog shows, and so what its Save settings writes.
    return {{{kProgramOptionsFileName, formatProgramOptions(ProgramOptions{})},
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

}  // namespace nameshift::settings
