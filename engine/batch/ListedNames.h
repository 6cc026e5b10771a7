#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/batch/FileList.h"
#include "engine/batch/ListedFile.h"

namespace nameshift::engine {

// The names of a directory listing's files, each with its place in the listing, to tell whether a
// new name is already another file's. It points into the listing, which must outlive it unchanged;
// it is built once per listing, since every change of the rules asks it again.
class ListedNames {
public:
    explicit ListedNames(const std::vector<ListedFile>& listing);
    // With the folders and the unlisted files the reading met beside the listed files, whose
    // names a file cannot take either.
    explicit ListedNames(const FileList& list);

    // The listing index of the file named `name`, if one is; kFolder for a folder or a file left
    // out of the listing.
    std::optional<std::size_t> find(std::string_view name) const;
    // Whether an entry that stays where it is holds `name`: a folder, or a file of the listing
    // for which `moved` (per listing index) is 0, since a rename never replaces it.
    bool heldByOther(std::string_view name, const std::vector<char>& moved) const;

    static constexpr std::size_t kFolder = static_cast<std::size_t>(-1);

private:
    std::unordered_map<std::string_view, std::size_t> indexes_;
};

}  // namespace nameshift::engine
