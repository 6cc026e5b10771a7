#pragma once

#include <string>

#include "platform/MessageBox.h"

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

// The questions as message boxes, in the program's own words.
class MessageBoxQuestions final : public BatchQuestions {
public:
    explicit MessageBoxQuestions(platform::MessageBox& messages) : messages_(messages) {}

    bool confirmApply() override {
        return messages_.ask(
            NS_MESSAGE("Message", "You are about to rename the file(s). Do you wish to continue?"),
            NS_MESSAGE("Message", "Warning"));
    }
    bool createRestoreFile() override {
        return messages_.ask(NS_MESSAGE("Message", "Do you wish to create a restore file?"),
                             NS_MESSAGE("Message", "Create File?"));
    }
    ExistingRestoreFile existingRestoreFile(const std::string&) override {
        return messages_.ask(
                   NS_MESSAGE("Message",
                              "Restore file already exists - Do you wish to overwrite the existing "
                              "file?"),
                   NS_MESSAGE("Message", "Restore File Already Exists"))
                   ? ExistingRestoreFile::Replace
                   : ExistingRestoreFile::Keep;
    }

private:
    platform::MessageBox& messages_;
};

}  // namespace nameshift::engine
