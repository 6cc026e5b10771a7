// Any bytes as a record of the history, read as history, undo and redo read it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "engine/records/HistoryRecord.h"

using namespace nameshift::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<HistoryRecord> record = parseHistoryRecord(text);
    if (!record) {
        return 0;
    }
    // Undo and redo write the record anew from what they read: that must read back the same.
    if (parseHistoryRecord(formatHistoryRecord(*record)) != record) {
        std::abort();
    }
    for (const std::uint32_t entry : record->done) {
        if (entry >= record->journal.entries.size()) {
            std::abort();
        }
    }
    return 0;
}
