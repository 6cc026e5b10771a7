#pragma once

#include <string>

#include "engine/batch/BatchQuestions.h"
#include "platform/MessageBox.h"

namespace nameshift::ui {

// The questions as message boxes, in the program's own words.
class MessageBoxQuestions final : public engine::BatchQuestions {
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
    engine::ExistingRestoreFile existingRestoreFile(const std::string&) override {
        return messages_.ask(
                   NS_MESSAGE("Message",
                              "Restore file already exists - Do you wish to overwrite the existing "
                              "file?"),
                   NS_MESSAGE("Message", "Restore File Already Exists"))
                   ? engine::ExistingRestoreFile::Replace
                   : engine::ExistingRestoreFile::Keep;
    }

private:
    platform::MessageBox& messages_;
};

}  // namespace nameshift::ui
