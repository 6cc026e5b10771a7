#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/ProgramOptions.h"

namespace nameshift::settings {

// True when the process can make `path` its current directory; the current directory is put
// back at once.
bool startupDirectoryIsValid(platform::FileSystem& fileSystem, const std::string& path);

// The directory the browser starts in: the options' start-up directory when it is in use and
// valid, else the empty path (the browser's own default). A start-up directory in use that is
// not valid is reported; the options keep it all the same.
std::string chooseStartupDirectory(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                   const ProgramOptions& options);

// As above, but a folder named on the program's command line comes first, for this run only. A
// folder that cannot be entered gets the message of an invalid start-up directory, and the
// choice goes on as if none had been named.
std::string chooseStartupDirectory(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                   const ProgramOptions& options, const std::string& folder);

}  // namespace nameshift::settings
