#include "settings/StartupDirectory.h"

#include "platform/DirectoryExists.h"

namespace nameshift::settings {

bool startupDirectoryIsValid(platform::FileSystem& fileSystem, const std::string& path) {
    return platform::directoryExists(fileSystem, path);
}

std::string chooseStartupDirectory(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                   const ProgramOptions& options) {
    if (!options.useStartupDir) {
        return {};
    }
    if (!startupDirectoryIsValid(fileSystem, options.startupDirPath)) {
        messages.show("The supplied startup directory path is invalid!\nUsing default path",
                      platform::kProgramTitle, platform::Icon::Exclamation);
        return {};
    }
    return options.startupDirPath;
}

}  // namespace nameshift::settings
