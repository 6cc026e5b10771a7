#pragma once

#include <string>
#include <vector>

#include "engine/ListedFile.h"

namespace nameshift::engine {

// The batch being worked on: for each ticked file, in list order, its name now and the name the
// rules give it, with what the listing knew of the file. Empty between commands.
struct WorkLists {
    std::vector<std::string> oldNames;
    std::vector<std::string> newNames;
    std::vector<ListedFile> files;

    bool empty() const { return oldNames.empty(); }
    void clear() {
        oldNames.clear();
        newNames.clear();
        files.clear();
    }
};

}  // namespace nameshift::engine
