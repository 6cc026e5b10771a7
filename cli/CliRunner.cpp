#include "cli/CliRunner.h"

#include <fnmatch.h>
#include <sys/stat.h>

#include "cli/ApplyRuleOverrides.h"
#include "cli/ArgumentRestoreFilePicker.h"
#include "cli/ExitStatus.h"
#include "cli/NameWriter.h"
#include "cli/PreviewPrinter.h"
#include "cli/ValueValidation.h"
#include "engine/ApplyCommand.h"
#include "engine/CommandGuard.h"
#include "engine/PreviewCommand.h"
#include "engine/RestoreCommand.h"
#include "engine/RestoreFile.h"
#include "engine/TextCase.h"
#include "platform/AbsolutePath.h"
#include "settings/Id3OptionsFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/SettingsPaths.h"
#include "settings/StartupDirectory.h"

namespace nameshift::cli {
namespace {

using platform::Icon;

constexpr const char* kToolCaption = "nameshift-cli";

// Any entry at all blocks the restore file from being created, not only a regular file.
bool entryExists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool refusedValueWasGiven(RuleField field, const RuleOverrides& overrides) {
    switch (field) {
        case RuleField::PrefixText:
            return overrides.prefix.has_value();
        case RuleField::ExtensionText:
            return overrides.extension.has_value();
        case RuleField::StringToRemove:
            return overrides.stringToRemove.has_value();
        case RuleField::ReplaceFrom:
        case RuleField::ReplaceWith:
            return overrides.replaceFrom.has_value();
        case RuleField::CounterStart:
        case RuleField::CounterIncrement:
            return overrides.counterStart.has_value();
        case RuleField::Id3Format:
            return overrides.id3Format.has_value();
    }
    return false;
}

// A batch that ran is only a clean success when every rename worked and its undo record, if one
// was wanted, is on disk.
int exitStatusOf(engine::CommandOutcome outcome, const engine::BatchReport& batch) {
    switch (outcome) {
        case engine::CommandOutcome::Done:
        case engine::CommandOutcome::ExitProgram:
            return batch.failed > 0 || batch.recordLost ? exit_status::kSomeRenamesFailed
                                                        : exit_status::kDone;
        case engine::CommandOutcome::Cancelled:
        case engine::CommandOutcome::Refused:
            break;
    }
    return exit_status::kRefused;
}

}  // namespace

CliRunner::CliRunner(platform::FileSystem& fileSystem, engine::TagReader& tags, std::FILE* output,
                     std::FILE* errors)
    : fileSystem_(fileSystem), tags_(tags), output_(output), errors_(errors) {}

int CliRunner::run(const CliOptions& options) {
    StderrMessageBox messages(errors_, options.yes ? platform::Answer::Yes : platform::Answer::No);
    int status = exit_status::kStopped;
    engine::runGuarded(messages, [&] { status = runCommand(options, messages); });
    return status;
}

int CliRunner::runCommand(const CliOptions& options, StderrMessageBox& messages) {
    engine::RenameSession session(fileSystem_, messages, tags_);
    if (!prepareSession(options, session, messages)) {
        return exit_status::kRefused;
    }
    switch (options.command) {
        case CliCommand::List:
            return list(options, session, messages);
        case CliCommand::Preview:
            return preview(options, session, messages);
        case CliCommand::Apply:
            return apply(options, session, messages);
        case CliCommand::Restore:
            return restore(options, session);
    }
    return exit_status::kBadUsage;
}

bool CliRunner::prepareSession(const CliOptions& options, engine::RenameSession& session,
                               StderrMessageBox& messages) {
    const platform::Result<std::string> here = fileSystem_.currentDirectory();
    if (!here.ok()) {
        messages.show(here.status().message(), "GetLastError", Icon::Stop);
        return false;
    }
    startDirectory_ = *here;
    const settings::SettingsPaths paths = settings::SettingsPaths::fromWorkingDirectory(
        options.settingsDirectory.empty()
            ? startDirectory_
            : platform::absolutePath(options.settingsDirectory, startDirectory_));
    settingsFile_ = paths.renameSettings;

    // The dialog program's start-up order, so that the messages come in the same order.
    session.options = settings::loadProgramOptions(fileSystem_, messages, paths.programOptions,
                                                   settings::ProgramOptions{});
    session.id3 = settings::loadId3Naming(fileSystem_, messages, paths.id3Options);
    std::string directory;
    if (options.directory) {
        directory = *options.directory;
    } else {
        directory = settings::chooseStartupDirectory(fileSystem_, messages, session.options);
    }
    session.directory =
        directory.empty() ? startDirectory_ : platform::absolutePath(directory, startDirectory_);
    session.rules = options.noSettings
                        ? settings::RenameSettings::whenFileMissing()
                        : settings::loadRenameSettings(fileSystem_, messages, paths.renameSettings,
                                                       settings::RenameSettings{});
    applyRuleOverrides(options.rules, session.rules, session.id3);
    return true;
}

bool CliRunner::checkRuleValues(const CliOptions& options, const engine::RenameSession& session,
                                StderrMessageBox& messages) const {
    std::optional<RefusedValue> refused = findRefusedValue(session.rules);
    if (!refused && options.rules.id3Format) {
        if (auto message = checkId3Format(*options.rules.id3Format)) {
            refused = RefusedValue{RuleField::Id3Format, std::move(*message)};
        }
    }
    if (!refused) {
        return true;
    }
    messages.show(refused->message);
    // The dialog's message does not say which value it means, nor where the value came from.
    const std::string source = refusedValueWasGiven(refused->field, options.rules)
                                   ? std::string("given on the command line")
                                   : "read from \"" + settingsFile_ + "\"";
    messages.show("The value of " + std::string(describeField(refused->field)) + " " + source +
                      " is refused.",
                  kToolCaption, Icon::Stop);
    return false;
}

bool CliRunner::listFiles(const CliOptions& options, engine::RenameSession& session,
                          StderrMessageBox& messages) {
    engine::FileList& files = session.fileList;
    files.setAttributeMask(session.rules.attributeMask());
    files.setSortIndex(session.rules.sortIndex);
    if (!files.fill(session.directory)) {
        if (files.attributeMask() != 0) {
            const platform::Result<std::vector<platform::DirEntry>> listing =
                fileSystem_.listDirectory(session.directory);
            messages.show("Cannot list the directory \"" + session.directory +
                              "\": " + listing.status().message(),
                          kToolCaption, Icon::Stop);
        }
        return false;
    }
    if (options.mask != "*.*") {
        // The dialog offers one mask per extension of the directory; a mask it would not offer
        // matches no file.
        const std::string wanted = engine::text::toLower(options.mask);
        const std::vector<std::string>& masks = files.masks();
        std::size_t position = 1;
        while (position < masks.size() && masks[position] != wanted) {
            ++position;
        }
        if (position == masks.size()) {
            files.clear();
        } else {
            files.setMaskPosition(static_cast<int>(position));
            if (!files.applyFileMask(session.directory)) {
                return false;
            }
        }
    }
    if (options.selectGlobs.empty()) {
        files.selectAll(true);
        return true;
    }
    for (std::size_t row = 0; row < files.rowCount(); ++row) {
        const std::string& name = files.row(row).name;
        for (const std::string& glob : options.selectGlobs) {
            if (::fnmatch(glob.c_str(), name.c_str(), 0) == 0) {
                files.setTicked(row, true);
                break;
            }
        }
    }
    return true;
}

int CliRunner::list(const CliOptions& options, engine::RenameSession& session,
                    StderrMessageBox& messages) {
    if (!listFiles(options, session, messages)) {
        return exit_status::kRefused;
    }
    NameWriter writer(output_, options.nullSeparated);
    const engine::FileList& files = session.fileList;
    for (std::size_t row = 0; row < files.rowCount(); ++row) {
        writer.writeName(files.row(row).name);
    }
    const platform::Status written = writer.flush();
    if (!written.ok()) {
        messages.show("Cannot write the list: " + written.message(), kToolCaption, Icon::Stop);
        return exit_status::kRefused;
    }
    return exit_status::kDone;
}

int CliRunner::preview(const CliOptions& options, engine::RenameSession& session,
                       StderrMessageBox& messages) {
    if (!checkRuleValues(options, session, messages) || !listFiles(options, session, messages)) {
        return exit_status::kRefused;
    }
    NameWriter writer(output_, options.nullSeparated);
    PreviewPrinter printer(writer);
    if (!engine::preview(session, printer)) {
        return exit_status::kRefused;
    }
    const platform::Status written = writer.flush();
    if (!written.ok()) {
        messages.show("Cannot write the preview: " + written.message(), kToolCaption, Icon::Stop);
        return exit_status::kRefused;
    }
    return exit_status::kDone;
}

int CliRunner::apply(const CliOptions& options, engine::RenameSession& session,
                     StderrMessageBox& messages) {
    if (!checkRuleValues(options, session, messages) || !listFiles(options, session, messages)) {
        return exit_status::kRefused;
    }
    // The command itself is the confirmation, there is nobody to ask about a restore file, and
    // the program ends after the batch whatever the options say.
    settings::ProgramOptions& programOptions = session.options;
    programOptions.warnOnApply = false;
    programOptions.exitAfterApply = true;
    using settings::RestoreFileUsage;
    switch (options.restoreFile) {
        case RestoreFileChoice::Create:
            programOptions.restoreFileUsage = static_cast<int>(RestoreFileUsage::Create);
            break;
        case RestoreFileChoice::None:
            programOptions.restoreFileUsage = static_cast<int>(RestoreFileUsage::None);
            break;
        case RestoreFileChoice::FromOptions:
            if (programOptions.restoreFileUsage != static_cast<int>(RestoreFileUsage::None)) {
                programOptions.restoreFileUsage = static_cast<int>(RestoreFileUsage::Create);
            }
            break;
    }
    const bool writesRestoreFile =
        programOptions.restoreFileUsage != static_cast<int>(RestoreFileUsage::None);
    const std::string restoreFile =
        platform::absolutePath(engine::kRestoreFileName, session.directory);
    if (writesRestoreFile && !options.yes && entryExists(restoreFile)) {
        // The engine would only ask once the files are renamed; a script must know before.
        messages.show(platform::Message{
            "Restore file already exists - Do you wish to overwrite the existing file?",
            "Restore File Already Exists", Icon::Question, platform::Buttons::YesNo});
        messages.show("\"" + restoreFile +
                          "\" exists; nothing was renamed. --yes replaces it, --no-restore-file "
                          "writes none.",
                      kToolCaption, Icon::Stop);
        return exit_status::kRefused;
    }
    const engine::CommandOutcome outcome = engine::applyChanges(session, nullptr);
    return exitStatusOf(outcome, session.lastBatch);
}

int CliRunner::restore(const CliOptions& options, engine::RenameSession& session) {
    session.options.exitAfterRestore = true;
    ArgumentRestoreFilePicker picker(options.restoreFilePath);
    const engine::CommandOutcome outcome = engine::restoreFilenames(session, picker, nullptr);
    return exitStatusOf(outcome, session.lastBatch);
}

}  // namespace nameshift::cli
