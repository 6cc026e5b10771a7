#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/naming/NameArena.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// One ticked file of a batch: where it stands in the listing, its name now and the name the rules
// (and tags) give it.
// The old name is a view: of the listing's names for a batch of listed files, or of the record
// a restore or a recovery works from, which outlive the plan.
struct PlannedChange {
    std::size_t file = 0;
    std::string_view oldName;
    std::string newName;
};

// What a batch will do, computed once: preview shows it, the checks judge it and apply carries it
// out, so the names shown are the names given.
struct BatchPlan {
    std::string directory;
    std::vector<PlannedChange> changes;
    // Why the batch cannot run, the first reason in the order the checks are made; preview still
    // shows the names when only the safety checks object.
    std::optional<platform::Message> refusal;
    bool refusedBySettings = false;
    // Where the counter goes on after this batch's last numbered file, when the batch numbers
    // its files and is to carry the count on to the folder's next batch.
    std::optional<long long> nextCounter;
    // The names may move files into new folders beneath their own, as a name template with
    // folders in it asks; any other "/" in a new name refuses the batch.
    bool movesIntoFolders = false;
    // Where the old names of a plan of listed files live, kept while the plan is.
    std::shared_ptr<const NameArena> names;

    bool renamesAnything() const;
};

}  // namespace nameshift::engine
