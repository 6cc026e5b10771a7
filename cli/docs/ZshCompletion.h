#pragma once

#include <string>

namespace nameshift::cli {

// The zsh completion of the tool, from its tables of options and commands.
std::string zshCompletion();

}  // namespace nameshift::cli
