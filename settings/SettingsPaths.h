#pragma once

#include <string>
#include <string_view>

#include "platform/Status.h"

namespace nameshift::settings {

inline constexpr std::string_view kRenameSettingsFileName = "renset.ini";
inline constexpr std::string_view kProgramOptionsFileName = "opt.ini";
inline constexpr std::string_view kId3OptionsFileName = "ID3Opts.ini";
inline constexpr std::string_view kMoreRulesFileName = "morerules.ini";
inline constexpr std::string_view kWindowLayoutFileName = "window.ini";

// Where the settings files lie: the working directory the program started in. The paths
// are fixed once; the folder the browser shows later does not move them.
struct SettingsPaths {
    std::string programDirectory;  // ends with "/"
    std::string renameSettings;
    std::string programOptions;
    std::string id3Options;
    std::string moreRules;     // the rules renset.ini has no entries for
    std::string windowLayout;  // how the user left the main window

    static SettingsPaths fromWorkingDirectory(const std::string& cwd);
    // In `directory`, taken from the directory the program started in when it is relative; in
    // that directory itself when it is empty. Fails as `startDirectory` when it is needed and
    // could not be read.
    static platform::Result<SettingsPaths> atStartup(
        const platform::Result<std::string>& startDirectory, const std::string& directory = {});

    bool operator==(const SettingsPaths&) const = default;
};

}  // namespace nameshift::settings
