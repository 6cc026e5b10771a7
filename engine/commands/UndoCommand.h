#pragma once

#include <cstdint>
#include <optional>

#include "engine/batch/BatchProgress.h"
#include "engine/batch/CommandReport.h"
#include "engine/batch/RenameSession.h"

namespace nameshift::engine {

// Undoes batch `id` of the history, or without one the last batch not undone yet: each file
// the batch renamed gets its earlier name back, found by its inode where its name changed
// since, through the same tail as every batch (lock, journal, never replacing). Refused while a
// later batch that renamed some of the same files stands; a file found under neither name nor
// inode is reported. Shows nothing: the report holds the messages.
CommandReport undoBatch(RenameSession& session, std::optional<std::uint64_t> id,
                        BatchProgress* progress = nullptr);

// Renames again the files of the batch undone last, or of batch `id` when it is undone, until
// another batch runs in its folder.
CommandReport redoBatch(RenameSession& session, BatchProgress* progress = nullptr,
                        std::optional<std::uint64_t> id = std::nullopt);

}  // namespace nameshift::engine
