#include "engine/BatchChecks.h"

#include <unordered_set>

namespace nameshift::engine {
namespace {

bool refuse(std::string text, const char* caption, WorkLists& lists,
            platform::MessageBox& messages) {
    messages.show(std::move(text), caption, platform::Icon::Stop);
    lists.clear();
    return false;
}

bool hasQuote(std::string_view name) {
    return name.find('"') != std::string_view::npos;
}

}  // namespace

std::optional<std::size_t> findDuplicateName(const std::vector<std::string>& names) {
    std::unordered_set<std::string_view> seen;
    seen.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!seen.insert(names[i]).second) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> findEmptyBase(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].rfind('.') == 0) {
            return i;
        }
    }
    return std::nullopt;
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::optional<std::string> findNameWithQuote(const WorkLists& lists) {
    for (std::size_t i = 0; i < lists.oldNames.size(); ++i) {
        if (hasQuote(lists.oldNames[i])) {
            return lists.oldNames[i];
        }
        if (i < lists.newNames.size() && hasQuote(lists.newNames[i])) {
            return lists.newNames[i];
        }
    }
    return std::nullopt;
}

bool checkDuplicateNames(WorkLists& lists, platform::MessageBox& messages) {
    if (!findDuplicateName(lists.newNames)) {
        return true;
    }
    return refuse("Duplicate filenames found! Cannot continue.", "Duplicate Filenames", lists,
                  messages);
}

bool checkEmptyBases(WorkLists& lists, platform::MessageBox& messages) {
    if (!findEmptyBase(lists.newNames)) {
        return true;
    }
    return refuse("Process cannot continue - You are about to remove a file's prefix", "No Prefix",
                  lists, messages);
}

bool checkPlainNames(WorkLists& lists, platform::MessageBox& messages) {
    for (const std::string& name : lists.newNames) {
        if (!isPlainFileName(name)) {
            return refuse(
                "Cannot continue - the new file name \"" + name + "\" is not a plain file name.",
                "Invalid File Name", lists, messages);
        }
    }
    return true;
}

bool checkNoDoubleQuotes(WorkLists& lists, platform::MessageBox& messages) {
    const std::optional<std::string> name = findNameWithQuote(lists);
    if (!name) {
        return true;
    }
    return refuse("Cannot continue - the file name \"" + *name +
                      "\" contains a double quote, which a restore file cannot record.",
                  "Invalid File Name", lists, messages);
}

bool checkDirectoryRecordable(const std::string& directory, WorkLists& lists,
                              platform::MessageBox& messages) {
    if (!hasQuote(directory)) {
        return true;
    }
    return refuse("Cannot continue - the directory path \"" + directory +
                      "\" contains a double quote, which a restore file cannot record.",
                  "Invalid Directory Name", lists, messages);
}

}  // namespace nameshift::engine
