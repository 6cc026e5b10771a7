#pragma once

#include <string>

#include "cli/StderrMessageBox.h"
#include "engine/batch/BatchQuestions.h"

namespace nameshift::cli {

// The tool's answers to a batch's questions: the command itself is the confirmation, whether to
// write a restore file is an option, and an existing restore file is replaced only with --yes;
// without it the batch stops before anything is renamed, since a script must know beforehand.
class CliBatchQuestions final : public engine::BatchQuestions {
public:
    CliBatchQuestions(StderrMessageBox& messages, const char* caption)
        : messages_(messages), caption_(caption) {}

    bool confirmApply() override { return true; }
    bool createRestoreFile() override { return true; }
    engine::ExistingRestoreFile existingRestoreFile(const std::string& path) override {
        const bool replace = messages_.ask(
            "Restore file already exists - Do you wish to overwrite the existing "
            "file?",
            "Restore File Already Exists");
        if (replace) {
            return engine::ExistingRestoreFile::Replace;
        }
        messages_.show("\"" + path +
                           "\" exists; nothing was renamed. --yes replaces it, --no-restore-file "
                           "writes none.",
                       caption_, platform::Icon::Stop);
        return engine::ExistingRestoreFile::Cancel;
    }

private:
    StderrMessageBox& messages_;
    const char* caption_;
};

}  // namespace nameshift::cli
