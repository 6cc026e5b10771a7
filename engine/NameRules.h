#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "settings/RenameSettings.h"

namespace nameshift::engine {

// The rules of the main dialog, applied in their fixed order, each over every name before the
// next one starts: prefix, counter, extension, character removal, remove and replace string,
// letter case, first letter upper. Names are bytes; each rule works on the whole name. The names
// may be a run of a longer batch that starts at its `firstPosition`-th name: the counter counts
// from the batch's first name, so a batch named run by run gets the names it gets in one go.
void applyNameRules(const settings::RenameSettings& settings, std::span<std::string> names,
                    std::size_t firstPosition = 0);

// The pieces of a name around its last dot.
struct NameParts {
    std::string stem;              // before the last dot; the whole name without a dot
    std::string extensionWithDot;  // the last dot and what follows; empty without a dot
};
NameParts splitName(const std::string& name);

// The counter as the rules write it: the value in decimal, zeros put in front up to `digits`.
std::string counterText(long long value, int digits);
// Reads a counter edit's text as the C library's atoi does, so that "", "x" and "-" give 0.
long long parseCounterValue(const std::string& text);

}  // namespace nameshift::engine
