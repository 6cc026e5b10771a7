#include "engine/records/FolderHistory.h"

#include <string_view>
#include <utility>

namespace nameshift::engine {
namespace {

// "/a/b/" and "/a/b" name one folder; "/" stays itself.
std::string_view withoutTrailingSlash(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    return path;
}

}  // namespace

HistoryBatch historyBatchOf(const HistoryEntry& entry) {
    const HistoryRecord& record = *entry.record;
    return {entry.id, record.time, record.journal.directory, record.done.size()};
}

FolderHistory::FolderHistory(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                             std::string folder)
    : history_(fileSystem, stateDirectory), folder_(std::move(folder)) {}

bool FolderHistory::holds(const std::string& directory) const {
    return !folder_.empty() && withoutTrailingSlash(directory) == withoutTrailingSlash(folder_);
}

std::optional<HistoryBatch> FolderHistory::batchToUndo() {
    // The records before the folder's newest batch, which may be many and large, play no part.
    std::vector<HistoryEntry> entries = history_.entries(false);
    for (std::size_t i = entries.size(); i-- > 0;) {
        history_.read(entries[i]);
        const std::optional<HistoryRecord>& record = entries[i].record;
        if (record && record->state == HistoryRecord::State::Done &&
            holds(record->journal.directory)) {
            return historyBatchOf(entries[i]);
        }
    }
    return std::nullopt;
}

std::optional<HistoryBatch> FolderHistory::batchToRedo() {
    std::optional<HistoryBatch> last;
    std::uint64_t lastUndoneAt = 0;
    for (const HistoryEntry& entry : history_.entries()) {
        const std::optional<HistoryRecord>& record = entry.record;
        if (record && record->state == HistoryRecord::State::Undone &&
            holds(record->journal.directory) && (!last || record->undoneAtNs > lastUndoneAt)) {
            last = historyBatchOf(entry);
            lastUndoneAt = record->undoneAtNs;
        }
    }
    return last;
}

}  // namespace nameshift::engine
