#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/batch/BatchReach.h"
#include "engine/batch/CommandReport.h"
#include "engine/batch/RenameOrder.h"
#include "engine/batch/RenameRun.h"
#include "engine/naming/BatchPlan.h"
#include "engine/records/BatchHistory.h"
#include "engine/records/FileEvidence.h"
#include "engine/records/Journal.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {

class BatchGuard;

// What one kind of batch adds to the tail every batch shares.
struct BatchSteps {
    // The journal to put on disk before the first rename, when not the batch's own head and
    // moves; none for a recovery, which works from the journal already there.
    std::optional<platform::FileContents> journal;
    // Tells of the renames done and failed, before the record is written.
    std::function<void(const RenameRun&)> afterRenames;
    // Writes down what the batch did, after its restore file; true when it is recorded and its
    // journal can go, false when the journal must stay (the record could not be written, or the
    // batch is not over).
    std::function<bool(const RenameRun&)> record;
    // How the history keeps the recorded batch; none for an undo or a redo, which change the
    // record of the batch they act on instead.
    std::optional<HistoryKeeping> history;
    // Folders made once the journal is on disk, parents first, for files moved into new folders;
    // and folders taken away after the last rename, deepest first, where it left them empty.
    std::vector<std::string> foldersToMake;
    std::vector<std::string> foldersToRemove;
};

// A batch of renames in one folder as the runner takes it. An apply makes it from its plan, a
// restore from its restore file, an undo or a redo from the history and a recovery from a
// journal; the runner takes the folder's lock, has the maker read the folder again under it,
// and carries the batch out.
struct Batch {
    enum class Kind : std::uint8_t { Apply, Restore, Undo, Redo };

    Kind kind = Kind::Apply;
    // The journal's head: the folder (its path and identity), how its restore file is written
    // once the renames are done, and the batch of the history an undo or a redo acts on.
    Journal head;
    // The folder, as its maker opened it, and its identity as the runner locked it.
    std::optional<platform::Directory> directory;
    platform::FileIdentity folder;
    std::vector<PlannedChange> moves;
    // The file of each move, in the order of `moves`: the journal's entries and the restore
    // file's pairs tell each file by it.
    std::vector<FileEvidence> files;
    std::vector<RenameStep> order;
    // Files of the batch no rename was tried for (gone, replaced): counted with its failures.
    std::size_t missing = 0;
    // The restore file the runner wrote of the batch's pairs, once it is written.
    RecordedRestoreFile restoreFileWritten;
    // Whether it renames beneath its folder; its maker tells from what it read before the lock.
    BatchReach reach = BatchReach::Folder;
    // The options end the program once this batch is over, unless the user stopped it.
    bool endsProgram = false;
    BatchSteps steps;
};

// The part of a maker that reads the folder under the batch's lock and fills the batch from
// what is there now; false when it refused the batch (the report says why).
using BatchUnderLock = std::function<bool(Batch&, const BatchGuard&, CommandReport&)>;

}  // namespace nameshift::engine
