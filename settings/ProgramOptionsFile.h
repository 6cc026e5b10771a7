#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/ProgramOptions.h"
#include "settings/SettingsField.h"

namespace nameshift::settings {

// opt.ini: the options of the Options dialog, seven entries in a fixed order.

// Every entry of the file, in its order.
std::span<const SettingsField<ProgramOptions>> programOptionsFields();

std::string formatProgramOptions(const ProgramOptions& options);

// The fields the text sets, over `current`. A restore file usage other than "0", "1" or "2"
// reads as 0.
ProgramOptions parseProgramOptions(std::string_view text, ProgramOptions current);

// The file read over `current`, or nothing when it cannot be read. Shows nothing, as the main
// dialog's reload after the Options dialog needs.
std::optional<ProgramOptions> readProgramOptions(platform::FileSystem& fileSystem,
                                                 const std::string& path,
                                                 const ProgramOptions& current);

// As readProgramOptions, but a file that cannot be read is reported and gives the defaults.
ProgramOptions loadProgramOptions(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                  const std::string& path, const ProgramOptions& current,
                                  bool* loaded = nullptr);

// Writes the file, asking before replacing an existing one; every refusal and failure has its
// message. True when the file was written.
bool saveProgramOptions(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, const ProgramOptions& options);

}  // namespace nameshift::settings
