#pragma once

#include <string>

namespace nameshift::settings {

enum class RestoreFileUsage { Create = 0, Ask = 1, None = 2 };

// The options of the Options dialog, as opt.ini keeps them.
struct ProgramOptions {
    bool confirmationOnExit = true;
    bool warnOnApply = true;
    bool exitAfterApply = true;
    bool exitAfterRestore = true;
    bool useStartupDir = false;
    std::string startupDirPath;
    int restoreFileUsage = 0;  // a RestoreFileUsage

    bool operator==(const ProgramOptions&) const = default;
};

}  // namespace nameshift::settings
