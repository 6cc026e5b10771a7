#include "settings/ProgramOptionsFile.h"

#include <array>

#include "settings/SettingsFileAccess.h"
#include "settings/SettingsPaths.h"

namespace nameshift::settings {
namespace {

constexpr std::string_view kTitle = "= Nameshift Pro Options File                     =";

constexpr SettingsFileWording kWording{
    kProgramOptionsFileName,
    NS_MESSAGE("Message",
               "An error occurred. Possible error: \"%1\" file doesn't exist?\nUsing "
               "default options instead."),
    kOptionsSaveWording};

using O = ProgramOptions;
using K = FieldKind;

constexpr std::array<SettingsField<O>, 7> kFields = {{
    {"-= Confirmation on Exit =-", &O::confirmationOnExit, K::Boolean},
    {"-= Display Warning On Applying Changes =-", &O::warnOnApply, K::Boolean},
    {"-= Exit Program After Applying Changes =-", &O::exitAfterApply, K::Boolean},
    {"-= Exit Program After Restoring Filenames =-", &O::exitAfterRestore, K::Boolean},
    {"-= Use Startup Dir =-", &O::useStartupDir, K::Boolean},
    {"-= Startup Dir Path =-", &O::startupDirPath, K::String,
     NS_MESSAGE("Message", "The startup directory path")},
    {"-= Restore File Usage =-", &O::restoreFileUsage, K::UsageDigit},
}};
static_assert(everyKindFits<O>(kFields));

}  // namespace

std::span<const SettingsField<ProgramOptions>> programOptionsFields() {
    return kFields;
}

std::string formatProgramOptions(const ProgramOptions& options) {
    SettingsWriter writer(kTitle);
    writeFields<O>(writer, options, kFields);
    return writer.text();
}

ProgramOptions parseProgramOptions(std::string_view text, ProgramOptions options) {
    readFields<O>(SettingsReader(text), options, kFields);
    return options;
}

std::optional<ProgramOptions> readProgramOptions(platform::FileSystem& fileSystem,
                                                 const std::string& path,
                                                 const ProgramOptions& current) {
    return readSettingsFile(fileSystem, path, [&](std::string_view text) {
        return parseProgramOptions(text, current);
    });
}

ProgramOptions loadProgramOptions(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                  const std::string& path, const ProgramOptions& current,
                                  bool* loaded) {
    return loadedOrReported(readProgramOptions(fileSystem, path, current), messages, kWording,
                            ProgramOptions{}, loaded);
}

bool saveProgramOptions(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, const ProgramOptions& options) {
    return saveSettingsFile(fileSystem, messages, path, kWording, stringsOf<O>(options, kFields),
                            keysOf<O>(kFields), formatProgramOptions(options),
                            SaveMode::AskBeforeReplacing);
}

}  // namespace nameshift::settings
