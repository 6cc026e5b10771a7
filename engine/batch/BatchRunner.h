#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/batch/Batch.h"
#include "engine/batch/BatchGuard.h"
#include "engine/batch/BatchProgress.h"
#include "engine/batch/RenameRun.h"
#include "engine/batch/RenameSession.h"
#include "engine/records/BatchHistory.h"

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

// The tail every batch shares, its directory's lock held by `guard`: the journal on disk before
// the first rename, the renames in the order of `steps` (never replacing a file, with `progress`
// for a long batch), the record, and the journal kept in the history once the batch is recorded.
// The refusal to show when the journal cannot be written, or the history could not keep the
// record of a new batch that renames anything; nothing is renamed then.
std::variant<ExecutedBatch, platform::Message> executeBatch(
    BatchGuard& guard, platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<PlannedChange>& changes, const std::vector<RenameStep>& steps,
    const BatchSteps& batch, BatchProgress* progress);

// The "Rename Errors" text: one line per failure, at most `listed` of them, then a count of the
// rest.
platform::MessageText renameErrorsText(const std::vector<PlannedChange>& changes,
                                       const std::vector<RenameFailure>& failures,
                                       std::size_t listed);

// Runs `batch`, which its maker opened: takes its folder's lock, has `underLock` fill it from the
// folder as it is now, then journal, renames (never replacing a file), the restore file the
// journal's head asks for, the record, the history, and the report's count and closing message.
// What the steps tell goes to `report`, whose messages the steps' own telling uses too.
void runBatch(RenameSession& session, Batch& batch, const BatchUnderLock& underLock,
              CommandReport& report, BatchProgress* progress);

}  // namespace nameshift::engine
