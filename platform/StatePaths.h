#pragma once

#include <string>

namespace nameshift::platform {

// Where the program keeps what must survive a crash: $XDG_STATE_HOME/nameshift, or
// ~/.local/state/nameshift. Empty when neither variable gives an absolute path.
std::string userStateDirectory();

}  // namespace nameshift::platform
