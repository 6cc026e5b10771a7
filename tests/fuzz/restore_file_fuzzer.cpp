// Any bytes as a restore file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "engine/records/RestoreFile.h"

using namespace nameshift::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<RestoreRecord> record = parseRestoreFile(text);
    if (!record) {
        return 0;
    }
    // Whatever the reader takes, the writer writes back so that it reads the same: a restore
    // that stops part way rewrites the file from what it read.
    if (record->namesBefore.size() != record->namesAfter.size() ||
        parseRestoreFile(formatRestoreFile(*record)) != record) {
        std::abort();
    }
    return 0;
}
