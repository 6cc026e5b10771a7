#include "engine/records/Journal.h"

#include <algorithm>

#include "engine/naming/BatchChecks.h"
#include "engine/naming/NameIndex.h"
#include "engine/naming/NamePath.h"
#include "engine/records/LengthFields.h"
#include "engine/records/RestoreFile.h"

namespace nameshift::engine {
namespace {

// The first version kept of each file its number alone, and of the folder no birth time.
constexpr std::string_view kMagicV1 = "nameshift journal 1\n";
constexpr std::string_view kMagic = "nameshift journal 2\n";
constexpr std::string_view kEnd = "end";
constexpr std::string_view kFolders = "folders";

// Entries are written some hundred kilobytes at a time: each piece is held whole on its way.
constexpr std::size_t kEntriesPerPiece = 1024;

template <typename Enum>
std::optional<Enum> enumFrom(std::optional<std::uint64_t> value, Enum last) {
    if (!value || *value > static_cast<std::uint64_t>(last)) {
        return std::nullopt;
    }
    return static_cast<Enum>(*value);
}

// Whether a file stays in its folder or moves into a folder beneath it, or, undone, back.
bool staysBeneathItsFolder(const JournalEntry& entry) {
    const std::string_view from = foldersOf(entry.original);
    const std::string_view to = foldersOf(entry.final);
    return from.starts_with(to) || to.starts_with(from);
}

// Whether a batch could have written these entries: each a file of the batch's folder or of a
// folder beneath it, which it leaves there or moves into a folder beneath, known by one name
// before and one after. Recovery renames by them, and its ordering of the renames
// relies on both.
bool isSound(const Journal& journal) {
    const std::vector<JournalEntry>& entries = journal.entries;
    // A batch that writes a restore file neither renames nor makes a file of its name.
    const bool recorded = journal.record != Journal::Record::None;
    for (const JournalEntry& entry : entries) {
        if (!isPathBeneath(entry.original) || !isPathBeneath(entry.final) ||
            !staysBeneathItsFolder(entry) ||
            (recorded && (entry.original == kRestoreFileName || entry.final == kRestoreFileName))) {
            return false;
        }
    }
    if (!std::all_of(journal.folders.begin(), journal.folders.end(),
                     [](const std::string& folder) { return isPathBeneath(folder); })) {
        return false;
    }
    return namesAreDistinct(
               entries.size(),
               [&](std::size_t i) -> std::string_view { return entries[i].original; }) &&
           namesAreDistinct(entries.size(),
                            [&](std::size_t i) -> std::string_view { return entries[i].final; });
}

bool actsOnHistory(Journal::Kind kind) {
    return kind == Journal::Kind::Undo || kind == Journal::Kind::Redo;
}

// A field as putField writes it, at `at`; where it ends.
char* putFieldAt(char* at, std::string_view value) {
    at = std::to_chars(at, at + kNumberRoom, value.size()).ptr;
    *at++ = ':';
    value.copy(at, value.size());
    at += value.size();
    *at++ = ',';
    return at;
}

char* putNumberAt(char* at, std::uint64_t value) {
    char digits[kNumberRoom];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return putFieldAt(at, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

// The longest a name is written whole in one go; a longer one, which no filesystem here gives,
// goes field by field.
constexpr std::size_t kNameRoom = 255;

// An entry's fields, added to `out` in one piece: a large batch's journal is written twice, once
// as the journal and once in its record, and field by field most of that time went to growing
// the string.
void putEntry(std::string& out, const JournalEntryView& entry) {
    if (entry.original.size() > kNameRoom || entry.final.size() > kNameRoom) {
        putNumber(out, entry.inode);
        putNumber(out, entry.traits.known ? 1 : 0);
        putNumber(out, entry.traits.size);
        putNumber(out, static_cast<std::uint64_t>(entry.traits.writeTimeNs));
        putNumber(out, static_cast<std::uint64_t>(entry.traits.birthTimeNs));
        putField(out, entry.original);
        putField(out, entry.final);
        return;
    }
    // Five numbers and two names, each with its length, a colon and a comma.
    char bytes[5 * (3 + kNumberRoom) + 5 * 2 + 2 * (3 + kNameRoom + 2)];
    char* at = putNumberAt(bytes, entry.inode);
    at = putNumberAt(at, entry.traits.known ? 1 : 0);
    at = putNumberAt(at, entry.traits.size);
    at = putNumberAt(at, static_cast<std::uint64_t>(entry.traits.writeTimeNs));
    at = putNumberAt(at, static_cast<std::uint64_t>(entry.traits.birthTimeNs));
    at = putFieldAt(at, entry.original);
    at = putFieldAt(at, entry.final);
    out.append(bytes, at);
}

}  // namespace

bool sameFolder(const Journal& a, const Journal& b) {
    if (a.directoryBirthNs != 0 && b.directoryBirthNs != 0 &&
        a.directoryBirthNs != b.directoryBirthNs) {
        return false;
    }
    return a.directory == b.directory ||
           (a.directoryDevice == b.directoryDevice && a.directoryInode == b.directoryInode);
}

platform::FileContents journalContents(const Journal& journal, std::size_t count,
                                       std::function<JournalEntryView(std::size_t)> entryAt) {
    return platform::contentsInRuns(
               count, kEntriesPerPiece,
               [&journal, count](std::string& out) {
                   out += kMagic;
                   putNumber(out, static_cast<std::uint64_t>(journal.kind));
                   if (actsOnHistory(journal.kind)) {
                       putNumber(out, journal.historyId);
                   }
                   putField(out, journal.directory);
                   putNumber(out, journal.directoryDevice);
                   putNumber(out, journal.directoryInode);
                   putNumber(out, static_cast<std::uint64_t>(journal.directoryBirthNs));
                   putNumber(out, static_cast<std::uint64_t>(journal.record));
                   putField(out, journal.restoreFile);
                   putNumber(out, journal.restoreFileDevice);
                   putNumber(out, journal.restoreFileInode);
                   putNumber(out, count);
               },
               [entryAt = std::move(entryAt)](std::size_t i, std::string& out) {
                   putEntry(out, entryAt(i));
               },
               [&journal](std::string& out) {
                   if (!journal.folders.empty()) {
                       putField(out, kFolders);
                       putNumber(out, journal.folders.size());
                       for (const std::string& folder : journal.folders) {
                           putField(out, folder);
                       }
                   }
                   putField(out, kEnd);
               })
        .ownerOnly();
}

platform::FileContents journalContents(const Journal& journal) {
    return journalContents(journal, journal.entries.size(), [&journal](std::size_t i) {
        const JournalEntry& entry = journal.entries[i];
        return JournalEntryView{entry.inode, entry.original, entry.final, entry.traits};
    });
}

std::string formatJournal(const Journal& journal) {
    return journalContents(journal).gather();
}

namespace {

// Which version a journal's text is written in: 1 or 2, or 0 when it is none.
int versionOf(std::string_view text) {
    if (text.starts_with(kMagic)) {
        return 2;
    }
    return text.starts_with(kMagicV1) ? 1 : 0;
}

}  // namespace

std::optional<std::uint64_t> journalSizeBound(std::string_view start) {
    const int version = versionOf(start);
    if (version == 0) {
        return std::nullopt;
    }
    FieldReader reader(start.substr(kMagic.size()));
    const auto kind = enumFrom(reader.number(), Journal::Kind::Redo);
    if (!kind || (actsOnHistory(*kind) && !reader.field())) {
        return std::nullopt;
    }
    // Directory, its device, inode (and birth time), record, restore file, its device and inode.
    for (int field = 0; field < (version == 2 ? 8 : 7); ++field) {
        if (!reader.field()) {
            return std::nullopt;
        }
    }
    const std::optional<std::uint64_t> count = reader.number();
    // An entry at its longest: four numbers as "20:" and twenty digits, a flag as "1:1,", and
    // two paths as "1024:PATH,".
    constexpr std::uint64_t kLongestEntry =
        4 * (3 + kNumberRoom + 1) + 4 + 2 * (5 + kLongestPath + 1);
    if (!count || *count > kMaxJournalBytes / kLongestEntry) {
        return std::nullopt;
    }
    // At most one new folder for each file moved, each a path, after their own count.
    constexpr std::uint64_t kLongestFolder = 5 + kLongestPath + 1;
    return kMagic.size() + reader.position() + *count * (kLongestEntry + kLongestFolder) + 2 +
           kFolders.size() + 2 + 3 + kNumberRoom + 1 + 2 + kEnd.size() + 2;
}

std::optional<Journal> parseJournal(std::string_view text) {
    const int version = versionOf(text);
    if (version == 0) {
        return std::nullopt;
    }
    FieldReader reader(text.substr(kMagic.size()));
    Journal journal;
    const auto kind = enumFrom(reader.number(), Journal::Kind::Redo);
    const auto historyId =
        kind && actsOnHistory(*kind) ? reader.number() : std::optional<std::uint64_t>(0);
    const auto directory = reader.field();
    const auto directoryDevice = reader.number();
    const auto directoryInode = reader.number();
    const auto directoryBirth = version == 2 ? reader.number() : std::optional<std::uint64_t>(0);
    const auto record = enumFrom(reader.number(), Journal::Record::Replace);
    const auto restoreFile = reader.field();
    const auto restoreFileDevice = reader.number();
    const auto restoreFileInode = reader.number();
    const auto count = reader.number();
    if (!kind || !historyId || !directory || !directoryDevice || !directoryInode ||
        !directoryBirth || !record || !restoreFile || !restoreFileDevice || !restoreFileInode ||
        !count) {
        return std::nullopt;
    }
    journal.kind = *kind;
    journal.historyId = *historyId;
    journal.directory = *directory;
    journal.directoryDevice = *directoryDevice;
    journal.directoryInode = *directoryInode;
    journal.directoryBirthNs = static_cast<std::int64_t>(*directoryBirth);
    journal.record = *record;
    journal.restoreFile = *restoreFile;
    journal.restoreFileDevice = *restoreFileDevice;
    journal.restoreFileInode = *restoreFileInode;
    // Each entry takes at least a dozen bytes, which bounds what a false count can reserve.
    if (*count > text.size() / 12) {
        return std::nullopt;
    }
    journal.entries.reserve(*count);
    for (std::uint64_t i = 0; i < *count; ++i) {
        const auto inode = reader.number();
        FileTraits traits;
        if (version == 2) {
            const auto known = reader.number();
            const auto size = reader.number();
            const auto written = reader.number();
            const auto born = reader.number();
            if (!known || *known > 1 || !size || !written || !born) {
                return std::nullopt;
            }
            traits = {*known == 1, *size, static_cast<std::int64_t>(*written),
                      static_cast<std::int64_t>(*born)};
        }
        const auto original = reader.field();
        const auto final = reader.field();
        if (!inode || !original || !final) {
            return std::nullopt;
        }
        journal.entries.push_back({*inode, std::string(*original), std::string(*final), traits});
    }
    auto end = reader.field();
    if (end && *end == kFolders) {
        const auto folders = reader.number();
        if (!folders || *folders > journal.entries.size()) {
            return std::nullopt;
        }
        for (std::uint64_t i = 0; i < *folders; ++i) {
            const auto folder = reader.field();
            if (!folder) {
                return std::nullopt;
            }
            journal.folders.emplace_back(*folder);
        }
        end = reader.field();
    }
    if (!end || *end != kEnd || !reader.atEnd() || !isSound(journal)) {
        return std::nullopt;
    }
    return journal;
}

}  // namespace nameshift::engine
