// Any bytes as the journal of an interrupted batch in a folder of real files, undone or finished
// as recovery does it after a crash: reading, planning, ordering and renaming must never crash,
// and no file may leave the folder or be lost.

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "FuzzFolder.h"
#include "engine/batch/BatchGuard.h"
#include "engine/batch/BatchRecovery.h"
#include "engine/records/Journal.h"
#include "platform/PosixFileSystem.h"

using namespace nameshift;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::FuzzFolder folder;
    if (size == 0) {
        return 0;
    }
    const auto action =
        (data[0] & 1) != 0 ? engine::RecoveryAction::Undo : engine::RecoveryAction::Finish;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::optional<engine::Journal> journal = engine::parseJournal(text);
    folder.clear();
    struct stat info {};
    if (::stat(folder.files().c_str(), &info) != 0) {
        std::abort();
    }
    platform::PosixFileSystem fileSystem;
    std::string contents(text);
    std::size_t made = 0;
    if (journal) {
        // The batch ran in this folder; each file is found at its old name, at its new one, or
        // is gone, as the entry's own number says.
        journal->directory = folder.files();
        journal->directoryDevice = info.st_dev;
        journal->directoryInode = info.st_ino;
        journal->restoreFile = folder.files() + "/restore.dat";
        for (engine::JournalEntry& entry : journal->entries) {
            const std::uint64_t where = entry.inode % 3;
            if (where < 2) {
                const std::uint64_t inode = folder.make(where == 0 ? entry.original : entry.final);
                made += inode != 0 ? 1 : 0;
                entry.inode = inode != 0 ? inode : entry.inode;
            }
        }
        contents = engine::formatJournal(*journal);
    }
    std::ofstream(engine::batchJournalPath(folder.state(), info.st_dev, info.st_ino)) << contents;
    const std::string record = folder.files() + "/restore.dat";
    const bool recordBefore = ::lstat(record.c_str(), &info) == 0;
    for (const engine::InterruptedBatch& batch :
         engine::findInterruptedBatches(fileSystem, folder.state())) {
        engine::recoverBatch(fileSystem, folder.state(), batch, action);
    }
    const bool recordWritten = !recordBefore && ::lstat(record.c_str(), &info) == 0;
    if (folder.count() != made + (recordWritten ? 1 : 0)) {
        std::abort();
    }
    return 0;
}
