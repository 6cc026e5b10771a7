#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/naming/NamePath.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {

// The folders beneath a batch's folder that hold the files it names by their paths ("a/b/name"),
// each once with its closing "/", in the order of their paths; the folder itself is left out.
template <typename Names>
std::vector<std::string> foldersBeneath(std::size_t count, Names nameAt) {
    std::vector<std::string> folders;
    for (std::size_t i = 0; i < count; ++i) {
        // Held while its folder is taken: `nameAt` may hand out a name it makes.
        const auto& name = nameAt(i);
        const std::string_view folder = foldersOf(name);
        // A batch's files come folder by folder: most are in the folder of the one before.
        if (!folder.empty() && (folders.empty() || folder != folders.back())) {
            folders.emplace_back(folder);
        }
    }
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    return folders;
}

// Each entry of the folder and of the folders beneath it in `folders`, named by its path from the
// folder, handed to `visit` as it is read. A folder beneath that cannot be read (gone since, or
// another filesystem now) gives no entries: the files the batch expects there count as gone.
// Only the entries `wanted` names (by their paths) are looked at for their numbers where the
// folders' listings do not carry them.
platform::Status visitFolderEntries(
    platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<std::string>& folders, const std::function<bool(std::string_view)>& wanted,
    const std::function<void(const platform::DirEntryView&)>& visit);

// The entries of the folder and of the folders beneath it in `folders`, as listDirectoryKinds
// gives them, named by their paths from the folder.
platform::Result<std::vector<platform::DirEntry>> listFolderEntries(
    platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<std::string>& folders);

}  // namespace nameshift::engine
