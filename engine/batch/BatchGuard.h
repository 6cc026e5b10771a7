#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/batch/BatchReach.h"
#include "engine/batch/HeldLockFiles.h"
#include "engine/naming/BatchPlan.h"
#include "engine/records/Journal.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// One batch at a time renames in a directory: it holds the directory's own lock, which every user
// and every state folder shares. The state folder keeps the journal of the batch running there,
// named after the directory's device and inode, which no rename or move of the directory changes;
// on a filesystem that cannot lock a directory, a lock file named the same way stands in.
// The refusal of a batch whose directory cannot be opened.
platform::Message directoryError(const std::string& path, const platform::Status& status);

std::string batchLockPath(const std::string& stateDirectory, std::uint64_t device,
                          std::uint64_t inode);
std::string batchJournalPath(const std::string& stateDirectory, std::uint64_t device,
                             std::uint64_t inode);
inline constexpr const char* kJournalSuffix = ".journal";
inline constexpr const char* kLockSuffix = ".lock";

// The refusal to use a state folder that another user owns or may write to: a journal planted
// there would rename the user's files. Nothing for a folder that is missing or the user's alone.
std::optional<platform::Message> stateFolderRefusal(platform::FileSystem& fileSystem,
                                                    const std::string& stateDirectory);

// Takes, without waiting, the lock a batch in `directory` holds: Busy when another batch holds
// it.
platform::Result<platform::FileLock> lockBatchDirectory(platform::FileSystem& fileSystem,
                                                        const std::string& stateDirectory,
                                                        const platform::Directory& directory,
                                                        const platform::FileIdentity& identity);

// What a batch holds from its plan until its record is written: the directory's lock, and the
// journal once it is on disk.
class BatchGuard {
public:
    BatchGuard(platform::FileSystem& fileSystem, platform::FileLock lock, std::string journalPath,
               platform::FileIdentity directory, HeldLockFiles treeLocks = {})
        : fileSystem_(&fileSystem),
          lock_(std::move(lock)),
          treeLocks_(std::move(treeLocks)),
          journalPath_(std::move(journalPath)),
          directory_(directory) {}

    const platform::FileIdentity& directory() const { return directory_; }
    const std::string& journalPath() const { return journalPath_; }

    // Puts the whole journal on disk before the first rename; the refusal to show when it
    // cannot be.
    std::optional<platform::Message> writeJournal(const Journal& journal);
    // The same for a journal made piece by piece (see journalContents).
    std::optional<platform::Message> writeJournal(const platform::FileContents& contents);
    // The batch is over and recorded: its journal goes.
    void finish();

private:
    platform::FileSystem* fileSystem_;
    platform::FileLock lock_;
    HeldLockFiles treeLocks_;
    std::string journalPath_;
    platform::FileIdentity directory_;
};

// Takes the lock of `directory` for the recovery of the interrupted batch whose journal is at
// `journalPath`: Busy when a batch holds it.
platform::Result<BatchGuard> adoptBatch(platform::FileSystem& fileSystem,
                                        const std::string& stateDirectory,
                                        const platform::Directory& directory,
                                        const platform::FileIdentity& identity,
                                        const std::string& journalPath, BatchReach reach);

// Takes the lock of `directory` for a batch; the refusal to show when another batch holds it, an
// interrupted batch there waits to be undone or finished, or the state folder cannot be used.
std::variant<BatchGuard, platform::Message> guardBatch(platform::FileSystem& fileSystem,
                                                       const std::string& stateDirectory,
                                                       const platform::Directory& directory,
                                                       BatchReach reach);

// A batch whose names, before or after, lie beneath its folder reaches a tree.
BatchReach reachOf(const std::vector<PlannedChange>& changes);
BatchReach reachOf(const Journal& journal);

}  // namespace nameshift::engine
