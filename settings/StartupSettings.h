#pragma once

#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/ProgramOptions.h"
#include "settings/RenameSettings.h"
#include "settings/SettingsPaths.h"
#include "settings/TagNamingOptions.h"

namespace nameshift::settings {

// What a start of the program takes from its settings files.
struct StartupSettings {
    ProgramOptions options;
    Id3Naming id3;
    RenameSettings rules;
};

// The message box that tells a settings file at `path` could not be read: the dialog shows every
// such message, the command line only some.
using LoadMessagesFor = std::function<platform::MessageBox&(const std::string& path)>;

struct StartupLoadSteps {
    // Runs once opt.ini and ID3Opts.ini are read, before renset.ini: the dialog chooses its
    // start-up directory there, and its message comes between theirs.
    std::function<void(const ProgramOptions&)> afterOptions;
    // False: renset.ini and morerules.ini are not read, and the rules are those of a start
    // without them.
    bool readRules = true;
    // With readRules false, morerules.ini's options of the program (the history's) are read over
    // those rules all the same, quietly: they are the program's, not rules.
    bool readProgramOptionsOfRules = false;
};

// Reads opt.ini, ID3Opts.ini, renset.ini and morerules.ini in the program's start-up order; each
// file that cannot be read is reported and gives its defaults, except a missing morerules.ini,
// which only a user of its rules has.
StartupSettings loadStartupSettings(platform::FileSystem& fileSystem, const SettingsPaths& paths,
                                    const LoadMessagesFor& messagesFor,
                                    const StartupLoadSteps& steps = {});

}  // namespace nameshift::settings
