#include "engine/batch/IncrementalPlan.h"

#include <algorithm>
#include <span>

#include "engine/batch/CounterMemory.h"
#include "engine/batch/NameComputation.h"
#include "engine/batch/RenameSession.h"
#include "engine/naming/BatchChecks.h"
#include "engine/naming/DuplicateNumbering.h"
#include "engine/naming/TagNaming.h"

namespace nameshift::engine {
IncrementalPlan::IncrementalPlan(const RenameSession& session, bool mayRecord)
    : fileList_(session.fileList),
      tags_(session.tags),
      rules_(rulesForBatch(session)),
      id3_(session.id3),
      directory_(session.directory),
      namer_(id3_, rules_.settings().dateFormat),
      mayRecord_(mayRecord),
      longestName_(session.fileSystem.longestNameIn(session.directory)),
      keptName_(keptFileName(mayRecord)) {
    // The refusals by settings that planBatch makes, in whichever order: all of them show no
    // names.
    std::optional<platform::Message> refusal =
        findSettingsRefusal(rules_.settings(), fileList_.tickedCount());
    if (!refusal && rules_.settings().supportId3 && id3_.format.empty()) {
        refusal = noId3OptionsRefusal();
    }
    makesNames_ = !refusal;
    if (!makesNames_) {
        // An empty list needs no words, and a pattern's own field says what is wrong with it.
        if (fileList_.tickedCount() > 0 && !findPatternRefusal(rules_.settings())) {
            settingsRefusal_ = std::move(refusal);
        }
        return;
    }
    rows_.reserve(fileList_.tickedCount());
    moved_.assign(fileList_.listing().size(), 0);
    for (std::size_t row = 0; row < fileList_.rowCount(); ++row) {
        if (fileList_.isTicked(row)) {
            if (!keptName_.empty() && fileList_.row(row).name == keptName_) {
                keptPosition_ = rows_.size();
            }
            rows_.push_back(row);
            moved_[fileList_.listingIndex(row)] = 1;
        }
    }
    isPlanned_.assign(rows_.size(), 0);
    newNames_.resize(rows_.size());
    problems_.resize(rows_.size());
    duplicates_ = DuplicateMarks(rows_.size());
    duplicateProblem_ = duplicateNameProblem();
}

std::optional<std::size_t> IncrementalPlan::positionOfRow(std::size_t row) const {
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), row);
    if (found == rows_.end() || *found != row) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - rows_.begin());
}

bool IncrementalPlan::readsTags() const {
    return makesNames_ && rules_.settings().supportId3 && namer_.readsFiles();
}

std::vector<std::string> IncrementalPlan::oldNames() const {
    std::vector<std::string> names;
    names.reserve(rows_.size());
    for (const std::size_t row : rows_) {
        names.emplace_back(fileList_.row(row).name);
    }
    return names;
}

void IncrementalPlan::readTagsFrom(std::shared_ptr<const PrefetchedTags> prefetched) {
    prefetched_ = std::move(prefetched);
}

std::size_t IncrementalPlan::readEnd() const {
    if (!prefetched_ || prefetched_->abandoned()) {
        return rows_.size();
    }
    return prefetched_->readyCount();
}

std::size_t IncrementalPlan::firstUnplanned() const {
    std::size_t position = nextUnplanned_;
    while (position < rows_.size() && isPlanned_[position] != 0) {
        ++position;
    }
    return position;
}

std::optional<std::size_t> IncrementalPlan::awaitedTags(std::size_t count) const {
    if (complete() || !prefetched_) {
        return std::nullopt;
    }
    const std::size_t read = readEnd();
    if (rules_.settings().numberDuplicates) {
        return read < rows_.size() ? std::optional(rows_.size()) : std::nullopt;
    }
    const std::size_t first = firstUnplanned();
    if (read > first) {
        return std::nullopt;
    }
    // A slice's worth at a time, so that the reader does not call back for every file.
    return std::min(first + std::max<std::size_t>(count, 1), rows_.size());
}

bool IncrementalPlan::plannedWhole(std::size_t readEnd) {
    // A duplicate's number depends on every name before it, so numbered names are planned all
    // at once, once every tag is read; the names shown are then those of the batch from the
    // first.
    if (!rules_.settings().numberDuplicates) {
        return false;
    }
    if (planned_ == 0 && readEnd == rows_.size()) {
        planPositions(0, rows_.size());
    }
    return true;
}

void IncrementalPlan::planRows(std::size_t firstRow, std::size_t endRow) {
    if (plannedWhole(readEnd())) {
        return;
    }
    const auto first = std::lower_bound(rows_.begin(), rows_.end(), firstRow);
    const auto end = std::lower_bound(first, rows_.end(), endRow);
    std::size_t position = static_cast<std::size_t>(first - rows_.begin());
    const auto last = static_cast<std::size_t>(end - rows_.begin());
    // In runs of changes not planned yet, since the rules name a run in one go.
    while (position < last) {
        while (position < last && isPlanned_[position] != 0) {
            ++position;
        }
        std::size_t runEnd = position;
        while (runEnd < last && isPlanned_[runEnd] == 0) {
            ++runEnd;
        }
        planPositions(position, runEnd);
        position = runEnd;
    }
}

void IncrementalPlan::planMore(std::size_t count) {
    planUpTo(count, readEnd());
}

void IncrementalPlan::planRest() {
    planUpTo(rows_.size(), rows_.size());
}

void IncrementalPlan::planUpTo(std::size_t count, std::size_t readEnd) {
    if (plannedWhole(readEnd)) {
        return;
    }
    while (count > 0 && !complete()) {
        nextUnplanned_ = firstUnplanned();
        if (nextUnplanned_ >= readEnd) {
            return;
        }
        std::size_t runEnd = nextUnplanned_;
        while (runEnd < readEnd && isPlanned_[runEnd] == 0 && runEnd - nextUnplanned_ < count) {
            ++runEnd;
        }
        count -= runEnd - nextUnplanned_;
        planPositions(nextUnplanned_, runEnd);
        nextUnplanned_ = runEnd;
    }
}

void IncrementalPlan::planPositions(std::size_t first, std::size_t end) {
    if (first >= end) {
        return;
    }
    std::vector<PlannedChange> changes;
    changes.reserve(end - first);
    for (std::size_t position = first; position < end; ++position) {
        const std::string_view name = fileList_.row(rows_[position]).name;
        changes.push_back({rows_[position], name, std::string(name)});
    }
    // The counter skips the kept file's change.
    const bool afterKept = keptPosition_ && *keptPosition_ < first;
    if (auto refusal = nameChanges(rules_, changes, afterKept ? first - 1 : first, keptName_);
        refusal && !rulesRefusal_) {
        rulesRefusal_ = std::move(refusal);
    }
    if (rules_.settings().supportId3) {
        // The rows on screen may come before the reader: their files are read here.
        const std::size_t read = prefetched_ ? prefetched_->readyCount() : 0;
        for (std::size_t i = 0; i < changes.size(); ++i) {
            if (first + i < read) {
                namer_.apply(prefetched_->at(first + i), changes[i]);
            } else {
                namer_.apply(namer_.read(tags_, directory_, changes[i].oldName), changes[i]);
            }
        }
        keepName(changes, keptName_);
    }
    const FolderNames folder{longestName_, [this](std::string_view name) {
                                 return fileList_.heldByOther(name, moved_);
                             }};
    if (rules_.settings().numberDuplicates) {
        numberDuplicateNames(changes, folder.heldByOther);
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const std::size_t position = first + i;
        std::optional<platform::MessageText> problem =
            changeProblem(directory_, changes[i], mayRecord_, folder);
        problems_[position] =
            problem ? std::make_unique<platform::MessageText>(std::move(*problem)) : nullptr;
        newNames_[position] = std::move(changes[i].newName);
        isPlanned_[position] = 1;
        duplicates_.note(position, newNames_[position]);
    }
    planned_ += end - first;
}

const std::string* IncrementalPlan::newName(std::size_t position) const {
    return isPlanned_[position] != 0 ? &newNames_[position] : nullptr;
}

const platform::MessageText* IncrementalPlan::problem(std::size_t position) const {
    if (isPlanned_[position] == 0) {
        return nullptr;
    }
    if (duplicates_.marked(position)) {
        return &duplicateProblem_;
    }
    return problems_[position].get();
}

std::vector<std::optional<platform::MessageText>> judgeChanges(const BatchPlan& plan,
                                                               const FileList& fileList,
                                                               bool mayRecord,
                                                               std::size_t longestName) {
    std::vector<char> moved(fileList.listing().size(), 0);
    for (const PlannedChange& change : plan.changes) {
        moved[fileList.listingIndex(change.file)] = 1;
    }
    const FolderNames held{
        longestName, [&](std::string_view name) { return fileList.heldByOther(name, moved); }};
    std::vector<std::optional<platform::MessageText>> problems;
    problems.reserve(plan.changes.size());
    DuplicateMarks duplicates(plan.changes.size());
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        problems.push_back(changeProblem(plan.directory, plan.changes[i], mayRecord, held));
        duplicates.note(i, plan.changes[i].newName);
    }
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        if (duplicates.marked(i)) {
            problems[i] = duplicateNameProblem();
        }
    }
    return problems;
}

}  // namespace nameshift::engine
