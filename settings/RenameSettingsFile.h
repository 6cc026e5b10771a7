#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"
#include "settings/SettingsFile.h"

namespace nameshift::settings {

// renset.ini: the rule options of the main dialog, 29 entries in a fixed order.
const SettingsFile<RenameSettings>& renameSettingsFile();

// The names the program's callers use for the file's operations.

// Every entry of the file, in its order: what writing, reading and the dialog's binding follow.
inline std::span<const SettingsField<RenameSettings>> renameSettingsFields() {
    return renameSettingsFile().fields;
}

inline std::string formatRenameSettings(const RenameSettings& settings) {
    return renameSettingsFile().format(settings);
}

// The fields the text sets, over `current`; every field the text does not set keeps its value.
inline RenameSettings parseRenameSettings(std::string_view text, RenameSettings current) {
    return renameSettingsFile().parse(text, std::move(current));
}

// The file read over `current`, or nothing when it cannot be read. Shows nothing.
inline std::optional<RenameSettings> readRenameSettings(platform::FileSystem& fileSystem,
                                                        const std::string& path,
                                                        const RenameSettings& current) {
    return renameSettingsFile().read(fileSystem, path, current);
}

// As readRenameSettings, but a file that cannot be read is reported and gives
// RenameSettings::whenFileMissing(). `loaded` tells which happened.
inline RenameSettings loadRenameSettings(platform::FileSystem& fileSystem,
                                         platform::MessageBox& messages, const std::string& path,
                                         const RenameSettings& current, bool* loaded = nullptr) {
    return renameSettingsFile().load(fileSystem, messages, path, current, loaded);
}

// Writes the file, asking before replacing an existing one; every refusal and failure has its
// message. True when the file was written.
inline bool saveRenameSettings(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                               const std::string& path, const RenameSettings& settings,
                               const ReplaceQuestion& mayReplace = {}) {
    return renameSettingsFile().save(fileSystem, messages, path, settings, mayReplace);
}

}  // namespace nameshift::settings
