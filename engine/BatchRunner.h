#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/BatchPlan.h"
#include "engine/BatchProgress.h"
#include "engine/RenameOrder.h"
#include "platform/FileSystem.h"

namespace nameshift::engine {

// One change of a batch that could not be made, and why.
struct RenameFailure {
    std::size_t change;
    platform::Status status;
};

// What a run of renames did: each rename done, in the order done (temporary steps included, so
// undoing them last to first undoes the run exactly), which changes now carry their new name (a
// change whose names are equal counts when its file is there), which failed, and whether the
// user stopped it early.
struct RenameRun {
    std::vector<std::pair<std::string, std::string>> done;
    std::vector<std::size_t> renamed;
    std::vector<RenameFailure> failures;
    bool cancelled = false;
};

// Carries out the steps in their order inside `directory`, never replacing a file. A rename
// that meets its own file under another spelling (a case-only change where the filesystem folds
// letter case) goes through a temporary name. A batch of more than kProgressThreshold steps
// reports to `progress` (when given) and stops before the next step when it says so.
RenameRun runRenames(platform::FileSystem& fileSystem, const platform::Directory& directory,
                     const std::vector<PlannedChange>& changes,
                     const std::vector<RenameStep>& steps, BatchProgress* progress);

// The names temporary steps use: hidden, unlikely to exist, and recognisable as ours.
inline constexpr const char* kTemporaryPrefix = ".nameshift-";

}  // namespace nameshift::engine
