#include "settings/ProgramOptionsFile.h"

#include <array>

#include "settings/SettingsFileAccess.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {
namespace {

constexpr std::string_view kTitle = "= Nameshift Pro Options File                     =";

constexpr SettingsFileWording kWording{
    kProgramOptionsFileName,
    NS_MESSAGE("Message",
               "An error occurred. Possible error: \"%1\" file doesn't exist?\nUsing "
               "default options instead."),
    NS_MESSAGE("Message", "Cannot save options! - Reason: Disk is full."),
    NS_MESSAGE("Message", "Cannot save options! - Unknown Error."),
    NS_MESSAGE("Message",
               "Cannot save options! - Reason: %2 holds a double quote, which %1 cannot store."),
    NS_MESSAGE("Message",
               "Cannot save options! - Reason: %3 holds the text \"%2\", which %1 cannot store.")};

namespace key {
constexpr std::string_view kConfirmationOnExit = "-= Confirmation on Exit =-";
constexpr std::string_view kWarnOnApply = "-= Display Warning On Applying Changes =-";
constexpr std::string_view kExitAfterApply = "-= Exit Program After Applying Changes =-";
constexpr std::string_view kExitAfterRestore = "-= Exit Program After Restoring Filenames =-";
constexpr std::string_view kUseStartupDir = "-= Use Startup Dir =-";
constexpr std::string_view kStartupDirPath = "-= Startup Dir Path =-";
constexpr std::string_view kRestoreFileUsage = "-= Restore File Usage =-";
}  // namespace key

constexpr std::array<std::string_view, 7> kKeys = {
    key::kConfirmationOnExit, key::kWarnOnApply,    key::kExitAfterApply,  key::kExitAfterRestore,
    key::kUseStartupDir,      key::kStartupDirPath, key::kRestoreFileUsage};

}  // namespace

std::string formatProgramOptions(const ProgramOptions& o) {
    SettingsWriter writer(kTitle);
    writer.addBoolean(key::kConfirmationOnExit, o.confirmationOnExit);
    writer.addBoolean(key::kWarnOnApply, o.warnOnApply);
    writer.addBoolean(key::kExitAfterApply, o.exitAfterApply);
    writer.addBoolean(key::kExitAfterRestore, o.exitAfterRestore);
    writer.addBoolean(key::kUseStartupDir, o.useStartupDir);
    writer.addString(key::kStartupDirPath, o.startupDirPath);
    const bool usageKnown = choiceAt<RestoreFileUsage>(indexOf(o.restoreFileUsage)).has_value();
    writer.addDigit(key::kRestoreFileUsage, usageKnown ? indexOf(o.restoreFileUsage) : -1);
    return writer.text();
}

ProgramOptions parseProgramOptions(std::string_view text, ProgramOptions o) {
    const SettingsReader reader(text);
    reader.readBoolean(key::kConfirmationOnExit, o.confirmationOnExit);
    reader.readBoolean(key::kWarnOnApply, o.warnOnApply);
    reader.readBoolean(key::kExitAfterApply, o.exitAfterApply);
    reader.readBoolean(key::kExitAfterRestore, o.exitAfterRestore);
    reader.readBoolean(key::kUseStartupDir, o.useStartupDir);
    reader.readString(key::kStartupDirPath, o.startupDirPath);
    if (const auto usage = reader.digitOf(key::kRestoreFileUsage)) {
        o.restoreFileUsage = choiceAt<RestoreFileUsage>(*usage).value_or(RestoreFileUsage::Create);
    }
    return o;
}

std::optional<ProgramOptions> readProgramOptions(platform::FileSystem& fileSystem,
                                                 const std::string& path,
                                                 const ProgramOptions& current) {
    const std::optional<std::string> text = readSettingsText(fileSystem, path);
    if (!text) {
        return std::nullopt;
    }
    return parseProgramOptions(*text, current);
}

ProgramOptions loadProgramOptions(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                  const std::string& path, const ProgramOptions& current,
                                  bool* loaded) {
    std::optional<ProgramOptions> options = readProgramOptions(fileSystem, path, current);
    if (loaded != nullptr) {
        *loaded = options.has_value();
    }
    if (!options) {
        reportLoadFailure(messages, kWording);
        return ProgramOptions{};
    }
    return *options;
}

bool saveProgramOptions(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, const ProgramOptions& o) {
    const std::array<StringField, 1> strings = {
        {{NS_MESSAGE("Message", "The startup directory path"), o.startupDirPath}}};
    if (!checkStorableStrings(messages, kWording, strings, kKeys)) {
        return false;
    }
    return saveSettingsText(fileSystem, messages, path, formatProgramOptions(o), kWording,
                            SaveMode::AskBeforeReplacing);
}

}  // namespace nameshift::settings
