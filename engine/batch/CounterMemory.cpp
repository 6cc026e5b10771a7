#include "engine/batch/CounterMemory.h"

#include <cstdint>

#include "engine/batch/RenameSession.h"
#include "engine/naming/EditCorrections.h"
#include "engine/naming/NameRules.h"

namespace nameshift::engine {
namespace {

// FNV-1a: stable across runs and builds, which std::hash is not required to be.
std::string hashName(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) {
        name[static_cast<std::size_t>(i)] = kHex[hash & 15];
    }
    return name;
}

// A path may be as long as the system allows, and the value is a line of digits.
constexpr std::size_t kMaxFileBytes = 8192;

}  // namespace

CounterMemory::CounterMemory(platform::FileSystem& fileSystem, const std::string& stateDirectory)
    : fileSystem_(fileSystem),
      directory_(stateDirectory.empty() ? std::string() : stateDirectory + "/counters") {}

std::string CounterMemory::pathFor(const std::string& folder) const {
    return directory_ + "/" + hashName(folder);
}

std::optional<long long> CounterMemory::next(const std::string& folder) const {
    if (directory_.empty()) {
        return std::nullopt;
    }
    const platform::Result<std::string> text = fileSystem_.readFile(pathFor(folder), kMaxFileBytes);
    if (!text.ok()) {
        return std::nullopt;
    }
    // The value's line, then the folder's path to the end of the file.
    const std::size_t lineEnd = text->find('\n');
    if (lineEnd == std::string::npos || lineEnd == 0 || text->substr(lineEnd + 1) != folder) {
        return std::nullopt;
    }
    // Only a start the counter's edit would take: anything else was not written by a batch,
    // and would number the files as no option can.
    const std::string value = text->substr(0, lineEnd);
    if (value.empty() || value.size() > kLongestCounterStart || correctCounterStart(value)) {
        return std::nullopt;
    }
    return parseCounterValue(value);
}

void CounterMemory::remember(const std::string& folder, long long value) const {
    if (directory_.empty() || !fileSystem_.makeDirectories(directory_).ok()) {
        return;
    }
    // The path names a folder of the user's, which is no one else's business.
    fileSystem_.writeFile(pathFor(folder),
                          platform::FileContents(std::to_string(value) + "\n" + folder).ownerOnly(),
                          platform::WriteMode::Replace);
}

settings::RenameSettings rulesForBatch(const RenameSession& session) {
    settings::RenameSettings rules = session.rules;
    if (rules.useCounter && rules.continueCounter) {
        if (const auto next =
                CounterMemory(session.fileSystem, session.stateDirectory).next(session.directory)) {
            rules.counterStart = std::to_string(*next);
        }
    }
    return rules;
}

}  // namespace nameshift::engine
