#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"
#include "settings/SettingsField.h"

namespace nameshift::settings {

// renset.ini: the rule options of the main dialog, 29 entries in a fixed order.

// Every entry of the file, in its order: what writing, reading and the dialog's binding follow.
std::span<const SettingsField<RenameSettings>> renameSettingsFields();

std::string formatRenameSettings(const RenameSettings& settings);

// The fields the text sets, over `current`; every field the text does not set keeps its value.
RenameSettings parseRenameSettings(std::string_view text, RenameSettings current);

// The file read over `current`, or nothing when it cannot be read. Shows nothing.
std::optional<RenameSettings> readRenameSettings(platform::FileSystem& fileSystem,
                                                 const std::string& path,
                                                 const RenameSettings& current);

// As readRenameSettings, but a file that cannot be read is reported and gives
// RenameSettings::whenFileMissing(). `loaded` tells which happened.
RenameSettings loadRenameSettings(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                  const std::string& path, const RenameSettings& current,
                                  bool* loaded = nullptr);

// Writes the file, asking before replacing an existing one; every refusal and failure has its
// message. True when the file was written.
bool saveRenameSettings(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, const RenameSettings& settings);

}  // namespace nameshift::settings
