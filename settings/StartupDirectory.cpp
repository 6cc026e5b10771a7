#include "settings/StartupDirectory.h"

#include "platform/DirectoryExists.h"

namespace nameshift::settings {

bool startupDirectoryIsValid(platform::FileSystem& fileSystem, const std::string& path) {
    return platform::directoryExists(fileSystem, path);
}

namespace {

void reportInvalid(platform::MessageBox& messages) {
    messages.show(NS_MESSAGE("Message",
                             "The supplied startup directory path is invalid!\nUsing default path"),
                  platform::kProgramTitle, platform::Icon::Exclamation);
}

}  // namespace

std::string chooseStartupDirectory(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                   const ProgramOptions& options) {
    if (!options.useStartupDir) {
        return {};
    }
    if (!startupDirectoryIsValid(fileSystem, options.startupDirPath)) {
        reportInvalid(messages);
        return {};
    }
    return options.startupDirPath;
}

std::string chooseStartupDirectory(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                   const ProgramOptions& options, const std::string& folder) {
    if (!folder.empty()) {
        if (startupDirectoryIsValid(fileSystem, folder)) {
            return folder;
        }
        reportInvalid(messages);
    }
    return chooseStartupDirectory(fileSystem, messages, options);
}

}  // namespace nameshift::settings
