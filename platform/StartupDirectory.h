#pragma once

#include <string>

#include "platform/Status.h"

namespace nameshift::platform {

// The working directory the process was started in. The program never changes its working
// directory, and reads it only here, once, while it starts: the browser and the commands keep
// the directory they work in as a path of their own.
Result<std::string> startupDirectory();

}  // namespace nameshift::platform
