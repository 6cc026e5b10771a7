#include "engine/records/RestoreReceipt.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "engine/records/RestoreFile.h"

namespace nameshift::engine {
namespace {

// The first version kept of each file its number alone, and of the folder no birth time.
constexpr std::string_view kBannerV1 = "nameshift restore receipt 1\n";
constexpr std::string_view kBanner = "nameshift restore receipt 2\n";
constexpr std::size_t kInodesPerPiece = 4096;

// One line a pair of a million-file batch, each of its numbers at its longest, and its header.
constexpr std::size_t kMaxReceiptBytes = 1024 + std::size_t{1'000'000} * (4 * 21 + 2);

std::string receiptPath(const std::string& stateDirectory, const platform::FileIdentity& file) {
    return stateDirectory + "/" + std::to_string(file.device) + "-" + std::to_string(file.inode) +
           kReceiptSuffix;
}

// Reads the numbers of one line, separated by single spaces, into `values`; false unless the
// line holds exactly that many.
bool readLine(std::string_view& text, std::initializer_list<std::uint64_t*> values) {
    const auto end = text.find('\n');
    if (end == std::string_view::npos) {
        return false;
    }
    const std::string_view line = text.substr(0, end);
    const char* at = line.data();
    const char* const last = line.data() + line.size();
    bool first = true;
    for (std::uint64_t* value : values) {
        if (!first && (at == last || *at++ != ' ')) {
            return false;
        }
        first = false;
        const auto [next, error] = std::from_chars(at, last, *value);
        if (error != std::errc() || next == at) {
            return false;
        }
        at = next;
    }
    text.remove_prefix(end + 1);
    return at == last;
}

// Drops the oldest receipts beyond the bound, so that the state folder does not fill with the
// receipts of restore files long used or deleted.
void pruneReceipts(platform::FileSystem& fileSystem, const std::string& stateDirectory) {
    auto entries = fileSystem.listDirectory(stateDirectory);
    if (!entries.ok()) {
        return;
    }
    std::vector<platform::DirEntry>& all = entries.value();
    std::erase_if(all, [](const platform::DirEntry& entry) {
        return entry.isDirectory || !entry.name.ends_with(kReceiptSuffix);
    });
    if (all.size() <= kMaxReceipts) {
        return;
    }
    std::sort(all.begin(), all.end(),
              [](const auto& a, const auto& b) { return a.writeTimeNs > b.writeTimeNs; });
    for (std::size_t i = kMaxReceipts; i < all.size(); ++i) {
        fileSystem.removeFile(stateDirectory + "/" + all[i].name);
    }
}

void putLine(std::string& out, std::initializer_list<std::uint64_t> values) {
    bool first = true;
    for (const std::uint64_t value : values) {
        out += first ? "" : " ";
        out += std::to_string(value);
        first = false;
    }
    out += '\n';
}

}  // namespace

platform::FileContents restoreReceiptContents(const RestoreReceipt& head, std::size_t count,
                                              FileEvidenceAt fileAt) {
    return platform::contentsInRuns(
               count, kInodesPerPiece,
               [&head, count](std::string& out) {
                   out += kBanner;
                   putLine(out, {head.restoreFile.device, head.restoreFile.inode,
                                 head.restoreFile.size});
                   putLine(out, {head.folderDevice, head.folderInode, count,
                                 static_cast<std::uint64_t>(head.folderBirthNs)});
               },
               [fileAt = std::move(fileAt)](std::size_t i, std::string& out) {
                   const FileEvidence file = fileAt(i);
                   putLine(out, {file.inode, file.traits.known ? 1U : 0U, file.traits.size,
                                 static_cast<std::uint64_t>(file.traits.writeTimeNs),
                                 static_cast<std::uint64_t>(file.traits.birthTimeNs)});
               },
               [](std::string&) {})
        .ownerOnly();
}

std::string formatRestoreReceipt(const RestoreReceipt& receipt) {
    return restoreReceiptContents(receipt, receipt.files.size(),
                                  [&receipt](std::size_t i) { return receipt.files[i]; })
        .gather();
}

std::optional<RestoreReceipt> parseRestoreReceipt(std::string_view text) {
    const bool first = text.starts_with(kBannerV1);
    if (!first && !text.starts_with(kBanner)) {
        return std::nullopt;
    }
    text.remove_prefix(kBanner.size());
    RestoreReceipt receipt;
    std::uint64_t count = 0;
    std::uint64_t folderBirth = 0;
    if (!readLine(text, {&receipt.restoreFile.device, &receipt.restoreFile.inode,
                         &receipt.restoreFile.size}) ||
        !(first ? readLine(text, {&receipt.folderDevice, &receipt.folderInode, &count})
                : readLine(text,
                           {&receipt.folderDevice, &receipt.folderInode, &count, &folderBirth})) ||
        count > text.size() / 2) {
        return std::nullopt;
    }
    receipt.folderBirthNs = static_cast<std::int64_t>(folderBirth);
    receipt.files.resize(count);
    for (FileEvidence& file : receipt.files) {
        std::uint64_t known = 0;
        std::uint64_t written = 0;
        std::uint64_t born = 0;
        if (first ? !readLine(text, {&file.inode})
                  : !readLine(text, {&file.inode, &known, &file.traits.size, &written, &born}) ||
                        known > 1) {
            return std::nullopt;
        }
        file.traits.known = known == 1;
        file.traits.writeTimeNs = static_cast<std::int64_t>(written);
        file.traits.birthTimeNs = static_cast<std::int64_t>(born);
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return receipt;
}

void keepRestoreReceipt(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                        const platform::FileIdentity& restoreFile,
                        const platform::FileIdentity& folder, std::size_t count,
                        const FileEvidenceAt& fileAt) {
    if (stateDirectory.empty()) {
        return;
    }
    const RestoreReceipt head{restoreFile, folder.device, folder.inode, {}, folder.birthTimeNs};
    fileSystem.writeFile(receiptPath(stateDirectory, restoreFile),
                         restoreReceiptContents(head, count, fileAt), platform::WriteMode::Replace);
    pruneReceipts(fileSystem, stateDirectory);
}

bool writeRestoreFileWithReceipt(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                 const std::string& stateDirectory,
                                 const platform::Directory& folder,
                                 const platform::FileIdentity& folderIdentity,
                                 const platform::FileContents& contents, platform::WriteMode mode,
                                 std::size_t count, const FileEvidenceAt& fileAt) {
    const auto replaced = fileSystem.identifyIn(folder, kRestoreFileName);
    if (!writeRestoreFile(fileSystem, messages, folder, contents, mode)) {
        return false;
    }
    if (replaced.ok()) {
        dropRestoreReceipt(fileSystem, stateDirectory, *replaced);
    }
    if (const auto written = fileSystem.identifyIn(folder, kRestoreFileName); written.ok()) {
        keepRestoreReceipt(fileSystem, stateDirectory, *written, folderIdentity, count, fileAt);
    }
    return true;
}

std::optional<RestoreReceipt> findRestoreReceipt(platform::FileSystem& fileSystem,
                                                 const std::string& stateDirectory,
                                                 const platform::FileIdentity& restoreFile) {
    if (stateDirectory.empty()) {
        return std::nullopt;
    }
    const std::string path = receiptPath(stateDirectory, restoreFile);
    // Only a receipt of the user's own speaks for a restore file: another user could plant one
    // that stops every restore.
    const auto owner = fileSystem.identify(path);
    if (!owner.ok() || !owner->userAlone) {
        return std::nullopt;
    }
    const auto text = fileSystem.readFile(path, kMaxReceiptBytes);
    std::optional<RestoreReceipt> receipt = text.ok() ? parseRestoreReceipt(*text) : std::nullopt;
    // A number the system gave again to another file of the same size is the one case the
    // identity alone cannot tell; a receipt for a file of another size is an old one.
    if (!receipt || !receipt->restoreFile.sameFileAs(restoreFile) ||
        receipt->restoreFile.size != restoreFile.size) {
        return std::nullopt;
    }
    return receipt;
}

void dropRestoreReceipt(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                        const platform::FileIdentity& restoreFile) {
    if (!stateDirectory.empty()) {
        fileSystem.removeFile(receiptPath(stateDirectory, restoreFile));
    }
}

}  // namespace nameshift::engine
