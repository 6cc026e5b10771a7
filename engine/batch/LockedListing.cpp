#include "engine/batch/LockedListing.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "engine/batch/BatchGuard.h"
#include "engine/batch/FolderEntries.h"
#include "engine/naming/BatchChecks.h"
#include "engine/naming/NameIndex.h"
#include "engine/records/RestoreFile.h"
#include "engine/records/RestoreFileTraces.h"

namespace nameshift::engine {
namespace {

// How many listed names are tried, spelled otherwise, to learn whether the filesystem folds case.
constexpr int kCaseProbes = 8;

std::string swappedCase(std::string_view name) {
    std::string swapped(name);
    for (char& c : swapped) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return swapped;
}

}  // namespace

std::optional<platform::Message> LockedListing::read(platform::FileSystem& fileSystem,
                                                     const platform::Directory& directory,
                                                     const FileList& fileList,
                                                     const BatchPlan& plan,
                                                     std::optional<LockedListing>& listing) {
    LockedListing found(fileSystem, directory);
    const std::vector<PlannedChange>& changes = plan.changes;
    const auto oldNameOf = [&changes](std::size_t i) -> std::string_view {
        return changes[i].oldName;
    };
    NameIndex<decltype(oldNameOf)> planned(changes.size(), oldNameOf);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        planned.insert(i);
    }
    // Each renamed file is to be met under its listed name with its listed number. The numbers
    // are gathered in the plan's order first, which is the list's: looked up from the folder's
    // order instead, each would cost a miss of the processor's caches on a large batch.
    std::vector<std::uint64_t> listedInode(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i) {
        listedInode[i] = fileList.row(changes[i].file).inode;
    }
    std::vector<char> met(changes.size(), 0);
    const std::vector<std::string> folders = fileList.spansFolders()
                                                 ? foldersBeneath(changes.size(), oldNameOf)
                                                 : std::vector<std::string>();
    // Only the planned files' numbers are asked: the rest are looked at for their kinds alone.
    const platform::Status status = visitFolderEntries(
        fileSystem, directory, folders,
        [&planned](std::string_view name) {
            return planned.find(name) != decltype(planned)::kNone;
        },
        [&](const platform::DirEntryView& entry) {
            const std::size_t i = planned.find(entry.name);
            if (i != decltype(planned)::kNone && entry.inode == listedInode[i]) {
                met[i] = 1;
                if (entry.lookedAt) {
                    // A link to a folder is never listed, so a listed number that is a
                    // directory's is a folder's.
                    found.lookedAt_.emplace_back(
                        changes[i].file,
                        FileEvidence{entry.inode, traitsOf(entry.size, entry.writeTimeNs,
                                                           entry.birthTimeNs, entry.isDirectory)});
                }
            }
            // The traces are of the folder's own restore file.
            if (inListedFolder(entry.name)) {
                found.traces_.note(entry.name, entry.isDirectory);
            }
        });
    if (!status.ok()) {
        return directoryError(directory.path(), status);
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (met[i] == 0 && changes[i].oldName != changes[i].newName) {
            found.changed_.push_back(i);
        }
    }
    std::sort(found.lookedAt_.begin(), found.lookedAt_.end(),
              [](const auto& one, const auto& other) { return one.first < other.first; });
    listing.emplace(std::move(found));
    return std::nullopt;
}

std::optional<platform::Message> LockedListing::changedFiles(const BatchPlan& plan) const {
    if (changed_.empty()) {
        return std::nullopt;
    }
    return refusalFor(
        {NS_MESSAGE_N("Message",
                      "Cannot continue - %n file(s) of the batch changed since the folder was "
                      "listed: removed, renamed or replaced by another program. Nothing was "
                      "renamed. The list shows the folder as it is now, the files still there "
                      "ticked as before; apply again."),
         {},
         static_cast<long long>(changed_.size())},
        NS_MESSAGE("Message", "Files Changed"), plan.changes, changed_);
}

bool LockedListing::foldsLetterCase() const {
    // Rarely asked: the folder is read once more, to find names whose other spelling it does not
    // hold.
    const platform::Result<std::vector<platform::DirEntry>> entries =
        fileSystem_->listDirectoryKinds(*directory_);
    if (!entries.ok()) {
        return false;
    }
    const auto nameAt = [&entries](std::size_t i) -> std::string_view {
        return (*entries)[i].name;
    };
    NameIndex<decltype(nameAt)> listed(entries->size(), nameAt);
    for (std::size_t i = 0; i < entries->size(); ++i) {
        listed.insert(i);
    }
    int probes = 0;
    for (const platform::DirEntry& entry : *entries) {
        const std::string swapped = swappedCase(entry.name);
        if (swapped == entry.name || listed.find(swapped) != decltype(listed)::kNone) {
            continue;
        }
        if (fileSystem_->identifyIn(*directory_, swapped).ok()) {
            return true;
        }
        if (++probes == kCaseProbes) {
            break;
        }
    }
    return false;
}

std::optional<platform::Message> LockedListing::restoreNameSpellingRefusal(
    const BatchPlan& plan) const {
    std::vector<std::size_t> renamedTo;
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        const PlannedChange& change = plan.changes[i];
        if (change.newName != change.oldName && isRestoreNameSpelledOtherwise(change.newName)) {
            renamedTo.push_back(i);
        }
    }
    // A file of the user's, which the batch does not move, under another spelling of the name.
    std::string heldBy;
    if (!traces_.holdsRestoreFile) {
        for (const std::string& name : traces_.otherSpellings) {
            const bool movedAway = std::any_of(
                plan.changes.begin(), plan.changes.end(), [&name](const PlannedChange& change) {
                    return change.oldName == name && change.newName != change.oldName;
                });
            if (!movedAway) {
                heldBy = name;
            }
        }
    }
    if ((renamedTo.empty() && heldBy.empty()) || !foldsLetterCase()) {
        return std::nullopt;
    }
    if (!renamedTo.empty()) {
        return refusalFor({NS_MESSAGE("Message",
                                      "Cannot continue - the new file name \"%1\" is the name of "
                                      "the restore file that this batch writes."),
                           {plan.changes[renamedTo.front()].newName}},
                          NS_MESSAGE("Message", "Invalid File Name"), plan.changes, renamedTo);
    }
    return platform::Message{
        {NS_MESSAGE("Message",
                    "Cannot continue - the file \"%1\" holds the name of the restore file, "
                    "spelled otherwise, and this folder's filesystem takes both spellings for one "
                    "name: the batch's restore file would replace it. Rename it, or apply without "
                    "a restore file. Nothing was renamed."),
         {heldBy}},
        NS_MESSAGE("Message", "Restore File Already Exists"),
        platform::Icon::Stop};
}

void LockedListing::removeAbandonedRecords() const {
    for (const std::string& name : traces_.abandonedRecords) {
        const std::string path = directory_->path() + "/" + name;
        if (const auto held = fileSystem_->lockFile(path); held.ok()) {
            fileSystem_->removeFileIn(*directory_, name);
        }
    }
}

}  // namespace nameshift::engine
