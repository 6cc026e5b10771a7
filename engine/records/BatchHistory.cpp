#include "engine/records/BatchHistory.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <tuple>

namespace nameshift::engine {
namespace {

constexpr std::string_view kRecordSuffix = ".batch";
// Numbers are written to a fixed width, so that the folder lists its records in their order.
constexpr std::size_t kIdDigits = 10;
// Two batches in two folders may take the same number at once; the later takes the next.
constexpr int kNumberAttempts = 8;

// A number past the fixed width is written whole, and read back so: a record numbered
// 9999999999 must not hide every later one.
std::optional<std::uint64_t> idOf(std::string_view name) {
    if (!name.ends_with(kRecordSuffix)) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(0, name.size() - kRecordSuffix.size());
    if (digits.size() < kIdDigits || (digits.size() > kIdDigits && digits.front() == '0')) {
        return std::nullopt;
    }
    std::uint64_t id = 0;
    const char* last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, id);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return id;
}

std::uint64_t secondsNow() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::seconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count());
}

// An option's value as the options dialog's boxes give it: digits alone, below 2^64. A sign, a
// space or a letter is no number at all.
std::optional<std::uint64_t> exactOption(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc()) {
        return std::nullopt;
    }
    return number;
}

// As the bound reads it: a number past the most, even past 2^64, is the most.
std::optional<std::uint64_t> optionValue(const std::string& text, std::uint64_t most) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::min(exactOption(text).value_or(most), most);
}

// A batch runs only once the history has shown it takes a file: a probe of a few blocks, named
// so that the record listing never takes it for one and a stopped write of it is cleared away
// as a record's would be.
constexpr std::string_view kProbeName = "probe.batch";
constexpr std::size_t kProbeBytes = 16 * 1024;

platform::Message cannotKeepRecords(const std::string& folder, const platform::Status& status) {
    return {{NS_MESSAGE("Message",
                        "Cannot continue - the history folder \"%1\" cannot take the record of "
                        "this batch: %2. Without its record the batch could not be undone. Make "
                        "room there or make it writable, and try again. Nothing was renamed."),
             {folder, status.message()}},
            NS_MESSAGE("Message", "History Error"),
            platform::Icon::Stop};
}

}  // namespace

HistoryBound historyBoundOf(const settings::RenameSettings& rules) {
    HistoryBound bound;
    if (const auto batches = optionValue(rules.historyBatches, kMostHistoryBatches)) {
        bound.batches = static_cast<std::size_t>(*batches);
    }
    if (const auto mebibytes = optionValue(rules.historyMebibytes, kMostHistoryMebibytes)) {
        bound.bytes = *mebibytes * 1024 * 1024;
    }
    return bound;
}

std::optional<RefusedHistoryOption> refusedHistoryOption(const settings::RenameSettings& rules) {
    const std::tuple<std::string_view, const std::string&, std::uint64_t> options[] = {
        {"Batches Kept In History", rules.historyBatches, kMostHistoryBatches},
        {"History Size Limit In MiB", rules.historyMebibytes, kMostHistoryMebibytes}};
    for (const auto& [name, value, most] : options) {
        const auto number = exactOption(value);
        if (!number || *number > most) {
            return RefusedHistoryOption{name, value, most};
        }
    }
    return std::nullopt;
}

std::optional<platform::Message> historyOptionRefusal(const settings::RenameSettings& rules,
                                                      const std::string& path) {
    const std::optional<RefusedHistoryOption> refused = refusedHistoryOption(rules);
    if (!refused) {
        return std::nullopt;
    }
    return platform::Message{
        {NS_MESSAGE("Message",
                    "The value \"%1\" of \"%2\" read from \"%3\" is refused: it must be a whole "
                    "number from 0 to %4."),
         {refused->value, std::string(refused->name), path, std::to_string(refused->most)}},
        platform::MessageText(platform::kProgramTitle),
        platform::Icon::Stop};
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

std::optional<platform::Message> BatchHistory::folderRefusal() {
    const platform::Result<platform::FileIdentity> identity = fileSystem_.identify(folder_);
    if (!identity.ok() || identity->userAlone) {
        return std::nullopt;
    }
    return platform::Message{
        {NS_MESSAGE("Message",
                    "Cannot continue - the history folder \"%1\" belongs to another user or "
                    "others may write to it. Make it yours alone (chmod 700) and try again. "
                    "Nothing was renamed."),
         {folder_}},
        NS_MESSAGE("Message", "History Error"),
        platform::Icon::Stop};
}

std::optional<platform::Message> BatchHistory::writingRefusal() {
    if (const platform::Status made = fileSystem_.makeDirectories(folder_); !made.ok()) {
        return cannotKeepRecords(folder_, made);
    }
    if (auto refusal = folderRefusal()) {
        return refusal;
    }
    const std::string probe = folder_ + "/" + std::string(kProbeName);
    const platform::Status written = fileSystem_.writeFile(
        probe, platform::FileContents(std::string(kProbeBytes, '\0')).ownerOnly(),
        platform::WriteMode::Replace);
    fileSystem_.removeFile(probe);
    if (!written.ok()) {
        return cannotKeepRecords(folder_, written);
    }
    return std::nullopt;
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
        entry.size = text->size();
        entry.record = parseHistoryRecord(*text);
    }
}

std::optional<HistoryEntry> BatchHistory::recordOfRestoreFile(const platform::FileIdentity& file) {
    if (folderRefusal()) {
        return std::nullopt;
    }
    // The records' names are all the lookup needs of the listing: examining each record as well
    // would cost a look at every one of a long history, most of whose heads are never read.
    const auto listed = fileSystem_.listDirectoryKinds(folder_);
    if (!listed.ok()) {
        return std::nullopt;
    }
    const RecordedRestoreFile wanted = RecordedRestoreFile::of(file);
    std::vector<HistoryEntry> known = recordsIn(*listed);
    for (std::size_t i = known.size(); i-- > 0;) {
        const auto start = fileSystem_.readFileStart(known[i].path, kHistoryHeadBytes);
        if (!start.ok() || historyRestoreFile(*start) != wanted) {
            continue;
        }
        read(known[i]);
        if (known[i].record && known[i].record->restoreFile == wanted) {
            return std::move(known[i]);
        }
    }
    return std::nullopt;
}

std::optional<std::uint64_t> BatchHistory::add(const HistoryRecord& head,
                                               const platform::FileContents& journal) {
    if (!fileSystem_.makeDirectories(folder_).ok()) {
        return std::nullopt;
    }
    const std::vector<HistoryEntry> known = entries(false);
    if (!known.empty() && known.back().id > std::numeric_limits<std::uint64_t>::max() - 1 -
                                                static_cast<std::uint64_t>(kNumberAttempts)) {
        return std::nullopt;  // no number is left after it
    }
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
        if (record && sameFolder(record->journal, journal)) {
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
    // The journal goes out a piece at a time, each copied on its way: whole, it would sit in
    // memory twice.
    constexpr std::size_t kPieceBytes = 256 * 1024;
    platform::FileContents contents([&](std::size_t piece, std::string& out) {
        if (piece == 0) {
            out = headText;
            return true;
        }
        const std::size_t from = (piece - 1) * kPieceBytes;
        if (from >= journal.size() && piece > 1) {
            return false;
        }
        out = journal.substr(from, kPieceBytes);
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

bool keepInHistory(platform::FileSystem& fileSystem, const std::string& journalPath,
                   const HistoryKeeping& keeping, const std::vector<std::size_t>& renamed,
                   const platform::FileContents* journal) {
    HistoryRecord head;
    head.time = secondsNow();
    head.command = keeping.command;
    head.done = keeping.doneBefore;
    head.restoreFile = keeping.restoreFile;
    for (const std::size_t change : renamed) {
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
        return true;
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
            return true;
        }
        added = history.add(head, platform::FileContents(*text));
    }
    if (!added) {
        return false;
    }
    history.trim(keeping.bound);
    return true;
}

}  // namespace nameshift::engine
