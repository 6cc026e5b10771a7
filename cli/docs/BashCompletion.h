#pragma once

#include <string>

namespace nameshift::cli {

// The bash completion of the tool: `templateText` with the lists of its tables of options and
// commands in their places.
std::string bashCompletion(const std::string& templateText);

}  // namespace nameshift::cli
