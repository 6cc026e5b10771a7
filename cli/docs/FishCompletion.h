#pragma once

#include <string>

namespace nameshift::cli {

// The fish completion of the tool, from its tables of options and commands.
std::string fishCompletion();

}  // namespace nameshift::cli
