#pragma once

#include <string>

namespace nameshift::cli {

// The subsections of the manual's OPTIONS, in mdoc, from the tool's table of options.
std::string manualOptions();

// The manual page: `page` with its placeholder line replaced by manualOptions(); empty when
// `page` has no such line.
std::string manualPage(const std::string& page);

}  // namespace nameshift::cli
