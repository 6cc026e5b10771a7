#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

struct RenameSession;

// Where each folder's counter stopped, so that a later batch in the same folder can carry on
// numbering. One small file per folder under the state folder's "counters/", named by a hash of
// the folder's path and holding the path itself, so that two folders whose hashes meet never
// take each other's value.
class CounterMemory {
public:
    CounterMemory(platform::FileSystem& fileSystem, const std::string& stateDirectory);

    // The value the next batch in `folder` starts at; nothing when none was kept, or it cannot be
    // read.
    std::optional<long long> next(const std::string& folder) const;
    // Keeps `value` for `folder`, replacing what was kept. A failure is not worth a message: the
    // batch is done, and the next one starts at the counter's own start.
    void remember(const std::string& folder, long long value) const;

private:
    std::string pathFor(const std::string& folder) const;

    platform::FileSystem& fileSystem_;
    std::string directory_;  // empty when there is no state folder
};

// The session's rules as its batches use them, for the preview, the New Name column and apply
// alike: with "continue" on, the counter starts where the last batch in the folder stopped.
settings::RenameSettings rulesForBatch(const RenameSession& session);

}  // namespace nameshift::engine
