#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace nameshift::engine {

// Puts the items in a new order, the item now at `sourceOf(at)` going to `at`, cycle by cycle in
// place, so that a large list is never held twice.
template <typename T, typename SourceOf>
void reorderInPlace(std::vector<T>& items, SourceOf sourceOf) {
    std::vector<char> placed(items.size(), 0);
    for (std::size_t start = 0; start < items.size(); ++start) {
        if (placed[start] != 0) {
            continue;
        }
        T first = std::move(items[start]);
        std::size_t at = start;
        while (sourceOf(at) != start) {
            items[at] = std::move(items[sourceOf(at)]);
            placed[at] = 1;
            at = sourceOf(at);
        }
        items[at] = std::move(first);
        placed[at] = 1;
    }
}

}  // namespace nameshift::engine
