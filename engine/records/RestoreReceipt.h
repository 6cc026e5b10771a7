#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/FileEvidence.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// What the program knows of a restore file it wrote, kept in the state folder beside the
// journals: which file it is (its identity and size), which folder its batch renamed in, and for
// each of its pairs the file the pair renamed. A restore reads it to tell whether the restore file
// still speaks of the files now under its names, and of which folder, since a folder can be moved
// or copied and its restore file with it. A restore file with no receipt is one written before
// receipts were kept, or elsewhere, and is used as it says.
struct RestoreReceipt {
    platform::FileIdentity restoreFile;
    std::uint64_t folderDevice = 0;
    std::uint64_t folderInode = 0;
    std::vector<FileEvidence> files;  // files[i] is the file of pair i
    std::int64_t folderBirthNs = 0;

    bool belongsTo(const platform::FileIdentity& folder, bool numbersKept) const {
        return judgeFolder({folderDevice, folderInode, folderBirthNs}, folder, numbersKept) ==
               Verdict::Same;
    }
};

using FileEvidenceAt = std::function<FileEvidence(std::size_t)>;

// The receipt of `head`'s restore file, folder and `count` files handed out by `fileAt`, made
// piece by piece as it is written; `head` and whatever `fileAt` reads must outlive it.
platform::FileContents restoreReceiptContents(const RestoreReceipt& head, std::size_t count,
                                              FileEvidenceAt fileAt);
std::string formatRestoreReceipt(const RestoreReceipt& receipt);
// Nothing unless the text is a whole receipt.
std::optional<RestoreReceipt> parseRestoreReceipt(std::string_view text);

inline constexpr const char* kReceiptSuffix = ".receipt";
// The most receipts kept; the oldest go first.
inline constexpr std::size_t kMaxReceipts = 100;

// Keeps the receipt of the restore file just written, whose batch renamed in `folder` the `count`
// files `fileAt` hands out, pair by pair. Only the newest kMaxReceipts receipts stay. A receipt
// that cannot be written leaves the restore file as usable as one from before receipts.
void keepRestoreReceipt(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                        const platform::FileIdentity& restoreFile,
                        const platform::FileIdentity& folder, std::size_t count,
                        const FileEvidenceAt& fileAt);
// Writes "restore.dat" into `folder` (identified by `folderIdentity`) as writeRestoreFile does,
// and keeps its receipt, for the `count` files `fileAt` hands out, in place of the receipt of
// the file it replaces. True when the restore file was written.
bool writeRestoreFileWithReceipt(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                 const std::string& stateDirectory,
                                 const platform::Directory& folder,
                                 const platform::FileIdentity& folderIdentity,
                                 const platform::FileContents& contents, platform::WriteMode mode,
                                 std::size_t count, const FileEvidenceAt& fileAt);
// The receipt of the restore file `restoreFile`, when one of the user's own is kept for it.
std::optional<RestoreReceipt> findRestoreReceipt(platform::FileSystem& fileSystem,
                                                 const std::string& stateDirectory,
                                                 const platform::FileIdentity& restoreFile);
// The restore file was used up or replaced: its receipt goes.
void dropRestoreReceipt(platform::FileSystem& fileSystem, const std::string& stateDirectory,
                        const platform::FileIdentity& restoreFile);

}  // namespace nameshift::engine
