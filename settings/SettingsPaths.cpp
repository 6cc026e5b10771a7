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
    return paths;
}

platform::Result<SettingsPaths> SettingsPaths::atStartup(platform::FileSystem& fileSystem,
                                                         const std::string& directory) {
    if (!directory.empty() && directory.front() == '/') {
        return fromWorkingDirectory(directory);
    }
    const platform::Result<std::string> cwd = fileSystem.currentDirectory();
    if (!cwd.ok()) {
        return cwd.status();
    }
    return fromWorkingDirectory(directory.empty() ? *cwd : platform::absolutePath(directory, *cwd));
}

}  // namespace nameshift::settings
