#include "engine/PreviewCommand.h"

#include "engine/BatchPlan.h"

namespace nameshift::engine {

bool preview(RenameSession& session, PreviewDisplay& display) {
    const BatchPlan plan = planBatch(session, {.mayRecord = true, .checkSafety = false});
    if (plan.refusal) {
        session.messages.show(*plan.refusal);
        return false;
    }
    for (const PlannedChange& change : plan.changes) {
        display.addPair(change.oldName, change.newName);
    }
    display.show();
    return true;
}

}  // namespace nameshift::engine
