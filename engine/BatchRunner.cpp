#include "engine/BatchRunner.h"

#include <algorithm>
#include <utility>

namespace nameshift::engine {
namespace {

// The state folder whose history must take a record of the batch; empty when the batch leaves
// none. A recovery has no journal to write: its own journal stays when the record cannot be.
std::string historyToWrite(const BatchSteps& batch, const std::vector<PlannedChange>& changes) {
    if (!batch.journal || std::none_of(changes.begin(), changes.end(), [](const auto& change) {
            return change.oldName != change.newName;
        })) {
        return {};
    }
    if (batch.history) {
        return batch.history->bound.batches > 0 ? batch.history->stateDirectory : std::string();
    }
    return batch.changesHistoryIn;
}

platform::Message historyLostMessage(const std::string& journalPath) {
    return {{NS_MESSAGE("Message",
                        "The record of this batch could not be written to the history, so it is "
                        "kept in \"%1\" as an interrupted batch's: run \"nameshift-cli "
                        "recover\", or start Nameshift Pro again, to finish it or undo it."),
             {journalPath}},
            NS_MESSAGE("Message", "History Error"),
            platform::Icon::Stop};
}

}  // namespace

std::variant<ExecutedBatch, platform::Message> executeBatch(
    BatchGuard& guard, platform::FileSystem& fileSystem, const platform::Directory& directory,
    const std::vector<PlannedChange>& changes, const std::vector<RenameStep>& steps,
    const BatchSteps& batch, BatchProgress* progress) {
    if (const std::string state = historyToWrite(batch, changes); !state.empty()) {
        if (auto refusal = BatchHistory(fileSystem, state).writingRefusal()) {
            return std::move(*refusal);
        }
    }
    if (batch.journal) {
        if (auto refusal = guard.writeJournal(*batch.journal)) {
            return std::move(*refusal);
        }
    }
    ExecutedBatch executed{runRenames(fileSystem, directory, changes, steps, progress), false,
                           std::nullopt};
    if (batch.afterRenames) {
        batch.afterRenames(executed.run);
    }
    // Without its record, the journal is the batch's only one: it stays, and the next start
    // offers to undo or finish the batch from it.
    executed.journalKept = batch.record && !batch.record(executed.run);
    if (!executed.journalKept && batch.history &&
        !keepInHistory(fileSystem, guard.journalPath(), *batch.history, executed.run,
                       batch.journal ? &*batch.journal : nullptr)) {
        executed.journalKept = true;
        executed.historyLost = historyLostMessage(guard.journalPath());
    }
    if (!executed.journalKept) {
        guard.finish();
    }
    return executed;
}

}  // namespace nameshift::engine
