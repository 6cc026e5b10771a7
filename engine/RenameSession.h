#pragma once

#include <string>

#include "engine/FileList.h"
#include "engine/TagReader.h"
#include "engine/WorkLists.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/Id3Options.h"
#include "settings/ProgramOptions.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

// Everything the commands (preview, apply, restore) work on. The main dialog owns one for the
// life of the program; the command-line tool makes one per run.
struct RenameSession {
    RenameSession(platform::FileSystem& fs, platform::MessageBox& box, TagReader& tagReader)
        : fileSystem(fs), messages(box), tags(tagReader), fileList(fs, box) {}

    platform::FileSystem& fileSystem;
    platform::MessageBox& messages;
    TagReader& tags;

    FileList fileList;
    WorkLists lists;
    settings::RenameSettings rules;
    settings::ProgramOptions options;
    settings::Id3Naming id3;
    std::string directory;  // the directory the browser shows, whose files are listed
};

}  // namespace nameshift::engine
