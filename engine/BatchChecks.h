#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/WorkLists.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// The safety checks a batch passes before any file is renamed. The find functions only look;
// the check functions show their refusal, empty the work lists and return false.

// The index of the first new name that an earlier one equals byte for byte.
std::optional<std::size_t> findDuplicateName(const std::vector<std::string>& names);
// The index of the first name with nothing before its last dot, such as ".txt".
std::optional<std::size_t> findEmptyBase(const std::vector<std::string>& names);
// A name that stays inside its directory: not empty, not "." or "..", no "/" and no NUL byte.
bool isPlainFileName(std::string_view name);
// The first name of either list that holds a double quote, which a restore file cannot record.
std::optional<std::string> findNameWithQuote(const WorkLists& lists);

bool checkDuplicateNames(WorkLists& lists, platform::MessageBox& messages);
bool checkEmptyBases(WorkLists& lists, platform::MessageBox& messages);
bool checkPlainNames(WorkLists& lists, platform::MessageBox& messages);
bool checkNoDoubleQuotes(WorkLists& lists, platform::MessageBox& messages);
// The restore file keeps its directory between double quotes as well.
bool checkDirectoryRecordable(const std::string& directory, WorkLists& lists,
                              platform::MessageBox& messages);

}  // namespace nameshift::engine
