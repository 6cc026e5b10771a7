#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nameshift::engine {

// What a reading of a folder shows of restore files: whether the folder holds one, names that
// spell its name otherwise, and the temporary files of records whose writing was stopped half way.
// A batch needs them before it writes its own record.
struct RestoreFileTraces {
    bool holdsRestoreFile = false;
    std::vector<std::string> otherSpellings;
    std::vector<std::string> abandonedRecords;

    void note(std::string_view name, bool isDirectory);
};

// Whether `name` is the restore file's name with some of its letters in the other case.
bool isRestoreNameSpelledOtherwise(std::string_view name);

}  // namespace nameshift::engine
