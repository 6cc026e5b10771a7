#include "engine/batch/FolderEntries.h"

#include <utility>

namespace nameshift::engine {

platform::Status visitFolderEntries(
    platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<std::string>& folders, const std::function<bool(std::string_view)>& wanted,
    const std::function<void(const platform::DirEntryView&)>& visit) {
    if (platform::Status status = fileSystem.visitDirectoryKindsFor(directory, wanted, visit);
        !status.ok()) {
        return status;
    }
    std::string path;
    for (const std::string& folder : folders) {
        const auto opened =
            fileSystem.openDirectoryIn(directory, std::string(folderPathOf(folder)));
        if (!opened.ok()) {
            continue;
        }
        static_cast<void>(fileSystem.visitDirectoryKindsFor(
            *opened,
            [&](std::string_view name) {
                path.assign(folder).append(name);
                return wanted(path);
            },
            [&](const platform::DirEntryView& entry) {
                platform::DirEntryView inTree = entry;
                path.assign(folder).append(entry.name);
                inTree.name = path;
                visit(inTree);
            }));
    }
    return {};
}

platform::Result<std::vector<platform::DirEntry>> listFolderEntries(
    platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<std::string>& folders) {
    auto listing = fileSystem.listDirectoryKinds(directory);
    if (!listing.ok() || folders.empty()) {
        return listing;
    }
    for (const std::string& folder : folders) {
        const auto opened =
            fileSystem.openDirectoryIn(directory, std::string(folderPathOf(folder)));
        auto entries = opened.ok() ? fileSystem.listDirectoryKinds(*opened) : opened.status();
        if (!entries.ok()) {
            continue;
        }
        for (platform::DirEntry& entry : entries.value()) {
            entry.name.insert(0, folder);
            listing.value().push_back(std::move(entry));
        }
    }
    return listing;
}

}  // namespace nameshift::engine
