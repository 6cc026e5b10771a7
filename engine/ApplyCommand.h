#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/BatchProgress.h"
#include "engine/CommandOutcome.h"
#include "engine/RenameSession.h"
#include "engine/WorkLists.h"
#include "platform/FileSystem.h"
#include "platform/Status.h"

namespace nameshift::engine {

// Renames the ticked files of session.directory to the names the rules (and tags) give them,
// after the warning question and the checks that refuse a batch before any file is touched. A
// rename never replaces a file; failures are listed in one message. The restore file records the
// pairs actually renamed. Ends with the lists cleared and the file list refilled, or with
// ExitProgram when the options ask for it.
CommandOutcome applyChanges(RenameSession& session, BatchProgress* progress = nullptr);

// One pair of a batch that could not be renamed, and why.
struct RenameFailure {
    std::size_t index;
    platform::Status status;
};

// What a run of renames did: which pairs now carry their new name (a pair whose names are equal
// counts when its file is there), which failed, in the order they were tried, and whether the
// user stopped it early.
struct RenameRun {
    std::vector<std::size_t> renamed;
    std::vector<RenameFailure> failures;
    bool cancelled = false;
};

enum class RenameOrder {
    Forward,   // as a batch is applied
    Backward,  // undoes a batch: each name is given back only after the later renames that may
               // have taken it are undone
};

// Renames lists.oldNames[i] to lists.newNames[i] in the current directory, pair by pair in the
// given order, never replacing a file. A batch of more than kProgressThreshold pairs reports to
// `progress` (when given) and stops before the next rename when it says so.
RenameRun renamePairs(platform::FileSystem& fileSystem, const WorkLists& lists, RenameOrder order,
                      BatchProgress* progress);

// The pairs of a run that were renamed, old name then new name, in the order they were done.
std::vector<std::pair<std::string, std::string>> renamedPairsOf(const WorkLists& lists,
                                                                const RenameRun& run);

// The "Rename Errors" text: one line per failure, at most kListedRenameErrors of them.
inline constexpr std::size_t kListedRenameErrors = 20;
std::string renameErrorsText(const WorkLists& lists, const std::vector<RenameFailure>& failures);

}  // namespace nameshift::engine
