#include "engine/batch/BatchGuard.h"

#include <algorithm>
#include <cerrno>

#include "engine/naming/NamePath.h"

namespace nameshift::engine {
namespace {

using platform::Icon;
using platform::Message;

std::string stateFileName(const std::string& stateDirectory, std::uint64_t device,
                          std::uint64_t inode, const char* suffix) {
    return stateDirectory + "/" + std::to_string(device) + "-" + std::to_string(inode) + suffix;
}

// A state folder the user may not write to is the user's to mend, and is named as such, not by
// the file the batch wanted there.
bool isUnwritable(const platform::Status& status) {
    return status.error() == EACCES || status.error() == EPERM || status.error() == EROFS;
}

Message stateFolderError(const std::string& folder, const platform::Status& status) {
    return Message{{NS_MESSAGE("Message",
                               "Cannot continue - the folder \"%1\", which keeps the records "
                               "of batches, cannot be written to: %2. Make it writable, or "
                               "set XDG_STATE_HOME to a folder that is, and try again. "
                               "Nothing was renamed."),
                    {folder, status.message()}},
                   NS_MESSAGE("Message", "Journal Error"),
                   Icon::Stop};
}

// `path` is a file of the state folder `folder`.
Message journalError(const std::string& path, const platform::Status& status,
                     const std::string& folder) {
    if (isUnwritable(status)) {
        return stateFolderError(folder, status);
    }
    return Message{{NS_MESSAGE("Message",
                               "Cannot continue - the record of this batch cannot be "
                               "written to \"%1\": %2. Nothing was renamed."),
                    {path, status.message()}},
                   NS_MESSAGE("Message", "Journal Error"),
                   Icon::Stop};
}

std::string treeLockPath(const std::string& stateDirectory, const platform::FileIdentity& folder) {
    return stateFileName(stateDirectory, folder.device, folder.inode, ".tree.lock");
}

// The locks that keep batches over a tree and batches in its folders apart; the path of the one
// that could not be taken with its status when they cannot be.
struct TreeLocks {
    HeldLockFiles held;
    std::string failedPath;
    platform::Status failed;
};

TreeLocks lockTree(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                   const platform::Directory& directory, const platform::FileIdentity& identity,
                   BatchReach reach) {
    TreeLocks locks{HeldLockFiles(fileSystem), {}, {}};
    const auto take = [&](const platform::FileIdentity& folder, bool whole) {
        std::string path = treeLockPath(stateDirectory, folder);
        platform::Result<platform::FileLock> lock =
            whole ? fileSystem.lockFile(path) : fileSystem.lockFileShared(path);
        if (!lock.ok()) {
            locks.failedPath = path;
            locks.failed = lock.status();
            return false;
        }
        locks.held.add(std::move(lock.value()), std::move(path));
        return true;
    };
    const auto above = fileSystem.foldersAbove(directory);
    if (above.ok()) {
        for (const platform::FileIdentity& folder : *above) {
            if (!take(folder, false)) {
                return locks;
            }
        }
    }
    if (reach == BatchReach::Tree) {
        take(identity, true);
    }
    return locks;
}

Message batchRunningMessage(const std::string& path) {
    return Message{{NS_MESSAGE("Message",
                               "Cannot continue - another batch is already "
                               "renaming files in \"%1\". Nothing was renamed."),
                    {path}},
                   NS_MESSAGE("Message", "Batch Running"),
                   Icon::Stop};
}

}  // namespace

Message directoryError(const std::string& path, const platform::Status& status) {
    return Message{{NS_MESSAGE("Message",
                               "Cannot continue - the directory \"%1\" cannot be "
                               "opened: %2"),
                    {path, status.message()}},
                   NS_MESSAGE("Message", "Directory Error"),
                   Icon::Stop};
}

std::string batchLockPath(const std::string& stateDirectory, std::uint64_t device,
                          std::uint64_t inode) {
    return stateFileName(stateDirectory, device, inode, kLockSuffix);
}

std::optional<Message> stateFolderRefusal(platform::FileSystem& fileSystem,
                                          const std::string& stateDirectory) {
    const platform::Result<platform::FileIdentity> identity = fileSystem.identify(stateDirectory);
    if (!identity.ok() || identity->userAlone) {
        return std::nullopt;
    }
    return Message{{NS_MESSAGE("Message",
                               "Cannot continue - the folder \"%1\", which keeps the records of "
                               "batches, belongs to another user or others may write to it. Make "
                               "it yours alone (chmod 700) and try again. Nothing was renamed."),
                    {stateDirectory}},
                   NS_MESSAGE("Message", "Journal Error"),
                   Icon::Stop};
}

platform::Result<platform::FileLock> lockBatchDirectory(platform::FileSystem& fileSystem,
                                                        const std::string& stateDirectory,
                                                        const platform::Directory& directory,
                                                        const platform::FileIdentity& identity) {
    platform::Result<platform::FileLock> lock = fileSystem.lockDirectory(directory);
    if (lock.ok() || lock.status().kind() == platform::ErrorKind::Busy) {
        return lock;
    }
    return fileSystem.lockFile(batchLockPath(stateDirectory, identity.device, identity.inode));
}

std::string batchJournalPath(const std::string& stateDirectory, std::uint64_t device,
                             std::uint64_t inode) {
    return stateFileName(stateDirectory, device, inode, kJournalSuffix);
}

std::optional<Message> BatchGuard::writeJournal(const Journal& journal) {
    return writeJournal(journalContents(journal));
}

std::optional<Message> BatchGuard::writeJournal(const platform::FileContents& contents) {
    const platform::Status status =
        fileSystem_->writeFile(journalPath_, contents, platform::WriteMode::CreateNew);
    if (!status.ok()) {
        return journalError(journalPath_, status, journalPath_.substr(0, journalPath_.rfind('/')));
    }
    return std::nullopt;
}

void BatchGuard::finish() {
    fileSystem_->removeFile(journalPath_);
}

platform::Result<BatchGuard> adoptBatch(platform::FileSystem& fileSystem,
                                        const std::string& stateDirectory,
                                        const platform::Directory& directory,
                                        const platform::FileIdentity& identity,
                                        const std::string& journalPath, BatchReach reach) {
    platform::Result<platform::FileLock> lock =
        lockBatchDirectory(fileSystem, stateDirectory, directory, identity);
    if (!lock.ok()) {
        return lock.status();
    }
    TreeLocks tree = lockTree(fileSystem, stateDirectory, directory, identity, reach);
    if (!tree.failed.ok()) {
        return tree.failed;
    }
    return BatchGuard(fileSystem, std::move(lock.value()), journalPath, identity,
                      std::move(tree.held));
}

std::variant<BatchGuard, Message> guardBatch(platform::FileSystem& fileSystem,
                                             const std::string& stateDirectory,
                                             const platform::Directory& directory,
                                             BatchReach reach) {
    if (stateDirectory.empty()) {
        return journalError("~/.local/state/nameshift", platform::Status::fromErrno(ENOENT), {});
    }
    const platform::Result<platform::FileIdentity> identity = fileSystem.identifyIn(directory, ".");
    if (!identity.ok()) {
        return directoryError(directory.path(), identity.status());
    }
    if (const platform::Status made = fileSystem.makeDirectories(stateDirectory); !made.ok()) {
        return journalError(stateDirectory, made, stateDirectory);
    }
    if (auto refusal = stateFolderRefusal(fileSystem, stateDirectory)) {
        return std::move(*refusal);
    }
    platform::Result<platform::FileLock> lock =
        lockBatchDirectory(fileSystem, stateDirectory, directory, *identity);
    if (!lock.ok()) {
        if (lock.status().kind() == platform::ErrorKind::Busy) {
            return batchRunningMessage(directory.path());
        }
        return journalError(batchLockPath(stateDirectory, identity->device, identity->inode),
                            lock.status(), stateDirectory);
    }
    // A batch over the tree it lies in, or in a folder of its own tree, renames there.
    TreeLocks tree = lockTree(fileSystem, stateDirectory, directory, *identity, reach);
    if (!tree.failed.ok()) {
        if (tree.failed.kind() == platform::ErrorKind::Busy) {
            return batchRunningMessage(directory.path());
        }
        return journalError(tree.failedPath, tree.failed, stateDirectory);
    }
    std::string journalPath = batchJournalPath(stateDirectory, identity->device, identity->inode);
    if (fileSystem.identify(journalPath).ok()) {
        // Recovery cannot use a record it cannot read, so sending the user there would leave the
        // directory refused for good: name the record instead.
        const auto text = fileSystem.readFile(journalPath, kMaxJournalBytes);
        if (!text.ok() || !parseJournal(*text)) {
            return Message{{NS_MESSAGE("Message",
                                       "Cannot continue - a batch in \"%1\" was interrupted, and "
                                       "its record \"%2\" cannot be read, so it cannot be undone "
                                       "or finished. Check the file names in \"%1\", then move "
                                       "the record away to rename files there again."),
                            {directory.path(), journalPath}},
                           NS_MESSAGE("Message", "Interrupted Batch"),
                           Icon::Stop};
        }
        return Message{{NS_MESSAGE("Message",
                                   "Cannot continue - a batch in \"%1\" was interrupted and has "
                                   "not been undone or finished yet. Start Nameshift Pro again, or "
                                   "run \"nameshift-cli recover\", to deal with it first."),
                        {directory.path()}},
                       NS_MESSAGE("Message", "Interrupted Batch"),
                       Icon::Stop};
    }
    return BatchGuard(fileSystem, std::move(lock.value()), std::move(journalPath), *identity,
                      std::move(tree.held));
}

BatchReach reachOf(const std::vector<PlannedChange>& changes) {
    const bool beneath = std::any_of(changes.begin(), changes.end(), [](const auto& change) {
        return change.oldName != change.newName &&
               (!inListedFolder(change.oldName) || !inListedFolder(change.newName));
    });
    return beneath ? BatchReach::Tree : BatchReach::Folder;
}

BatchReach reachOf(const Journal& journal) {
    const bool beneath =
        !journal.folders.empty() ||
        std::any_of(journal.entries.begin(), journal.entries.end(), [](const auto& entry) {
            return !inListedFolder(entry.original) || !inListedFolder(entry.final);
        });
    return beneath ? BatchReach::Tree : BatchReach::Folder;
}

}  // namespace nameshift::engine
