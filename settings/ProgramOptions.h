#pragma once

#include <string>

#include "settings/Choice.h"

namespace nameshift::settings {

enum class RestoreFileUsage { Create = 0, Ask = 1, None = 2 };
template <>
inline constexpr int kChoiceCount<RestoreFileUsage> = 3;

// The options of the Options dialog, as opt.ini keeps them.
struct ProgramOptions {
    bool confirmationOnExit = true;
    bool warnOnApply = true;
    bool exitAfterApply = true;
    bool exitAfterRestore = true;
    bool useStartupDir = false;
    std::string startupDirPath;
    RestoreFileUsage restoreFileUsage = RestoreFileUsage::Create;

    bool operator==(const ProgramOptions&) const = default;
};

}  // namespace nameshift::settings
