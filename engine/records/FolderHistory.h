#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/records/BatchHistory.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {

// What a user is told of a batch of the history before it is undone or redone.
struct HistoryBatch {
    std::uint64_t id = 0;
    std::uint64_t time = 0;  // seconds since 1970
    std::string directory;
    // The files it left under their new names, or those an undo gave their earlier names back.
    std::size_t files = 0;
};

// The batch of `entry`, whose record was read.
HistoryBatch historyBatchOf(const HistoryEntry& entry);

// The batches of the history that ran in one folder, which the window undoes and redoes: the
// folder shown is what the user looks at, whatever ran elsewhere since. A record that cannot be
// read is passed over here; the undo itself decides whether it may pass over it.
class FolderHistory {
public:
    FolderHistory(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                  std::string folder);

    // The folder's newest batch not undone, read from the newest record back.
    std::optional<HistoryBatch> batchToUndo();
    // The folder's batch undone last.
    std::optional<HistoryBatch> batchToRedo();

    // Whether `directory`, as a record names it, is this folder.
    bool holds(const std::string& directory) const;

private:
    BatchHistory history_;
    std::string folder_;
};

}  // namespace nameshift::engine
