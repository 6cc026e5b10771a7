#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "engine/BatchPlan.h"
#include "engine/FileList.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

// The refusal of settings that cannot make names, or of a batch with nothing ticked; nothing when
// the names can be computed.
std::optional<platform::Message> findSettingsRefusal(const settings::RenameSettings& settings,
                                                     std::size_t tickedCount);

// Every ticked row, in list order, with its new name still the old one.
std::vector<PlannedChange> gatherSelection(const FileList& fileList);

// Gives a run of a batch's changes, the batch's `firstPosition`-th change first, the names the
// rules make of their new names; the settings must have passed findSettingsRefusal.
void nameChanges(const settings::RenameSettings& settings, std::span<PlannedChange> changes,
                 std::size_t firstPosition);

// The ticked rows with the names the rules give them; the settings must have passed
// findSettingsRefusal.
std::vector<PlannedChange> computeNewNames(const settings::RenameSettings& settings,
                                           const FileList& fileList);

}  // namespace nameshift::engine
