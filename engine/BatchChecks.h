#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/BatchPlan.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// The safety checks a batch passes before any file is renamed. Each looks at the plan alone and
// gives the refusal to show, or nothing when the batch passes.

// The index of the first new name that an earlier one equals byte for byte.
std::optional<std::size_t> findDuplicateName(const std::vector<PlannedChange>& changes);
// The index of the first change that leaves nothing before the last dot of a name that had
// something there, such as "x.txt" becoming ".TXT"; ".bashrc" staying ".bashrc" passes.
std::optional<std::size_t> findEmptyBase(const std::vector<PlannedChange>& changes);
// A name that stays inside its directory: not empty, not "." or "..", no "/" and no NUL byte.
bool isPlainFileName(std::string_view name);

std::optional<platform::Message> duplicateNamesRefusal(const BatchPlan& plan);
std::optional<platform::Message> emptyBaseRefusal(const BatchPlan& plan);
std::optional<platform::Message> plainNamesRefusal(const BatchPlan& plan);
// Restore files keep names and their directory between double quotes.
std::optional<platform::Message> doubleQuoteRefusal(const BatchPlan& plan);
std::optional<platform::Message> directoryQuoteRefusal(const BatchPlan& plan);
// A file given the restore file's name would be lost when the restore file is written.
std::optional<platform::Message> restoreFileNameRefusal(const BatchPlan& plan);

// A refusal of the batch, `text`, with the changes at `concerned` as its details, a line each.
platform::Message refusalFor(platform::MessageText text, platform::MessageText caption,
                             const std::vector<PlannedChange>& changes,
                             const std::vector<std::size_t>& concerned);

// Why `change` would stop a batch in `directory` or fail on its own, in the words apply would
// use; nothing for a change that passes. A duplicate is a matter of the whole batch and is not
// judged here. The folder's restore file, which a batch that may write one keeps, has a note
// saying so. `heldByOther`: whether a file that the batch does not move away holds a name now,
// since a rename never replaces it. `mayRecord`: a restore file may be written.
std::optional<platform::MessageText> changeProblem(
    const std::string& directory, const PlannedChange& change, bool mayRecord,
    const std::function<bool(std::string_view)>& heldByOther);
// The words with which a batch that gives two files one name is refused.
platform::MessageText duplicateNameProblem();

}  // namespace nameshift::engine
