#include "engine/ApplyCommand.h"

#include <algorithm>
#include <utility>

#include "engine/BatchChecks.h"
#include "engine/NameComputation.h"
#include "engine/RestoreFile.h"
#include "engine/TagNaming.h"
#include "settings/Id3Options.h"
#include "settings/ProgramOptions.h"

namespace nameshift::engine {
namespace {

using platform::Icon;

enum class RecordChoice { Write, Ask, Skip };

RecordChoice recordChoice(int usage) {
    switch (static_cast<settings::RestoreFileUsage>(usage)) {
        case settings::RestoreFileUsage::Ask:
            return RecordChoice::Ask;
        case settings::RestoreFileUsage::None:
            return RecordChoice::Skip;
        default:
            return RecordChoice::Write;
    }
}

CommandOutcome refuse(WorkLists& lists) {
    lists.clear();
    return CommandOutcome::Refused;
}

// The pairs that really moved a file; a pair whose names are equal leaves nothing to undo. The
// lists are emptied right after, so their names are taken rather than copied.
RestoreRecord recordOf(std::string directory, WorkLists& lists, const RenameRun& run) {
    RestoreRecord record;
    record.directory = std::move(directory);
    record.namesBefore.reserve(run.renamed.size());
    record.namesAfter.reserve(run.renamed.size());
    for (const std::size_t index : run.renamed) {
        if (lists.oldNames[index] == lists.newNames[index]) {
            continue;
        }
        record.namesBefore.push_back(std::move(lists.oldNames[index]));
        record.namesAfter.push_back(std::move(lists.newNames[index]));
    }
    return record;
}

// Returns false when a restore file was wanted and none was written.
bool recordBatch(RenameSession& session, const platform::Result<std::string>& directory,
                 const RenameRun& run) {
    const RecordChoice choice = recordChoice(session.options.restoreFileUsage);
    if (choice == RecordChoice::Skip ||
        (choice == RecordChoice::Ask &&
         !session.messages.ask("Do you wish to create a restore file?", "Create File?"))) {
        return true;
    }
    if (!directory.ok()) {
        session.messages.show(directory.status().message(), "GetLastError", Icon::Stop);
        return false;
    }
    return writeNewRestoreFile(session.fileSystem, session.messages,
                               recordOf(*directory, session.lists, run));
}

std::string closingText(const RenameRun& run, std::size_t total) {
    if (!run.cancelled) {
        return "Operation complete";
    }
    return "Operation cancelled - " + std::to_string(run.renamed.size()) + " of " +
           std::to_string(total) + " file(s) were renamed.";
}

}  // namespace

RenameRun renamePairs(platform::FileSystem& fileSystem, const WorkLists& lists, RenameOrder order,
                      BatchProgress* progress) {
    const std::size_t total = lists.oldNames.size();
    if (total <= kProgressThreshold) {
        progress = nullptr;
    }
    RenameRun run;
    run.renamed.reserve(total);
    if (progress != nullptr) {
        progress->start(total);
    }
    for (std::size_t done = 0; done < total; ++done) {
        const std::size_t index = order == RenameOrder::Forward ? done : total - 1 - done;
        platform::Status status = fileSystem.rename(lists.oldNames[index], lists.newNames[index]);
        if (status.ok()) {
            run.renamed.push_back(index);
        } else {
            run.failures.push_back({index, status});
        }
        if (progress != nullptr && !progress->advance(done + 1) && done + 1 < total) {
            run.cancelled = true;
            break;
        }
    }
    if (progress != nullptr) {
        progress->finish();
    }
    return run;
}

std::vector<std::pair<std::string, std::string>> renamedPairsOf(const WorkLists& lists,
                                                                const RenameRun& run) {
    std::vector<std::pair<std::string, std::string>> pairs;
    pairs.reserve(run.renamed.size());
    for (const std::size_t index : run.renamed) {
        pairs.emplace_back(lists.oldNames[index], lists.newNames[index]);
    }
    return pairs;
}

std::string renameErrorsText(const WorkLists& lists, const std::vector<RenameFailure>& failures) {
    std::string text = "The following file(s) could not be renamed:\n";
    const std::size_t listed = std::min(failures.size(), kListedRenameErrors);
    for (std::size_t i = 0; i < listed; ++i) {
        const RenameFailure& failure = failures[i];
        text += "\n\"" + lists.oldNames[failure.index] + "\" to \"" +
                lists.newNames[failure.index] + "\": " + failure.status.message();
    }
    if (failures.size() > listed) {
        text += "\n... and " + std::to_string(failures.size() - listed) + " more";
    }
    return text;
}

CommandOutcome applyChanges(RenameSession& session, BatchProgress* progress) {
    platform::MessageBox& messages = session.messages;
    WorkLists& lists = session.lists;
    session.lastBatch = {};
    if (session.options.warnOnApply &&
        !messages.ask("You are about to rename the file(s). Do you wish to continue?", "Warning")) {
        return CommandOutcome::Cancelled;
    }
    lists.clear();
    if (!computeNewNames(session.rules, session.fileList, lists, messages)) {
        return refuse(lists);
    }
    // In this mode each file ends with its tag name or its old name, so the names the rules
    // computed are not the ones that will be used.
    const bool tagsOrKeep =
        session.rules.supportId3 &&
        session.id3.renameMode == static_cast<int>(settings::Id3RenameMode::AllOrKeep);
    if (!tagsOrKeep &&
        (!checkDuplicateNames(lists, messages) || !checkEmptyBases(lists, messages))) {
        return CommandOutcome::Refused;
    }
    if (session.rules.supportId3) {
        if (session.id3.format.empty()) {
            messages.show("You have not specified any ID3 options", "No options specified",
                          Icon::Stop);
            return refuse(lists);
        }
        applyTagNaming(session.id3, session.tags, session.directory, lists);
    }
    const bool mayRecord = recordChoice(session.options.restoreFileUsage) != RecordChoice::Skip;
    if (!checkPlainNames(lists, messages) || (mayRecord && !checkNoDoubleQuotes(lists, messages))) {
        return CommandOutcome::Refused;
    }
    const platform::Status entered = session.fileSystem.setCurrentDirectory(session.directory);
    if (!entered.ok()) {
        messages.show("Cannot continue - the directory \"" + session.directory +
                          "\" cannot be opened: " + entered.message(),
                      "Directory Error", Icon::Stop);
        return refuse(lists);
    }
    const platform::Result<std::string> directory = session.fileSystem.currentDirectory();
    if (mayRecord && directory.ok() && !checkDirectoryRecordable(*directory, lists, messages)) {
        return CommandOutcome::Refused;
    }

    const std::size_t total = lists.oldNames.size();
    const RenameRun run = renamePairs(session.fileSystem, lists, RenameOrder::Forward, progress);
    if (!run.failures.empty()) {
        messages.show(renameErrorsText(lists, run.failures), "Rename Errors", Icon::Stop);
    }
    // Taken before the restore file takes the names out of the lists.
    auto renamedPairs = renamedPairsOf(lists, run);
    session.lastBatch = {run.renamed.size(), run.failures.size(), run.cancelled,
                         !recordBatch(session, directory, run), std::move(renamedPairs)};
    lists.clear();
    session.fileList.clear();
    messages.show(platform::Message{closingText(run, total)});
    if (session.options.exitAfterApply && !run.cancelled) {
        return CommandOutcome::ExitProgram;
    }
    session.fileList.fill(session.directory);
    return CommandOutcome::Done;
}

}  // namespace nameshift::engine
