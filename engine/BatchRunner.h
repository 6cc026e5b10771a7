#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/BatchGuard.h"
#include "engine/BatchHistory.h"
#include "engine/BatchProgress.h"
#include "engine/RenameRun.h"

namespace nameshift::engine {

// What a batch did: its renames, and whether its journal stays for the next start (its record
// could not be written, or the batch is not over).
struct ExecutedBatch {
    RenameRun run;
    bool journalKept = false;
    // What to tell when the history could not take the batch's record after all (its disk
    // filled during the batch): the journal stays as its record.
    std::optional<platform::Message> historyLost;
};

// What one kind of batch (apply, restore, a recovery) adds to the tail they share.
struct BatchSteps {
    // The journal to put on disk before the first rename; none for a recovery, which works from
    // the journal already there.
    std::optional<platform::FileContents> journal;
    // Tells of the renames done and failed, before the record is written.
    std::function<void(const RenameRun&)> afterRenames;
    // Writes down what the batch did; true when it is recorded and its journal can go, false
    // when the journal must stay (the record could not be written, or the batch is not over).
    std::function<bool(const RenameRun&)> record;
    // How the history keeps the recorded batch; none for an undo or a redo, which change the
    // record of the batch they act on instead.
    std::optional<HistoryKeeping> history;
    // The state folder whose history record an undo or a redo changes once it is over.
    std::string changesHistoryIn;
};

// The tail every batch shares, its directory's lock held by `guard`: the journal on disk before
// the first rename, the renames in the order of `steps` (never replacing a file, with `progress`
// for a long batch), the record, and the journal kept in the history once the batch is recorded.
// The refusal to show when the journal cannot be written, or the history could not keep the
// record of a new batch that renames anything; nothing is renamed then.
std::variant<ExecutedBatch, platform::Message> executeBatch(
    BatchGuard& guard, platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<PlannedChange>& changes, const std::vector<RenameStep>& steps,
    const BatchSteps& batch, BatchProgress* progress);

}  // namespace nameshift::engine
