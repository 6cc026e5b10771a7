#include "engine/LockedListing.h"

#include <algorithm>
#include <utility>

#include "engine/BatchChecks.h"
#include "engine/BatchGuard.h"
#include "engine/RestoreFile.h"
#include "engine/TextCase.h"

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

LockedListing::LockedListing(platform::FileSystem& fileSystem, const platform::Directory& directory,
                             std::vector<platform::DirEntry> entries)
    : fileSystem_(&fileSystem),
      directory_(&directory),
      entries_(std::move(entries)),
      index_(entries_.size(), NameAt{&entries_}) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        index_.insert(i);
    }
}

std::optional<platform::Message> LockedListing::read(platform::FileSystem& fileSystem,
                                                     const platform::Directory& directory,
                                                     std::optional<LockedListing>& listing) {
    platform::Result<std::vector<platform::DirEntry>> entries =
        fileSystem.listDirectoryKinds(directory);
    if (!entries.ok()) {
        return directoryError(directory.path(), entries.status());
    }
    listing.emplace(fileSystem, directory, std::move(entries.value()));
    return std::nullopt;
}

bool LockedListing::holds(std::string_view name) const {
    return index_.find(name) != NameIndex<NameAt>::kNone;
}

std::optional<platform::Message> LockedListing::changedFiles(const FileList& fileList,
                                                             const BatchPlan& plan) const {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        const PlannedChange& change = plan.changes[i];
        if (change.oldName == change.newName) {
            continue;
        }
        const std::size_t found = index_.find(change.oldName);
        if (found == NameIndex<NameAt>::kNone ||
            entries_[found].inode != fileList.row(change.file).inode) {
            changed.push_back(i);
        }
    }
    if (changed.empty()) {
        return std::nullopt;
    }
    return refusalFor(
        {NS_MESSAGE_N("Message",
                      "Cannot continue - %n file(s) of the batch changed since the folder was "
                      "listed: removed, renamed or replaced by another program. Nothing was "
                      "renamed. The list shows the folder as it is now; tick the files and apply "
                      "again."),
         {},
         static_cast<long long>(changed.size())},
        NS_MESSAGE("Message", "Files Changed"), plan.changes, changed);
}

bool LockedListing::foldsLetterCase() const {
    int probes = 0;
    for (const platform::DirEntry& entry : entries_) {
        const std::string swapped = swappedCase(entry.name);
        if (swapped == entry.name || holds(swapped)) {
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
    const std::string folded = text::toLower(kRestoreFileName);
    std::vector<std::size_t> renamedTo;
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        const PlannedChange& change = plan.changes[i];
        if (change.newName != change.oldName && change.newName != kRestoreFileName &&
            text::toLower(change.newName) == folded) {
            renamedTo.push_back(i);
        }
    }
    // A file of the user's, kept by the batch under another spelling of the name.
    std::string heldBy;
    if (!holds(kRestoreFileName)) {
        for (const platform::DirEntry& entry : entries_) {
            if (text::toLower(entry.name) != folded) {
                continue;
            }
            const bool movedAway = std::any_of(
                plan.changes.begin(), plan.changes.end(), [&entry](const PlannedChange& change) {
                    return change.oldName == entry.name && change.newName != change.oldName;
                });
            if (!movedAway) {
                heldBy = entry.name;
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
    for (const platform::DirEntry& entry : entries_) {
        if (!entry.isDirectory && platform::isWriteTemporary(entry.name, kRestoreFileName)) {
            const std::string path = directory_->path() + "/" + entry.name;
            if (const auto held = fileSystem_->lockFile(path); held.ok()) {
                fileSystem_->removeFileIn(*directory_, entry.name);
            }
        }
    }
}

}  // namespace nameshift::engine
