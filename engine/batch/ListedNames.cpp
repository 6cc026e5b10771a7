#include "engine/batch/ListedNames.h"

namespace nameshift::engine {

ListedNames::ListedNames(const std::vector<ListedFile>& listing) {
    indexes_.reserve(listing.size());
    for (std::size_t i = 0; i < listing.size(); ++i) {
        indexes_.emplace(listing[i].name, i);
    }
}

ListedNames::ListedNames(const FileList& list) : ListedNames(list.listing()) {
    for (const auto* names : {&list.subdirectories(), &list.unlistedFiles()}) {
        for (const std::string& name : *names) {
            indexes_.emplace(name, kFolder);
        }
    }
}

bool ListedNames::heldByOther(std::string_view name, const std::vector<char>& moved) const {
    const std::optional<std::size_t> holder = find(name);
    return holder && (*holder == kFolder || moved[*holder] == 0);
}

std::optional<std::size_t> ListedNames::find(std::string_view name) const {
    const auto found = indexes_.find(name);
    if (found == indexes_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace nameshift::engine
