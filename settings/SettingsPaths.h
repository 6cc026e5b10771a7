#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace nameshift::settings {

inline constexpr std::string_view kRenameSettingsFileName = "renset.ini";
inline constexpr std::string_view kProgramOptionsFileName = "opt.ini";
inline constexpr std::string_view kId3OptionsFileName = "ID3Opts.ini";

// Where the three settings files lie: the working directory the program started in. The paths
// are fixed once; the browser changing the current directory later does not move them.
struct SettingsPaths {
    std::string programDirectory;  // ends with "/"
    std::string renameSettings;
    std::string programOptions;
    std::string id3Options;

    static SettingsPaths fromWorkingDirectory(const std::string& cwd);
    // In `directory`, taken from the process's current directory when it is relative; in the
    // current directory itself when it is empty. Fails when the current directory is needed and
    // cannot be read.
    static platform::Result<SettingsPaths> atStartup(platform::FileSystem& fileSystem,
                                                     const std::string& directory = {});

    bool operator==(const SettingsPaths&) const = default;
};

}  // namespace nameshift::settings
