#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/batch/FileList.h"
#include "engine/naming/BatchPlan.h"
#include "engine/records/FileEvidence.h"
#include "engine/records/RestoreFileTraces.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// What a batch finds in its folder once it holds the folder's lock: the plan was made from a
// listing before, and what another program did since must not be renamed blindly. Read in one
// pass that keeps only what the checks need, not the folder's names.
class LockedListing {
public:
    // Reads the folder for `plan`, made from `fileList`; the refusal to show when it cannot be
    // read.
    static std::optional<platform::Message> read(platform::FileSystem& fileSystem,
                                                 const platform::Directory& directory,
                                                 const FileList& fileList, const BatchPlan& plan,
                                                 std::optional<LockedListing>& listing);
    // The refusal of a batch some of whose files are gone or are other files under the listed
    // name; nothing when every planned file is still the listed one.
    std::optional<platform::Message> changedFiles(const BatchPlan& plan) const;
    // The refusal of a batch whose restore file would replace, or be given to, a file that holds
    // the restore file's name in another spelling, where the filesystem takes both for one name.
    std::optional<platform::Message> restoreNameSpellingRefusal(const BatchPlan& plan) const;
    // The evidence of the planned files met under the lock where the folder had to be looked at
    // file by file to tell them, by their rows of the list, in rising order; none where the
    // folder's listing told them.
    const std::vector<std::pair<std::size_t, FileEvidence>>& lookedAt() const { return lookedAt_; }
    // Removes the temporary files of restore files whose writing was stopped half way, which
    // nothing holds any longer.
    void removeAbandonedRecords() const;

private:
    LockedListing(platform::FileSystem& fileSystem, const platform::Directory& directory)
        : fileSystem_(&fileSystem), directory_(&directory) {}

    // Whether the filesystem takes names that differ in letter case alone for one.
    bool foldsLetterCase() const;

    platform::FileSystem* fileSystem_;
    const platform::Directory* directory_;
    std::vector<std::size_t> changed_;
    std::vector<std::pair<std::size_t, FileEvidence>> lookedAt_;
    RestoreFileTraces traces_;
};

}  // namespace nameshift::engine
