#include "engine/BatchRunner.h"

#include "engine/TextCase.h"

#include <cstdio>
#include <random>
#include <unordered_map>

namespace nameshift::engine {
namespace {

using platform::Directory;
using platform::ErrorKind;
using platform::FileSystem;
using platform::Status;

constexpr int kTemporaryAttempts = 16;

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
    Runner(FileSystem& fileSystem, const Directory& directory, RenameRun& run)
        : fileSystem_(fileSystem), directory_(directory), run_(run) {}

    // Moves `from` to a fresh temporary name; the name, or the failure.
    platform::Result<std::string> stepAside(const std::string& from) {
        Status status;
        for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
            std::string temporary = names_.next();
            status = fileSystem_.renameIn(directory_, from, temporary);
            if (status.ok()) {
                run_.done.emplace_back(from, temporary);
                return temporary;
            }
            if (status.kind() != ErrorKind::Exists) {
                break;
            }
        }
        return status;
    }

    Status move(const std::string& from, const std::string& to) {
        Status status = fileSystem_.renameIn(directory_, from, to);
        if (status.ok()) {
            if (from != to) {
                run_.done.emplace_back(from, to);
            }
            return status;
        }
        if (status.kind() == ErrorKind::Exists && from != to && isOneEntry(from, to)) {
            return moveThroughTemporary(from, to);
        }
        return status;
    }

private:
    // Whether `to` reaches the very entry `from` names, as on filesystems that fold letter case;
    // a hard link under the other name is another entry, and must not be replaced.
    bool isOneEntry(const std::string& from, const std::string& to) {
        const auto source = fileSystem_.identifyIn(directory_, from);
        const auto target = fileSystem_.identifyIn(directory_, to);
        if (!source.ok() || !target.ok() || !source->sameFileAs(*target)) {
            return false;
        }
        if (source->links <= 1) {
            return true;
        }
        const auto entries = fileSystem_.listDirectory(directory_);
        if (!entries.ok()) {
            return false;
        }
        // With several links, only the directory itself tells whether another entry answers to
        // the new name in some letter case.
        const std::string folded = text::toLower(to);
        for (const platform::DirEntry& entry : *entries) {
            if (entry.name != from && text::toLower(entry.name) == folded) {
                return false;
            }
        }
        return true;
    }

    Status moveThroughTemporary(const std::string& from, const std::string& to) {
        const platform::Result<std::string> temporary = stepAside(from);
        if (!temporary.ok()) {
            return temporary.status();
        }
        Status status = fileSystem_.renameIn(directory_, *temporary, to);
        if (status.ok()) {
            run_.done.emplace_back(*temporary, to);
            return status;
        }
        if (fileSystem_.renameIn(directory_, *temporary, from).ok()) {
            run_.done.emplace_back(*temporary, from);
        }
        return status;
    }

    FileSystem& fileSystem_;
    const Directory& directory_;
    RenameRun& run_;
    TemporaryNames names_;
};

}  // namespace

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
    Runner runner(fileSystem, directory, run);
    // Where the changes that stepped aside wait; a change whose first half failed is not here.
    std::unordered_map<std::size_t, std::string> asideAt;
    std::unordered_map<std::size_t, Status> asideFailure;
    bool stopAsked = false;
    if (progress != nullptr) {
        progress->start(total);
    }
    for (std::size_t done = 0; done < total; ++done) {
        const RenameStep& step = steps[done];
        const PlannedChange& change = changes[step.change];
        switch (step.kind) {
            case RenameStep::Kind::Direct: {
                const Status status = runner.move(change.oldName, change.newName);
                if (status.ok()) {
                    run.renamed.push_back(step.change);
                } else {
                    run.failures.push_back({step.change, status});
                }
                break;
            }
            case RenameStep::Kind::ToTemporary: {
                platform::Result<std::string> aside = runner.stepAside(change.oldName);
                if (aside.ok()) {
                    asideAt.emplace(step.change, std::move(aside.value()));
                } else {
                    asideFailure.emplace(step.change, aside.status());
                }
                break;
            }
            case RenameStep::Kind::FromTemporary: {
                const auto aside = asideAt.find(step.change);
                Status status = asideFailure[step.change];
                if (aside != asideAt.end()) {
                    status = runner.move(aside->second, change.newName);
                    asideAt.erase(aside);
                }
                if (status.ok()) {
                    run.renamed.push_back(step.change);
                } else {
                    run.failures.push_back({step.change, status});
                }
                break;
            }
        }
        stopAsked = stopAsked || (progress != nullptr && !progress->advance(done + 1));
        // A file waiting under a temporary name must reach its place before the batch stops.
        if (stopAsked && asideAt.empty() && done + 1 < total) {
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
