#include "engine/batch/RenameOrder.h"

#include <cstdint>
#include <string_view>

#include "engine/naming/NameIndex.h"

namespace nameshift::engine {
namespace {

constexpr std::uint32_t kNone = static_cast<std::uint32_t>(-1);

}  // namespace

std::vector<RenameStep> orderRenames(const std::vector<PlannedChange>& changes) {
    const std::size_t count = changes.size();
    // waitsOn[i] holds the name i moves to; freedBy[j] is the change that moves onto j's name.
    // New names are distinct, so each change has at most one of each: the changes form simple
    // chains and cycles.
    std::vector<std::uint32_t> waitsOn(count, kNone);
    std::vector<std::uint32_t> freedBy(count, kNone);
    {
        NameIndex holder(count, [&changes](std::size_t i) { return changes[i].oldName; });
        for (std::size_t i = 0; i < count; ++i) {
            if (changes[i].oldName != changes[i].newName) {
                holder.insert(i);
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (changes[i].oldName == changes[i].newName) {
                continue;
            }
            const std::size_t found = holder.find(changes[i].newName);
            if (found != holder.kNone) {
                waitsOn[i] = static_cast<std::uint32_t>(found);
                freedBy[found] = static_cast<std::uint32_t>(i);
            }
        }
    }

    std::vector<RenameStep> steps;
    steps.reserve(count);
    std::vector<char> placed(count, 0);
    // A chain starts at the change whose target no file of the batch holds, and goes back
    // through the changes waiting on it.
    for (std::uint32_t end = 0; end < count; ++end) {
        if (waitsOn[end] != kNone) {
            continue;
        }
        for (std::uint32_t i = end; i != kNone; i = freedBy[i]) {
            steps.push_back({i, RenameStep::Kind::Direct});
            placed[i] = 1;
        }
    }
    // Whatever is left lies on cycles: one file steps aside, the others follow, and it takes its
    // place last.
    for (std::uint32_t first = 0; first < count; ++first) {
        if (placed[first] != 0) {
            continue;
        }
        steps.push_back({first, RenameStep::Kind::ToTemporary});
        placed[first] = 1;
        for (std::uint32_t i = freedBy[first]; i != first; i = freedBy[i]) {
            steps.push_back({i, RenameStep::Kind::Direct});
            placed[i] = 1;
        }
        steps.push_back({first, RenameStep::Kind::FromTemporary});
    }
    return steps;
}

std::vector<RenameStep> inSequence(std::size_t count) {
    std::vector<RenameStep> steps(count);
    for (std::size_t i = 0; i < count; ++i) {
        steps[i].change = static_cast<std::uint32_t>(i);
    }
    return steps;
}

}  // namespace nameshift::engine
