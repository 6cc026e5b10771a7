#pragma once

#include <string>

namespace nameshift::cli {

// The zsh completion of the tool: `templateText` with the lists of its tables of options and
// commands in their places.
std::string zshCompletion(const std::string& templateText);

}  // namespace nameshift::cli
