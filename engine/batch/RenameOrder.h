#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/naming/BatchPlan.h"

namespace nameshift::engine {

// One rename of a batch: a change done in one step, or half of a change that goes through a
// temporary name.
struct RenameStep {
    enum class Kind : std::uint8_t {
        Direct,         // old name to new name
        ToTemporary,    // old name to the change's temporary name
        FromTemporary,  // the change's temporary name to its new name
    };
    std::uint32_t change = 0;
    Kind kind = Kind::Direct;
};

// Orders the changes so that no rename waits on a name that a later rename of the same batch
// frees: a chain (1 to 2, 2 to 3) runs from its far end, and a cycle (a to b, b to a, or longer)
// first moves one file to a temporary name. The new names must be distinct. Chains and cycles
// are taken in the changes' order.
std::vector<RenameStep> orderRenames(const std::vector<PlannedChange>& changes);

// The changes one after the other, as a restore file lists them.
std::vector<RenameStep> inSequence(std::size_t count);

}  // namespace nameshift::engine
