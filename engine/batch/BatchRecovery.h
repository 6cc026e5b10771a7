#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/batch/BatchProgress.h"
#include "engine/records/BatchHistory.h"
#include "engine/records/Journal.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// A batch whose journal outlived it: the program or the machine stopped before its end.
struct InterruptedBatch {
    std::string journalPath;
    Journal journal;
    std::size_t done = 0;  // files found under the name the batch gives them
};

// The journals in the state folder that no running batch holds, oldest first.
std::vector<InterruptedBatch> findInterruptedBatches(platform::FileSystem& fileSystem,
                                                     const std::string& stateDirectory);

// What to tell of each journal in the state folder that cannot be read back: its batch can be
// neither undone nor finished, and files may wait under temporary names until the user looks.
std::vector<platform::Message> unreadableJournals(platform::FileSystem& fileSystem,
                                                  const std::string& stateDirectory);

// "A batch in "DIR" was interrupted after N of M renames."
std::string describeInterruptedBatch(const InterruptedBatch& batch);

enum class RecoveryAction {
    Undo,    // every file of the batch back to its name before the batch
    Finish,  // every file to the name the batch gives it, and the batch's record written
};

// What a recovery could not do: one line a file (gone, moved elsewhere, its target taken) and
// any record that could not be written. The journal keeps what is left to do.
struct RecoveryResult {
    std::vector<platform::MessageText> problems;
    bool journalKept = false;
    std::size_t renamed = 0;
    // The user stopped it; the journal keeps what was not done.
    bool cancelled = false;
    // What the batch's record told while it was written, such as why it could not be, for the
    // caller to show before the problems.
    std::vector<platform::Message> messages;
};

// Deletes the restore file of `directory` when it takes exactly the files of `journal` from their
// new names, whichever command wrote it (an apply, a redo): once the batch is undone it would
// send the files to names they never had.
void removeOwnRestoreFile(platform::FileSystem& fileSystem, const platform::Directory& directory,
                          const Journal& journal);

// The journal of the files `record`'s batch left under their new names.
Journal filesOf(const HistoryRecord& record);

// `progress`, when given, shows the renames and may stop them. Shows nothing. A finished batch
// is kept in the history within `bound`.
RecoveryResult recoverBatch(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                            const InterruptedBatch& batch, RecoveryAction action,
                            BatchProgress* progress = nullptr, const HistoryBound& bound = {});

}  // namespace nameshift::engine
