#include "settings/StartupSettings.h"

#include "settings/Id3OptionsFile.h"
#include "settings/MoreRulesFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"

namespace nameshift::settings {

StartupSettings loadStartupSettings(platform::FileSystem& fileSystem, const SettingsPaths& paths,
                                    const LoadMessagesFor& messagesFor,
                                    const StartupLoadSteps& steps) {
    StartupSettings loaded;
    loaded.options = loadProgramOptions(fileSystem, messagesFor(paths.programOptions),
                                        paths.programOptions, ProgramOptions{});
    loaded.id3 = loadId3Naming(fileSystem, messagesFor(paths.id3Options), paths.id3Options);
    if (steps.afterOptions) {
        steps.afterOptions(loaded.options);
    }
    loaded.rules = steps.readRules
                       ? loadRenameSettings(fileSystem, messagesFor(paths.renameSettings),
                                            paths.renameSettings, RenameSettings{})
                       : RenameSettings::whenFileMissing();
    if (steps.readRules) {
        loaded.rules =
            loadMoreRules(fileSystem, messagesFor(paths.moreRules), paths.moreRules, loaded.rules);
    } else if (steps.readProgramOptionsOfRules) {
        loaded.rules = withProgramOptionsOfMoreRules(fileSystem, paths.moreRules, loaded.rules);
    }
    return loaded;
}

}  // namespace nameshift::settings
