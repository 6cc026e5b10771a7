#include "engine/BatchPlanner.h"

#include <algorithm>

#include "engine/BatchChecks.h"
#include "engine/CounterMemory.h"
#include "engine/DuplicateNumbering.h"
#include "engine/NameComputation.h"
#include "engine/NameRules.h"
#include "engine/RenameSession.h"
#include "engine/TagNaming.h"

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
    // In this mode each file ends with its tag name or its old name, so the names the rules
    // computed are not the ones that will be used and are not judged.
    const bool tagsOrKeep = tags && session.id3.renameMode == settings::Id3RenameMode::AllOrKeep;
    if (options.checkSafety && !tagsOrKeep) {
        plan.refusal = rules.numberDuplicates
                           ? firstRefusal(plan, {emptyBaseRefusal})
                           : firstRefusal(plan, {duplicateNamesRefusal, emptyBaseRefusal});
        if (plan.refusal && !options.nameWhenRefused) {
            return plan;
        }
    }
    if (tags) {
        if (session.id3.format.empty()) {
            plan.refusal = platform::Message{
                NS_MESSAGE("Message", "You have not specified any ID3 options"),
                NS_MESSAGE("Message", "No options specified"), platform::Icon::Stop};
            plan.refusedBySettings = true;
            return plan;
        }
        applyTagNaming(session.id3, session.tags, session.directory, plan.changes,
                       rules.dateFormat);
        keepName(plan.changes, kept);
    }
    if (rules.numberDuplicates) {
        numberDuplicateNames(plan.changes);
    }
    if (!options.checkSafety || plan.refusal) {
        return plan;
    }
    plan.refusal = firstRefusal(plan, {plainNamesRefusal});
    if (!plan.refusal && options.mayRecord) {
        plan.refusal =
            firstRefusal(plan, {doubleQuoteRefusal, restoreFileNameRefusal, directoryQuoteRefusal});
    }
    return plan;
}

}  // namespace nameshift::engine
