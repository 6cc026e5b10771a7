#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

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

// morerules.ini as a first start writes it: the undo record kept only in the history.
DefaultSettingsFile firstStartMoreRules();

// Writes each settings file that is missing in `paths` with its defaults, so that a first start
// finds them all and shows no message about them, and on a first start (no opt.ini yet) a
// missing morerules.ini too. An existing file is never touched, whatever it holds.
std::vector<DefaultFileOutcome> writeMissingSettingsFiles(platform::FileSystem& fileSystem,
                                                          const SettingsPaths& paths);

// The settings folder of a start of the program: `named` when the user named one, else
// `userFolder`, made when missing and given the missing files as a first start writes them, so
// that a first start shows no message about them. Empty (the current directory) when neither is
// known.
std::string prepareSettingsDirectory(platform::FileSystem& fileSystem, const std::string& named,
                                     const std::string& userFolder);

}  // namespace nameshift::settings
