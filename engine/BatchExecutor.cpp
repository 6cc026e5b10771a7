#include "engine/BatchExecutor.h"

#include <utility>

namespace nameshift::engine {

std::variant<ExecutedBatch, platform::Message> executeBatch(
    BatchGuard& guard, platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<PlannedChange>& changes, const std::vector<RenameStep>& steps,
    const BatchSteps& batch, BatchProgress* progress) {
    if (batch.journal) {
        if (auto refusal = guard.writeJournal(*batch.journal)) {
            return std::move(*refusal);
        }
    }
    ExecutedBatch executed{runRenames(fileSystem, directory, changes, steps, progress), false};
    if (batch.afterRenames) {
        batch.afterRenames(executed.run);
    }
    // Without its record, the journal is the batch's only one: it stays, and the next start
    // offers to undo or finish the batch from it.
    executed.journalKept = batch.record && !batch.record(executed.run);
    if (!executed.journalKept) {
        if (batch.history) {
            keepInHistory(fileSystem, guard.journalPath(), *batch.history, executed.run,
                          batch.journal ? &*batch.journal : nullptr);
        }
        guard.finish();
    }
    return executed;
}

}  // namespace nameshift::engine
