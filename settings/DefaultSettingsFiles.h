#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "settings/SettingsPaths.h"

namespace nameshift::settings {

// One settings file as the program saves it when nothing was changed after a first start.
struct DefaultSettingsFile {
    std::string_view fileName;
    std::string text;
};

// opt.ini, ID3Opts.ini and renset.ini, in the order the program reads them at its start.
std::array<DefaultSettingsFile, 3> defaultSettingsFiles();

// What became of one file in writeMissingSettingsFiles.
struct DefaultFileOutcome {
    std::string path;
    bool written = false;  // false with an ok status: the file was there and stays as it is
    platform::Status status;
};

// Writes each settings file that is missing in `paths` with its defaults, so that a first start
// finds them all and shows no message about them. An existing file is never touched, whatever it
// holds.
std::array<DefaultFileOutcome, 3> writeMissingSettingsFiles(platform::FileSystem& fileSystem,
                                                            const SettingsPaths& paths);

}  // namespace nameshift::settings
