#pragma once

#include <cstddef>
#include <string_view>

namespace nameshift::engine {

// A batch over subfolders names each file by its path from the listed folder ("a/b/name"); the
// rules and the checks of a name work on its last part, and a rename keeps the file's folders.

// The longest path from the listed folder a batch renames by: its records hold every name whole,
// and their readers refuse anything larger than such names can make.
inline constexpr std::size_t kLongestPath = 1024;

// The name's last part, after its folders.
inline std::string_view leafOf(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// The folders before the last part, with their closing "/"; empty for a file of the listed
// folder itself.
inline std::string_view foldersOf(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : name.substr(0, slash + 1);
}

// The folders before the last part as a path of their own ("a/b"), without the closing "/".
inline std::string_view folderPathOf(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : name.substr(0, slash);
}

// Whether the name is one of the listed folder's own files, not of a folder beneath it.
inline bool inListedFolder(std::string_view name) {
    return name.find('/') == std::string_view::npos;
}

}  // namespace nameshift::engine
