#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/BatchPlan.h"
#include "engine/FileList.h"
#include "engine/NameIndex.h"
#include "platform/DirEntry.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// The folder of a batch as the batch finds it once it holds the folder's lock, by names and
// inode numbers: the plan was made from a listing before, and what another program did since
// must not be renamed blindly.
class LockedListing {
public:
    LockedListing(platform::FileSystem& fileSystem, const platform::Directory& directory,
                  std::vector<platform::DirEntry> entries);
    // The index points into the entries.
    LockedListing(const LockedListing&) = delete;
    LockedListing& operator=(const LockedListing&) = delete;

    // Reads the folder; the refusal to show when it cannot be read.
    static std::optional<platform::Message> read(platform::FileSystem& fileSystem,
                                                 const platform::Directory& directory,
                                                 std::optional<LockedListing>& listing);

    // The refusal of a batch some of whose files are gone or are other files under the listed
    // name; nothing when every planned file is still the listed one.
    std::optional<platform::Message> changedFiles(const FileList& fileList,
                                                  const BatchPlan& plan) const;
    // The refusal of a batch whose restore file would replace, or be given to, a file that holds
    // the restore file's name in another spelling, where the filesystem takes both for one name.
    std::optional<platform::Message> restoreNameSpellingRefusal(const BatchPlan& plan) const;
    // Removes the temporary files of restore files whose writing was stopped half way, which
    // nothing holds any longer.
    void removeAbandonedRecords() const;

private:
    struct NameAt {
        const std::vector<platform::DirEntry>* entries;
        std::string_view operator()(std::size_t i) const { return (*entries)[i].name; }
    };

    bool holds(std::string_view name) const;
    // Whether the filesystem takes names that differ in letter case alone for one: a listed
    // name, spelled in another case the folder does not hold, still names a file.
    bool foldsLetterCase() const;

    platform::FileSystem* fileSystem_;
    const platform::Directory* directory_;
    std::vector<platform::DirEntry> entries_;
    NameIndex<NameAt> index_;
};

}  // namespace nameshift::engine
