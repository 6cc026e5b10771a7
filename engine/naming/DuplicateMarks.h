#pragma once

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nameshift::engine {

// Which changes of a batch share their new name with another, learnt one change at a time in any
// order: both of two alike are marked as soon as the second is noted.
class DuplicateMarks {
public:
    explicit DuplicateMarks(std::size_t size) : marked_(size, 0) { firstWithName_.reserve(size); }

    // `name` must outlive the marks.
    void note(std::size_t position, std::string_view name) {
        const auto [found, first] = firstWithName_.try_emplace(name, position);
        if (first) {
            return;
        }
        for (const std::size_t alike : {found->second, position}) {
            if (marked_[alike] == 0) {
                marked_[alike] = 1;
                ++count_;
            }
        }
    }
    bool marked(std::size_t position) const { return marked_[position] != 0; }
    std::size_t count() const { return count_; }

private:
    std::vector<char> marked_;
    // Each new name noted so far, with the first change that got it.
    std::unordered_map<std::string_view, std::size_t> firstWithName_;
    std::size_t count_ = 0;
};

}  // namespace nameshift::engine
