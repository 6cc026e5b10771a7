// Any bytes as a batch's journal, read as recovery reads it after a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "engine/records/Journal.h"

using namespace nameshift::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<Journal> journal = parseJournal(text);
    if (!journal) {
        return 0;
    }
    // A recovery that leaves files to do writes the journal anew from what it read: that must
    // read back the same.
    if (parseJournal(formatJournal(*journal)) != journal) {
        std::abort();
    }
    return 0;
}
