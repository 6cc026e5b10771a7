#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/ListedFile.h"

namespace nameshift::engine {

// The names of a directory listing's files, each with its place in the listing, to tell whether a
// new name is already another file's. It points into the listing, which must outlive it unchanged;
// it is built once per listing, since every change of the rules asks it again.
class ListedNames {
public:
    explicit ListedNames(const std::vector<ListedFile>& listing);

    // The listing index of the file named `name`, if one is.
    std::optional<std::size_t> find(std::string_view name) const;

private:
    std::unordered_map<std::string_view, std::size_t> indexes_;
};

}  // namespace nameshift::engine
