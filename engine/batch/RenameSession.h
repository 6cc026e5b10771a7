#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/batch/FileList.h"
#include "engine/contents/TagReader.h"
#include "engine/records/BatchHistory.h"
#include "platform/FileSystem.h"
#include "platform/StatePaths.h"
#include "settings/ProgramOptions.h"
#include "settings/RenameSettings.h"
#include "settings/TagNamingOptions.h"

namespace nameshift::engine {

// Everything the commands (preview, apply, restore) work on. The main dialog owns one for the
// life of the program; the command-line tool makes one per run.
struct RenameSession {
    RenameSession(platform::FileSystem& fs, TagReader& tagReader)
        : fileSystem(fs),
          tags(tagReader),
          fileList(fs),
          stateDirectory(platform::userStateDirectory()) {}

    platform::FileSystem& fileSystem;
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
    // Whether a batch's report lists every rename, which only a caller that prints them needs.
    bool keepRenamedPairs = false;
    // New names given for the ticked files, one each in list order (from a list or an editor),
    // which the batch takes instead of the rules'.
    std::optional<std::vector<std::string>> listedNames;
};

}  // namespace nameshift::engine
