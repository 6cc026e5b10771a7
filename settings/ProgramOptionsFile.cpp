#include "settings/ProgramOptionsFile.h"

#include <array>

#include "settings/SettingsPaths.h"

namespace nameshift::settings {
namespace {

using O = ProgramOptions;
using K = FieldKind;

constexpr std::array<SettingsField<O>, 7> kFields = {{
    {"-= Confirmation on Exit =-", &O::confirmationOnExit, K::Boolean, "confirmationOnExit"},
    {"-= Display Warning On Applying Changes =-", &O::warnOnApply, K::Boolean, "warnOnApply"},
    {"-= Exit Program After Applying Changes =-", &O::exitAfterApply, K::Boolean, "exitAfterApply"},
    {"-= Exit Program After Restoring Filenames =-", &O::exitAfterRestore, K::Boolean,
     "exitAfterRestore"},
    {"-= Use Startup Dir =-", &O::useStartupDir, K::Boolean, "useStartupDir"},
    {"-= Startup Dir Path =-", &O::startupDirPath, K::String, "startupDirPath",
     NS_MESSAGE("Message", "The startup directory path")},
    {"-= Restore File Usage =-", &O::restoreFileUsage, K::UsageDigit, "restoreUsage"},
}};
static_assert(everyKindFits<O>(kFields));

constexpr SettingsFile<O> kFile{
    "= Nameshift Pro Options File                     =",
    kFields,
    {kProgramOptionsFileName,
     NS_MESSAGE("Message",
                "An error occurred. Possible error: \"%1\" file doesn't exist?\nUsing "
                "default options instead."),
     kOptionsSaveWording},
    [] { return ProgramOptions{}; },
};

}  // namespace

const SettingsFile<ProgramOptions>& programOptionsFile() {
    return kFile;
}

}  // namespace nameshift::settings
