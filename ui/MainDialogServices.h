#pragma once

#include <QString>
#include <QWidget>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "engine/commands/RestoreFilePicker.h"
#include "engine/contents/TagReader.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/VolumeSource.h"
#include "settings/SettingsPaths.h"
#include "ui/DirectoryBrowser.h"
#include "ui/ModalRunner.h"
#include "ui/PresetBar.h"

namespace nameshift::ui {

// What the main dialog works with, handed in by the program's entry or by a test.
struct MainDialogServices {
    MainDialogServices(platform::FileSystem& fs, platform::MessageBox& box,
                       engine::TagReader& tagReader, platform::VolumeSource& volumeSource)
        : fileSystem(fs), messages(box), tags(tagReader), volumes(volumeSource) {}

    platform::FileSystem& fileSystem;
    platform::MessageBox& messages;
    engine::TagReader& tags;
    platform::VolumeSource& volumes;
    // Null: Qt's file dialog asks.
    engine::RestoreFilePicker* restorePicker = nullptr;
    // How the preview and the file dialog run; null: exec().
    ModalRunner runModal;
    // How long the start-up picture stays; 0 shows none.
    int splashMilliseconds = 1800;
    // The working directory the program was started in, read once by the program's entry, or
    // why it could not be read.
    platform::Result<std::string> startDirectory = platform::Status::fromErrno(ENOENT);
    // Where the settings files lie; empty: the start directory.
    std::string settingsDirectory;
    // The folder the program was asked to open, before any start-up directory; empty: none.
    std::string startFolder;
    // Files of that folder to tick once it is listed, as a file manager hands them over.
    std::vector<std::string> startFiles;
    // How many names of the "New Name" column one pass of the event loop computes: a few
    // milliseconds' work, so that keystrokes and scrolling never wait. A batch no larger is
    // computed at once.
    std::size_t newNamesPerSlice = 8192;
    // Asks the name of a preset to save; null: Qt's input dialog asks.
    PresetNamePrompt askPresetName;
    // How long a mounted volume may take to answer before the drive list calls it not responding.
    std::chrono::milliseconds volumeTimeLimit = DirectoryBrowser::kVolumeTimeLimit;
};

// What the dialogs opened from the main dialog get to work with.
struct DialogContext {
    QWidget* parent;
    platform::FileSystem& fileSystem;
    platform::MessageBox& messages;
    const settings::SettingsPaths& paths;
};

// The other dialogs of the program, opened from the main dialog's buttons. A hook left empty
// does nothing. After the options and tag naming options dialogs the main dialog reads their files
// again, however they were closed.
struct DialogHooks {
    std::function<void(const DialogContext&)> options;
    std::function<void(const DialogContext&)> tagNamingOptions;
    std::function<void(const DialogContext&)> about;
    // Opens the help on `page`.
    std::function<void(const DialogContext&, const QString& page)> help;
};

}  // namespace nameshift::ui
