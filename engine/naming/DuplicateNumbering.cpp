#include "engine/naming/DuplicateNumbering.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "engine/naming/NamePath.h"

namespace nameshift::engine {
namespace {

// `name` with " (number)" before its extension; a leading dot opens no extension. In a
// subfolder the extension is the last part's own.
std::string numbered(const std::string& name, int number) {
    const std::size_t leaf = foldersOf(name).size();
    const auto dot = name.rfind('.');
    const std::size_t split = dot == std::string::npos || dot <= leaf ? name.size() : dot;
    return name.substr(0, split) + " (" + std::to_string(number) + ")" + name.substr(split);
}

}  // namespace

void numberDuplicateNames(std::span<PlannedChange> changes,
                          const std::function<bool(std::string_view)>& heldByOther) {
    const auto held = [&heldByOther](const std::string& name) {
        return heldByOther && heldByOther(name);
    };
    std::unordered_set<std::string> taken;
    for (const PlannedChange& change : changes) {
        taken.insert(change.newName);
    }
    std::unordered_set<std::string> claimed;
    for (const PlannedChange& change : changes) {
        if (change.newName == change.oldName) {
            claimed.insert(change.newName);
        }
    }
    std::unordered_map<std::string, int> lastNumber;
    for (PlannedChange& change : changes) {
        if (change.newName == change.oldName ||
            (claimed.insert(change.newName).second && !held(change.newName))) {
            continue;
        }
        int& number = lastNumber.try_emplace(change.newName, 1).first->second;
        std::string candidate;
        do {
            candidate = numbered(change.newName, ++number);
        } while (taken.count(candidate) != 0 || held(candidate));
        taken.insert(candidate);
        claimed.insert(candidate);
        change.newName = std::move(candidate);
    }
}

}  // namespace nameshift::engine
