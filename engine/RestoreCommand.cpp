#include "engine/RestoreCommand.h"

#include <optional>
#include <utility>
#include <vector>

#include "engine/ApplyCommand.h"
#include "engine/RestoreFile.h"
#include "platform/AbsolutePath.h"

namespace nameshift::engine {
namespace {

using platform::Icon;

// The extension test is on the file name alone, so a dot in a directory above does not count.
bool hasRestoreExtension(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string_view name =
        std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    const auto dot = name.rfind('.');
    return dot != std::string_view::npos && name.substr(dot + 1) == "dat";
}

// Reads, checks and enters the stored directory; the current directory changes only for a file
// that can be used.
std::optional<RestoreRecord> openRestoreFile(platform::FileSystem& fileSystem,
                                             const std::string& path) {
    const platform::Result<std::string> text = fileSystem.readFile(path, kRestoreFileMaxBytes);
    if (!text.ok()) {
        return std::nullopt;
    }
    std::optional<RestoreRecord> record = parseRestoreFile(*text);
    if (!record || !fileSystem.setCurrentDirectory(record->directory).ok()) {
        return std::nullopt;
    }
    return record;
}

// The pairs still to restore, in their batch order, as the restore file keeps them.
RestoreRecord pairsLeft(std::string directory, const WorkLists& lists, const RenameRun& run) {
    std::vector<char> restored(lists.oldNames.size(), 0);
    for (const std::size_t index : run.renamed) {
        restored[index] = 1;
    }
    RestoreRecord left;
    left.directory = std::move(directory);
    for (std::size_t i = 0; i < restored.size(); ++i) {
        if (restored[i] == 0) {
            left.namesBefore.push_back(lists.newNames[i]);
            left.namesAfter.push_back(lists.oldNames[i]);
        }
    }
    return left;
}

std::string closingText(const RenameRun& run, std::size_t total) {
    if (!run.cancelled) {
        return "Filename(s) Restored";
    }
    return "Restore cancelled - " + std::to_string(run.renamed.size()) + " of " +
           std::to_string(total) + " file(s) were restored.";
}

}  // namespace

std::string restoreErrorText(const std::string& currentName, const std::string& earlierName,
                             const platform::Status& status) {
    return "The file \"" + currentName + " cannot be renamed\n to \"" + earlierName +
           "\".\n\nError: " + status.message();
}

CommandOutcome restoreFilenames(RenameSession& session, RestoreFilePicker& picker,
                                BatchProgress* progress) {
    platform::FileSystem& fileSystem = session.fileSystem;
    platform::MessageBox& messages = session.messages;
    WorkLists& lists = session.lists;
    session.lastBatch = {};

    const platform::Result<std::string> here = fileSystem.currentDirectory();
    const std::string initialDirectory = here.ok() ? *here : std::string();
    const std::optional<std::string> chosen = picker.chooseRestoreFile(initialDirectory);
    if (!chosen) {
        return CommandOutcome::Cancelled;
    }
    if (!hasRestoreExtension(*chosen)) {
        messages.show("You have chosen an invalid restore file!", "Invalid Restore File",
                      Icon::Exclamation);
        return CommandOutcome::Refused;
    }
    // The chosen file is deleted or rewritten after the current directory has moved to the
    // stored one, so it must not depend on it.
    const std::string path = platform::absolutePath(*chosen, initialDirectory);
    lists.clear();
    std::optional<RestoreRecord> record = openRestoreFile(fileSystem, path);
    if (!record) {
        messages.show("The restore file is corrupt and cannot be used!", platform::kProgramTitle,
                      Icon::Stop);
        return CommandOutcome::Refused;
    }

    // The file names the pairs as applied; undoing renames each file from its present name
    // (the second of a pair) back to its earlier one.
    lists.oldNames = std::move(record->namesAfter);
    lists.newNames = std::move(record->namesBefore);
    const RenameRun run = renamePairs(fileSystem, lists, RenameOrder::Backward, progress);
    for (const RenameFailure& failure : run.failures) {
        messages.show(restoreErrorText(lists.oldNames[failure.index], lists.newNames[failure.index],
                                       failure.status),
                      "Restore Error", Icon::Stop);
    }
    session.lastBatch = {run.renamed.size(), run.failures.size(), run.cancelled, false};
    if (run.failures.empty() && !run.cancelled) {
        fileSystem.removeFile(path);
    } else {
        // The pairs that are still to do must survive, or the user could never restore them.
        session.lastBatch.recordLost = !replaceRestoreFile(
            fileSystem, messages, path, pairsLeft(record->directory, lists, run));
    }
    const std::size_t total = lists.oldNames.size();
    lists.clear();
    messages.show(closingText(run, total), "", Icon::None);
    if (session.options.exitAfterRestore && !run.cancelled) {
        return CommandOutcome::ExitProgram;
    }
    session.fileList.clear();
    session.fileList.fill(session.directory);
    return CommandOutcome::Done;
}

}  // namespace nameshift::engine
