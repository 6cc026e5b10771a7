#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace nameshift::engine {

// Keeps many short names in a few large blocks, each name once, and hands out views of them that
// stay valid for the arena's life: a directory of a million files would otherwise hold a million
// separate allocations, each with its own overhead.
class NameArena {
public:
    NameArena() = default;
    NameArena(const NameArena&) = delete;
    NameArena& operator=(const NameArena&) = delete;

    std::string_view add(std::string_view name) {
        if (name.size() > free_) {
            grow(name.size());
        }
        char* at = next_;
        name.copy(at, name.size());
        next_ += name.size();
        free_ -= name.size();
        return {at, name.size()};
    }

private:
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    void grow(std::size_t atLeast) {
        const std::size_t size = atLeast > kBlockBytes ? atLeast : kBlockBytes;
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        next_ = blocks_.back().get();
        free_ = size;
    }

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    std::size_t free_ = 0;
};

}  // namespace nameshift::engine
