#include "engine/RenameOrder.h"

#include <string_view>
#include <unordered_map>

namespace nameshift::engine {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

}  // namespace

std::vector<RenameStep> orderRenames(const std::vector<PlannedChange>& changes) {
    const std::size_t count = changes.size();
    std::unordered_map<std::string_view, std::size_t> holder;
    holder.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (changes[i].oldName != changes[i].newName) {
            holder.emplace(changes[i].oldName, i);
        }
    }
    // waitsOn[i] holds the name i moves to; freedBy[j] is the change that moves onto j's name.
    // New names are distinct, so each change has at most one of each: the changes form simple
    // chains and cycles.
    std::vector<std::size_t> waitsOn(count, kNone);
    std::vector<std::size_t> freedBy(count, kNone);
    for (std::size_t i = 0; i < count; ++i) {
        if (changes[i].oldName == changes[i].newName) {
            continue;
        }
        const auto found = holder.find(changes[i].newName);
        if (found != holder.end()) {
            waitsOn[i] = found->second;
            freedBy[found->second] = i;
        }
    }

    std::vector<RenameStep> steps;
    steps.reserve(count);
    std::vector<char> placed(count, 0);
    // A chain starts at the change whose target no file of the batch holds, and goes back
    // through the changes waiting on it.
    for (std::size_t end = 0; end < count; ++end) {
        if (waitsOn[end] != kNone) {
            continue;
        }
        for (std::size_t i = end; i != kNone; i = freedBy[i]) {
            steps.push_back({i, RenameStep::Kind::Direct});
            placed[i] = 1;
        }
    }
    // Whatever is left lies on cycles: one file steps aside, the others follow, and it takes its
    // place last.
    for (std::size_t start = 0; start < count; ++start) {
        if (placed[start] != 0) {
            continue;
        }
        steps.push_back({start, RenameStep::Kind::ToTemporary});
        placed[start] = 1;
        for (std::size_t i = freedBy[start]; i != start; i = freedBy[i]) {
            steps.push_back({i, RenameStep::Kind::Direct});
            placed[i] = 1;
        }
        steps.push_back({start, RenameStep::Kind::FromTemporary});
    }
    return steps;
}

std::vector<RenameStep> inSequence(std::size_t count) {
    std::vector<RenameStep> steps(count);
    for (std::size_t i = 0; i < count; ++i) {
        steps[i].change = i;
    }
    return steps;
}

}  // namespace nameshift::engine
