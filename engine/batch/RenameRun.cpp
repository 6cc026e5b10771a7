#include "engine/batch/RenameRun.h"

#include <cstdio>
#include <optional>
#include <random>
#include <unordered_map>

#include "engine/batch/FolderEntries.h"
#include "engine/naming/NamePath.h"
#include "engine/naming/TextCase.h"
#include "engine/records/JournalFiles.h"

namespace nameshift::engine {
namespace {

using platform::Directory;
using platform::ErrorKind;
using platform::FileSystem;
using platform::Status;

constexpr int kTemporaryAttempts = 16;

constexpr RunName kOld{RunName::Kind::Old};
constexpr RunName kNew{RunName::Kind::New};

class TemporaryNames {
public:
    TemporaryNames() {
        std::random_device random;
        std::snprintf(token_, sizeof token_, "%08x%08x", random(), random());
    }
    std::string next() {
        return std::string(kTemporaryPrefix) + token_ + "-" + std::to_string(++counter_);
    }

private:
    char token_[20] = {};
    unsigned long counter_ = 0;
};

class Runner {
public:
    Runner(FileSystem& fileSystem, const Directory& directory,
           const std::vector<PlannedChange>& changes, RenameRun& run)
        : fileSystem_(fileSystem), directory_(directory), changes_(changes), run_(run) {}

    // Moves the change's file from `from` to a fresh temporary name; the name, or the failure.
    platform::Result<RunName> stepAside(std::uint32_t change, RunName from) {
        Status status;
        for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
            from_.assign(name(change, from));
            // Beside the file, in its own folder.
            std::string temporary(foldersOf(from_));
            temporary += names_.next();
            status = fileSystem_.renameIn(directory_, from_, temporary);
            if (status.ok()) {
                run_.temporaries.push_back(std::move(temporary));
                const RunName aside{RunName::Kind::Temporary,
                                    static_cast<std::uint32_t>(run_.temporaries.size() - 1)};
                recordDone(change, from, aside);
                return aside;
            }
            if (status.kind() != ErrorKind::Exists) {
                break;
            }
        }
        return status;
    }

    Status move(std::uint32_t change, RunName from, RunName to) {
        Status status = rename(change, from, to);
        if (status.ok()) {
            if (from_ != to_) {
                recordDone(change, from, to);
            }
            return status;
        }
        if (status.kind() == ErrorKind::Exists && from_ != to_ && isOneEntry(from_, to_)) {
            return moveThroughTemporary(change, from, to);
        }
        return status;
    }

    // Takes back the last rename done; false, leaving it done, when the name it came from has
    // been taken meanwhile.
    bool undoLast() {
        const DoneRename last = run_.done.back();
        if (!rename(last.change, last.to, last.from).ok()) {
            return false;
        }
        run_.done.pop_back();
        if (foldedNames_) {
            --(*foldedNames_)[text::toLower(name(last.change, last.to))];
            ++(*foldedNames_)[text::toLower(name(last.change, last.from))];
        }
        return true;
    }

private:
    std::string_view name(std::uint32_t change, RunName which) const {
        return run_.nameOf(change, which, changes_);
    }

    // The names go through two buffers kept for the whole run: the file system takes whole
    // strings, and most names are views of the listing.
    Status rename(std::uint32_t change, RunName from, RunName to) {
        from_.assign(name(change, from));
        to_.assign(name(change, to));
        return fileSystem_.renameIn(directory_, from_, to_);
    }

    void recordDone(std::uint32_t change, RunName from, RunName to) {
        run_.done.push_back({change, from, to});
        if (foldedNames_) {
            --(*foldedNames_)[text::toLower(name(change, from))];
            ++(*foldedNames_)[text::toLower(name(change, to))];
        }
    }

    // Whether `to` reaches the very entry `from` names, as on filesystems that fold letter case;
    // a hard link under the other name is another entry, and must not be replaced.
    bool isOneEntry(const std::string& from, const std::string& to) {
        const auto source = fileSystem_.identifyIn(directory_, from);
        const auto target = fileSystem_.identifyIn(directory_, to);
        if (!source.ok() || !target.ok()) {
            return false;
        }
        const bool sameFile = source->sameFileAs(*target);
        if (sameFile && source->links <= 1) {
            return true;
        }
        // FUSE filesystems such as exfat-fuse number each spelling of a name apart, so a
        // case-only change meets another inode there; with several links the inode cannot tell
        // either. Only the directory itself tells whether another entry answers to the new name
        // in some letter case. Should it be wrong, the rename through a temporary name still
        // never replaces anything.
        const std::string folded = text::toLower(to);
        if (!sameFile && text::toLower(from) != folded) {
            return false;
        }
        const auto* names = foldedNames();
        if (names == nullptr) {
            return false;
        }
        const auto found = names->find(folded);
        const std::size_t others =
            found == names->end() ? 0 : found->second - (text::toLower(from) == folded ? 1 : 0);
        return others == 0;
    }

    // How many entries of the directory answer to each lower-cased name: listed once, the first
    // time a rename needs it, and kept up to date with the batch's own renames.
    const std::unordered_map<std::string, std::size_t>* foldedNames() {
        if (!foldedNames_) {
            const auto entries = listFolderEntries(
                fileSystem_, directory_, foldersBeneath(changes_.size(), [this](std::size_t i) {
                    return changes_[i].oldName;
                }));
            if (!entries.ok()) {
                return nullptr;
            }
            foldedNames_.emplace();
            for (const platform::DirEntry& entry : *entries) {
                ++(*foldedNames_)[text::toLower(entry.name)];
            }
        }
        return &*foldedNames_;
    }

    Status moveThroughTemporary(std::uint32_t change, RunName from, RunName to) {
        const platform::Result<RunName> aside = stepAside(change, from);
        if (!aside.ok()) {
            return aside.status();
        }
        Status status = rename(change, *aside, to);
        if (status.ok()) {
            recordDone(change, *aside, to);
            return status;
        }
        if (rename(change, *aside, from).ok()) {
            recordDone(change, *aside, from);
        }
        return status;
    }

    FileSystem& fileSystem_;
    const Directory& directory_;
    const std::vector<PlannedChange>& changes_;
    RenameRun& run_;
    TemporaryNames names_;
    std::string from_;
    std::string to_;
    std::optional<std::unordered_map<std::string, std::size_t>> foldedNames_;
};

// Where a run stood when a cycle began: the cycle's last step, and how much had been done.
struct CycleStart {
    std::size_t firstStep = 0;
    std::size_t lastStep = 0;
    std::size_t done = 0;
    std::size_t renamed = 0;
    std::size_t failures = 0;
};

CycleStart startCycle(const std::vector<RenameStep>& steps, std::size_t first,
                      const RenameRun& run) {
    std::size_t last = first;
    while (last + 1 < steps.size() && !(steps[last].kind == RenameStep::Kind::FromTemporary &&
                                        steps[last].change == steps[first].change)) {
        ++last;
    }
    return {first, last, run.done.size(), run.renamed.size(), run.failures.size()};
}

// Where the changes that stepped aside wait; a change whose first half failed is not here, but
// among the failures with why.
struct AsideChanges {
    std::unordered_map<std::size_t, RunName> at;
    std::unordered_map<std::size_t, Status> failure;
};

void runStep(Runner& runner, const RenameStep& step, RenameRun& run, AsideChanges& aside) {
    const auto change = static_cast<std::uint32_t>(step.change);
    switch (step.kind) {
        case RenameStep::Kind::Direct: {
            const Status status = runner.move(change, kOld, kNew);
            if (status.ok()) {
                run.renamed.push_back(step.change);
            } else {
                run.failures.push_back({step.change, status});
            }
            break;
        }
        case RenameStep::Kind::ToTemporary: {
            const platform::Result<RunName> waiting = runner.stepAside(change, kOld);
            if (waiting.ok()) {
                aside.at.emplace(step.change, *waiting);
            } else {
                aside.failure.emplace(step.change, waiting.status());
            }
            break;
        }
        case RenameStep::Kind::FromTemporary: {
            const auto waiting = aside.at.find(step.change);
            Status status = aside.failure[step.change];
            if (waiting != aside.at.end()) {
                status = runner.move(change, waiting->second, kNew);
                aside.at.erase(waiting);
            }
            if (status.ok()) {
                run.renamed.push_back(step.change);
            } else {
                run.failures.push_back({step.change, status});
            }
            break;
        }
    }
}

// Takes back what a cycle that could not close did: every file of the cycle stays where it was,
// and fails for the one that could not move.
void takeBackCycle(Runner& runner, const std::vector<RenameStep>& steps, const CycleStart& cycle,
                   RenameRun& run, AsideChanges& aside) {
    const Status why = run.failures.back().status;
    while (run.done.size() > cycle.done && runner.undoLast()) {
    }
    run.renamed.resize(cycle.renamed);
    run.failures.resize(cycle.failures);
    for (std::size_t at = cycle.firstStep; at < cycle.lastStep; ++at) {
        run.failures.push_back({steps[at].change, why});
    }
    aside.at.erase(steps[cycle.lastStep].change);
    aside.failure.erase(steps[cycle.lastStep].change);
}

}  // namespace

std::string_view RenameRun::nameOf(std::uint32_t change, RunName name,
                                   const std::vector<PlannedChange>& changes) const {
    switch (name.kind) {
        case RunName::Kind::Old:
            return changes[change].oldName;
        case RunName::Kind::New:
            return changes[change].newName;
        case RunName::Kind::Temporary:
            break;
    }
    return temporaries[name.temporary];
}

std::pair<std::string_view, std::string_view> RenameRun::donePair(
    std::size_t i, const std::vector<PlannedChange>& changes) const {
    const DoneRename& rename = done[i];
    return {nameOf(rename.change, rename.from, changes), nameOf(rename.change, rename.to, changes)};
}

std::vector<std::pair<std::string, std::string>> RenameRun::donePairs(
    const std::vector<PlannedChange>& changes) const {
    std::vector<std::pair<std::string, std::string>> pairs;
    pairs.reserve(done.size());
    for (std::size_t i = 0; i < done.size(); ++i) {
        const auto [before, after] = donePair(i, changes);
        pairs.emplace_back(before, after);
    }
    return pairs;
}

RenameRun runRenames(FileSystem& fileSystem, const Directory& directory,
                     const std::vector<PlannedChange>& changes,
                     const std::vector<RenameStep>& steps, BatchProgress* progress) {
    const std::size_t total = steps.size();
    if (total <= kProgressThreshold) {
        progress = nullptr;
    }
    RenameRun run;
    run.renamed.reserve(changes.size());
    run.done.reserve(changes.size());
    Runner runner(fileSystem, directory, changes, run);
    AsideChanges aside;
    bool stopAsked = false;
    // A cycle either closes or goes back whole: half done, one of its files would wait under a
    // temporary name and another under a name that is neither its old nor its new one.
    CycleStart cycle;
    bool inCycle = false;
    if (progress != nullptr) {
        progress->start(total);
    }
    for (std::size_t done = 0; done < total; ++done) {
        const RenameStep& step = steps[done];
        if (step.kind == RenameStep::Kind::ToTemporary) {
            cycle = startCycle(steps, done, run);
            inCycle = true;
        }
        runStep(runner, step, run, aside);
        if (inCycle && run.failures.size() > cycle.failures) {
            takeBackCycle(runner, steps, cycle, run, aside);
            done = cycle.lastStep;
            inCycle = false;
        } else if (inCycle && done == cycle.lastStep) {
            inCycle = false;
        }
        stopAsked = stopAsked || (progress != nullptr && !progress->advance(done + 1));
        // A file waiting under a temporary name must reach its place before the batch stops.
        if (stopAsked && aside.at.empty() && done + 1 < total) {
            run.cancelled = true;
            break;
        }
    }
    if (progress != nullptr) {
        progress->finish();
    }
    return run;
}

}  // namespace nameshift::engine
