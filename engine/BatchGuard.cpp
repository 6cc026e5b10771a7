#include "engine/BatchGuard.h"

#include <cerrno>

namespace nameshift::engine {
namespace {

using platform::Icon;
using platform::Message;

std::string stateFileName(const std::string& stateDirectory, std::uint64_t device,
                          std::uint64_t inode, const char* suffix) {
    return stateDirectory + "/" + std::to_string(device) + "-" + std::to_string(inode) + suffix;
}

Message journalError(const std::string& path, const platform::Status& status) {
    return Message{"Cannot continue - the record of this batch cannot be written to \"" + path +
                       "\": " + status.message() + ". Nothing was renamed.",
                   "Journal Error", Icon::Stop};
}

}  // namespace

std::string batchLockPath(const std::string& stateDirectory, std::uint64_t device,
                          std::uint64_t inode) {
    return stateFileName(stateDirectory, device, inode, ".lock");
}

std::string batchJournalPath(const std::string& stateDirectory, std::uint64_t device,
                             std::uint64_t inode) {
    return stateFileName(stateDirectory, device, inode, kJournalSuffix);
}

std::optional<Message> BatchGuard::writeJournal(const Journal& journal) {
    const platform::Status status = fileSystem_->writeFile(journalPath_, formatJournal(journal),
                                                           platform::WriteMode::CreateNew);
    if (!status.ok()) {
        return journalError(journalPath_, status);
    }
    return std::nullopt;
}

void BatchGuard::finish() {
    fileSystem_->removeFile(journalPath_);
}

std::variant<BatchGuard, Message> guardBatch(platform::FileSystem& fileSystem,
                                             const std::string& stateDirectory,
                                             const platform::Directory& directory) {
    if (stateDirectory.empty()) {
        return journalError("~/.local/state/nameshift", platform::Status::fromErrno(ENOENT));
    }
    const platform::Result<platform::FileIdentity> identity = fileSystem.identifyIn(directory, ".");
    if (!identity.ok()) {
        return Message{"Cannot continue - the directory \"" + directory.path() +
                           "\" cannot be opened: " + identity.status().message(),
                       "Directory Error", Icon::Stop};
    }
    if (const platform::Status made = fileSystem.makeDirectories(stateDirectory); !made.ok()) {
        return journalError(stateDirectory, made);
    }
    const std::string lockPath = batchLockPath(stateDirectory, identity->device, identity->inode);
    platform::Result<platform::FileLock> lock = fileSystem.lockFile(lockPath);
    if (!lock.ok()) {
        if (lock.status().kind() == platform::ErrorKind::Busy) {
            return Message{"Cannot continue - another batch is already renaming files in \"" +
                               directory.path() + "\". Nothing was renamed.",
                           "Batch Running", Icon::Stop};
        }
        return journalError(lockPath, lock.status());
    }
    std::string journalPath = batchJournalPath(stateDirectory, identity->device, identity->inode);
    if (fileSystem.identify(journalPath).ok()) {
        return Message{"Cannot continue - a batch in \"" + directory.path() +
                           "\" was interrupted and has not been undone or finished yet. Start "
                           "Nameshift Pro again, or run \"nameshift-cli recover\", to deal with "
                           "it first.",
                       "Interrupted Batch", Icon::Stop};
    }
    return BatchGuard(fileSystem, std::move(lock.value()), std::move(journalPath), *identity);
}

}  // namespace nameshift::engine
