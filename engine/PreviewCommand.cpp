#include "engine/PreviewCommand.h"

#include "engine/BatchPlan.h"
#include "engine/BatchPlanner.h"
#include "engine/IncrementalPlan.h"
#include "engine/ListedNames.h"

namespace nameshift::engine {

bool preview(RenameSession& session, PreviewDisplay& display) {
    // Judged as apply judges it, so that what the preview shows is what apply does.
    const bool mayRecord = session.options.restoreFileUsage != settings::RestoreFileUsage::None;
    const BatchPlan plan =
        planBatch(session, {.mayRecord = mayRecord, .checkSafety = true, .nameWhenRefused = true});
    if (plan.refusedBySettings) {
        session.messages.show(*plan.refusal);
        return false;
    }
    if (plan.refusal) {
        display.showRefusal(*plan.refusal);
    }
    const ListedNames listedNames(session.fileList.listing());
    const std::vector<std::optional<platform::MessageText>> problems =
        judgeChanges(plan, session.fileList, listedNames, mayRecord);
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        const PlannedChange& change = plan.changes[i];
        display.addPair(change.oldName, change.newName, problems[i] ? &*problems[i] : nullptr);
    }
    display.show();
    return !plan.refusal;
}

}  // namespace nameshift::engine
