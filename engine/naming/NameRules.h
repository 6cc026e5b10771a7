#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

class PreparedRules;

// The rules of the main dialog, applied in their fixed order, each over every name before the
// next one starts: prefix, counter, extension, character removal, remove and replace string,
// insert and remove characters at a place, trimming, accents and scripts, letter case, first
// letter upper, lower-case extension. Names are bytes. The names may be a run of a longer batch
// that starts at its `firstPosition`-th name: the counter counts from the batch's first name, so
// a batch named run by run gets the names it gets in one go. A regular expression that runs past
// its bound on a name stops the rules and gives the refusal of the batch; the names are then
// unfinished.
std::optional<platform::Message> applyNameRules(PreparedRules& rules, std::span<std::string> names,
                                                std::size_t firstPosition = 0);
// As above, the rules prepared for these names alone.
std::optional<platform::Message> applyNameRules(const settings::RenameSettings& settings,
                                                std::span<std::string> names,
                                                std::size_t firstPosition = 0);

// "The regular expression takes too long on the name "…"": the refusal of a pattern that ran
// past its bound on one name.
platform::Message tookTooLong(const std::string& name);

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
