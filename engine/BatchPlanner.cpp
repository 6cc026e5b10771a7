#include "engine/BatchPlanner.h"

#include "engine/BatchChecks.h"
#include "engine/NameComputation.h"
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

}  // namespace

BatchPlan planBatch(const RenameSession& session, const PlanOptions& options) {
    BatchPlan plan;
    plan.directory = session.directory;
    plan.names = session.fileList.names();
    plan.refusal = findSettingsRefusal(session.rules, session.fileList.tickedCount());
    if (plan.refusal) {
        plan.refusedBySettings = true;
        return plan;
    }
    const std::string_view kept = keptFileName(options.mayRecord);
    plan.changes = computeNewNames(session.rules, session.fileList, kept, &plan.refusal);
    if (plan.refusal) {
        plan.refusedBySettings = true;  // a pattern that gives no names, as one that is invalid
        return plan;
    }
    const bool tags = session.rules.supportId3;
    // In this mode each file ends with its tag name or its old name, so the names the rules
    // computed are not the ones that will be used and are not judged.
    const bool tagsOrKeep = tags && session.id3.renameMode == settings::Id3RenameMode::AllOrKeep;
    if (options.checkSafety && !tagsOrKeep) {
        plan.refusal = firstRefusal(plan, {duplicateNamesRefusal, emptyBaseRefusal});
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
        applyTagNaming(session.id3, session.tags, session.directory, plan.changes);
        keepName(plan.changes, kept);
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
