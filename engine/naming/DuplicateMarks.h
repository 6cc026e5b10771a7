#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/naming/BatchPlan.h"
#include "engine/naming/NameIndex.h"

namespace nameshift::engine {

// Which changes of a batch share their new name with another, learnt one change at a time in any
// order: both of two alike are marked as soon as the second is noted.
class DuplicateMarks {
public:
    // `changes` must outlive the marks; a change's name is read once it is noted, and must stay
    // as it was then.
    explicit DuplicateMarks(const std::vector<PlannedChange>& changes)
        : marked_(changes.size(), 0), firstWithName_(changes.size(), NewNameOf{&changes}) {}

    void note(std::size_t position) {
        const std::size_t first = firstWithName_.insert(position);
        if (first == position) {
            return;
        }
        for (const std::size_t alike : {first, position}) {
            if (marked_[alike] == 0) {
                marked_[alike] = 1;
                ++count_;
            }
        }
    }
    bool marked(std::size_t position) const { return marked_[position] != 0; }
    std::size_t count() const { return count_; }

private:
    struct NewNameOf {
        const std::vector<PlannedChange>* changes;
        std::string_view operator()(std::size_t position) const {
            return (*changes)[position].newName;
        }
    };

    std::vector<char> marked_;
    // Each new name noted so far, with the first change that got it.
    NameIndex<NewNameOf> firstWithName_;
    std::size_t count_ = 0;
};

}  // namespace nameshift::engine
