#include "settings/SettingsPaths.h"

#include "platform/AbsolutePath.h"

namespace nameshift::settings {

SettingsPaths SettingsPaths::fromWorkingDirectory(const std::string& cwd) {
    SettingsPaths paths;
    paths.programDirectory = cwd;
    // The root is the one directory whose name already ends with the separator.
    if (paths.programDirectory.empty() || paths.programDirectory.back() != '/') {
        paths.programDirectory += '/';
    }
    paths.renameSettings = paths.programDirectory + std::string(kRenameSettingsFileName);
    paths.programOptions = paths.programDirectory + std::string(kProgramOptionsFileName);
    paths.id3Options = paths.programDirectory + std::string(kId3OptionsFileName);
    paths.moreRules = paths.programDirectory + std::string(kMoreRulesFileName);
    paths.windowLayout = paths.programDirectory + std::string(kWindowLayoutFileName);
    return paths;
}

platform::Result<SettingsPaths> SettingsPaths::atStartup(
    const platform::Result<std::string>& startDirectory, const std::string& directory) {
    if (!directory.empty() && directory.front() == '/') {
        return fromWorkingDirectory(directory);
    }
    if (!startDirectory.ok()) {
        return startDirectory.status();
    }
    return fromWorkingDirectory(
        directory.empty() ? *startDirectory : platform::absolutePath(directory, *startDirectory));
}

}  // namespace nameshift::settings
