#include "cli/CliRunner.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>

#include "cli/ApplyRuleOverrides.h"
#include "cli/ArgumentRestoreFilePicker.h"
#include "cli/CliBatchQuestions.h"
#include "cli/ExitStatus.h"
#include "cli/FileManagerActions.h"
#include "cli/HistoryLines.h"
#include "cli/JsonPreviewPrinter.h"
#include "cli/JsonText.h"
#include "cli/NameWriter.h"
#include "cli/PreviewPrinter.h"
#include "cli/TextEditor.h"
#include "cli/ValueValidation.h"
#include "engine/batch/BatchGuard.h"
#include "engine/batch/BatchRecovery.h"
#include "engine/batch/CommandReport.h"
#include "engine/batch/FileList.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/commands/CommandGuard.h"
#include "engine/commands/PreviewCommand.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/commands/UndoCommand.h"
#include "engine/naming/EditedNames.h"
#include "engine/naming/TextCase.h"
#include "engine/records/RestoreFile.h"
#include "platform/AbsolutePath.h"
#include "platform/FileSize.h"
#include "platform/FolderMessages.h"
#include "platform/GlobMatch.h"
#include "platform/StatePaths.h"
#include "settings/DefaultSettingsFiles.h"
#include "settings/MoreRulesFile.h"
#include "settings/PresetStore.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/SettingsFileAccess.h"
#include "settings/StartupSettings.h"

namespace nameshift::cli {
namespace {

using platform::Icon;

constexpr const char* kToolCaption = "nameshift-cli";
// More than a million names at their longest.
constexpr std::size_t kMostListBytes = std::size_t{512} * 1024 * 1024;

// A missing settings file is no news on a command line: its defaults are what the user expects.
// One too large to be read is the user's file ignored, and that is told without --verbose.
platform::MessageBox& loadMessagesFor(const std::string& path, StderrMessageBox& messages) {
    const std::optional<std::uint64_t> size = platform::fileSize(path);
    const bool oversized = size && *size > settings::kSettingsFileMaxBytes;
    return oversized ? static_cast<platform::MessageBox&>(messages) : messages.notices();
}

// Takes the messages of reads that go on with the defaults rather than stop for a file that is
// not there or cannot be read.
class SilentMessageBox final : public platform::MessageBox {
public:
    using MessageBox::show;
    platform::Answer show(const platform::Message& /*message*/) override {
        return platform::Answer::Ok;
    }
};

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
        case engine::CommandOutcome::Relisted:
            break;
    }
    return exit_status::kRefused;
}

// A batch's report, after the tool's own word, with --verbose, that its folder's share could only
// look each name up before renaming to it.
void showBatchReport(StderrMessageBox& messages, const engine::CommandReport& report) {
    if (report.batch.namesCheckedJustBefore) {
        messages.note(engine::kNamesCheckedJustBefore);
    }
    engine::showReport(messages, report);
}

}  // namespace

CliRunner::CliRunner(platform::FileSystem& fileSystem, engine::TagReader& tags, std::FILE* output,
                     std::FILE* errors, platform::Result<std::string> startDirectory,
                     std::string userSettingsDirectory)
    : fileSystem_(fileSystem),
      tags_(tags),
      output_(output),
      errors_(errors),
      userSettingsDirectory_(std::move(userSettingsDirectory)),
      startedIn_(std::move(startDirectory)) {}

int CliRunner::run(const CliOptions& options) {
    StderrMessageBox messages(errors_, options.yes ? platform::Answer::Yes : platform::Answer::No,
                              options.verbosity);
    int status = exit_status::kStopped;
    if (!engine::runGuarded(messages, [&] { status = runCommand(options, messages); })) {
        // A batch stopped part way keeps its journal, as one a crash interrupted does. The stop
        // was told already; the hint is left out when even it cannot be given.
        try {
            mentionInterruptedBatches();
        } catch (...) {
        }
    }
    return status;
}

void CliRunner::mentionInterruptedBatches() {
    if (!engine::findInterruptedBatches(fileSystem_, platform::userStateDirectory()).empty()) {
        const std::string line = std::string(kToolCaption) +
                                 ": an interrupted batch waits to be undone or finished; see "
                                 "\"nameshift-cli recover\"\n";
        std::fputs(line.c_str(), errors_);
    }
}

int CliRunner::runCommand(const CliOptions& options, StderrMessageBox& messages) {
    if (!findSettings(options, messages)) {
        return exit_status::kRefused;
    }
    if (options.command == CliCommand::InitSettings) {
        return initSettings(options, messages);
    }
    if (options.command == CliCommand::Integrate) {
        return integrate(options, messages);
    }
    if (options.command == CliCommand::ListPresets) {
        return listPresets(messages);
    }
    if (options.command == CliCommand::DeletePreset) {
        return deletePreset(options, messages);
    }
    const std::string stateDirectory = platform::userStateDirectory();
    if (options.command == CliCommand::Recover) {
        return recover(options, stateDirectory, messages);
    }
    if (options.command == CliCommand::History) {
        return history(stateDirectory, options.json);
    }
    mentionInterruptedBatches();
    if (options.command == CliCommand::Undo || options.command == CliCommand::Redo) {
        return undoOrRedo(options, messages);
    }
    engine::RenameSession session(fileSystem_, tags_);
    session.keepRenamedPairs = messages.verbose();
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
            return restore(options, session, messages);
        case CliCommand::SaveSettings:
            return saveSettings(options, session, messages);
        case CliCommand::SavePreset:
            return savePreset(options, session, messages);
        case CliCommand::Edit:
            return edit(options, session, messages);
        case CliCommand::Integrate:
        case CliCommand::InitSettings:
        case CliCommand::Recover:
        case CliCommand::ListPresets:
        case CliCommand::DeletePreset:
        case CliCommand::History:
        case CliCommand::Undo:
        case CliCommand::Redo:
            break;
    }
    return exit_status::kBadUsage;
}

bool CliRunner::findSettings(const CliOptions& options, StderrMessageBox& messages) {
    if (!startedIn_.ok()) {
        messages.show(platform::cannotReadCurrentFolder(startedIn_.status()));
        return false;
    }
    const std::string& directory =
        options.settingsDirectory.empty() ? userSettingsDirectory_ : options.settingsDirectory;
    paths_ = settings::SettingsPaths::fromWorkingDirectory(
        directory.empty() ? *startedIn_ : platform::absolutePath(directory, *startedIn_));
    return true;
}

bool CliRunner::prepareSession(const CliOptions& options, engine::RenameSession& session,
                               StderrMessageBox& messages) {
    // The dialog program's loader, so that the messages come in the same order.
    settings::StartupSettings loaded = settings::loadStartupSettings(
        fileSystem_, paths_,
        [&messages](const std::string& path) -> platform::MessageBox& {
            return loadMessagesFor(path, messages);
        },
        {.afterOptions = {},
         .readRules = options.savedRules && !options.noSettings,
         .readProgramOptionsOfRules = true});
    session.options = std::move(loaded.options);
    session.id3 = std::move(loaded.id3);
    session.rules = std::move(loaded.rules);
    if (options.preset) {
        settings::PresetStore presets(fileSystem_, messages, presetDirectory());
        std::optional<settings::RenameSettings> preset =
            presets.load(*options.preset, session.rules);
        if (!preset) {
            return false;
        }
        session.rules = std::move(*preset);
    }
    // Never the start-up directory of opt.ini: it is the program's, and a script renaming where
    // it stands must not be sent elsewhere by it.
    session.directory =
        options.directory ? platform::absolutePath(*options.directory, *startedIn_) : *startedIn_;
    applyRuleOverrides(options.rules, session.rules, session.id3);
    // Neither a preset nor a rule option carries the history's options: they are still those the
    // loader read.
    return takeHistoryOptions(options, session.rules, session.rules, messages);
}

bool CliRunner::checkRuleValues(const CliOptions& options, const engine::RenameSession& session,
                                StderrMessageBox& messages) const {
    std::optional<RefusedValue> refused = findRefusedValue(session.rules, options.rules);
    if (!refused && options.rules.id3Format) {
        if (auto message = checkId3Format(*options.rules.id3Format)) {
            refused = RefusedValue{"the ID3 format", true, std::move(*message)};
        }
    }
    if (!refused) {
        return true;
    }
    messages.show(refused->message);
    // The dialog's message does not say which value it means, nor where the value came from.
    const std::string source = refused->givenOnCommandLine
                                   ? std::string("given on the command line")
                                   : "read from \"" + paths_.renameSettings + "\"";
    messages.show("The value of " + std::string(refused->field) + " " + source + " is refused.",
                  kToolCaption, Icon::Stop);
    return false;
}

bool CliRunner::listFiles(const CliOptions& options, engine::RenameSession& session,
                          StderrMessageBox& messages) {
    messages.note("Working in \"" + session.directory + "\"");
    engine::FileList& files = session.fileList;
    files.setAttributeMask(session.rules.attributeMask());
    files.setSortKey(session.rules.sortKey);
    files.setNaturalOrder(session.rules.naturalOrder);
    files.setSubfolderDepth(session.rules.subfolderDepth());
    files.setFilters(session.rules.includeFilter, session.rules.excludeFilter);
    if (!tellListing(files.fill(session.directory), session.directory, messages)) {
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
            if (!tellListing(files.applyFileMask(session.directory), session.directory, messages)) {
                return false;
            }
        }
    }
    if (options.selectGlobs.empty()) {
        files.selectAll(true);
        return true;
    }
    for (std::size_t row = 0; row < files.rowCount(); ++row) {
        const std::string name(files.row(row).name);
        for (const std::string& glob : options.selectGlobs) {
            if (platform::matchesGlob(glob, name)) {
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
    if (!checkRuleValues(options, session, messages) || !listFiles(options, session, messages) ||
        !takeListedNames(options, session, messages)) {
        return exit_status::kRefused;
    }
    // Judged with the restore file apply would write, so that the preview refuses what apply
    // refuses.
    chooseRestoreFile(options, session);
    NameWriter writer(output_, options.nullSeparated);
    PreviewPrinter printer(writer, messages, errors_);
    JsonPreviewPrinter jsonPrinter(output_, messages, session.directory);
    const engine::CommandReport report =
        options.json ? engine::preview(session, jsonPrinter) : engine::preview(session, printer);
    engine::showReport(messages, report);
    if (report.outcome != engine::CommandOutcome::Done) {
        return exit_status::kRefused;
    }
    const platform::Status written = writer.flush();
    if (!written.ok()) {
        messages.show("Cannot write the preview: " + written.message(), kToolCaption, Icon::Stop);
        return exit_status::kRefused;
    }
    return exit_status::kDone;
}

bool CliRunner::takeListedNames(const CliOptions& options, engine::RenameSession& session,
                                StderrMessageBox& messages) {
    if (!options.namesFrom) {
        return true;
    }
    platform::Result<std::string> text = std::string();
    if (*options.namesFrom == "-") {
        std::string& read = text.value();
        char piece[65536];
        for (std::size_t got = 0; (got = std::fread(piece, 1, sizeof piece, stdin)) > 0;) {
            read.append(piece, got);
        }
    } else {
        text = fileSystem_.readFile(*options.namesFrom, kMostListBytes);
    }
    if (!text.ok()) {
        messages.show("Cannot read the list of names \"" + *options.namesFrom +
                          "\": " + text.status().message(),
                      kToolCaption, Icon::Stop);
        return false;
    }
    session.listedNames = engine::namesFromList(*text);
    return true;
}

int CliRunner::edit(const CliOptions& options, engine::RenameSession& session,
                    StderrMessageBox& messages) {
    if (!listFiles(options, session, messages)) {
        return exit_status::kRefused;
    }
    const std::optional<std::string> edited =
        editText(engine::namesForEditing(session.fileList.tickedNames()), messages);
    if (!edited) {
        return exit_status::kRefused;
    }
    // By position, against the listing the editor was shown: apply checks under its lock that
    // every file is still the one listed.
    session.listedNames = engine::namesFromEditing(*edited);
    return applyListed(options, session, messages);
}

void CliRunner::chooseRestoreFile(const CliOptions& options, engine::RenameSession& session) {
    settings::ProgramOptions& programOptions = session.options;
    // --restore-file and --no-restore-file stand for the option, as --prefix stands for the rule;
    // without them a question the options ask is answered by the tool's batch questions.
    if (options.restoreFile == RestoreFileChoice::Create) {
        programOptions.restoreFileUsage = settings::RestoreFileUsage::Create;
    } else if (options.restoreFile == RestoreFileChoice::None) {
        programOptions.restoreFileUsage = settings::RestoreFileUsage::None;
    }
}

bool CliRunner::tellListing(const engine::ListingStatus& listed, const std::string& directory,
                            StderrMessageBox& messages) {
    if (listed.problem == engine::ListingStatus::Problem::NoAttributes) {
        messages.show(engine::noFileAttributeMessage());
    } else if (listed.message) {
        messages.show(*listed.message);
    } else if (!listed) {
        messages.show("Cannot list the directory \"" + directory + "\": " + listed.status.message(),
                      kToolCaption, Icon::Stop);
    }
    return listed.ok();
}

int CliRunner::apply(const CliOptions& options, engine::RenameSession& session,
                     StderrMessageBox& messages) {
    if (options.dryRun) {
        return preview(options, session, messages);
    }
    if (!checkRuleValues(options, session, messages)) {
        return exit_status::kRefused;
    }
    if (!listFiles(options, session, messages) || !takeListedNames(options, session, messages)) {
        return exit_status::kRefused;
    }
    return applyListed(options, session, messages);
}

int CliRunner::applyListed(const CliOptions& options, engine::RenameSession& session,
                           StderrMessageBox& messages) {
    chooseRestoreFile(options, session);
    // A script reads every failure, not the first twenty a message box has room for.
    session.listedRenameErrors = std::numeric_limits<std::size_t>::max();
    CliBatchQuestions questions(messages, kToolCaption);
    session.keepRenamedPairs = session.keepRenamedPairs || options.json;
    const engine::CommandReport report = engine::applyChanges(session, questions, nullptr);
    // The tool ends after the batch, so the list is never filled again.
    showBatchReport(messages, report);
    if (options.json) {
        printJsonRenames(session.directory, report.batch);
    } else {
        printRenames(report.batch, messages);
    }
    return exitStatusOf(report.outcome, report.batch);
}

int CliRunner::restore(const CliOptions& options, engine::RenameSession& session,
                       StderrMessageBox& messages) {
    // A relative path on the command line names a file from where the tool was started.
    ArgumentRestoreFilePicker picker(platform::absolutePath(options.restoreFilePath, *startedIn_));
    const engine::CommandReport report = engine::restoreFilenames(session, picker, nullptr);
    showBatchReport(messages, report);
    printRenames(report.batch, messages);
    return exitStatusOf(report.outcome, report.batch);
}

int CliRunner::saveSettings(const CliOptions& options, engine::RenameSession& session,
                            StderrMessageBox& messages) {
    if (!checkRuleValues(options, session, messages) || !makeSettingsDirectory(options, messages)) {
        return exit_status::kRefused;
    }
    // As apply does with a restore file: the question, answered from --yes, then why nothing
    // happened.
    const auto mayReplace = [&] {
        if (messages.show(settings::replaceSettingsQuestion()) == platform::Answer::Yes) {
            return true;
        }
        messages.show(
            "\"" + paths_.renameSettings + "\" exists; nothing was saved. --yes replaces it.",
            kToolCaption, Icon::Stop);
        return false;
    };
    if (!settings::saveRenameSettings(fileSystem_, messages, paths_.renameSettings, session.rules,
                                      mayReplace)) {
        return exit_status::kRefused;
    }
    messages.note("Saved \"" + paths_.renameSettings + "\"");
    // As the window saves them: renset.ini's question stands for both files, and morerules.ini
    // is written only once its rules are used.
    if (!settings::saveMoreRules(fileSystem_, messages, paths_.moreRules, session.rules)) {
        return exit_status::kRefused;
    }
    return exit_status::kDone;
}

int CliRunner::initSettings(const CliOptions& options, StderrMessageBox& messages) {
    if (!makeSettingsDirectory(options, messages)) {
        return exit_status::kRefused;
    }
    int status = exit_status::kDone;
    for (const settings::DefaultFileOutcome& file :
         settings::writeMissingSettingsFiles(fileSystem_, paths_)) {
        if (!file.status.ok()) {
            messages.show("Cannot write \"" + file.path + "\": " + file.status.message(),
                          kToolCaption, Icon::Stop);
            status = exit_status::kRefused;
        } else {
            messages.note((file.written ? "Wrote \"" : "Kept \"") + file.path + "\"");
        }
    }
    return status;
}

std::string CliRunner::presetDirectory() const {
    return settings::PresetStore::directoryIn(
        userSettingsDirectory_.empty() ? paths_.programDirectory : userSettingsDirectory_);
}

int CliRunner::listPresets(StderrMessageBox& messages) {
    settings::PresetStore presets(fileSystem_, messages, presetDirectory());
    const std::optional<std::vector<std::string>> names = presets.names();
    if (!names) {
        return exit_status::kRefused;
    }
    for (const std::string& name : *names) {
        const std::string line = name + "\n";
        std::fwrite(line.data(), 1, line.size(), output_);
    }
    if (std::fflush(output_) != 0) {
        messages.show("Cannot write the list of presets.", kToolCaption, Icon::Stop);
        return exit_status::kRefused;
    }
    return exit_status::kDone;
}

int CliRunner::savePreset(const CliOptions& options, const engine::RenameSession& session,
                          StderrMessageBox& messages) {
    if (!checkRuleValues(options, session, messages)) {
        return exit_status::kRefused;
    }
    // As save-settings does: the question, answered from --yes, then why nothing happened.
    const auto mayReplace = [&] {
        const platform::Message question{
            {NS_MESSAGE("Message", "The preset \"%1\" exists. Do you wish to replace it?"),
             {options.presetName}},
            NS_MESSAGE("Message", "Preset Already Exists"),
            Icon::Question,
            platform::Buttons::YesNo};
        if (messages.show(question) == platform::Answer::Yes) {
            return true;
        }
        messages.show("The preset \"" + options.presetName +
                          "\" exists; nothing was saved. --yes replaces it.",
                      kToolCaption, Icon::Stop);
        return false;
    };
    settings::PresetStore presets(fileSystem_, messages, presetDirectory());
    if (!presets.save(options.presetName, session.rules, mayReplace)) {
        return exit_status::kRefused;
    }
    messages.note("Saved the preset \"" + options.presetName + "\"");
    return exit_status::kDone;
}

int CliRunner::deletePreset(const CliOptions& options, StderrMessageBox& messages) {
    settings::PresetStore presets(fileSystem_, messages, presetDirectory());
    if (!presets.remove(options.presetName)) {
        return exit_status::kRefused;
    }
    messages.note("Deleted the preset \"" + options.presetName + "\"");
    return exit_status::kDone;
}

bool CliRunner::makeSettingsDirectory(const CliOptions& options, StderrMessageBox& messages) const {
    // A directory named on the command line was checked to be there already.
    if (!options.settingsDirectory.empty()) {
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(paths_.programDirectory, error);
    if (error) {
        messages.show("Cannot create the settings directory \"" + paths_.programDirectory +
                          "\": " + error.message(),
                      kToolCaption, Icon::Stop);
        return false;
    }
    return true;
}

void CliRunner::printJsonRenames(const std::string& folder,
                                 const engine::BatchReport& batch) const {
    const std::string quotedFolder = jsonString(folder);
    JsonLines renames;
    for (const auto& [before, after] : batch.renamedPairs) {
        renames.add(JsonObject()
                        .add("folder", quotedFolder)
                        .addString("old", before)
                        .addString("new", after)
                        .text());
    }
    const std::string document = JsonObject()
                                     .add("renamed", std::to_string(batch.renamed))
                                     .add("failed", std::to_string(batch.failed))
                                     .add("cancelled", batch.cancelled ? "true" : "false")
                                     .add("renames", renames.text())
                                     .text() +
                                 "\n";
    std::fwrite(document.data(), 1, document.size(), output_);
    std::fflush(output_);
}

void CliRunner::printRenames(const engine::BatchReport& batch,
                             const StderrMessageBox& messages) const {
    if (!messages.verbose()) {
        return;
    }
    for (const auto& [before, after] : batch.renamedPairs) {
        const std::string line = before + " -> " + after + "\n";
        std::fwrite(line.data(), 1, line.size(), output_);
    }
    std::fflush(output_);
}

// Lists the interrupted batches on standard output, or undoes or finishes each of them; every
// file that could not be dealt with is printed, and the status is 1 when there was one.
int CliRunner::recover(const CliOptions& options, const std::string& stateDirectory,
                       StderrMessageBox& messages) {
    if (auto refusal = engine::stateFolderRefusal(fileSystem_, stateDirectory)) {
        messages.show(*refusal);
        return exit_status::kRefused;
    }
    int status = exit_status::kDone;
    settings::RenameSettings history;
    if (!takeHistoryOptions(options, loadQuietly().rules, history, messages)) {
        return exit_status::kRefused;
    }
    const engine::HistoryBound bound = engine::historyBoundOf(history);
    for (const platform::Message& unreadable :
         engine::unreadableJournals(fileSystem_, stateDirectory)) {
        messages.show(unreadable);
        status = exit_status::kRefused;
    }
    for (const engine::InterruptedBatch& batch :
         engine::findInterruptedBatches(fileSystem_, stateDirectory)) {
        if (!options.recoverUndo && !options.recoverFinish) {
            const std::string line = engine::describeInterruptedBatch(batch) + "\n";
            std::fputs(line.c_str(), output_);
            continue;
        }
        const engine::RecoveryResult result = engine::recoverBatch(
            fileSystem_, stateDirectory, batch,
            options.recoverUndo ? engine::RecoveryAction::Undo : engine::RecoveryAction::Finish,
            nullptr, bound);
        for (const platform::Message& told : result.messages) {
            messages.show(told);
        }
        for (const platform::MessageText& problem : result.problems) {
            messages.show(problem, kToolCaption, platform::Icon::Stop);
            status = exit_status::kSomeRenamesFailed;
        }
    }
    return status;
}

settings::StartupSettings CliRunner::loadQuietly() {
    SilentMessageBox silent;
    return settings::loadStartupSettings(
        fileSystem_, paths_,
        [&silent](const std::string&) -> platform::MessageBox& { return silent; },
        {.afterOptions = {}, .readRules = false, .readProgramOptionsOfRules = true});
}

// The history's options are the program's, as opt.ini's are: read whatever rules a script starts
// from, --no-settings too, so that a batch of the tool is kept as the user chose, and
// save-settings keeps them.
bool CliRunner::takeHistoryOptions(const CliOptions& options, const settings::RenameSettings& read,
                                   settings::RenameSettings& rules, StderrMessageBox& messages) {
    // A value the options dialog would not take is a mistake: read as a default, it could keep no
    // history at all, or drop the records the user wanted kept.
    if (const auto refusal = engine::historyOptionRefusal(read, paths_.moreRules)) {
        messages.show(refusal->textSource, kToolCaption, refusal->icon);
        return false;
    }
    rules.historyOnly = read.historyOnly || options.historyOnly;
    rules.historyBatches = read.historyBatches;
    rules.historyMebibytes = read.historyMebibytes;
    return true;
}

int CliRunner::integrate(const CliOptions& options, StderrMessageBox& messages) {
    // Relative or unset base directories mean the defaults, as the XDG rules say.
    const auto baseDirectory = [](const char* variable, const char* fallback) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] == '/') {
            return std::string(value);
        }
        const char* home = std::getenv("HOME");
        return std::string(home != nullptr ? home : "") + fallback;
    };
    FileManagerActions actions(fileSystem_, baseDirectory("XDG_DATA_HOME", "/.local/share"),
                               baseDirectory("XDG_CONFIG_HOME", "/.config"));
    const bool done = options.removeIntegration ? actions.remove(messages) : actions.add(messages);
    return done ? exit_status::kDone : exit_status::kRefused;
}

int CliRunner::history(const std::string& stateDirectory, bool json) {
    int status = exit_status::kDone;
    std::string text = json ? "[" : "";
    for (const engine::HistoryEntry& entry :
         engine::BatchHistory(fileSystem_, stateDirectory).entries()) {
        if (json) {
            text += (text.size() == 1 ? "\n  " : ",\n  ") + historyJson(entry);
        } else {
            text += historyLine(entry) + "\n";
        }
        status = entry.record ? status : exit_status::kRefused;
    }
    if (json) {
        text += text.size() == 1 ? "]\n" : "\n]\n";
    }
    std::fwrite(text.data(), 1, text.size(), output_);
    std::fflush(output_);
    return status;
}

int CliRunner::undoOrRedo(const CliOptions& options, StderrMessageBox& messages) {
    engine::RenameSession session(fileSystem_, tags_);
    session.keepRenamedPairs = messages.verbose();
    // A redo writes the restore file as the options and the history's options say.
    settings::StartupSettings loaded = loadQuietly();
    if (!takeHistoryOptions(options, loaded.rules, session.rules, messages)) {
        return exit_status::kRefused;
    }
    if (!options.noSettings) {
        session.options = std::move(loaded.options);
    }
    const engine::CommandReport report = options.command == CliCommand::Undo
                                             ? engine::undoBatch(session, options.batchId)
                                             : engine::redoBatch(session);
    showBatchReport(messages, report);
    printRenames(report.batch, messages);
    return exitStatusOf(report.outcome, report.batch);
}

}  // namespace nameshift::cli
