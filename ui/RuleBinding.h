#pragma once

#include "settings/RenameSettings.h"
#include "ui/RuleControls.h"

namespace nameshift::ui {

// The rule panel's controls into `rules`, and back: each field of the rules' table with the one
// control that shows it.
void readBoundRules(const RuleControls& controls, settings::RenameSettings& rules);
void writeBoundRules(const RuleControls& controls, const settings::RenameSettings& rules);

}  // namespace nameshift::ui
