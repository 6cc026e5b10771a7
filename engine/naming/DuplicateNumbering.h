#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "engine/naming/BatchPlan.h"

namespace nameshift::engine {

// Tells apart the changes of a batch that would give files one name: the first keeps the name,
// the others get " (2)", " (3)" and so on before the extension, in list order, each number
// skipping a name another change of the batch takes already. A file that keeps its own name keeps
// it whatever its place in the list, since no other file could take it. Names are compared byte
// for byte, as the duplicate check compares them. A name that `heldByOther` says a file or folder
// outside the batch holds is taken already: the change that would get it is numbered, and no
// number lands on it, since a rename never replaces that file.
void numberDuplicateNames(std::span<PlannedChange> changes,
                          const std::function<bool(std::string_view)>& heldByOther = {});

}  // namespace nameshift::engine
