#pragma once

#include <string>

namespace nameshift::cli {

// The fish completion of the tool: `templateText` with the lists of its tables of options and
// commands in their places.
std::string fishCompletion(const std::string& templateText);

}  // namespace nameshift::cli
