#pragma once

#include <cstdio>
#include <string>

#include "cli/CliOptions.h"
#include "cli/StderrMessageBox.h"
#include "engine/batch/CommandReport.h"
#include "engine/batch/FileList.h"
#include "engine/batch/RenameSession.h"
#include "engine/contents/TagReader.h"
#include "platform/FileSystem.h"
#include "settings/SettingsPaths.h"
#include "settings/StartupSettings.h"

namespace nameshift::cli {

// One run of the command-line tool: reads the settings files as the dialog program does at its
// start, puts the command line's rules over them, lists the directory and runs the command.
// Names go to `output`, messages to `errors`. Returns the exit status.
class CliRunner {
public:
    // `startDirectory` is the working directory the tool was started in, or why it could not be
    // read; relative paths of the command line are taken from it. `userSettingsDirectory` is
    // where the settings files are when --settings-dir is not given; empty: the start directory.
    CliRunner(platform::FileSystem& fileSystem, engine::TagReader& tags, std::FILE* output,
              std::FILE* errors, platform::Result<std::string> startDirectory,
              std::string userSettingsDirectory = {});

    int run(const CliOptions& options);

private:
    // The run itself: settings, rules, listing and the command.
    int runCommand(const CliOptions& options, StderrMessageBox& messages);
    // Loads opt.ini, ID3Opts.ini and renset.ini into the session and picks the directory; false
    // when the run cannot go on.
    bool prepareSession(const CliOptions& options, engine::RenameSession& session,
                        StderrMessageBox& messages);
    // Refuses a rule value that the dialog's edits would not take, saying where it came from.
    bool checkRuleValues(const CliOptions& options, const engine::RenameSession& session,
                         StderrMessageBox& messages) const;
    bool listFiles(const CliOptions& options, engine::RenameSession& session,
                   StderrMessageBox& messages);

    int list(const CliOptions& options, engine::RenameSession& session, StderrMessageBox& messages);
    int preview(const CliOptions& options, engine::RenameSession& session,
                StderrMessageBox& messages);
    // The restore file as the command line chose, when it chose.
    static void chooseRestoreFile(const CliOptions& options, engine::RenameSession& session);
    // Says why a listing failed; false when it did.
    static bool tellListing(const engine::ListingStatus& listed, const std::string& directory,
                            StderrMessageBox& messages);
    int apply(const CliOptions& options, engine::RenameSession& session,
              StderrMessageBox& messages);
    // Apply over the files listed already.
    int applyListed(const CliOptions& options, engine::RenameSession& session,
                    StderrMessageBox& messages);
    // The names of --names-from for the listed files; false, with the reason shown, when the
    // list cannot be read.
    bool takeListedNames(const CliOptions& options, engine::RenameSession& session,
                         StderrMessageBox& messages);
    // The listed names in the user's editor, then apply with the names as they come back.
    int edit(const CliOptions& options, engine::RenameSession& session, StderrMessageBox& messages);
    int restore(const CliOptions& options, engine::RenameSession& session,
                StderrMessageBox& messages);
    int saveSettings(const CliOptions& options, engine::RenameSession& session,
                     StderrMessageBox& messages);
    int initSettings(const CliOptions& options, StderrMessageBox& messages);
    int listPresets(StderrMessageBox& messages);
    int savePreset(const CliOptions& options, const engine::RenameSession& session,
                   StderrMessageBox& messages);
    int deletePreset(const CliOptions& options, StderrMessageBox& messages);
    // The presets live in the user's settings folder whatever --settings-dir says: they are the
    // user's, not those of one program folder. Without a home, in the settings directory.
    std::string presetDirectory() const;

    // The settings directory the options name, or the user's; false when it cannot be told.
    bool findSettings(const CliOptions& options, StderrMessageBox& messages);
    // The user's settings folder may not be there before anything was saved in it.
    bool makeSettingsDirectory(const CliOptions& options, StderrMessageBox& messages) const;
    // Each rename of the last batch as "OLD -> NEW", with --verbose.
    void printRenames(const engine::BatchReport& batch, const StderrMessageBox& messages) const;
    void printJsonRenames(const std::string& folder, const engine::BatchReport& batch) const;

    // The hint that `recover` has work, on standard error.
    void mentionInterruptedBatches();
    int recover(const CliOptions& options, const std::string& stateDirectory,
                StderrMessageBox& messages);
    // opt.ini and the history's options of morerules.ini by the start-up loader, with no message
    // for a file that is missing or cannot be read.
    settings::StartupSettings loadQuietly();
    // The history's options `read` into `rules`, --history-only too; false, with the refusal
    // shown, when one of them is not a value the options take.
    bool takeHistoryOptions(const CliOptions& options, const settings::RenameSettings& read,
                            settings::RenameSettings& rules, StderrMessageBox& messages);

    // One line a batch of the history on standard output; 2 when a record cannot be read.
    int history(const std::string& stateDirectory, bool json);
    // Adds the program's actions to the file managers that keep them per user, or takes them away.
    int integrate(const CliOptions& options, StderrMessageBox& messages);
    int undoOrRedo(const CliOptions& options, StderrMessageBox& messages);

    platform::FileSystem& fileSystem_;
    engine::TagReader& tags_;
    std::FILE* output_;
    std::FILE* errors_;
    std::string userSettingsDirectory_;
    platform::Result<std::string> startedIn_;
    settings::SettingsPaths paths_;
};

}  // namespace nameshift::cli
