#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/FileList.h"
#include "engine/TagReader.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/StatePaths.h"
#include "settings/Id3Options.h"
#include "settings/ProgramOptions.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

// What the last apply or restore did, for callers that must tell more than its messages, such as
// a script's exit status.
struct BatchReport {
    std::size_t renamed = 0;
    std::size_t failed = 0;
    bool cancelled = false;
    // A restore file was to be written or rewritten, and it could not be.
    bool recordLost = false;
    // Each rename that was done, old name then new name, in the order they were done, when the
    // session keeps them.
    std::vector<std::pair<std::string, std::string>> renamedPairs;
};

// Everything the commands (preview, apply, restore) work on. The main dialog owns one for the
// life of the program; the command-line tool makes one per run.
struct RenameSession {
    RenameSession(platform::FileSystem& fs, platform::MessageBox& box, TagReader& tagReader)
        : fileSystem(fs),
          messages(box),
          tags(tagReader),
          fileList(fs, box),
          stateDirectory(platform::userStateDirectory()) {}

    platform::FileSystem& fileSystem;
    platform::MessageBox& messages;
    TagReader& tags;

    FileList fileList;
    settings::RenameSettings rules;
    settings::ProgramOptions options;
    settings::Id3Naming id3;
    std::string directory;  // the directory the browser shows, whose files are listed
    // Where batches keep their locks and journals.
    std::string stateDirectory;
    // How many failed renames one "Rename Errors" message lists before it counts the rest.
    std::size_t listedRenameErrors = 20;
    // Whether lastBatch lists every rename, which only a caller that prints them needs.
    bool keepRenamedPairs = false;
    BatchReport lastBatch;
};

}  // namespace nameshift::engine
