#include "engine/records/HistoryRecord.h"

#include "engine/records/LengthFields.h"

namespace nameshift::engine {
namespace {

// The first version named no restore file, and is still written for a batch that keeps none.
constexpr std::string_view kMagicV1 = "nameshift history 1\n";
constexpr std::string_view kMagic = "nameshift history 2\n";

// A batch renames its files mostly in the order of its journal, so the list of what it did is
// kept as runs of neighbouring entries: "first,count" a run.
void putDone(std::string& out, const std::vector<std::uint32_t>& done) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
    for (const std::uint32_t entry : done) {
        if (!runs.empty() && runs.back().first + runs.back().second == entry) {
            ++runs.back().second;
        } else {
            runs.emplace_back(entry, 1);
        }
    }
    putNumber(out, runs.size());
    for (const auto& [first, count] : runs) {
        putNumber(out, first);
        putNumber(out, count);
    }
}

}  // namespace

std::string formatHistoryHead(const HistoryRecord& record) {
    const RecordedRestoreFile& restoreFile = record.restoreFile;
    std::string out(restoreFile.kept() ? kMagic : kMagicV1);
    putNumber(out, record.time);
    putNumber(out, static_cast<std::uint64_t>(record.command));
    putNumber(out, static_cast<std::uint64_t>(record.state));
    putNumber(out, record.undoneAtNs);
    putNumber(out, record.undoneAfter);
    if (restoreFile.kept()) {
        putNumber(out, restoreFile.device);
        putNumber(out, restoreFile.inode);
        putNumber(out, restoreFile.size);
    }
    putDone(out, record.done);
    return out;
}

std::string formatHistoryRecord(const HistoryRecord& record) {
    return formatHistoryHead(record) + formatJournal(record.journal);
}

namespace {

// A record's head, the runs of its done entries as written, and where its journal starts.
struct RecordHead {
    HistoryRecord record;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;
    std::size_t journalAt = 0;
};

// The fields of a head before its list of done entries; nothing unless all of them are there.
std::optional<HistoryRecord> parseFixedHead(FieldReader& reader, bool namesRestoreFile) {
    HistoryRecord record;
    const auto time = reader.number();
    const auto command = reader.number();
    const auto state = reader.number();
    const auto undoneAt = reader.number();
    const auto undoneAfter = reader.number();
    if (!time || !command || *command > static_cast<std::uint64_t>(HistoryCommand::Finish) ||
        !state || *state > static_cast<std::uint64_t>(HistoryRecord::State::Undone) || !undoneAt ||
        !undoneAfter) {
        return std::nullopt;
    }
    record.time = *time;
    record.command = static_cast<HistoryCommand>(*command);
    record.state = static_cast<HistoryRecord::State>(*state);
    record.undoneAtNs = *undoneAt;
    record.undoneAfter = *undoneAfter;
    if (namesRestoreFile) {
        const auto device = reader.number();
        const auto inode = reader.number();
        const auto size = reader.number();
        if (!device || !inode || *inode == 0 || !size) {
            return std::nullopt;
        }
        record.restoreFile = {*device, *inode, *size};
    }
    return record;
}

// The reader of the fields after the head's first line; nothing for a text that is no record.
std::optional<std::pair<FieldReader, bool>> headReader(std::string_view text) {
    const bool current = text.starts_with(kMagic);
    if (!current && !text.starts_with(kMagicV1)) {
        return std::nullopt;
    }
    return std::pair{FieldReader(text.substr(kMagic.size())), current};
}

std::optional<RecordHead> parseHead(std::string_view text) {
    auto opened = headReader(text);
    std::optional<HistoryRecord> fixed =
        opened ? parseFixedHead(opened->first, opened->second) : std::nullopt;
    if (!fixed) {
        return std::nullopt;
    }
    FieldReader& reader = opened->first;
    RecordHead head{std::move(*fixed), {}, 0};
    const auto runs = reader.number();
    if (!runs || *runs > text.size() / 8) {
        return std::nullopt;
    }
    for (std::uint64_t i = 0; i < *runs; ++i) {
        const auto first = reader.number();
        const auto count = reader.number();
        if (!first || !count) {
            return std::nullopt;
        }
        head.ranges.emplace_back(*first, *count);
    }
    head.journalAt = kMagic.size() + reader.position();
    return head;
}

}  // namespace

std::optional<RecordedRestoreFile> historyRestoreFile(std::string_view start) {
    auto opened = headReader(start);
    const std::optional<HistoryRecord> fixed =
        opened ? parseFixedHead(opened->first, opened->second) : std::nullopt;
    return fixed ? std::optional<RecordedRestoreFile>(fixed->restoreFile) : std::nullopt;
}

std::optional<std::size_t> historyJournalOffset(std::string_view text) {
    const std::optional<RecordHead> head = parseHead(text);
    return head ? std::optional<std::size_t>(head->journalAt) : std::nullopt;
}

std::optional<HistoryRecord> parseHistoryRecord(std::string_view text) {
    std::optional<RecordHead> head = parseHead(text);
    if (!head) {
        return std::nullopt;
    }
    HistoryRecord& record = head->record;
    const auto& ranges = head->ranges;
    std::optional<Journal> journal = parseJournal(text.substr(head->journalAt));
    if (!journal) {
        return std::nullopt;
    }
    // Each file once, and every one a file of the journal.
    const std::uint64_t entries = journal->entries.size();
    std::vector<char> seen(entries, 0);
    for (const auto& [first, count] : ranges) {
        if (first >= entries || count > entries - first) {
            return std::nullopt;
        }
        for (std::uint64_t entry = first; entry < first + count; ++entry) {
            if (seen[entry] != 0) {
                return std::nullopt;
            }
            seen[entry] = 1;
            record.done.push_back(static_cast<std::uint32_t>(entry));
        }
    }
    record.journal = std::move(*journal);
    return std::move(record);
}

}  // namespace nameshift::engine
