#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace nameshift::engine {

// Finds which of a batch's changes a name belongs to. The names are the caller's, told by their
// position; the index keeps only those positions, four bytes a slot at most half full, where a
// node-based map would allocate some fifty bytes for each name of a large batch.
template <typename NameOf>
class NameIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    NameIndex(std::size_t count, NameOf nameOf)
        : slots_(std::bit_ceil(2 * count + 2), 0), mask_(slots_.size() - 1), nameOf_(nameOf) {}

    // Adds `position` under its name unless the name is there already; the position that holds
    // the name afterwards.
    std::size_t insert(std::size_t position) {
        const std::string_view name = nameOf_(position);
        for (std::size_t slot = start(name);; slot = (slot + 1) & mask_) {
            if (slots_[slot] == 0) {
                slots_[slot] = static_cast<std::uint32_t>(position + 1);
                return position;
            }
            if (nameOf_(slots_[slot] - 1) == name) {
                return slots_[slot] - 1;
            }
        }
    }

    // The position holding `name`, or kNone.
    std::size_t find(std::string_view name) const {
        for (std::size_t slot = start(name);; slot = (slot + 1) & mask_) {
            if (slots_[slot] == 0) {
                return kNone;
            }
            if (nameOf_(slots_[slot] - 1) == name) {
                return slots_[slot] - 1;
            }
        }
    }

private:
    std::size_t start(std::string_view name) const {
        return std::hash<std::string_view>{}(name)&mask_;
    }

    std::vector<std::uint32_t> slots_;
    std::size_t mask_;
    NameOf nameOf_;
};

// Whether none of the `count` names that `nameOf` gives by position stands twice.
template <typename NameOf>
bool namesAreDistinct(std::size_t count, NameOf nameOf) {
    NameIndex<NameOf> index(count, nameOf);
    for (std::size_t i = 0; i < count; ++i) {
        if (index.insert(i) != i) {
            return false;
        }
    }
    return true;
}

}  // namespace nameshift::engine
