#pragma once

#include <string>

namespace nameshift::engine {

// What the user answers about the restore file that is already where a batch writes its own.
enum class ExistingRestoreFile {
    Replace,  // the batch's record takes its place
    Keep,     // the batch runs and writes no record
    Cancel,   // nothing is renamed
};

// The questions of a batch, all settled before its first rename. The dialog asks the user; the
// command-line tool answers from its options.
class BatchQuestions {
public:
    virtual ~BatchQuestions() = default;

    virtual bool confirmApply() = 0;
    virtual bool createRestoreFile() = 0;
    virtual ExistingRestoreFile existingRestoreFile(const std::string& path) = 0;
};

}  // namespace nameshift::engine
