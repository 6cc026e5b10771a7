#include "engine/batch/IncrementalPlan.h"

#include <algorithm>
#include <span>

#include "engine/batch/CounterMemory.h"
#include "engine/batch/NameComputation.h"
#include "engine/batch/RenameSession.h"
#include "engine/naming/BatchChecks.h"
#include "engine/naming/DuplicateNumbering.h"
#include "engine/naming/NamePath.h"
#include "engine/naming/NameRules.h"
#include "engine/naming/NameTemplate.h"
#include "engine/naming/TagNaming.h"

namespace nameshift::engine {

namespace {

// While the rules name a run of files of subfolders, each change's names are the last parts of
// its paths: the rules see what they would see in the file's own folder, and the new name keeps
// the file there.
class NamesInFolders {
public:
    NamesInFolders(std::span<PlannedChange> changes, bool spansFolders) : changes_(changes) {
        if (!spansFolders) {
            return;
        }
        paths_.reserve(changes.size());
        for (PlannedChange& change : changes) {
            paths_.push_back(change.oldName);
            change.oldName = leafOf(change.oldName);
            change.newName = change.oldName;
        }
    }
    NamesInFolders(const NamesInFolders&) = delete;
    NamesInFolders& operator=(const NamesInFolders&) = delete;
    ~NamesInFolders() {
        for (std::size_t i = 0; i < paths_.size(); ++i) {
            PlannedChange& change = changes_[i];
            change.oldName = paths_[i];
            change.newName.insert(0, foldersOf(paths_[i]));
        }
    }

    // The file's path from the listed folder, by which its contents are read.
    std::string_view path(std::size_t i) const {
        return paths_.empty() ? changes_[i].oldName : paths_[i];
    }
    // The folder that holds the file, `root` being the listed one.
    std::string folderOf(const std::string& root, std::size_t i) const {
        const std::string_view folders = paths_.empty() ? std::string_view() : foldersOf(paths_[i]);
        return folders.empty() ? root : root + "/" + std::string(folderPathOf(folders));
    }

private:
    std::span<PlannedChange> changes_;
    std::vector<std::string_view> paths_;
};

}  // namespace

IncrementalPlan::IncrementalPlan(const RenameSession& session, const PlanOptions& options)
    : fileList_(session.fileList),
      tags_(session.tags),
      rules_(rulesForBatch(session)),
      id3_(session.id3),
      namer_(id3_, rules_.settings().dateFormat),
      mayRecord_(options.mayRecord),
      longestName_(session.fileSystem.longestNameIn(session.directory)),
      // A batch that writes a restore file leaves the folder's own as it is, whose record it
      // would otherwise rename away or replace.
      keptName_(options.mayRecord || options.keepRestoreFile ? kRestoreFileName : "") {
    plan_.directory = session.directory;
    plan_.names = fileList_.names();
    plan_.movesIntoFolders = !session.listedNames && rules_.nameTemplate() != nullptr &&
                             rules_.nameTemplate()->makesFolders();
    if (session.listedNames) {
        listedNames_ = &*session.listedNames;
        refusal_ = fileList_.tickedCount() == 0
                       ? findSettingsRefusal(rules_.settings(), 0)
                       : findListedNamesRefusal(*listedNames_, fileList_.tickedNames());
    } else {
        refusal_ = findSettingsRefusal(rules_.settings(), fileList_.tickedCount());
    }
    formatMissing_ =
        !refusal_ && !listedNames_ && rules_.settings().supportId3 && id3_.format.empty();
    if (formatMissing_) {
        refusal_ = noId3OptionsRefusal();
    }
    makesNames_ = !refusal_;
    if (!makesNames_) {
        // An empty list needs no words, and a pattern's own field says what is wrong with it.
        if (fileList_.tickedCount() > 0 && !findPatternRefusal(rules_.settings())) {
            settingsRefusal_ = refusal_;
        }
        return;
    }
    plan_.changes.reserve(fileList_.tickedCount());
    moved_.assign(fileList_.listing().size(), 0);
    for (std::size_t row = 0; row < fileList_.rowCount(); ++row) {
        if (fileList_.isTicked(row)) {
            const std::string_view name = fileList_.row(row).name;
            if (!keptName_.empty() && name == keptName_) {
                keptPosition_ = plan_.changes.size();
            }
            plan_.changes.push_back({row, name, {}});
            moved_[fileList_.listingIndex(row)] = 1;
        }
    }
    if (fileList_.spansFolders()) {
        for (std::size_t i = 0; i < plan_.changes.size(); ++i) {
            if (i == 0 ||
                foldersOf(plan_.changes[i].oldName) != foldersOf(plan_.changes[i - 1].oldName)) {
                folderFirsts_.push_back(i);
            }
        }
    }
    isPlanned_.assign(size(), 0);
    problems_.resize(size());
    duplicates_ = DuplicateMarks(plan_.changes);
    duplicateProblem_ = duplicateNameProblem();
}

std::size_t IncrementalPlan::positionFrom(std::size_t row) const {
    return static_cast<std::size_t>(
        std::lower_bound(
            plan_.changes.begin(), plan_.changes.end(), row,
            [](const PlannedChange& change, std::size_t at) { return change.file < at; }) -
        plan_.changes.begin());
}

std::optional<std::size_t> IncrementalPlan::positionOfRow(std::size_t row) const {
    const std::size_t position = positionFrom(row);
    if (position == size() || rowAt(position) != row) {
        return std::nullopt;
    }
    return position;
}

bool IncrementalPlan::readsTags() const {
    return makesNames_ && listedNames_ == nullptr && rules_.settings().supportId3 &&
           namer_.readsFiles();
}

std::vector<std::string> IncrementalPlan::oldNames() const {
    std::vector<std::string> names;
    names.reserve(size());
    for (const PlannedChange& change : plan_.changes) {
        names.emplace_back(change.oldName);
    }
    return names;
}

void IncrementalPlan::readTagsFrom(std::shared_ptr<const PrefetchedTags> prefetched) {
    prefetched_ = std::move(prefetched);
}

std::size_t IncrementalPlan::readEnd() const {
    if (!prefetched_ || prefetched_->abandoned()) {
        return size();
    }
    return prefetched_->readyCount();
}

std::size_t IncrementalPlan::firstUnplanned() const {
    std::size_t position = nextUnplanned_;
    while (position < size() && isPlanned_[position] != 0) {
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
        return read < size() ? std::optional(size()) : std::nullopt;
    }
    const std::size_t first = firstUnplanned();
    if (read > first) {
        return std::nullopt;
    }
    // A slice's worth at a time, so that the reader does not call back for every file.
    return std::min(first + std::max<std::size_t>(count, 1), size());
}

bool IncrementalPlan::plannedWhole(std::size_t readEnd) {
    // A duplicate's number depends on every name before it, so numbered names are planned all
    // at once, once every tag is read; the names shown are then those of the batch from the
    // first.
    if (!rules_.settings().numberDuplicates) {
        return false;
    }
    if (planned_ == 0 && readEnd == size()) {
        planPositions(0, size());
    }
    return true;
}

void IncrementalPlan::planRows(std::size_t firstRow, std::size_t endRow) {
    if (plannedWhole(readEnd())) {
        return;
    }
    std::size_t position = positionFrom(firstRow);
    const std::size_t last = positionFrom(endRow);
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
    planUpTo(size(), size());
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

std::size_t IncrementalPlan::firstInFolder(std::size_t position) const {
    const auto after = std::upper_bound(folderFirsts_.begin(), folderFirsts_.end(), position);
    if (after == folderFirsts_.begin()) {
        return 0;
    }
    const std::size_t first = *(after - 1);
    // The kept file is counted by no one; where it comes before, the folder's count starts one
    // earlier.
    return first - (keptPosition_ && *keptPosition_ < first ? 1 : 0);
}

FolderNames IncrementalPlan::folderNames() const {
    return FolderNames{
        longestName_, [this](std::string_view name) { return fileList_.heldByOther(name, moved_); },
        plan_.movesIntoFolders};
}

std::vector<std::pair<std::size_t, platform::MessageText>> IncrementalPlan::nameByRules(
    std::size_t first, std::size_t end) {
    const std::span<PlannedChange> changes = std::span(plan_.changes).subspan(first, end - first);
    for (PlannedChange& change : changes) {
        change.newName = change.oldName;
    }
    const NamesInFolders inFolders(changes, fileList_.spansFolders());
    // The counter skips the kept file's change.
    const bool afterKept = keptPosition_ && *keptPosition_ < first;
    std::vector<std::pair<std::size_t, platform::MessageText>> leftOut;
    if (const NameTemplate* made = rules_.nameTemplate()) {
        for (std::size_t position = first; position < end; ++position) {
            if (keptPosition_ == position) {
                continue;
            }
            const std::size_t counted =
                position - (keptPosition_ && *keptPosition_ < position ? 1 : 0);
            const std::size_t i = position - first;
            const TemplatePlace place{counted, counted - firstInFolder(position),
                                      folderPathOf(inFolders.path(i))};
            if (auto reason =
                    nameByTemplate(*made, tags_, inFolders.folderOf(plan_.directory, i),
                                   plan_.changes[position], place, rules_.settings().dateFormat)) {
                leftOut.emplace_back(position, std::move(*reason));
            }
        }
    }
    const bool keptHere = keptPosition_ && first <= *keptPosition_ && *keptPosition_ < end;
    if (auto refusal = nameChanges(rules_, changes, afterKept ? first - 1 : first,
                                   keptHere ? keptName_ : std::string_view());
        refusal && !rulesRefusal_) {
        rulesRefusal_ = std::move(refusal);
    }
    const settings::RenameSettings& rules = rules_.settings();
    if (rules.supportId3) {
        // The rows on screen may come before the reader: their files are read here.
        const std::size_t read = prefetched_ ? prefetched_->readyCount() : 0;
        for (std::size_t i = 0; i < changes.size(); ++i) {
            if (first + i < read) {
                namer_.apply(prefetched_->at(first + i), changes[i]);
            } else {
                namer_.apply(namer_.read(tags_, plan_.directory, inFolders.path(i)), changes[i]);
            }
        }
        if (keptPosition_ && first <= *keptPosition_ && *keptPosition_ < end) {
            PlannedChange& kept = plan_.changes[*keptPosition_];
            kept.newName = kept.oldName;
        }
    }
    // A file the template cannot name keeps its name, and says why.
    for (const auto& [position, reason] : leftOut) {
        plan_.changes[position].newName = std::string(plan_.changes[position].oldName);
    }
    return leftOut;
}

void IncrementalPlan::planPositions(std::size_t first, std::size_t end) {
    if (first >= end) {
        return;
    }
    const std::span<PlannedChange> changes = std::span(plan_.changes).subspan(first, end - first);
    std::vector<std::pair<std::size_t, platform::MessageText>> leftOut;
    if (listedNames_ != nullptr) {
        for (std::size_t position = first; position < end; ++position) {
            PlannedChange& change = plan_.changes[position];
            change.newName =
                keptPosition_ == position ? std::string(change.oldName) : (*listedNames_)[position];
        }
    } else {
        leftOut = nameByRules(first, end);
    }
    const settings::RenameSettings& rules = rules_.settings();
    const FolderNames folder = folderNames();
    if (rules.numberDuplicates) {
        if (!rules.supportId3) {
            unnumberedEmptyBase_ = emptyBaseRefusal(plan_);
        }
        numberDuplicateNames(changes, folder.heldByOther);
    }
    for (std::size_t position = first; position < end; ++position) {
        std::optional<platform::MessageText> problem =
            changeProblem(plan_.directory, plan_.changes[position], mayRecord_, folder);
        // The kept file's note refuses nothing.
        if (problem && !(mayRecord_ && keptPosition_ == position)) {
            ++refusing_;
        }
        problems_[position] =
            problem ? std::make_unique<platform::MessageText>(std::move(*problem)) : nullptr;
        isPlanned_[position] = 1;
        duplicates_.note(position);
    }
    for (auto& [position, reason] : leftOut) {
        problems_[position] = std::make_unique<platform::MessageText>(std::move(reason));
    }
    planned_ += end - first;
}

const std::string* IncrementalPlan::newName(std::size_t position) const {
    return isPlanned_[position] != 0 ? &plan_.changes[position].newName : nullptr;
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

std::optional<platform::Message> IncrementalPlan::refusalBySettings() const {
    if (formatMissing_) {
        // The names come before their tags: a pattern that runs past its bound on one is
        // refused before the missing format is.
        std::vector<PlannedChange> changes;
        for (std::size_t row = 0; row < fileList_.rowCount(); ++row) {
            if (fileList_.isTicked(row)) {
                const std::string_view name = fileList_.row(row).name;
                changes.push_back({row, name, std::string(name)});
            }
        }
        PreparedRules rules(rules_.settings());
        if (auto refusal = nameChanges(rules, changes, 0, keptName_)) {
            return refusal;
        }
    }
    return refusal_ ? refusal_ : rulesRefusal_;
}

std::optional<platform::Message> IncrementalPlan::safetyRefusal() const {
    // Only a listing of folders and of what lies beneath them can hold both.
    if (fileList_.spansFolders() &&
        (fileList_.attributeMask() & platform::attribute::kFolder) != 0) {
        if (std::optional<platform::Message> refusal = folderWithContentsRefusal(plan_)) {
            return refusal;
        }
    }
    // Each change that a check would refuse has its problem, so a batch without one passes.
    if (refusing_ == 0 && duplicates_.count() == 0) {
        return mayRecord_ ? directoryQuoteRefusal(plan_) : std::nullopt;
    }
    if (unnumberedEmptyBase_) {
        return unnumberedEmptyBase_;
    }
    using Check = std::optional<platform::Message> (*)(const BatchPlan&);
    for (const Check check :
         {duplicateNamesRefusal, emptyBaseRefusal, plainNamesRefusal, hiddenNameRefusal}) {
        if (std::optional<platform::Message> refusal = check(plan_)) {
            return refusal;
        }
    }
    if (std::optional<platform::Message> refusal = folderRefusal(plan_, folderNames())) {
        return refusal;
    }
    if (mayRecord_) {
        for (const Check check :
             {doubleQuoteRefusal, restoreFileNameRefusal, directoryQuoteRefusal}) {
            if (std::optional<platform::Message> refusal = check(plan_)) {
                return refusal;
            }
        }
    }
    return std::nullopt;
}

const BatchPlan& IncrementalPlan::planWhole() {
    planRest();
    plan_.refusal = refusalBySettings();
    plan_.refusedBySettings = plan_.refusal.has_value();
    if (!plan_.refusal) {
        plan_.refusal = safetyRefusal();
    }
    const settings::RenameSettings& rules = rules_.settings();
    if (!plan_.refusedBySettings && rules.useCounter && rules.continueCounter) {
        // The kept file takes no value.
        const auto numbered = static_cast<long long>(size() - (keptPosition_ ? 1 : 0));
        plan_.nextCounter = parseCounterValue(rules.counterStart) +
                            parseCounterValue(rules.counterIncrement) * numbered;
    }
    return plan_;
}

BatchPlan planBatch(const RenameSession& session, const PlanOptions& options) {
    IncrementalPlan naming(session, options);
    naming.planWhole();
    return std::move(naming).takePlan();
}

}  // namespace nameshift::engine
