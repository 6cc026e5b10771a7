#include "engine/commands/PreviewCommand.h"

#include "engine/batch/BatchPlanner.h"
#include "engine/batch/IncrementalPlan.h"
#include "engine/naming/BatchPlan.h"

namespace nameshift::engine {

CommandReport preview(RenameSession& session, PreviewDisplay& display) {
    CommandReport report;
    report.outcome = CommandOutcome::Refused;
    // Judged as apply judges it, so that what the preview shows is what apply does.
    const bool mayRecord = session.options.restoreFileUsage != settings::RestoreFileUsage::None;
    const BatchPlan plan =
        planBatch(session, {.mayRecord = mayRecord, .checkSafety = true, .nameWhenRefused = true});
    if (plan.refusedBySettings) {
        report.messages.push_back(*plan.refusal);
        return report;
    }
    if (plan.refusal) {
        display.showRefusal(*plan.refusal);
    }
    const std::vector<std::optional<platform::MessageText>> problems = judgeChanges(
        plan, session.fileList, mayRecord, session.fileSystem.longestNameIn(session.directory));
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        const PlannedChange& change = plan.changes[i];
        display.addPair(change.oldName, change.newName, problems[i] ? &*problems[i] : nullptr);
    }
    display.show();
    if (!plan.refusal) {
        report.outcome = CommandOutcome::Done;
    }
    return report;
}

}  // namespace nameshift::engine
