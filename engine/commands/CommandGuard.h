#pragma once

#include <functional>

#include "platform/MessageBox.h"

namespace nameshift::engine {

// Runs one command of the dialog or the command-line tool to its end, or to the point where an
// exception escapes it: above all std::bad_alloc, when an input asks for more memory than there
// is. Such a command stops where it is, so nothing is renamed after that point, and the user is
// told why instead of the program aborting. True when the command ran to its end.
bool runGuarded(platform::MessageBox& messages, const std::function<void()>& command);

}  // namespace nameshift::engine
