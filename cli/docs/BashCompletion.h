#pragma once

#include <string>

namespace nameshift::cli {

// The bash completion of the tool, from its tables of options and commands.
std::string bashCompletion();

}  // namespace nameshift::cli
