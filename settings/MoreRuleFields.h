#pragma once

#include <span>
#include <string_view>

#include "settings/RenameSettings.h"
#include "settings/SettingsField.h"

namespace nameshift::settings {

// The entries of the "More rules" group's options that the settings files' kinds can spell, in
// the order a file keeps them.
std::span<const SettingsField<RenameSettings>> moreRuleFields();

// The letter case's scope has no kind of its own: its entry holds the digit of its choice.
inline constexpr std::string_view kCaseScopeKey = "-= Letter Case Applies To =-";

}  // namespace nameshift::settings
