// Any bytes as a restore file for a folder of real files, restored as the Restore Filenames
// command does: reading, planning, ordering and renaming must never crash, and no file may leave
// the folder or be lost.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>

#include "FuzzFolder.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/records/RestoreFile.h"
#include "platform/PosixFileSystem.h"

using namespace nameshift;

namespace {

class FixedPicker final : public engine::RestoreFilePicker {
public:
    explicit FixedPicker(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> chooseRestoreFile(const std::string&) override { return path_; }

private:
    std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::FuzzFolder folder;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<engine::RestoreRecord> record = engine::parseRestoreFile(text);
    folder.clear();
    std::string contents(text);
    std::size_t made = 0;
    if (record) {
        // The batch ran in this folder; its files are where the record says, but for every
        // third one, which is gone.
        record->directory = folder.files();
        for (std::size_t i = 0; i < record->namesAfter.size(); ++i) {
            if (i % 3 != 2 && folder.make(record->namesAfter[i]) != 0) {
                ++made;
            }
        }
        contents = engine::formatRestoreFile(*record);
    }
    const std::string path = folder.state() + "/restore.dat";
    std::ofstream(path) << contents;
    platform::PosixFileSystem fileSystem;
    fuzzing::NoTags tags;
    engine::RenameSession session(fileSystem, tags);
    session.directory = folder.files();
    session.stateDirectory = folder.state() + "/batches";
    session.options.exitAfterRestore = true;
    FixedPicker picker(path);
    engine::restoreFilenames(session, picker, nullptr);
    if (folder.count() != made) {
        std::abort();
    }
    return 0;
}
