#pragma once

#include <string>

namespace nameshift::settings {

// The per-user folder that the desktop launcher and nameshift-cli share for the three settings
// files: $XDG_CONFIG_HOME/nameshift, or ~/.config/nameshift when XDG_CONFIG_HOME is unset, empty
// or relative (as the XDG base directory rules say). Empty when neither variable helps, that is
// with no usable HOME either. Either argument may be null, as getenv gives it.
std::string userSettingsDirectory(const char* xdgConfigHome, const char* home);

}  // namespace nameshift::settings
