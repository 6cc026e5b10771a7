#include "engine/naming/BatchPlan.h"

namespace nameshift::engine {

bool BatchPlan::renamesAnything() const {
    for (const PlannedChange& change : changes) {
        if (change.oldName != change.newName) {
            return true;
        }
    }
    return false;
}

}  // namespace nameshift::engine
