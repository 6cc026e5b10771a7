#include "engine/batch/BatchGuard.h"

#include <cerrno>

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
                                        const std::string& journalPath) {
    platform::Result<platform::FileLock> lock =
        lockBatchDirectory(fileSystem, stateDirectory, directory, identity);
    if (!lock.ok()) {
        return lock.status();
    }
    return BatchGuard(fileSystem, std::move(lock.value()), journalPath, identity);
}

std::variant<BatchGuard, Message> guardBatch(platform::FileSystem& fileSystem,
                                             const std::string& stateDirectory,
                                             const platform::Directory& directory) {
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
            return Message{{NS_MESSAGE("Message",
                                       "Cannot continue - another batch is already "
                                       "renaming files in \"%1\". Nothing was renamed."),
                            {directory.path()}},
                           NS_MESSAGE("Message", "Batch Running"),
                           Icon::Stop};
        }
        return journalError(batchLockPath(stateDirectory, identity->device, identity->inode),
                            lock.status(), stateDirectory);
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
    return BatchGuard(fileSystem, std::move(lock.value()), std::move(journalPath), *identity);
}

}  // namespace nameshift::engine
