#include "engine/commands/PreviewCommand.h"

#include "engine/batch/IncrementalPlan.h"
#include "engine/naming/BatchPlan.h"

namespace nameshift::engine {

CommandReport preview(RenameSession& session, PreviewDisplay& display) {
    CommandReport report;
    report.outcome = CommandOutcome::Refused;
    // Judged as apply judges it, so that what the preview shows is what apply does.
    const bool mayRecord = session.options.restoreFileUsage != settings::RestoreFileUsage::None;
    IncrementalPlan naming(session, {.mayRecord = mayRecord});
    const BatchPlan& plan = naming.planWhole();
    if (plan.refusedBySettings) {
        report.messages.push_back(*plan.refusal);
        return report;
    }
    if (plan.refusal) {
        display.showRefusal(*plan.refusal);
    }
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        display.addPair(plan.changes[i].oldName, plan.changes[i].newName, naming.problem(i));
    }
    display.show();
    if (!plan.refusal) {
        report.outcome = CommandOutcome::Done;
    }
    return report;
}

}  // namespace nameshift::engine
