#include "engine/batch/BatchPlanner.h"

#include <algorithm>

#include "engine/batch/CounterMemory.h"
#include "engine/batch/NameComputation.h"
#include "engine/batch/RenameSession.h"
#include "engine/naming/BatchChecks.h"
#include "engine/naming/DuplicateNumbering.h"
#include "engine/naming/NameRules.h"
#include "engine/naming/TagNaming.h"

namespace nameshift::engine {
namespace {

using Check = std::optional<platform::Message> (*)(const BatchPlan&);

// The first refusal of `checks`, in their order.
std::optional<platform::Message> firstRefusal(const BatchPlan& plan,
                                              std::initializer_list<Check> checks) {
    for (const Check check : checks) {
        if (std::optional<platform::Message> refusal = check(plan)) {
            return refusal;
        }
    }
    return std::nullopt;
}

// The counter's value after the batch: the kept file takes no value.
long long counterAfter(const settings::RenameSettings& rules, const BatchPlan& plan,
                       std::string_view kept) {
    const auto numbered = static_cast<long long>(
        plan.changes.size() -
        static_cast<std::size_t>(
            std::count_if(plan.changes.begin(), plan.changes.end(),
                          [kept](const PlannedChange& change) { return change.oldName == kept; })));
    return parseCounterValue(rules.counterStart) +
           parseCounterValue(rules.counterIncrement) * numbered;
}

// The names the folder holds beside the batch. `moved` (per listing index) is filled here and
// must outlive the result.
FolderNames folderNamesOf(const RenameSession& session, const BatchPlan& plan,
                          std::vector<char>& moved) {
    moved.assign(session.fileList.listing().size(), 0);
    for (const PlannedChange& change : plan.changes) {
        moved[session.fileList.listingIndex(change.file)] = 1;
    }
    return FolderNames{session.fileSystem.longestNameIn(session.directory),
                       [&listed = session.fileList, &moved](std::string_view name) {
                           return listed.heldByOther(name, moved);
                       }};
}

}  // namespace

BatchPlan planBatch(const RenameSession& session, const PlanOptions& options) {
    BatchPlan plan;
    plan.directory = session.directory;
    plan.names = session.fileList.names();
    const settings::RenameSettings rules = rulesForBatch(session);
    plan.refusal = findSettingsRefusal(rules, session.fileList.tickedCount());
    if (plan.refusal) {
        plan.refusedBySettings = true;
        return plan;
    }
    const std::string_view kept = keptFileName(options.mayRecord || options.keepRestoreFile);
    plan.changes = computeNewNames(rules, session.fileList, kept, &plan.refusal);
    if (plan.refusal) {
        plan.refusedBySettings = true;  // a pattern that gives no names, as one that is invalid
        return plan;
    }
    if (rules.useCounter && rules.continueCounter) {
        plan.nextCounter = counterAfter(rules, plan, kept);
    }
    const bool tags = session.rules.supportId3;
    // With tag naming the rules' names are only a step on the way: a file may end with its tag
    // name, its old name or the rules' name, and only the names it ends with are judged, below,
    // as the New Name column judges them.
    if (options.checkSafety && !tags) {
        plan.refusal = rules.numberDuplicates
                           ? firstRefusal(plan, {emptyBaseRefusal})
                           : firstRefusal(plan, {duplicateNamesRefusal, emptyBaseRefusal});
        if (plan.refusal && !options.nameWhenRefused) {
            return plan;
        }
    }
    if (tags) {
        if (session.id3.format.empty()) {
            plan.refusal = noId3OptionsRefusal();
            plan.refusedBySettings = true;
            return plan;
        }
        applyTagNaming(session.id3, session.tags, session.directory, plan.changes,
                       rules.dateFormat);
        keepName(plan.changes, kept);
    }
    std::vector<char> moved;
    const FolderNames folder = folderNamesOf(session, plan, moved);
    if (rules.numberDuplicates) {
        numberDuplicateNames(plan.changes, folder.heldByOther);
    }
    if (!options.checkSafety || plan.refusal) {
        return plan;
    }
    // The names given at last, whatever made them (tags, dates, numbers), judged as the rules'
    // were: a batch that would stop half way is refused before its first rename.
    if (tags || rules.numberDuplicates) {
        plan.refusal = firstRefusal(plan, {duplicateNamesRefusal, emptyBaseRefusal});
    }
    if (!plan.refusal) {
        plan.refusal = firstRefusal(plan, {plainNamesRefusal, hiddenNameRefusal});
    }
    if (!plan.refusal) {
        plan.refusal = folderRefusal(plan, folder);
    }
    if (!plan.refusal && options.mayRecord) {
        plan.refusal =
            firstRefusal(plan, {doubleQuoteRefusal, restoreFileNameRefusal, directoryQuoteRefusal});
    }
    return plan;
}

}  // namespace nameshift::engine
