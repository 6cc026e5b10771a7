#include "engine/naming/TrimRules.h"

#include <algorithm>
#include <string_view>

#include "engine/naming/NameRules.h"

namespace nameshift::engine {

void trimBaseName(std::string& name) {
    constexpr std::string_view kTrimmed = " ._-";
    NameParts parts = splitName(name);
    const std::size_t first = parts.stem.find_first_not_of(kTrimmed);
    if (first == std::string::npos) {
        parts.stem.clear();
    } else {
        parts.stem = parts.stem.substr(first, parts.stem.find_last_not_of(kTrimmed) + 1 - first);
    }
    name = parts.stem + parts.extensionWithDot;
}

void collapseSpaces(std::string& name) {
    const auto end =
        std::unique(name.begin(), name.end(), [](char a, char b) { return a == ' ' && b == ' '; });
    name.erase(end, name.end());
}

}  // namespace nameshift::engine
