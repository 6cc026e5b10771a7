#pragma once

#include "cli/CliOptions.h"
#include "settings/RenameSettings.h"
#include "settings/TagNamingOptions.h"

namespace nameshift::cli {

// Puts the command line's rule options over the loaded settings. A text option turns its rule on
// with that text (--replace also sets the replacement, empty without --with), --counter turns the
// counter on, each flag turns its rule on (--ignore-case turns the match case off); position,
// digit, case scope, sort and ID3 format options only set their choice. --attributes sets exactly
// the attributes it names.
void applyRuleOverrides(const RuleOverrides& overrides, settings::RenameSettings& rules,
                        settings::Id3Naming& id3);

}  // namespace nameshift::cli
