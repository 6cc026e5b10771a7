#include "engine/BatchHistory.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>

namespace nameshift::engine {
namespace {

constexpr std::string_view kRecordSuffix = ".batch";
// Numbers are written to a fixed width, so that the folder lists its records in their order.
constexpr std::size_t kIdDigits = 10;
// Two batches in two folders may take the same number at once; the later takes the next.
constexpr int kNumberAttempts = 8;

std::optional<std::uint64_t> idOf(std::string_view name) {
    if (!name.ends_with(kRecordSuffix) || name.size() != kIdDigits + kRecordSuffix.size()) {
        return std::nullopt;
    }
    std::uint64_t id = 0;
    const char* last = name.data() + kIdDigits;
    if (std::from_chars(name.data(), last, id).ptr != last) {
        return std::nullopt;
    }
    return id;
}

std::uint64_t secondsNow() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::seconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count());
}

template <typename Number>
std::optional<Number> numberIn(const std::string& digits) {
    Number number = 0;
    const char* last = digits.data() + digits.size();
    if (digits.empty() || std::from_chars(digits.data(), last, number).ptr != last) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

HistoryBound historyBoundOf(const settings::RenameSettings& rules) {
    HistoryBound bound;
    if (const auto batches = numberIn<std::size_t>(rules.historyBatches)) {
        bound.batches = *batches;
    }
    constexpr std::uint64_t kMebibyte = std::uint64_t{1024} * 1024;
    if (const auto mebibytes = numberIn<std::uint64_t>(rules.historyMebibytes);
        mebibytes && *mebibytes <= std::numeric_limits<std::uint64_t>::max() / kMebibyte) {
        bound.bytes = *mebibytes * kMebibyte;
    }
    return bound;
}

BatchHistory::BatchHistory(platform::FileSystem& fileSystem, const std::string& stateDirectory)
    : fileSystem_(fileSystem), folder_(stateDirectory + "/history") {}

std::string BatchHistory::pathOf(std::uint64_t id) const {
    std::string digits = std::to_string(id);
    if (digits.size() < kIdDigits) {
        digits.insert(0, kIdDigits - digits.size(), '0');
    }
    return folder_ + "/" + digits + std::string(kRecordSuffix);
}

std::vector<HistoryEntry> BatchHistory::recordsIn(
    const std::vector<platform::DirEntry>& listed) const {
    std::vector<HistoryEntry> found;
    for (const platform::DirEntry& entry : listed) {
        if (const auto id = idOf(entry.name); id && !entry.isDirectory) {
            found.push_back({*id, folder_ + "/" + entry.name, entry.size, std::nullopt});
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    return found;
}

std::vector<HistoryEntry> BatchHistory::entries(bool read) {
    const auto listed = fileSystem_.listDirectory(folder_);
    if (!listed.ok()) {
        return {};
    }
    std::vector<HistoryEntry> found = recordsIn(*listed);
    if (read) {
        for (HistoryEntry& entry : found) {
            this->read(entry);
        }
    }
    return found;
}

void BatchHistory::read(HistoryEntry& entry) {
    const auto text = fileSystem_.readFile(entry.path, kMaxHistoryRecordBytes);
    if (text.ok()) {
        entry.record = parseHistoryRecord(*text);
    }
}

std::optional<std::uint64_t> BatchHistory::add(const HistoryRecord& head,
                                               const platform::FileContents& journal) {
    if (!fileSystem_.makeDirectories(folder_).ok()) {
        return std::nullopt;
    }
    const std::vector<HistoryEntry> known = entries(false);
    std::uint64_t id = known.empty() ? 1 : known.back().id + 1;
    const std::string headText = formatHistoryHead(head);
    const platform::FileContents contents =
        platform::FileContents([&](std::size_t piece, std::string& out) {
            if (piece == 0) {
                out = headText;
                return true;
            }
            return journal.piece(piece - 1, out);
        }).ownerOnly();
    for (int attempt = 0; attempt < kNumberAttempts; ++attempt, ++id) {
        const platform::Status status =
            fileSystem_.writeFile(pathOf(id), contents, platform::WriteMode::CreateNew);
        if (status.ok()) {
            return id;
        }
        if (status.error() != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool BatchHistory::recordsLast(const Journal& journal) {
    std::vector<HistoryEntry> known = entries(false);
    for (std::size_t i = known.size(); i-- > 0;) {
        read(known[i]);
        const std::optional<HistoryRecord>& record = known[i].record;
        if (record && record->journal.directoryDevice == journal.directoryDevice &&
            record->journal.directoryInode == journal.directoryInode) {
            // Every later batch in the folder, an undo too, ran after the journal was gone: the
            // same journal under an older record is an earlier batch that happened to be alike.
            return record->state == HistoryRecord::State::Done && record->journal == journal;
        }
    }
    return false;
}

bool BatchHistory::replaceHead(std::uint64_t id, const HistoryRecord& head) {
    const auto text = fileSystem_.readFile(pathOf(id), kMaxHistoryRecordBytes);
    const std::optional<std::size_t> journalAt =
        text.ok() ? historyJournalOffset(*text) : std::nullopt;
    if (!journalAt) {
        return false;
    }
    const std::string headText = formatHistoryHead(head);
    const std::string_view journal = std::string_view(*text).substr(*journalAt);
    platform::FileContents contents([&](std::size_t piece, std::string& out) {
        if (piece > 1) {
            return false;
        }
        out = piece == 0 ? std::string_view(headText) : journal;
        return true;
    });
    return fileSystem_.writeFile(pathOf(id), contents.ownerOnly(), platform::WriteMode::Replace)
        .ok();
}

void BatchHistory::trim(const HistoryBound& bound) {
    const auto listed = fileSystem_.listDirectory(folder_);
    if (!listed.ok()) {
        return;
    }
    // A record whose writing was stopped half way is a temporary file that no writer holds.
    for (const platform::DirEntry& entry : *listed) {
        const std::string path = folder_ + "/" + entry.name;
        if (!entry.isDirectory && platform::isWriteTemporary(entry.name, kRecordSuffix) &&
            fileSystem_.lockFile(path).ok()) {
            fileSystem_.removeFile(path);
        }
    }
    const std::vector<HistoryEntry> known = recordsIn(*listed);
    std::uint64_t bytes = 0;
    std::size_t kept = 0;
    // The newest are kept first; everything older than the first that does not fit goes.
    std::size_t first = known.size();
    while (first > 0 && kept < bound.batches && bytes + known[first - 1].size <= bound.bytes) {
        bytes += known[first - 1].size;
        ++kept;
        --first;
    }
    // The newest record stays, whatever its size: it is the batch just done.
    first = std::min(first, known.empty() ? std::size_t{0} : known.size() - 1);
    for (std::size_t i = 0; i < first; ++i) {
        fileSystem_.removeFile(known[i].path);
    }
}

void keepInHistory(platform::FileSystem& fileSystem, const std::string& journalPath,
                   const HistoryKeeping& keeping, const RenameRun& run,
                   const platform::FileContents* journal) {
    HistoryRecord head;
    head.time = secondsNow();
    head.command = keeping.command;
    head.done = keeping.doneBefore;
    for (const std::size_t change : run.renamed) {
        const std::uint32_t entry = keeping.entryOf(change);
        if (entry != HistoryKeeping::kNoEntry) {
            head.done.push_back(entry);
        }
    }
    // A file a batch renamed in several steps is listed once.
    std::vector<char> seen;
    std::erase_if(head.done, [&seen](std::uint32_t entry) {
        if (entry >= seen.size()) {
            seen.resize(entry + std::size_t{1}, 0);
        }
        return std::exchange(seen[entry], char{1}) != 0;
    });
    if (head.done.empty() || keeping.bound.batches == 0) {
        return;
    }
    BatchHistory history(fileSystem, keeping.stateDirectory);
    std::optional<std::uint64_t> added;
    if (journal != nullptr) {
        added = history.add(head, *journal);
    } else if (const auto text = fileSystem.readFile(journalPath, kMaxJournalBytes); text.ok()) {
        // A recovery of a batch whose journal could not be removed after its record was written
        // finds the record there already.
        const std::optional<Journal> read = parseJournal(*text);
        if (read && history.recordsLast(*read)) {
            return;
        }
        added = history.add(head, platform::FileContents(*text));
    }
    if (added) {
        history.trim(keeping.bound);
    }
}

}  // namespace nameshift::engine
