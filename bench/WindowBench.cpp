// What the user waits for in the window, beside nameshift-cli doing the same work, at FILES files
// (100,000 by default; a number given as the first argument wins) on /dev/shm, or TMPDIR when
// there is none:
//   open     entering the folder from the directory tree until its rows are painted,
//            against "nameshift-cli list";
//   preview  Preview until the preview dialog is painted, against "--prefix x_ preview";
//   apply    Apply of the prefix x_ with a restore file, every question answered Yes, until the
//            refilled list is painted, against "--prefix x_ --restore-file apply";
//   restore  Restore Filenames from that restore file until the refilled list is painted,
//            against "restore restore.dat";
//   recover  the window's start-up with a batch that was killed half way, answering Undo, until
//            the window is painted, against "recover --undo".
// The window is a real MainDialog on the offscreen platform, with scripted answers; the tool runs
// as a child process and is timed wall-clock, start and exit included. Both get fresh folders of
// the same names from bench_make_files, and the same settings folder and state folder, which
// belong to the run. Each figure is the best of ROUNDS rounds (3 by default).
//
// Once the project is built, from the source folder:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_window
//   QT_QPA_PLATFORM=offscreen FILES=10000 ROUNDS=1 build/bin/bench_window
// It prints one line per work item, for scripts to read:
//   WORK window SECONDS tool SECONDS ratio RATIO
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BenchFakes.h"
#include "engine/batch/BatchRecovery.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/records/RestoreFile.h"
#include "platform/PosixFileSystem.h"
#include "platform/StatePaths.h"
#include "settings/Id3OptionsFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "ui/DirectoryChainTree.h"
#include "ui/FileListView.h"
#include "ui/MainDialog.h"
#include "ui/MessageBoxQuestions.h"
#include "ui/PreviewDialog.h"
#include "ui/Resources.h"

extern char** environ;

namespace {

using namespace nameshift;
using bench::AnswersYes;
using bench::FixedPicker;
using bench::NoTags;
using bench::RootOnly;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "bench_window: %s\n", what.c_str());
    std::exit(1);
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long numberFrom(const char* text, long fallback) {
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (*end != '\0' || number <= 0) {
        fail(std::string("not a positive number: ") + text);
    }
    return number;
}

// Runs a program and waits for it; its output goes to /dev/null, its complaints to `log`.
// Returns the wall-clock seconds from start to exit.
double runTimed(const std::vector<std::string>& arguments, const std::string& log) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        fail("cannot start " + arguments[0]);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child) {
        fail("lost " + arguments[0]);
    }
    const double seconds = secondsSince(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::ifstream said(log);
        std::string line;
        while (std::getline(said, line)) {
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        fail(arguments[0] + " " + arguments.back() + " failed");
    }
    return seconds;
}

std::size_t countPrefixed(const std::string& folder) {
    std::size_t count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        count += entry.path().filename().string().starts_with("x_") ? 1 : 0;
    }
    return count;
}

// A time means nothing unless the work was done: `prefixed` of the files carry the prefix.
void expectPrefixed(const std::string& folder, std::size_t prefixed, const char* after) {
    const std::size_t found = countPrefixed(folder);
    if (found != prefixed) {
        fail(std::string(after) + " left " + std::to_string(found) + " names with the prefix in " +
             folder + ", not " + std::to_string(prefixed));
    }
}

// Kills its own process after `killAt` renames, as a crash part way through a batch would.
class KilledPart final : public engine::BatchProgress {
public:
    explicit KilledPart(std::size_t killAt) : killAt_(killAt) {}
    void start(std::size_t) override {}
    bool advance(std::size_t done) override {
        if (done >= killAt_) {
            ::raise(SIGKILL);
        }
        return true;
    }
    void finish() override {}

private:
    std::size_t killAt_;
};

struct Run {
    long files = 0;
    std::string bin;       // where nameshift-cli and bench_make_files are
    std::string work;      // everything the run makes, removed at its end
    std::string settings;  // opt.ini, ID3Opts.ini and renset.ini of both window and tool
    std::string state;     // XDG_STATE_HOME, of the batches' locks and journals
    std::string log;       // what a child process complained about

    std::string cli() const { return bin + "/nameshift-cli"; }

    // A fresh folder `name` inside `parent`, holding the run's names.
    std::string makeFolder(const std::string& parent, const std::string& name) const {
        const std::string folder = parent + "/" + name;
        fs::remove_all(folder);
        fs::create_directories(folder);
        runTimed({bin + "/bench_make_files", "names", folder, std::to_string(files)}, log);
        return folder;
    }

    // The tool with the run's settings and, for work on files, the folder.
    std::vector<std::string> tool(const std::string& folder,
                                  std::vector<std::string> command) const {
        std::vector<std::string> arguments = {cli(), "--settings-dir", settings, "--no-settings"};
        if (!folder.empty()) {
            arguments.insert(arguments.end(), {"--dir", folder});
        }
        arguments.insert(arguments.end(), command.begin(), command.end());
        return arguments;
    }

    // Prefixes every file of `folder` in a child process that is killed half way through, and
    // leaves its journal behind.
    void interruptBatch(const std::string& folder) const {
        const pid_t child = ::fork();
        if (child < 0) {
            fail("cannot fork");
        }
        if (child == 0) {
            platform::PosixFileSystem fileSystem;
            NoTags tags;
            engine::RenameSession session(fileSystem, tags);
            session.directory = folder;
            session.rules = settings::RenameSettings::whenFileMissing();
            session.rules.changePrefix = true;
            session.rules.prefixText = "x_";
            session.fileList.setAttributeMask(session.rules.attributeMask());
            session.fileList.setSortKey(session.rules.sortKey);
            session.fileList.fill(folder);
            session.fileList.selectAll(true);
            AnswersYes unseen;
            ui::MessageBoxQuestions questions(unseen);
            KilledPart killed(static_cast<std::size_t>(files) / 2);
            engine::applyChanges(session, questions, &killed);
            ::_exit(0);
        }
        int status = 0;
        if (::waitpid(child, &status, 0) != child || !WIFSIGNALED(status)) {
            fail("the batch to recover was not killed part way");
        }
        platform::PosixFileSystem fileSystem;
        if (engine::findInterruptedBatches(fileSystem, platform::userStateDirectory()).size() !=
            1) {
            fail("the killed batch left no journal");
        }
        expectPrefixed(folder, static_cast<std::size_t>(files) / 2, "the killed batch");
    }
};

// The program's window over a start folder, with every question and file choice scripted.
class Window {
public:
    Window(const Run& run, const std::string& startFolder) {
        ui::MainDialogServices services(fileSystem_, messages_, tags_, volumes_);
        services.splashMilliseconds = 0;
        services.settingsDirectory = run.settings;
        services.startFolder = startFolder;
        services.restorePicker = &picker_;
        services.runModal = [this](QDialog& shown) {
            // What the user waits for ends when the pairs are on screen; closing is theirs.
            shown.show();
            QCoreApplication::processEvents();
            if (auto* preview = dynamic_cast<ui::PreviewDialog*>(&shown)) {
                preview->list()->viewport()->repaint();
                previewRows_ = preview->list()->model()->rowCount();
            }
            previewShown_ = Clock::now();
            shown.hide();
        };
        dialog_ = std::make_unique<ui::MainDialog>(std::move(services));
    }

    // Start-up, then the window shown and painted.
    double startUp() {
        const Clock::time_point start = Clock::now();
        if (!dialog_->startUp()) {
            fail("the window did not start");
        }
        dialog_->resize(1200, 700);
        dialog_->show();
        paintList();
        return secondsSince(start);
    }

    // A double click on the subdirectory `name` of the tree's current directory.
    double open(const std::string& name) {
        ui::DirectoryChainTree* tree = files().browser->tree();
        QStandardItem* current = tree->itemModel()->itemFromIndex(tree->currentIndex());
        QStandardItem* folder = nullptr;
        for (int row = 0; current != nullptr && row < current->rowCount(); ++row) {
            if (fs::path(ui::DirectoryChainTree::pathOf(current->child(row))).filename() == name) {
                folder = current->child(row);
            }
        }
        if (folder == nullptr) {
            fail("the tree does not show " + name);
        }
        const Clock::time_point start = Clock::now();
        tree->openItem(folder->index());
        paintList();
        return secondsSince(start);
    }

    // Every row ticked and the prefix typed, and the new names computed, as a user leaves them
    // before pressing a command.
    void tickAllWithPrefix() {
        const ui::RuleControls& rules = dialog_->rulePanel().controls();
        if (!rules.changePrefix->isChecked()) {
            rules.changePrefix->click();
        }
        rules.prefixEdit->setText(QStringLiteral("x_"));
        if (!files().selectAll->isChecked()) {
            files().selectAll->click();
        }
        dialog_->newNames().finish();
        QCoreApplication::processEvents();
    }

    double preview(std::size_t expectedRows) {
        previewRows_ = 0;
        const Clock::time_point start = Clock::now();
        dialog_->controls().preview->click();
        if (previewRows_ != static_cast<int>(expectedRows)) {
            fail("the preview showed " + std::to_string(previewRows_) + " rows");
        }
        return std::chrono::duration<double>(previewShown_ - start).count();
    }

    double apply() {
        const Clock::time_point start = Clock::now();
        dialog_->controls().apply->click();
        paintList();
        return secondsSince(start);
    }

    double restore(const std::string& restoreFile) {
        picker_.path = restoreFile;
        const Clock::time_point start = Clock::now();
        dialog_->controls().restore->click();
        paintList();
        return secondsSince(start);
    }

    std::size_t rows() { return dialog_->session().fileList.rowCount(); }

private:
    const ui::FilePanelControls& files() const { return dialog_->filePanel().controls(); }

    void paintList() {
        QCoreApplication::processEvents();
        files().fileList->viewport()->repaint();
    }

    platform::PosixFileSystem fileSystem_;
    AnswersYes messages_;  // Yes to a recovery's question is Undo
    NoTags tags_;
    RootOnly volumes_;
    FixedPicker picker_;
    std::unique_ptr<ui::MainDialog> dialog_;
    int previewRows_ = 0;
    Clock::time_point previewShown_;
};

// The options a benchmark needs: no exit after a command, restore files written without asking.
void writeSettings(const std::string& folder) {
    settings::ProgramOptions options;
    options.confirmationOnExit = false;
    options.exitAfterApply = false;
    options.exitAfterRestore = false;
    options.restoreFileUsage = settings::RestoreFileUsage::Create;
    const std::map<std::string, std::string> files = {
        {"opt.ini", settings::formatProgramOptions(options)},
        {"ID3Opts.ini", settings::formatId3Options(settings::TagNamingOptions{})},
        {"renset.ini",
         settings::formatRenameSettings(settings::RenameSettings::whenFileMissing())}};
    for (const auto& [name, text] : files) {
        std::ofstream(folder + "/" + name, std::ios::binary) << text;
    }
}

std::string makeWorkFolder() {
    std::string base = "/dev/shm";
    if (!fs::is_directory(base) || ::access(base.c_str(), W_OK) != 0) {
        const char* tmp = std::getenv("TMPDIR");
        base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    }
    std::string work = base + "/nameshift-window-bench-XXXXXX";
    if (::mkdtemp(work.data()) == nullptr) {
        fail("cannot make a folder in " + base);
    }
    return work;
}

using Times = std::map<std::string, std::pair<double, double>>;  // best window, best tool

void keepBest(Times& best, const std::string& work, double window, double tool) {
    auto [found, added] = best.try_emplace(work, window, tool);
    if (!added) {
        found->second.first = std::min(found->second.first, window);
        found->second.second = std::min(found->second.second, tool);
    }
}

void oneRound(const Run& run, Times& best) {
    const auto files = static_cast<std::size_t>(run.files);
    const std::string windowParent = run.work + "/window";
    const std::string toolParent = run.work + "/tool";
    const std::string restoreName = engine::kRestoreFileName;

    std::map<std::string, double> window;
    {
        const std::string folder = run.makeFolder(windowParent, "files");
        Window shown(run, windowParent);
        shown.startUp();
        window["open"] = shown.open("files");
        if (shown.rows() != files) {
            fail("the window lists " + std::to_string(shown.rows()) + " files");
        }
        shown.tickAllWithPrefix();
        window["preview"] = shown.preview(files);
        window["apply"] = shown.apply();
        expectPrefixed(folder, files, "apply in the window");
        window["restore"] = shown.restore(folder + "/" + restoreName);
        expectPrefixed(folder, 0, "restore in the window");
    }
    fs::remove_all(windowParent);

    std::map<std::string, double> tool;
    {
        const std::string folder = run.makeFolder(toolParent, "files");
        tool["open"] = runTimed(run.tool(folder, {"list"}), run.log);
        tool["preview"] = runTimed(run.tool(folder, {"--prefix", "x_", "preview"}), run.log);
        tool["apply"] =
            runTimed(run.tool(folder, {"--prefix", "x_", "--restore-file", "apply"}), run.log);
        expectPrefixed(folder, files, "the tool's apply");
        tool["restore"] =
            runTimed(run.tool(folder, {"restore", folder + "/" + restoreName}), run.log);
        expectPrefixed(folder, 0, "the tool's restore");
    }
    fs::remove_all(toolParent);

    // The window starts in a folder holding only the interrupted one, so that its own listing
    // costs next to nothing and the recovery is what is timed.
    {
        const std::string folder = run.makeFolder(windowParent, "files");
        run.interruptBatch(folder);
        Window shown(run, windowParent);
        window["recover"] = shown.startUp();
        expectPrefixed(folder, 0, "the window's recovery");
    }
    fs::remove_all(windowParent);
    {
        const std::string folder = run.makeFolder(toolParent, "files");
        run.interruptBatch(folder);
        tool["recover"] = runTimed(run.tool("", {"recover", "--undo"}), run.log);
        expectPrefixed(folder, 0, "the tool's recovery");
    }
    fs::remove_all(toolParent);

    for (const auto& [work, seconds] : window) {
        keepBest(best, work, seconds, tool.at(work));
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Run run;
    run.files = numberFrom(argc > 1 ? argv[1] : std::getenv("FILES"), 100000);
    const long rounds = numberFrom(std::getenv("ROUNDS"), 3);
    run.bin = fs::canonical("/proc/self/exe").parent_path().string();
    if (::access(run.cli().c_str(), X_OK) != 0) {
        fail("missing " + run.cli() + ": build the project first");
    }
    run.work = makeWorkFolder();
    run.settings = run.work + "/settings";
    run.state = run.work + "/state";
    run.log = run.work + "/child.log";
    fs::create_directories(run.settings);
    fs::create_directories(run.state);
    writeSettings(run.settings);
    // The window's session and the tool both keep their journals here, never in the user's.
    ::setenv("XDG_STATE_HOME", run.state.c_str(), 1);

    QApplication app(argc, argv);
    ui::loadResources();
    Times best;
    for (long round = 0; round < rounds; ++round) {
        oneRound(run, best);
    }
    for (const char* work : {"open", "preview", "apply", "restore", "recover"}) {
        const auto [window, tool] = best.at(work);
        std::printf("%s window %.3f tool %.3f ratio %.2f\n", work, window, tool, window / tool);
    }
    fs::remove_all(run.work);
    return 0;
}
