#include "engine/records/RestoreFile.h"

#include <algorithm>

#include "engine/naming/BatchChecks.h"
#include "engine/naming/NameIndex.h"

namespace nameshift::engine {
namespace {

constexpr std::string_view kBanner =
    "==================================================\r\n"
    "= Nameshift Pro Restore File                     =\r\n"
    "=                                                =\r\n"
    "= Warning! - Editing this file directly may      =\r\n"
    "=            render it unusable!                 =\r\n"
    "==================================================\r\n"
    "\r\n";
constexpr std::string_view kPathMarker = "-= File path =-";
constexpr std::string_view kFilesMarker = "-= Files =-";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTerminator = "\"\"";

// Pairs are written a few hundred kilobytes at a time.
constexpr std::size_t kPairsPerPiece = 4096;

bool holdsAt(std::string_view text, std::size_t position, std::string_view expected) {
    return position <= text.size() && text.substr(position).starts_with(expected);
}

// A quoted text whose opening quote is at `position`; on success `position` moves past the
// closing quote.
std::optional<std::string_view> readQuoted(std::string_view text, std::size_t& position) {
    if (!holdsAt(text, position, "\"")) {
        return std::nullopt;
    }
    const std::size_t close = text.find('"', position + 1);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view value = text.substr(position + 1, close - position - 1);
    position = close + 1;
    return value;
}

// A line end, moving `position` past it.
bool readLineEnd(std::string_view text, std::size_t& position) {
    if (!holdsAt(text, position, kLineEnd)) {
        return false;
    }
    position += kLineEnd.size();
    return true;
}

std::optional<std::string> readName(std::string_view text, std::size_t& position) {
    const std::optional<std::string_view> name = readQuoted(text, position);
    if (!name || !isPlainFileName(*name)) {
        return std::nullopt;
    }
    return std::string(*name);
}

void appendQuotedLine(std::string& out, std::string_view text) {
    out += '"';
    out += text;
    out += '"';
    out += kLineEnd;
}

// The program's own words for a restore file that cannot be written, with what was not written,
// where, why and what follows as details.
void reportWriteFailure(const platform::Status& status, const std::string& path,
                        platform::MessageBox& messages) {
    platform::Message message =
        status.kind() == platform::ErrorKind::DiskFull
            ? platform::Message{NS_MESSAGE("Message",
                                           "Cannot save settings! - Reason: Disk is full."),
                                NS_MESSAGE("Message", "Error - disk full"), platform::Icon::Stop}
            : platform::Message{NS_MESSAGE("Message", "Cannot save settings! - Unknown Error."),
                                NS_MESSAGE("Message", "Error"), platform::Icon::Stop};
    message.setDetails(
        {NS_MESSAGE("Message",
                    "The restore file \"%1\" could not be written: %2.\nThe files "
                    "keep the names they have now; the batch's journal keeps its "
                    "record, and the next start offers to undo or finish the batch."),
         {path, status.message()}});
    messages.show(message);
}

// A stored directory that walks through "." or ".." could point anywhere the file's author liked.
bool isCleanAbsolutePath(std::string_view path) {
    if (!path.starts_with('/') || path.find('\0') != std::string_view::npos) {
        return false;
    }
    std::size_t start = 1;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, slash - start);
        if (part == "." || part == "..") {
            return false;
        }
        start = slash + 1;
    }
    return true;
}

}  // namespace

platform::FileContents restoreFileContents(std::string_view directory, std::size_t count,
                                           RestorePairSource pairAt) {
    return platform::contentsInRuns(
               count, kPairsPerPiece,
               [directory](std::string& out) {
                   out += kBanner;
                   out += kPathMarker;
                   out += kLineEnd;
                   appendQuotedLine(out, directory);
                   out += kLineEnd;
                   out += kFilesMarker;
                   out += kLineEnd;
               },
               [pairAt = std::move(pairAt)](std::size_t i, std::string& out) {
                   const auto [before, after] = pairAt(i);
                   appendQuotedLine(out, before);
                   appendQuotedLine(out, after);
               },
               [](std::string& out) { out += kTerminator; })
        .ownerOnly();
}

std::string formatRestoreFile(const RestoreRecord& record) {
    return restoreFileContents(record.directory, record.namesBefore.size(),
                               [&record](std::size_t i) {
                                   return std::pair<std::string_view, std::string_view>(
                                       record.namesBefore[i], record.namesAfter[i]);
                               })
        .gather();
}

std::optional<RestoreRecord> parseRestoreFile(std::string_view text) {
    std::size_t position = text.find(kPathMarker);
    if (position == std::string_view::npos) {
        return std::nullopt;
    }
    position += kPathMarker.size();
    if (!readLineEnd(text, position)) {
        return std::nullopt;
    }
    const std::optional<std::string_view> directory = readQuoted(text, position);
    if (!directory || !isCleanAbsolutePath(*directory)) {
        return std::nullopt;
    }
    // A directory may well be called "-= Files =-"; the marker is looked for after it.
    position = text.find(kFilesMarker, position);
    if (position == std::string_view::npos) {
        return std::nullopt;
    }
    position += kFilesMarker.size();
    if (!readLineEnd(text, position)) {
        return std::nullopt;
    }
    RestoreRecord record;
    record.directory = std::string(*directory);
    while (!holdsAt(text, position, kTerminator)) {
        std::optional<std::string> before = readName(text, position);
        if (!before || !readLineEnd(text, position)) {
            return std::nullopt;
        }
        std::optional<std::string> after = readName(text, position);
        if (!after || !readLineEnd(text, position)) {
            return std::nullopt;
        }
        record.namesBefore.push_back(std::move(*before));
        record.namesAfter.push_back(std::move(*after));
    }
    // An editor may end the file with a line end; anything more means a pair was cut to "".
    if (text.find_first_not_of(kLineEnd, position + kTerminator.size()) != std::string_view::npos) {
        return std::nullopt;
    }
    // Every file has one name before and one after its batch; a name twice on either side was
    // not written by a batch, and a restore cannot order its renames by it.
    const auto distinct = [](const std::vector<std::string>& names) {
        return namesAreDistinct(names.size(),
                                [&](std::size_t i) -> std::string_view { return names[i]; });
    };
    if (!distinct(record.namesBefore) || !distinct(record.namesAfter)) {
        return std::nullopt;
    }
    return record;
}

bool writeRestoreFile(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                      const platform::Directory& directory, const platform::FileContents& contents,
                      platform::WriteMode mode) {
    const platform::Status status =
        fileSystem.writeFileIn(directory, kRestoreFileName, contents, mode);
    if (!status.ok()) {
        reportWriteFailure(status, directory.path() + "/" + kRestoreFileName, messages);
        return false;
    }
    return true;
}

bool replaceRestoreFile(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, const RestoreRecord& record) {
    const platform::Status status =
        fileSystem.writeFile(path, platform::FileContents(formatRestoreFile(record)).ownerOnly(),
                             platform::WriteMode::Replace);
    if (!status.ok()) {
        reportWriteFailure(status, path, messages);
        return false;
    }
    return true;
}

RecordedRestoreFile restoreFileIn(platform::FileSystem& fileSystem,
                                  const platform::Directory& directory) {
    const auto identity = fileSystem.identifyIn(directory, kRestoreFileName);
    return identity.ok() ? RecordedRestoreFile::of(*identity) : RecordedRestoreFile{};
}

}  // namespace nameshift::engine
