#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchFakes.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/commands/UndoCommand.h"
#include "engine/records/BatchHistory.h"
#include "engine/records/RestoreFile.h"
#include "platform/PosixFileSystem.h"
#include "ui/MessageBoxQuestions.h"

namespace {

using namespace nameshift;
using bench::AnswersYes;
using bench::FixedPicker;
using bench::NoTags;

constexpr int kFileCount = 100'000;
constexpr const char* kPrefix = "renamed ";

// One directory of empty files for the whole run, and the names before and after the batch.
struct Batch {
    std::string directory;
    std::vector<std::string> names;
    std::vector<std::string> prefixed;

    static const Batch& get() {
        static Batch batch = make();
        // Registered once the batch is made, so that it runs before the batch is destroyed.
        static const bool removedAtExit = std::atexit([] {
                                              std::error_code ignored;
                                              std::filesystem::remove_all(batch.directory, ignored);
                                          }) == 0;
        static_cast<void>(removedAtExit);
        return batch;
    }

private:
    static Batch make() {
        Batch batch;
        batch.directory =
            (std::filesystem::temp_directory_path() / "nameshift-bench-XXXXXX").string();
        if (::mkdtemp(batch.directory.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        for (int i = 0; i < kFileCount; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "track %06d.mp3", i);
            batch.names.emplace_back(name);
            batch.prefixed.push_back(kPrefix + batch.names.back());
            const int fd = ::open((batch.directory + "/" + name).c_str(),
                                  O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0) {
                std::perror("open");
                std::exit(1);
            }
            ::close(fd);
        }
        return batch;
    }
};

int renameNoReplace(const std::string& from, const std::string& to) {
    return static_cast<int>(
        ::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE));
}

// The floor: the same renames there and back, with nothing around them.
void BM_BareRenameat2Loop(benchmark::State& state) {
    const Batch& batch = Batch::get();
    if (::chdir(batch.directory.c_str()) != 0) {
        state.SkipWithError("chdir");
        return;
    }
    for (auto _ : state) {
        for (int i = 0; i < kFileCount; ++i) {
            if (renameNoReplace(batch.names[i], batch.prefixed[i]) != 0) {
                state.SkipWithError("rename");
                return;
            }
        }
        for (int i = 0; i < kFileCount; ++i) {
            if (renameNoReplace(batch.prefixed[i], batch.names[i]) != 0) {
                state.SkipWithError("rename back");
                return;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 2 * kFileCount);
}

// The rules of the timed batches: kPrefix before every listed file's name.
void addPrefixToEveryFile(engine::RenameSession& session) {
    session.rules.changePrefix = true;
    session.rules.prefixText = kPrefix;
    session.rules.prefixPosition = settings::Position::Beginning;
    session.fileList.setAttributeMask(platform::attribute::kArchive);
    session.fileList.setSortKey(settings::SortKey::Name);
}

// Apply a prefix to every file, with its checks and restore file, then restore from that file.
// The listing the user ticks the files in is made before the command and not timed.
void BM_ApplyThenRestore(benchmark::State& state) {
    const Batch& batch = Batch::get();
    platform::PosixFileSystem fileSystem;
    AnswersYes messages;
    NoTags tags;
    engine::RenameSession session(fileSystem, tags);
    ui::MessageBoxQuestions questions(messages);
    session.directory = batch.directory;
    session.options.warnOnApply = false;
    addPrefixToEveryFile(session);
    FixedPicker picker(batch.directory + "/" + engine::kRestoreFileName);

    // Each half apart too, to set beside the bare loop's renames one way.
    std::chrono::steady_clock::duration applying{};
    std::chrono::steady_clock::duration restoring{};
    for (auto _ : state) {
        state.PauseTiming();
        session.fileList.fill(session.directory);
        session.fileList.selectAll(true);
        state.ResumeTiming();
        const auto started = std::chrono::steady_clock::now();
        const bool applied =
            applyChanges(session, questions).outcome == engine::CommandOutcome::ExitProgram;
        const auto halfway = std::chrono::steady_clock::now();
        if (!applied ||
            restoreFilenames(session, picker).outcome != engine::CommandOutcome::ExitProgram) {
            state.SkipWithError("the batch did not run through");
            return;
        }
        applying += halfway - started;
        restoring += std::chrono::steady_clock::now() - halfway;
    }
    state.SetItemsProcessed(state.iterations() * 2 * kFileCount);
    const auto inMilliseconds = [&state](std::chrono::steady_clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() /
               static_cast<double>(state.iterations());
    };
    state.counters["apply_ms"] = inMilliseconds(applying);
    state.counters["restore_ms"] = inMilliseconds(restoring);
    if (!std::filesystem::exists(batch.directory + "/" + batch.names.back()) ||
        std::filesystem::exists(batch.directory + "/" + engine::kRestoreFileName)) {
        state.SkipWithError("the files are not back under their names");
    }
}

// Undo a batch of every file from the history, which the bare loop's renames one way match; the
// apply before it is not timed. Also tells how large the batch's record is beside its journal.
void BM_UndoFromHistory(benchmark::State& state) {
    const Batch& batch = Batch::get();
    std::string stateDirectory =
        (std::filesystem::temp_directory_path() / "nameshift-bench-state-XXXXXX").string();
    if (::mkdtemp(stateDirectory.data()) == nullptr) {
        state.SkipWithError("mkdtemp");
        return;
    }
    platform::PosixFileSystem fileSystem;
    AnswersYes messages;
    NoTags tags;
    engine::RenameSession session(fileSystem, tags);
    ui::MessageBoxQuestions questions(messages);
    session.directory = batch.directory;
    session.stateDirectory = stateDirectory;
    session.options.warnOnApply = false;
    session.options.restoreFileUsage = settings::RestoreFileUsage::None;
    addPrefixToEveryFile(session);
    std::uint64_t recordBytes = 0;
    std::uint64_t journalBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.fileList.fill(session.directory);
        session.fileList.selectAll(true);
        applyChanges(session, questions);
        const std::vector<engine::HistoryEntry> history =
            engine::BatchHistory(fileSystem, stateDirectory).entries();
        if (history.empty() || !history.back().record) {
            state.SkipWithError("the batch was not kept in the history");
            return;
        }
        recordBytes = history.back().size;
        journalBytes = engine::formatJournal(history.back().record->journal).size();
        state.ResumeTiming();
        if (engine::undoBatch(session, std::nullopt).outcome != engine::CommandOutcome::Done) {
            state.SkipWithError("the undo did not run through");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kFileCount);
    state.counters["record_bytes"] = static_cast<double>(recordBytes);
    state.counters["journal_bytes"] = static_cast<double>(journalBytes);
    std::error_code ignored;
    std::filesystem::remove_all(stateDirectory, ignored);
    if (!std::filesystem::exists(batch.directory + "/" + batch.names.back())) {
        state.SkipWithError("the files are not back under their names");
    }
}

BENCHMARK(BM_BareRenameat2Loop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_ApplyThenRestore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_UndoFromHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
