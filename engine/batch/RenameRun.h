#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/batch/BatchProgress.h"
#include "engine/batch/RenameOrder.h"
#include "engine/naming/BatchPlan.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {

// One change of a batch that could not be made, and why.
struct RenameFailure {
    std::size_t change;
    platform::Status status;
};

// A name one rename of a run went from or to: one of its change's two names, or one of the run's
// temporary names.
struct RunName {
    enum class Kind : std::uint32_t { Old, New, Temporary };
    // In one word with its kind, which keeps a rename done at twelve bytes.
    Kind kind : 2 = Kind::Old;
    std::uint32_t temporary : 30 = 0;  // for a Temporary, its place in RenameRun::temporaries
};

// One rename done, told by its change and which of the names it went from and to, so that a
// batch of a million files does not keep every name once more to remember what it did.
struct DoneRename {
    std::uint32_t change = 0;
    RunName from;
    RunName to;
};
static_assert(sizeof(DoneRename) == 12);

// What a run of renames did: each rename done, in the order done (temporary steps included, so
// undoing them last to first undoes the run exactly), which changes now carry their new name (a
// change whose names are equal counts when its file is there), which failed, and whether the
// user stopped it early. Its names are those of the changes it ran.
struct RenameRun {
    std::vector<DoneRename> done;
    std::vector<std::string> temporaries;
    std::vector<std::size_t> renamed;
    std::vector<RenameFailure> failures;
    bool cancelled = false;

    std::string_view nameOf(std::uint32_t change, RunName name,
                            const std::vector<PlannedChange>& changes) const;
    // Rename `i` of done: the name before, the name after.
    std::pair<std::string_view, std::string_view> donePair(
        std::size_t i, const std::vector<PlannedChange>& changes) const;
    std::vector<std::pair<std::string, std::string>> donePairs(
        const std::vector<PlannedChange>& changes) const;
};

// Carries out the steps in their order inside `directory`, never replacing a file. A rename
// that meets its own file under another spelling (a case-only change where the filesystem folds
// letter case) goes through a temporary name. A batch of more than kProgressThreshold steps
// reports to `progress` (when given) and stops before the next step when it says so.
RenameRun runRenames(platform::FileSystem& fileSystem, const platform::Directory& directory,
                     const std::vector<PlannedChange>& changes,
                     const std::vector<RenameStep>& steps, BatchProgress* progress);

}  // namespace nameshift::engine
