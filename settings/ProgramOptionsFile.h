#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/ProgramOptions.h"
#include "settings/SettingsFile.h"

namespace nameshift::settings {

// opt.ini: the options of the Options dialog, seven entries in a fixed order.
const SettingsFile<ProgramOptions>& programOptionsFile();

// The names the program's callers use for the file's operations.

// Every entry of the file, in its order.
inline std::span<const SettingsField<ProgramOptions>> programOptionsFields() {
    return programOptionsFile().fields;
}

inline std::string formatProgramOptions(const ProgramOptions& options) {
    return programOptionsFile().format(options);
}

// The fields the text sets, over `current`. A restore file usage other than "0", "1" or "2"
// reads as 0.
inline ProgramOptions parseProgramOptions(std::string_view text, ProgramOptions current) {
    return programOptionsFile().parse(text, std::move(current));
}

// The file read over `current`, or nothing when it cannot be read. Shows nothing, as the main
// dialog's reload after the Options dialog needs.
inline std::optional<ProgramOptions> readProgramOptions(platform::FileSystem& fileSystem,
                                                        const std::string& path,
                                                        const ProgramOptions& current) {
    return programOptionsFile().read(fileSystem, path, current);
}

// As readProgramOptions, but a file that cannot be read is reported and gives the defaults.
inline ProgramOptions loadProgramOptions(platform::FileSystem& fileSystem,
                                         platform::MessageBox& messages, const std::string& path,
                                         const ProgramOptions& current, bool* loaded = nullptr) {
    return programOptionsFile().load(fileSystem, messages, path, current, loaded);
}

// Writes the file, asking before replacing an existing one; every refusal and failure has its
// message. True when the file was written.
inline bool saveProgramOptions(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                               const std::string& path, const ProgramOptions& options) {
    return programOptionsFile().save(fileSystem, messages, path, options);
}

}  // namespace nameshift::settings
